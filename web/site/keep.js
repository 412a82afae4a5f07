// Keeping the board: the ink's bytes in IndexedDB within 2 s of a change and
// as the page goes, the last visit's board set aside and brought back on
// request, and the weight and pens in local storage. The bytes are the core's;
// whatever comes back goes through its checks.
import { core, lesson } from './app.js';
import { repaintInk, showSoon } from './draw.js';
import { endStrokes } from './input.js';
import { notify } from './menu.js';

const AUTOSAVE_MS = 1500;      // a save lands within 2 s of a change
const STORE_PREFIX = 'tamsel/';

export const stored = {
    open() {
        this.db ??= new Promise((resolve, reject) => {
            const request = indexedDB.open('tamsel', 1);
            request.onupgradeneeded = () => request.result.createObjectStore('board');
            request.onsuccess = () => resolve(request.result);
            request.onerror = () => reject(request.error);
        });
        return this.db;
    },
    async run(mode, work) {
        const db = await this.open();
        return new Promise((resolve, reject) => {
            const t = db.transaction('board', mode);
            const result = work(t.objectStore('board'));
            t.oncomplete = () => resolve(result.result);
            t.onerror = t.onabort = () => reject(t.error);
        });
    },
    get: (key) => stored.run('readonly', (s) => s.get(key)),
};

// The last visit's board is set aside before this visit first saves over it.
let setAside = false;
let keepTimer = null;
let failing = false;

export function keepSoon() {
    keepTimer ??= setTimeout(keep, AUTOSAVE_MS);
}

async function keep() {
    clearTimeout(keepTimer);
    keepTimer = null;
    const bytes = core.saveBoard(lesson);
    try {
        if (!bytes)
            throw new Error('the board is too large to keep');
        const asideNow = !setAside;
        setAside = true;
        await stored.run('readwrite', (s) => {
            if (asideNow) {
                const last = s.get('current');
                last.onsuccess = () => {
                    if (last.result !== undefined)
                        s.put(last.result, 'previous');
                    s.put(bytes, 'current');
                };
                return last;
            }
            return s.put(bytes, 'current');
        });
        failing = false;
    } catch (error) {
        console.warn('tamsel: the ink could not be saved:', error);
        if (!failing)
            notify('書き込みを自動で保存できません。ブラウザーの保存領域の空きと設定を確かめてください。');
        failing = true;
    }
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

export async function restoreLast() {
    let bytes;
    try {
        bytes = await stored.get(setAside ? 'previous' : 'current');
        if (bytes === undefined && !setAside)
            bytes = await stored.get('previous');
    } catch {
        bytes = false; // unreadable
    }
    const problem = core.restoreBoard(lesson, bytes ?? null);
    if (problem)
        notify(problem);
    repaintInk();
    showSoon();
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
    } catch {
        // Storage turned off: the design's choices.
    }
}
