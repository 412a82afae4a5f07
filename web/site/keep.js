// Keeping the board: the ink's bytes in IndexedDB within 2 s of a change and
// as the page goes, each visit on a board of its own with its pages'
// thumbnails (kept.js), the boards of earlier visits offered back
// (restore.js), and the weight and pens in local storage. The bytes are the
// core's; whatever comes back goes through its checks.
import { core, lesson, ink, pageCount, notify } from './app.js';
import { endStrokes } from './input.js';

const STORE_PREFIX = 'tamsel/';

let keepTimer = null;
let failing = false;
let saves = 0;
// Loaded after the first picture; a save before then waits for them.
let store = null;
let paper = null;
// Each page's thumbnail as last saved, and the pages drawn on since.
const thumbnails = [];
const changed = new Set();

export function keepSoon(page) {
    changed.add(page);
    // A save lands within 2 s of a change: the core's time, the desktop's too.
    keepTimer ??= setTimeout(keep, core.timings().autosaveMs);
}

export const savedCount = () => saves;

// Everything up to the write happens at once, so a save as the page goes away still lands.
async function keep() {
    clearTimeout(keepTimer);
    keepTimer = null;
    const bytes = core.saveBoard(lesson);
    try {
        if (!bytes)
            throw new Error('the board is too large to keep');
        store ??= await import('./kept.js');
        paper ??= await import('./paper.js');
        for (const page of changed)
            thumbnails[page] = ink.pointCount(page) > 0 ? paper.thumbnail(page) : null;
        changed.clear();
        const pages = Array.from({ length: pageCount }, (_, page) => thumbnails[page] ?? null);
        await store.save(bytes, pages.some(Boolean), pages);
        saves += 1;
        failing = false;
    } catch (error) {
        console.warn('tamsel: the ink could not be saved:', error);
        if (!failing)
            notify('書き込みを自動で保存できません。ブラウザーの保存領域の空きと設定を確かめてください。');
        failing = true;
    }
}

// After the first picture: the store opened early, so a save as the page goes
// away is quick, and the last visit's board offered.
export async function startKeeping() {
    [store, paper] = await Promise.all([import('./kept.js'), import('./paper.js')]);
    await store.open().catch((error) => console.warn('tamsel: the board\'s store cannot be opened:', error));
    const restore = await import('./restore.js');
    await restore.offerOnOpening();
}

function flush() {
    if (keepTimer !== null)
        keep();
}

// Saves what is pending as the page goes away or out of sight.
export function watchLeaving() {
    window.addEventListener('pagehide', flush);
    document.addEventListener('visibilitychange', () => {
        if (document.hidden) {
            endStrokes();
            flush();
        }
    });
    window.addEventListener('blur', endStrokes);
}

export function storeChoices() {
    try {
        for (const [k, v] of core.writeChoices(lesson))
            localStorage.setItem(STORE_PREFIX + k, v);
    } catch {
        // Storage turned off: the choices last this visit.
    }
}

export function readChoices() {
    try {
        core.readChoices(lesson, (k) => localStorage.getItem(STORE_PREFIX + k));
        const ours = Object.keys(localStorage).filter((k) => k.startsWith(STORE_PREFIX));
        const unknown = core.unknownPages(ours.map((k) => k.slice(STORE_PREFIX.length)));
        if (unknown.length > 0)
            console.warn(`tamsel: the choices name pages this version does not have (${unknown.join(', ')}); they are kept`);
    } catch {
        // Storage turned off: the design's choices.
    }
}
