// The boards of the last several visits in IndexedDB. Each visit saves to
// records of its own, 'meta/<id>' (format, time, bytes, whether it has ink, a
// PNG thumbnail a page) and 'ink/<id>' (the ink file's bytes), so no visit
// ever writes over another's board; which boards stay and which are offered
// is the core's rule. Records come back untrusted: one of the wrong shape,
// size or version is skipped with a line in the console, never changed or
// removed. The boards of versions before these records ('current' and
// 'previous') are read as boards of unknown time.
import { core, pageCount } from './app.js';

const META = 'meta/';
const INK = 'ink/';
const LEGACY = ['current', 'previous'];
// The page's store and its one object store, as they have been since the first version.
const DB_NAME = 'tamsel';
const DB_VERSION = 1;
const STORE = 'board';
const BASE36 = 36;

// Two tabs opened in the same millisecond still differ.
export const visit = `${Date.now().toString(BASE36)}-${Math.random().toString(BASE36).slice(2, 8)}`;

let db = null;
export function open() {
    db ??= new Promise((resolve, reject) => {
        const request = indexedDB.open(DB_NAME, DB_VERSION);
        request.onupgradeneeded = () => request.result.createObjectStore(STORE);
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
    return db;
}

// One transaction; resolves with what `work` returns once it has committed.
async function run(mode, work) {
    const t = (await open()).transaction(STORE, mode);
    const result = work(t.objectStore(STORE));
    return new Promise((resolve, reject) => {
        t.oncomplete = () => resolve(result);
        t.onerror = t.onabort = () => reject(t.error);
    });
}

export function save(bytes, hasInk, thumbnails) {
    const size = thumbnails.reduce((sum, t) => sum + (t?.length ?? 0), bytes.length);
    const meta = { format: core.keptFormat, id: visit, savedAt: Date.now(), bytes: size, hasInk, thumbnails };
    return run('readwrite', (s) => {
        s.put(bytes, INK + visit);
        s.put(meta, META + visit);
    });
}

const isBytes = (x, most) => x instanceof Uint8Array && x.length <= most;

// What a meta record says, or why it cannot be believed.
function described(key, value) {
    if (typeof value !== 'object' || value === null || !Number.isInteger(value.format))
        return { why: 'not a record of a kept board' };
    if (value.format > core.keptFormat)
        return { why: `format ${value.format}, from a newer version`, newer: true };
    const thumbnails = value.thumbnails;
    const board = { id: value.id, savedAt: value.savedAt, bytes: value.bytes, hasInk: value.hasInk, thumbnails };
    if (value.format < 1 || key !== META + value.id || !core.keptPlausible(board))
        return { why: 'its id, time or size is out of bounds' };
    if (!Array.isArray(thumbnails) || thumbnails.length > core.keptMaxPages ||
        !thumbnails.every((t) => t === null || isBytes(t, core.keptMaxThumbnailBytes)))
        return { why: 'its thumbnails are not small images' };
    return { board };
}

function cursorOver(store, range, each) {
    const request = store.openCursor(range);
    request.onsuccess = () => {
        const cursor = request.result;
        if (cursor) {
            each(cursor.key, cursor.value);
            cursor.continue();
        }
    };
}

// Every kept board, described for the core ({id, savedAt, bytes, hasInk,
// thisVisit, thumbnails}), and what was skipped: how many records from a newer
// version, how many unreadable, and the core's lines for older boards it cannot read.
export async function list() {
    const records = [];
    const legacy = [];
    await run('readonly', (s) => {
        cursorOver(s, IDBKeyRange.bound(META, `${META}\uffff`), (key, value) => records.push([key, value]));
        for (const key of LEGACY)
            s.get(key).onsuccess = (e) => e.target.result !== undefined && legacy.push([key, e.target.result]);
    });
    const boards = [], skipped = { unreadable: 0, newer: 0, problems: new Set() };
    const skip = (key, why, newer) => {
        console.warn(`tamsel: the kept board ${key} is skipped: ${why}`);
        skipped[newer ? 'newer' : 'unreadable'] += 1;
    };
    for (const [key, value] of records) {
        const { board, why, newer } = described(key, value);
        if (board)
            boards.push({ ...board, thisVisit: board.id === visit });
        else
            skip(key, why, newer);
    }
    for (const key of LEGACY) {
        const bytes = legacy.find(([k]) => k === key)?.[1];
        if (bytes === undefined)
            continue;
        const seen = core.inspectBoard(bytes, pageCount);
        if (seen.problem) {
            console.warn(`tamsel: the board kept as ${key} is skipped: ${seen.problem}`);
            skipped.problems.add(seen.problem);
        } else
            boards.push({ id: key, savedAt: 0, bytes: bytes.length, hasInk: seen.hasInk, thisVisit: false, thumbnails: [] });
    }
    return { boards, skipped };
}

// The ink file's bytes of a kept board (undefined when it has none).
export function inkOf(id) {
    return run('readonly', (s) => s.get(LEGACY.includes(id) ? id : INK + id)).then((request) => request.result);
}

// Lets go of the boards the core says need not stay.
export async function prune(boards) {
    const drop = core.keptToDrop(boards);
    if (drop.length === 0)
        return;
    await run('readwrite', (s) => {
        for (const id of drop) {
            if (LEGACY.includes(id)) {
                s.delete(id);
            } else {
                s.delete(META + id);
                s.delete(INK + id);
            }
        }
    });
}
