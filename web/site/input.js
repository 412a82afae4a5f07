// Input: the ink through Pointer Events (pens, erasers, palms, fingers held
// still for the menu) and the keys, each turned into the lesson's commands.
// watchInput() listens on the whole document; watchPointers() on one page's ink.
import { core, lesson, ink, pages, $ } from './app.js';
import { showSoon } from './draw.js';
import { closeHelp, openHelp, openMenu, openMenuOnPicture, toggleFullScreen } from './menu.js';
import { printPage, saveImage } from './paper.js';

// Times and distances of the desktop's own controls.
const HOLD_MS = 600;           // a press held this long opens the menu…
const HOLD_STILL_PX = 6;       // …if it stays this close to where it began
const PEN_RECENT_MS = 500;     // a pen this recently seen is near: touches are a palm

const KIND = { mouse: 1, pen: 2, touch: 3 };
const ERASER_BUTTON = 5;
const ERASER_BUTTONS = 32;
const SECONDARY_BUTTON = 2;

// performance.now() starts at the page's load: 0 would be a pen seen then.
let penSeen = -Infinity;
const penNear = () => performance.now() - penSeen < PEN_RECENT_MS;
let hold = null;
let eraserAt = null;
const touches = new Set();

function kindOf(e) {
    return KIND[e.pointerType] ?? KIND.mouse;
}

function isEraser(e) {
    return e.pointerType === 'pen' && (e.button === ERASER_BUTTON || (e.buttons & ERASER_BUTTONS) !== 0);
}

function widthFactor(e) {
    return e.pointerType === 'pen' ? core.widthFactorForPressure(e.pressure) : 1;
}

export function watchPointers(page, overlay) {
    const at = (e) => [e.clientX - pages[page].origin[0], e.clientY - pages[page].origin[1]];
    overlay.addEventListener('pointerdown', (e) => {
        if (e.button === SECONDARY_BUTTON)
            return;
        try {
            overlay.setPointerCapture(e.pointerId);
        } catch {
            // A pointer the browser no longer tracks: its moves still come here.
        }
        if (e.pointerType === 'touch')
            touches.add(e.pointerId);
        const [x, y] = at(e);
        if (isEraser(e)) {
            eraserAt = [x, y];
            ink.erase(page, x, y, x, y);
        } else if (e.pointerType === 'touch' && penNear()) {
            ink.endKind(page, KIND.touch);
        } else {
            ink.begin(page, kindOf(e), e.pointerId, x, y, widthFactor(e));
        }
        if (touches.size > 1)
            stopHold();
        else
            startHold(page, e, x, y);
        showSoon();
    });
    overlay.addEventListener('pointermove', (e) => {
        const kind = kindOf(e);
        if (eraserAt && isEraser(e)) {
            for (const c of e.getCoalescedEvents?.() ?? [e]) {
                const [x, y] = at(c);
                ink.erase(page, eraserAt[0], eraserAt[1], x, y);
                eraserAt = [x, y];
            }
        } else if (e.pointerType === 'touch' && penNear()) {
            ink.endKind(page, KIND.touch);
        } else if (e.buttons & 1) {
            for (const c of e.getCoalescedEvents?.() ?? [e]) {
                const [x, y] = at(c);
                ink.extend(page, kind, e.pointerId, x, y, widthFactor(c));
            }
        } else if (ink.drawing(page, kind, e.pointerId)) {
            ink.end(page, kind, e.pointerId); // the release went elsewhere
        }
        moveHold(e);
        showSoon();
    });
    const release = (e) => {
        touches.delete(e.pointerId);
        if (eraserAt && e.pointerType === 'pen') {
            eraserAt = null;
            ink.endErase(page);
        }
        ink.end(page, kindOf(e), e.pointerId);
        if (hold && hold.pointer === e.pointerId)
            stopHold();
        showSoon();
    };
    overlay.addEventListener('pointerup', release);
    overlay.addEventListener('pointercancel', release);
    overlay.addEventListener('lostpointercapture', release);
}

// A finger or a pen held still is a touch screen's right click; a second finger is a gesture.
function startHold(page, e, x, y) {
    stopHold();
    if (e.pointerType === 'mouse')
        return;
    hold = {
        pointer: e.pointerId, x: e.clientX, y: e.clientY,
        timer: setTimeout(() => {
            ink.dropStillAt(page, x, y, HOLD_STILL_PX);
            openMenu(hold.x, hold.y);
            stopHold();
            showSoon();
        }, HOLD_MS),
    };
}

function moveHold(e) {
    if (!hold)
        return;
    if (e.pointerId !== hold.pointer || Math.hypot(e.clientX - hold.x, e.clientY - hold.y) > HOLD_STILL_PX)
        stopHold();
}

function stopHold() {
    if (hold)
        clearTimeout(hold.timer);
    hold = null;
}

export function endStrokes() {
    const page = lesson.page();
    eraserAt = null;
    ink.endAll(page);
    showSoon();
}


function key(e) {
    const letter = e.key.length === 1;
    const k = letter ? (e.shiftKey ? e.key.toUpperCase() : e.key.toLowerCase()) : e.key;
    return (e.ctrlKey || e.metaKey ? 'Ctrl+' : '') + (e.shiftKey && !letter ? 'Shift+' : '') + k;
}

const keys = {
    'Ctrl+z': () => lesson.undo(),
    'Ctrl+y': () => lesson.redo(),
    'Ctrl+Z': () => lesson.redo(),
    'Ctrl+PageDown': () => lesson.nextPage(),
    'Ctrl+PageUp': () => lesson.previousPage(),
    'Ctrl+Tab': () => lesson.nextPage(),
    'Ctrl+Shift+Tab': () => lesson.previousPage(),
    F2: () => lesson.toggleAids(),
    c: () => lesson.toggleRealLengths(),
    g: () => lesson.toggleGrid(),
    q: () => lesson.toggleSquares(),
    F11: () => toggleFullScreen(),
    'Ctrl+0': () => lesson.setWeight(1),
    'Ctrl++': () => lesson.heavier(),
    'Ctrl+=': () => lesson.heavier(),
    'Ctrl+;': () => lesson.heavier(),
    'Ctrl+-': () => lesson.lighter(),
    'Ctrl+s': () => saveImage(),
    'Ctrl+p': () => printPage(),
    ContextMenu: () => openMenuOnPicture(),
    'Shift+F10': () => openMenuOnPicture(),
    F1: () => openHelp(),
};
// On the animated page a presenter's clicker moves the sectors, whatever has the focus.
const clickerKeys = {
    PageDown: () => lesson.stepLesson(1),
    PageUp: () => lesson.stepLesson(-1),
    Home: () => lesson.returnAllSectors(),
};

export function watchInput() {
    // A pen anywhere over the page, touching or hovering, makes touches a palm.
    for (const type of ['pointerdown', 'pointermove', 'pointerover']) {
        document.addEventListener(type, (e) => {
            if (e.pointerType === 'pen')
                penSeen = performance.now();
        }, true);
    }

    // A pen that leaves the screen's reach sends no release while pressed.
    document.documentElement.addEventListener('pointerleave', (e) => {
        if (e.pointerType !== 'pen')
            return;
        penSeen = -Infinity;
        eraserAt = null;
        ink.endKind(lesson.page(), KIND.pen);
        ink.endErase(lesson.page());
        showSoon();
    });

    document.addEventListener('keydown', (e) => {
        // The help takes the next key only to close; a held key's repeats close nothing.
        if (!$('help').hidden) {
            e.preventDefault();
            e.stopPropagation();
            if (!e.repeat)
                closeHelp();
            return;
        }
        // The menu, and text typed into a dialog, keep their keys.
        if (!$('menu').hidden || e.target.closest?.('dialog'))
            return;
        const k = key(e);
        let action = keys[k] ?? (lesson.page() === lesson.animatedPage() ? clickerKeys[k] : undefined);
        const pen = /^[1-9]$/.test(k) && !e.altKey ? core.pens()[Number(k) - 1] : null;
        if (pen)
            action = () => lesson.setPen(lesson.page(), pen.colour);
        if (!action)
            return;
        e.preventDefault();
        e.stopPropagation();
        action();
    }, true);

    $('tablist').addEventListener('keydown', (e) => {
        const moves = { ArrowRight: () => lesson.nextPage(), ArrowLeft: () => lesson.previousPage() };
        if (!moves[e.key])
            return;
        e.preventDefault();
        moves[e.key]();
        pages[lesson.page()].tab.focus();
    });
}
