// The lesson the page shows, shared by the page's modules: the core with the
// lesson and its ink, made once by the start (tamsel.js), the pages' elements,
// the one-line notice and the few names every module uses. The core holds the lesson, lays out
// the controls, draws the pages and the ink and keeps the board's bytes; the
// modules only show what it says and forward what the teacher does.
export let core = null;
export let lesson = null;
export let ink = null;
// The class on its own devices: what goes to the broker and what comes back (class.js).
export let room = null;
export let pageCount = 0;

// One entry a page: its tab, panel, canvases, controls and layout (controls.js).
export const pages = [];

// The build these scripts belong to; the start checks that the page, its style
// and the module are of the same one.
export const BUILD = '@TAMSEL_BUILD@';

export const $ = (id) => document.getElementById(id);
export const ratio = () => window.devicePixelRatio || 1;
export const FACE = '"Tamsel Gothic"';
export const NOTICE_MS = 6000;

export function useCore(made) {
    core = made;
    lesson = new core.Lesson();
    ink = new core.Ink(lesson);
    room = new core.Room(lesson);
    pageCount = lesson.pageCount();
}

// The one-line notice: where the menu last opened (before it ever opened, at
// the window's corner), for a few seconds.
const NOTICE_MARGIN_PX = 4;

let noticeAt = null;
let noticeTimer = null;

export function noticeFrom(x, y) {
    noticeAt = [x, y];
}

export function notify(line) {
    const notice = $('notice');
    notice.textContent = line;
    notice.hidden = false;
    const [x, y] = noticeAt ?? [NOTICE_MARGIN_PX, NOTICE_MARGIN_PX];
    notice.style.left = `${x}px`;
    notice.style.top = `${y}px`;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => { notice.hidden = true; }, NOTICE_MS);
}
