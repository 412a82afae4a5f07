// Input: the ink through Pointer Events (pens, erasers, palms, fingers held
// still for the menu; while the lesson's eraser is up, every pointer erases)
// and the keys, which the command table maps to commands.
// watchInput() listens on the whole document; watchPointers() on one page's ink.
import { core, lesson, ink, pages, $ } from './app.js';
import { commandForKey, later, run } from './commands.js';
import { showSoon } from './draw.js';
import { drop, dropKind, grab, move, moving } from './sectors.js';

const menu = (act) => later('menu', act);

// Times and distances both front-ends keep to (the core's): a press held
// still this long opens the menu, and a pen seen this recently makes touches a palm.
let HOLD_MS, HOLD_STILL_PX, PEN_RECENT_MS;

const KIND = { mouse: 1, pen: 2, touch: 3 };
const ERASER_BUTTON = 5;
const ERASER_BUTTONS = 32;
const SECONDARY_BUTTON = 2;

// performance.now() starts at the page's load: 0 would be a pen seen then.
let penSeen = -Infinity;
const penNear = () => performance.now() - penSeen < PEN_RECENT_MS;
let hold = null;
// Each pointer erasing, at where it last was.
const erasers = new Map();
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
        if (e.pointerType === 'touch' && penNear()) {
            ink.endKind(page, KIND.touch);
            dropKind(KIND.touch);
        } else if (isEraser(e) || lesson.erasing()) {
            erasers.set(e.pointerId, [x, y]);
            ink.erase(page, x, y, x, y);
        } else if (moving(page)) {
            // A press that takes a sector is no hold for the menu.
            if (grab(page, kindOf(e), e.pointerId, x, y)) {
                stopHold();
                showSoon();
                return;
            }
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
        const from = erasers.get(e.pointerId);
        if (from && (e.buttons & 1 || isEraser(e))) {
            for (const c of e.getCoalescedEvents?.() ?? [e]) {
                const [x, y] = at(c);
                ink.erase(page, from[0], from[1], x, y);
                [from[0], from[1]] = [x, y];
            }
        } else if (e.pointerType === 'touch' && penNear()) {
            ink.endKind(page, KIND.touch);
            dropKind(KIND.touch);
        } else if (e.buttons & 1) {
            // A sector held follows the pointer's last place; ink takes every point.
            if (!move(page, kind, e.pointerId, ...at(e))) {
                for (const c of e.getCoalescedEvents?.() ?? [e]) {
                    const [x, y] = at(c);
                    ink.extend(page, kind, e.pointerId, x, y, widthFactor(c));
                }
            }
        } else if (ink.drawing(page, kind, e.pointerId) || drop(kind, e.pointerId)) {
            ink.end(page, kind, e.pointerId); // the release went elsewhere
        }
        moveHold(e);
        showSoon();
    });
    const release = (e) => {
        touches.delete(e.pointerId);
        // Erasing by several pointers at once is one step.
        if (erasers.delete(e.pointerId) && erasers.size === 0)
            ink.endErase(page);
        drop(kindOf(e), e.pointerId);
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
            const { x: menuX, y: menuY } = hold;
            menu((m) => m.openMenu(menuX, menuY));
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
    erasers.clear();
    ink.endErase(page);
    for (const kind of Object.values(KIND))
        dropKind(kind);
    ink.endAll(page);
    showSoon();
}

export function watchInput() {
    ({ holdMs: HOLD_MS, holdStillPx: HOLD_STILL_PX, penRecentMs: PEN_RECENT_MS } = core.timings());
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
        erasers.clear();
        ink.endKind(lesson.page(), KIND.pen);
        dropKind(KIND.pen);
        ink.endErase(lesson.page());
        showSoon();
    });

    document.addEventListener('keydown', (e) => {
        // The help takes the next key only to close; a held key's repeats close nothing.
        if (!$('help').hidden) {
            e.preventDefault();
            e.stopPropagation();
            if (!e.repeat)
                menu((m) => m.closeHelp());
            return;
        }
        // The menu, the boards' chooser and text typed into a dialog take their own keys.
        if (!$('menu').hidden || $('boards') || e.target.closest?.('dialog'))
            return;
        // Off the pages with steps Page Down and Home stay the focused slider's: the page has no such command.
        const id = commandForKey(e);
        if (!id)
            return;
        e.preventDefault();
        e.stopPropagation();
        run(id);
    }, true);

    $('tablist').addEventListener('keydown', (e) => {
        const moves = { ArrowRight: () => lesson.nextPage(), ArrowLeft: () => lesson.previousPage() };
        if (!moves[e.key])
            return;
        e.preventDefault();
        moves[e.key]();
        pages[lesson.page()].tab.focus();
    });

    document.addEventListener('contextmenu', (e) => {
        e.preventDefault();
        menu((m) => m.openMenuAt(e.clientX, e.clientY));
    });
}
