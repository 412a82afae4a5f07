// The command table as the page uses it: every row comes from the core, with
// its labels, keys, menu place and toolbar place; the core runs its own
// commands, and this module supplies the handlers of those only a page can do
// (full screen, paper, the help, the menu, the kept boards, joining a class). The menu, the
// keys, the toolbar and the help are all made from these rows.
import { core, lesson } from './app.js';

export let rows = [];
export const byId = new Map();

// The menu, the help and paper are not needed for the first picture: they
// load after it, or when first asked for; once loaded they act at once.
// Named outright: an import() the bundler cannot read would take in every module of the folder.
const modules = { menu: () => import('./menu.js'), paper: () => import('./paper.js'), class: () => import('./class.js') };
const loaded = {};
const loading = {};
export function later(name, act) {
    if (loaded[name]) {
        act(loaded[name]);
        return;
    }
    loading[name] ??= modules[name]().then(async (m) => {
        await m.ready;
        m.init();
        loaded[name] = m;
        return m;
    });
    loading[name].then(act);
}

export function loadLater() {
    return Promise.all([new Promise((r) => later('menu', r)), new Promise((r) => later('paper', r))]);
}

const root = document.documentElement;
const fullScreenOn = () => Boolean(document.fullscreenElement ?? document.webkitFullscreenElement);
export function toggleFullScreen() {
    if (fullScreenOn())
        (document.exitFullscreen ?? document.webkitExitFullscreen)?.call(document);
    else
        (root.requestFullscreen ?? root.webkitRequestFullscreen)?.call(root);
}

// What the page does for the commands the core cannot run; a browser without
// full screen (an iPhone's) leaves those out.
const canFullScreen = Boolean(root.requestFullscreen ?? root.webkitRequestFullscreen);
const handlers = new Map(Object.entries({
    help: { run: () => later('menu', (m) => m.openHelp()) },
    'menu.open': { run: () => later('menu', (m) => m.openMenuOnPicture()) },
    'file.saveImage': { run: () => later('paper', (p) => p.saveImage()) },
    'file.print': { run: () => later('paper', (p) => p.printPage()) },
    'file.printCutOut': { run: () => later('paper', (p) => p.printCutOut()) },
    'board.restore': { run: () => import('./restore.js').then((r) => r.chooseBoard()) },
    'class.share': { run: () => later('class', (c) => c.askShare()) },
    'class.join': { run: () => later('class', (c) => c.askJoin()) },
    'class.gallery': { run: () => later('class', (c) => c.openGallery()) },
    ...(canFullScreen ? {
        'window.fullScreen': { run: toggleFullScreen, checked: fullScreenOn },
        'window.leaveFullScreen': { run: toggleFullScreen, enabled: fullScreenOn },
    } : {}),
}));

let designSize = [0, 0];

export function initCommands() {
    designSize = core.designSize();
    rows = core.commands();
    for (const row of rows)
        byId.set(row.id, row);
    byChord.clear();
    for (const row of rows)
        if (offers(row))
            for (const key of row.keys)
                byChord.set(chordOf(key), row.id);
}

export const offers = (row) => row.core || handlers.has(row.id) || row.opens !== 0;
export const offered = () => rows.filter((r) => handlers.has(r.id)).map((r) => r.id);

// The browser at any size but the design's is a classroom's screen.
export const classroomScreen = () => window.innerWidth !== designSize[0] || window.innerHeight !== designSize[1];
export const toolbarShown = () => lesson.toolbarShown(classroomScreen());

// Every row's state for the page in view, the page's own commands' from their handlers.
export function states() {
    const all = core.commandStates(lesson, classroomScreen() ? 1 : 0);
    const out = new Map();
    rows.forEach((row, i) => {
        const s = all[i];
        const h = handlers.get(row.id);
        if (h?.checked) {
            s.checkable = true;
            s.checked = h.checked();
        }
        if (h?.enabled)
            s.enabled = h.enabled();
        out.set(row.id, s);
    });
    return out;
}

export function run(id) {
    const row = byId.get(id);
    if (!row)
        return false;
    if (row.core)
        return core.runCommand(lesson, id, classroomScreen() ? 1 : 0);
    const h = handlers.get(id);
    if (!h || (h.enabled && !h.enabled()))
        return false;
    h.run();
    return true;
}

// A button or an item acts on a click, and on a finger or pen lifted inside
// it: a browser may make no click of a tap that follows a stroke closely. The
// click a lift may still bring, on it or on whatever its action uncovered
// (a menu closes over a button or a slider), is then swallowed.
const CLICK_AFTER_LIFT_MS = 700;
let swallowUntil = 0;
document.addEventListener('click', (e) => {
    if (performance.now() >= swallowUntil)
        return;
    swallowUntil = 0;
    e.preventDefault();
    e.stopPropagation();
}, true);

export function onPress(element, act) {
    let down = null;
    element.addEventListener('pointerdown', (e) => {
        down = e.pointerType === 'mouse' ? null : e.pointerId;
        // No mouse events made from the touch: they would reach what the action uncovered.
        if (down !== null)
            e.preventDefault();
    });
    element.addEventListener('pointercancel', () => { down = null; });
    element.addEventListener('pointerup', (e) => {
        if (e.pointerId !== down)
            return;
        down = null;
        const r = element.getBoundingClientRect();
        if (e.clientX < r.left || e.clientX > r.right || e.clientY < r.top || e.clientY > r.bottom)
            return;
        swallowUntil = performance.now() + CLICK_AFTER_LIFT_MS;
        act(e);
    });
    element.addEventListener('click', act);
}

// Keys: the table's portable names, and a key event, read the same way.
// A printed character carries its Shift in itself, but a letter's Shift counts.
const byChord = new Map();
const keyNames = { Menu: 'ContextMenu' };

function chordOf(text) {
    const parts = [];
    let rest = text;
    for (const m of ['Ctrl+', 'Shift+', 'Alt+'])
        if (rest.length > m.length && rest.startsWith(m)) {
            parts.push(m);
            rest = rest.slice(m.length);
        }
    return chord(parts.includes('Ctrl+'), parts.includes('Shift+'), parts.includes('Alt+'), keyNames[rest] ?? rest);
}

function chord(ctrl, shift, alt, key) {
    const printed = key.length === 1;
    const letter = printed && key.toLowerCase() !== key.toUpperCase();
    return `${ctrl ? 'C' : ''}${shift && (!printed || letter) ? 'S' : ''}${alt ? 'A' : ''} ${key.toLowerCase()}`;
}

// The command a key event asks for, if the page in view has it and it can act.
export function commandForKey(e) {
    const key = e.key === 'Tab' && e.shiftKey ? 'Tab' : e.key;
    const id = byChord.get(chord(e.ctrlKey || e.metaKey, e.shiftKey, e.altKey, key));
    if (!id)
        return null;
    const s = states().get(id);
    return s.available && s.enabled ? id : null;
}
