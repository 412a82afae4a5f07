// The lesson the page shows, shared by the page's modules: the core with the
// lesson and its ink, made once by the start (tamsel.js), the pages' elements,
// and the few names every module uses. The core holds the lesson, lays out
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
