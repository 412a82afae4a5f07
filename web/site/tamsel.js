// The lesson's window in the browser. The core (WebAssembly) holds the lesson,
// lays out the controls, draws the pages and the ink and keeps the board's
// bytes; this module only shows what it says and forwards what the teacher does.
import createCore from './tamsel-core.js';

// Times and distances of the desktop's own controls.
const AUTOSAVE_MS = 1500;      // a save lands within 2 s of a change
const HOLD_MS = 600;           // a press held this long opens the menu…
const HOLD_STILL_PX = 6;       // …if it stays this close to where it began
const PEN_RECENT_MS = 500;     // a pen this recently seen is near: touches are a palm
const NOTICE_MS = 6000;
// Paper: A4 landscape less 10 mm margins, drawn at 8 device pixels a millimetre.
const SHEET_MM = [277, 190];
const SHEET_PX_PER_MM = 8;
const FACE = '"Tamsel Gothic"';

const KIND = { mouse: 1, pen: 2, touch: 3 };
const ERASER_BUTTON = 5;
const ERASER_BUTTONS = 32;
const SECONDARY_BUTTON = 2;
const OP = { clear: 1, line: 2, circle: 3, text: 4, box: 5 };
const OP_LENGTH = { 1: 2, 2: 8, 3: 13, 4: 10, 5: 6 };
const INVISIBLE = 5;
const RADIANS_PER_DEGREE = Math.PI / 180;
// Colours come as 0xAARRGGBB: where red, green, blue and alpha sit.
const CHANNEL_SHIFTS = [16, 8, 0, 24];
const CHANNEL_MAX = 255;
const NOTICE_MARGIN_PX = 4;
// The cut-out sheet leaves an eighth of the radius round the circle; each
// sector's number comes as x, y, degrees, the number and whether it is underlined.
const CUT_OUT_MARGIN_RADII = 1 / 8;
const NUMBER_FIELDS = 5;
// The line under a number, in shares of its size: below the middle, and thick.
const UNDERLINE_DROP = 0.55;
const UNDERLINE_WIDTH = 0.08;
const NO_FILL = -1;
const STORE_PREFIX = 'tamsel/';

const core = await createCore();
performance.mark('tamsel-core-ready');
const lesson = new core.Lesson();
const ink = new core.Ink(lesson);
const printer = new core.Print();
const pageCount = lesson.pageCount();
const $ = (id) => document.getElementById(id);

// ---------------------------------------------------------------- colours and text

const cssColours = new Map();
function css(argb) {
    let c = cssColours.get(argb);
    if (!c) {
        const [r, g, b, a] = CHANNEL_SHIFTS.map((shift) => (argb >>> shift) & CHANNEL_MAX);
        c = `rgb(${r} ${g} ${b} / ${a / CHANNEL_MAX})`;
        cssColours.set(argb, c);
    }
    return c;
}

const measuring = document.createElement('canvas').getContext('2d');
function metricsAt(px) {
    measuring.font = `${px}px ${FACE}`;
    const m = measuring.measureText('日');
    // The face has no line gap: lines follow each other at its height.
    const height = m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
    return [m.fontBoundingBoxAscent, height, height];
}
core.setTextMeasure({
    metrics: metricsAt,
    advance(text, px) {
        measuring.font = `${px}px ${FACE}`;
        return measuring.measureText(text).width;
    },
});

// ---------------------------------------------------------------- the window's controls

const pages = [];
function buildPages() {
    const tabs = $('tabs');
    const pane = document.createElement('div');
    pane.className = 'pane';
    tabs.prepend(pane);
    for (let page = 0; page < pageCount; ++page) {
        const row = lesson.row(page);
        const tab = document.createElement('button');
        tab.type = 'button';
        tab.setAttribute('role', 'tab');
        tab.id = `tab${page}`;
        tab.textContent = row.caption;
        tab.setAttribute('aria-controls', `page${page}`);
        tab.addEventListener('click', () => lesson.showPage(page));
        $('tablist').append(tab);

        const panel = document.createElement('div');
        panel.setAttribute('role', 'tabpanel');
        panel.id = `page${page}`;
        panel.setAttribute('aria-labelledby', tab.id);
        const picture = document.createElement('div');
        picture.className = 'picture';
        const figure = document.createElement('canvas');
        figure.setAttribute('role', 'img');
        figure.setAttribute('aria-label', `${row.caption}の図`);
        picture.append(figure);
        const overlay = document.createElement('canvas');
        overlay.className = 'ink';
        overlay.setAttribute('role', 'img');
        overlay.setAttribute('aria-label', `書き込み（${row.caption}）`);
        overlay.setAttribute('aria-description', 'マウス、ペン、指で書き込めます');
        panel.append(picture, overlay);
        const p = { tab, panel, picture, figure, overlay, row, drawn: '', layout: null };
        if (row.min !== undefined) {
            p.scroll = scrollBar(page, row);
            panel.append(p.scroll);
            if (row.animates) {
                p.button = document.createElement('button');
                p.button.type = 'button';
                p.button.className = 'start';
                p.button.textContent = '開始';
                p.button.setAttribute('aria-description', '扇形の並べ替えを開始、一時停止、再開します');
                p.button.title = help.tips.start;
                p.button.addEventListener('click', () => lesson.pressStart());
                panel.append(p.button);
            }
            p.label = document.createElement('output');
            p.label.className = 'value';
            p.label.setAttribute('aria-label', row.valueName);
            panel.append(p.label);
        }
        tabs.append(panel);
        watchPointers(page, overlay);
        pages.push(p);
    }
}

// A horizontal scroll bar: the arrows for the hand, the slider for the keys
// and screen readers. Its keys step as the desktop's do, one unit a page.
function scrollBar(page, row) {
    const bar = document.createElement('div');
    bar.className = 'scroll';
    const slider = document.createElement('input');
    slider.type = 'range';
    slider.min = row.min;
    slider.max = row.max;
    slider.step = 1;
    slider.setAttribute('aria-label', row.valueName);
    slider.addEventListener('input', () => lesson.setValue(page, Number(slider.value)));
    const steps = { ArrowLeft: -1, ArrowDown: -1, PageUp: -1, ArrowRight: 1, ArrowUp: 1, PageDown: 1 };
    slider.addEventListener('keydown', (e) => {
        if (e.ctrlKey || e.altKey || e.metaKey)
            return;
        const value = lesson.value(page);
        const to = e.key in steps ? value + steps[e.key] : e.key === 'Home' ? row.min : e.key === 'End' ? row.max : null;
        if (to === null)
            return;
        e.preventDefault();
        lesson.setValue(page, to);
    });
    const arrow = (text, delta) => {
        const b = document.createElement('button');
        b.type = 'button';
        b.className = 'arrow';
        b.tabIndex = -1;
        b.textContent = text;
        b.setAttribute('aria-hidden', 'true');
        b.addEventListener('click', () => lesson.setValue(page, lesson.value(page) + delta));
        return b;
    };
    bar.append(arrow('◀', -1), slider, arrow('▶', 1));
    return bar;
}

function place(element, [x, y, w, h]) {
    element.style.left = `${x}px`;
    element.style.top = `${y}px`;
    element.style.width = `${w}px`;
    element.style.height = `${h}px`;
}

let layout = null;
function layOut() {
    layout = core.layout(window.innerWidth, window.innerHeight);
    const [, , tw, th] = layout.tab;
    place($('tabs'), layout.tab);
    place($('tablist'), [0, 0, tw, layout.tabRow]);
    place($('tabs').querySelector('.pane'), [0, layout.tabRow, tw, Math.max(0, th - layout.tabRow)]);
    place($('clear0'), layout.clear[0]);
    place($('clear1'), layout.clear[1]);
    place($('swatch'), layout.swatch);
    pages.forEach((p, page) => {
        const l = layout.pages[page];
        p.layout = l;
        p.panel.style.left = p.panel.style.top = '0px';
        place(p.picture, l.picture);
        place(p.overlay, l.overlay);
        if (p.scroll) {
            place(p.scroll, l.scroll);
            place(p.label, l.label);
            if (p.button)
                place(p.button, l.button);
        }
    });
    showPage();
}

// ---------------------------------------------------------------- drawing

const ratio = () => window.devicePixelRatio || 1;

function sizeCanvas(canvas, w, h) {
    const r = ratio();
    const cw = Math.round(w * r), ch = Math.round(h * r);
    if (canvas.width !== cw || canvas.height !== ch) {
        canvas.width = cw;
        canvas.height = ch;
    }
}

// Replays the core's drawing calls. Integer coordinates name pixel centres,
// as the desktop's figures take them.
function replay(ctx, calls, texts, width, height) {
    ctx.lineCap = 'round';
    ctx.lineJoin = 'round';
    for (let i = 0; i < calls.length; i += OP_LENGTH[calls[i]]) {
        const a = calls.subarray(i + 1, i + OP_LENGTH[calls[i]]);
        switch (calls[i]) {
        case OP.clear:
            ctx.fillStyle = css(a[0]);
            ctx.fillRect(0, 0, width, height);
            break;
        case OP.line:
            if (a[6] === INVISIBLE)
                break;
            ctx.beginPath();
            ctx.moveTo(a[0] + 0.5, a[1] + 0.5);
            ctx.lineTo(a[2] + 0.5, a[3] + 0.5);
            ctx.strokeStyle = css(a[4]);
            ctx.lineWidth = a[5];
            ctx.stroke();
            break;
        case OP.circle:
            circle(ctx, a);
            break;
        case OP.text:
            text(ctx, texts[a[0]], a);
            break;
        case OP.box:
            box(ctx, a);
            break;
        }
    }
}

function circle(ctx, [cx, cy, r, whole, start, sweep, atStart, atEnd, outline, width, style, fill]) {
    const x = cx + 0.5, y = cy + 0.5;
    ctx.beginPath();
    if (whole) {
        ctx.arc(x, y, r, 0, 2 * Math.PI);
    } else {
        // Angles count counter-clockwise on the screen; a canvas counts clockwise.
        const from = -start * RADIANS_PER_DEGREE, to = -(start + sweep) * RADIANS_PER_DEGREE;
        if (atStart)
            ctx.moveTo(x, y);
        ctx.arc(x, y, r, from, to, true);
        if (atEnd)
            ctx.lineTo(x, y);
        if (atStart && atEnd)
            ctx.closePath();
    }
    if (fill !== NO_FILL) {
        ctx.fillStyle = css(fill);
        ctx.fill();
    }
    if (style !== INVISIBLE) {
        ctx.strokeStyle = css(outline);
        ctx.lineWidth = width;
        ctx.stroke();
    }
}

// Whole pixels, as the desktop fills a box without smoothing: boxes that meet leave no seam.
function box(ctx, [left, top, width, height, fill]) {
    const x = Math.ceil(left), y = Math.ceil(top);
    ctx.fillStyle = css(fill);
    ctx.fillRect(x, y, Math.ceil(left + width) - x, Math.ceil(top + height) - y);
}

// Outlined letters: the outline first, only widening them outwards. On whole
// pixels, as the desktop copies its letters, so lines below the first match it.
function text(ctx, line, [, left, top, , , px, colour, outline, outlineWidth]) {
    ctx.font = `${px}px ${FACE}`;
    const baseline = Math.round(top) + metricsAt(px)[0];
    ctx.strokeStyle = css(outline);
    ctx.lineWidth = outlineWidth;
    ctx.strokeText(line, Math.round(left), baseline);
    ctx.fillStyle = css(colour);
    ctx.fillText(line, Math.round(left), baseline);
}

// The picture on screen is opaque, so the canvas need not blend with the page.
function drawPicture(page, canvas, w, h, darkOnWhite, scale, opaque = false) {
    const drawing = core.drawPage(lesson, page, w, h, darkOnWhite);
    const ctx = canvas.getContext('2d', { alpha: !opaque });
    ctx.setTransform(scale, 0, 0, scale, 0, 0);
    replay(ctx, drawing.calls, drawing.texts, w, h);
}

function drawFigure(page) {
    const p = pages[page];
    const [, , w, h] = p.layout.inner;
    const key = `${core.viewKey(lesson, page, w, h)},${ratio()}`;
    if (key === p.drawn)
        return;
    p.drawn = key;
    sizeCanvas(p.figure, w, h);
    drawPicture(page, p.figure, w, h, false, ratio(), true);
}

function paintInk(page, whole) {
    const p = pages[page];
    const ctx = p.overlay.getContext('2d');
    const [x, y, w, h, ix, iy, iw, ih] = ink.takeDirty(page, whole);
    if (!w || !h)
        return;
    ctx.clearRect(x, y, w, h);
    if (!iw || !ih)
        return;
    const px = ink.pixels(page, ix, iy, iw, ih);
    ctx.putImageData(new ImageData(new Uint8ClampedArray(px.buffer, px.byteOffset, px.length), iw, ih), ix, iy);
}

// Everything the lesson changes is shown at the next frame, once.
let frameAsked = false;
let firstFrame = false;
let inkWhole = false;
function showSoon() {
    if (frameAsked)
        return;
    frameAsked = true;
    requestAnimationFrame(() => {
        frameAsked = false;
        frame();
    });
}

function frame() {
    const page = lesson.page();
    drawFigure(page);
    paintInk(page, inkWhole);
    inkWhole = false;
    if (!firstFrame) {
        firstFrame = true;
        performance.mark('tamsel-first-frame');
    }
}

function placeInk(page) {
    const p = pages[page];
    const [ox, oy, ow, oh] = p.layout.overlay;
    const [ix, iy, iw, ih] = p.layout.inner;
    sizeCanvas(p.overlay, ow, oh);
    p.origin = [$('tabs').offsetLeft + ox, $('tabs').offsetTop + oy];
    if (ink.place(page, ow, oh, ratio(), iw, ih, ix, iy))
        inkWhole = true;
}

// ---------------------------------------------------------------- what the lesson says changed

// A page put away ends the strokes still being drawn on it, as a hidden layer does.
let shownPage = 0;
function showPage() {
    const current = lesson.page();
    if (current !== shownPage) {
        ink.endAll(shownPage);
        shownPage = current;
    }
    pages.forEach((p, page) => {
        const shown = page === current;
        p.panel.hidden = !shown;
        p.tab.setAttribute('aria-selected', String(shown));
        p.tab.tabIndex = shown ? 0 : -1;
    });
    placeInk(current);
    inkWhole = true;
    showPen();
    showSoon();
}

function showValue(page) {
    const p = pages[page];
    if (!p.scroll)
        return;
    const text = lesson.valueText(page);
    const slider = p.scroll.querySelector('input');
    slider.value = lesson.value(page);
    const said = `${p.row.valueDescription}${text}${p.row.valueUnit}`;
    slider.setAttribute('aria-valuetext', said);
    slider.setAttribute('aria-description', said);
    p.label.textContent = text;
}

function showPen() {
    const page = lesson.page();
    const swatch = $('swatch');
    const shared = lesson.sharedPen();
    swatch.style.background = lesson.pen(page);
    swatch.style.setProperty('--mark', lesson.penMark(page));
    swatch.classList.toggle('shared', shared);
    swatch.setAttribute('aria-description',
        `ペンの色: ${lesson.penName(page)}${shared ? '（すべてのページで同じ色）' : ''}`);
}

let ticking = null;
function follow(change, page) {
    switch (change) {
    case core.Change.Page:
        showPage();
        break;
    case core.Change.Value:
        showValue(page);
        showSoon();
        break;
    case core.Change.Running:
        clearInterval(ticking);
        ticking = lesson.running() ? setInterval(() => lesson.tick(), core.tickMs) : null;
        break;
    case core.Change.Weight:
    case core.Change.Pen:
    case core.Change.Lengths:
    case core.Change.SharedPen:
    case core.Change.Grid:
    case core.Change.Squares:
        showPen();
        storeChoices();
        showSoon();
        break;
    case core.Change.Ink:
        keepSoon();
        showSoon();
        break;
    default:
        showSoon();
    }
}

// ---------------------------------------------------------------- ink through Pointer Events

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

function watchPointers(page, overlay) {
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

function endStrokes() {
    const page = lesson.page();
    eraserAt = null;
    ink.endAll(page);
    showSoon();
}

// ---------------------------------------------------------------- keys

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

document.addEventListener('keydown', (e) => {
    // The help takes the next key only to close; a held key's repeats close nothing.
    if (!$('help').hidden) {
        e.preventDefault();
        e.stopPropagation();
        if (!e.repeat)
            closeHelp();
        return;
    }
    if (!$('menu').hidden)
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

// ---------------------------------------------------------------- the page menu

const menu = $('menu');
let noticeAt = null;

function buildMenu() {
    const weights = $('weights');
    core.weights().forEach((w, i) => {
        const item = menuItem(`${w.name}(<u>${w.mnemonic}</u>)`, 'menuitemradio', w.mnemonic,
            () => lesson.setWeight(w.factor), i === 0 ? 'Ctrl+0' : '');
        item.dataset.weight = w.factor;
        weights.insertBefore(item, weights.querySelector('.separator'));
    });
    core.pens().forEach((pen, i) => {
        const item = menuItem(`<span class="dot" style="background:${pen.colour}"></span>${pen.name}(<u>${pen.mnemonic}</u>)`,
            'menuitemradio', pen.mnemonic, () => lesson.setPen(lesson.page(), pen.colour), String(i + 1));
        item.dataset.pen = pen.colour;
        $('pens').append(item);
    });
    // A radius chosen is a radius to see.
    for (const cm of core.radiiCm()) {
        const item = menuItem(`${cm} cm`, 'menuitemradio', '', () => {
            lesson.setRadiusCm(cm);
            lesson.setRealLengths(true);
        });
        item.dataset.radius = cm;
        $('radii').append(item);
    }
    const separator = document.createElement('div');
    separator.className = 'separator';
    separator.setAttribute('role', 'separator');
    const shared = menuItem('すべてのページで同じ色(<u>A</u>)', 'menuitemcheckbox', 'A',
        () => lesson.setSharedPen(!lesson.sharedPen()));
    shared.id = 'sharedPenItem';
    $('pens').append(separator, shared);
    const actions = {
        heavier: () => lesson.heavier(),
        lighter: () => lesson.lighter(),
        aids: () => lesson.toggleAids(),
        lengths: () => lesson.toggleRealLengths(),
        grid: () => lesson.toggleGrid(),
        squares: () => lesson.toggleSquares(),
        fullScreen: () => toggleFullScreen(),
        saveImage: () => saveImage(),
        print: () => printPage(),
        printCutOut: () => printCutOut(),
        restore: () => restoreLast(),
        help: () => openHelp(),
    };
    for (const item of menu.querySelectorAll('[data-action]'))
        item.onActivate = actions[item.dataset.action];
    for (const item of menu.querySelectorAll('.item')) {
        item.tabIndex = -1;
        item.addEventListener('click', (e) => {
            e.stopPropagation();
            activate(item);
        });
        item.addEventListener('pointerenter', () => {
            item.focus();
            openSubmenu(item.classList.contains('submenu') ? item : null, item.parentElement);
        });
    }
    menu.addEventListener('keydown', menuKey);
    document.addEventListener('pointerdown', (e) => {
        if (!menu.hidden && !menu.contains(e.target))
            closeMenu();
    }, true);
    window.addEventListener('blur', closeMenu);
}

function menuItem(html, role, mnemonic, onActivate, shortcut) {
    const item = document.createElement('div');
    item.className = 'item';
    item.setAttribute('role', role);
    item.dataset.key = mnemonic;
    item.innerHTML = `<span>${html}</span>` + (shortcut ? `<kbd>${shortcut}</kbd>` : '');
    item.onActivate = onActivate;
    return item;
}

function activate(item) {
    if (item.getAttribute('aria-disabled') === 'true')
        return;
    if (item.classList.contains('submenu')) {
        openSubmenu(item, item.parentElement);
        item.querySelector('.item').focus();
        return;
    }
    closeMenu();
    item.onActivate?.();
}

function openSubmenu(item, within) {
    for (const open of within.querySelectorAll(':scope > .submenu.open'))
        if (open !== item)
            open.classList.remove('open');
    item?.classList.add('open');
}

function itemsOf(list) {
    return [...list.children].filter((c) => c.classList.contains('item'));
}

function menuKey(e) {
    const item = document.activeElement.closest('.item');
    const list = item ? item.parentElement : menu;
    const items = itemsOf(list);
    const at = items.indexOf(item);
    const focus = (i) => items[(i + items.length) % items.length].focus();
    const moves = {
        ArrowDown: () => focus(at + 1),
        ArrowUp: () => focus(at - 1),
        Home: () => focus(0),
        End: () => focus(-1),
        ArrowRight: () => item?.classList.contains('submenu') && activate(item),
        ArrowLeft: () => {
            if (list === menu)
                return;
            const parent = list.parentElement;
            parent.classList.remove('open');
            parent.focus();
        },
        Escape: () => closeMenu(),
        Tab: () => closeMenu(),
        Enter: () => item && activate(item),
        ' ': () => item && activate(item),
    };
    const mnemonic = items.find((i) => i.dataset.key?.toLowerCase() === e.key.toLowerCase());
    const move = moves[e.key] ?? (mnemonic && !e.ctrlKey ? () => activate(mnemonic) : null);
    if (!move)
        return;
    e.preventDefault();
    move();
}

// Marks the weight, the pen, the aids, the lengths and full screen as they are, then opens.
function openMenu(x, y) {
    const page = lesson.page();
    for (const item of menu.querySelectorAll('[data-weight]'))
        item.setAttribute('aria-checked', String(Number(item.dataset.weight) === lesson.weight()));
    for (const item of menu.querySelectorAll('[data-pen]'))
        item.setAttribute('aria-checked', String(item.dataset.pen === lesson.pen(page)));
    $('aidsItem').setAttribute('aria-checked', String(lesson.aidsShown(page)));
    $('sharedPenItem').setAttribute('aria-checked', String(lesson.sharedPen()));
    $('aidsItem').setAttribute('aria-disabled', String(!lesson.hasAids(page)));
    $('lengthsItem').setAttribute('aria-checked', String(lesson.realLengths()));
    for (const item of menu.querySelectorAll('[data-radius]'))
        item.setAttribute('aria-checked', String(Number(item.dataset.radius) === lesson.radiusCm()));
    $('gridItem').setAttribute('aria-checked', String(lesson.gridShown()));
    $('gridItem').setAttribute('aria-disabled', String(!lesson.hasGrid(page)));
    $('squaresItem').setAttribute('aria-checked', String(lesson.squaresShown()));
    $('squaresItem').setAttribute('aria-disabled', String(!lesson.hasSquares(page)));
    $('fullScreenItem').setAttribute('aria-checked', String(Boolean(document.fullscreenElement)));
    for (const open of menu.querySelectorAll('.open'))
        open.classList.remove('open');
    menu.returnFocus = document.activeElement;
    menu.hidden = false;
    const w = menu.offsetWidth, h = menu.offsetHeight;
    const left = Math.max(0, Math.min(x, window.innerWidth - w));
    const top = Math.max(0, Math.min(y, window.innerHeight - h));
    menu.style.left = `${left}px`;
    menu.style.top = `${top}px`;
    noticeAt = [left, top];
    itemsOf(menu)[0].focus();
}

function openMenuOnPicture() {
    const r = pages[lesson.page()].picture.getBoundingClientRect();
    openMenu(r.left + r.width / 2, r.top + r.height / 2);
}

function closeMenu() {
    if (menu.hidden)
        return;
    menu.hidden = true;
    const back = menu.returnFocus;
    if (back && back !== document.body && document.contains(back))
        back.focus();
}

document.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    if (menu.hidden && $('help').hidden)
        openMenu(e.clientX, e.clientY);
});

// ---------------------------------------------------------------- the help

const help = core.helpText();

function buildHelp() {
    const title = document.createElement('h2');
    title.textContent = help.title;
    const list = document.createElement('dl');
    for (const [what, how] of help.lines) {
        const dt = document.createElement('dt');
        dt.textContent = what;
        const dd = document.createElement('dd');
        dd.textContent = how;
        list.append(dt, dd);
    }
    const closing = document.createElement('p');
    closing.textContent = help.closing;
    const box = $('help');
    box.setAttribute('aria-label', help.title);
    box.append(title, list, closing);
    // The click that closes it reaches nothing under it, the ink least of all.
    box.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        e.stopPropagation();
    });
    box.addEventListener('pointerup', (e) => {
        e.stopPropagation();
        closeHelp();
    });
    box.addEventListener('contextmenu', (e) => {
        e.preventDefault();
        e.stopPropagation();
    });
    $('swatch').title = help.tips.swatch;
    $('clear0').title = help.tips.clear;
    $('clear1').title = help.tips.clear;
}

function openHelp() {
    const box = $('help');
    if (!box.hidden)
        return;
    box.returnFocus = document.activeElement;
    box.hidden = false;
    box.focus();
}

function closeHelp() {
    const box = $('help');
    if (box.hidden)
        return;
    box.hidden = true;
    const back = box.returnFocus;
    if (back && back !== document.body && document.contains(back))
        back.focus();
}

// One line where the menu last opened (before it ever opened, at the window's corner), for a few seconds.
let noticeTimer = null;
function notify(line) {
    const notice = $('notice');
    notice.textContent = line;
    notice.hidden = false;
    const [x, y] = noticeAt ?? [NOTICE_MARGIN_PX, NOTICE_MARGIN_PX];
    notice.style.left = `${x}px`;
    notice.style.top = `${y}px`;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => { notice.hidden = true; }, NOTICE_MS);
}

function toggleFullScreen() {
    const root = document.documentElement;
    if (document.fullscreenElement)
        document.exitFullscreen?.();
    else
        (root.requestFullscreen ?? root.webkitRequestFullscreen)?.call(root);
}

// ---------------------------------------------------------------- keeping the board

const stored = {
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

function keepSoon() {
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
window.addEventListener('pagehide', flush);
document.addEventListener('visibilitychange', () => {
    if (document.hidden) {
        endStrokes();
        flush();
    }
});
window.addEventListener('blur', endStrokes);

async function restoreLast() {
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
    inkWhole = true;
    showSoon();
}

function storeChoices() {
    try {
        for (const [k, v] of core.writeChoices(lesson))
            localStorage.setItem(STORE_PREFIX + k, v);
    } catch {
        // Storage turned off: the choices last this visit.
    }
}

function readChoices() {
    try {
        core.readChoices(lesson, (k) => localStorage.getItem(STORE_PREFIX + k));
    } catch {
        // Storage turned off: the design's choices.
    }
}

// ---------------------------------------------------------------- images and paper

function stamp(now) {
    const two = (n) => String(n).padStart(2, '0');
    return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}_${two(now.getHours())}${two(now.getMinutes())}`;
}

// The page as the screen shows it, pixel for pixel, with its ink.
function pageImage() {
    const page = lesson.page();
    const p = pages[page];
    drawFigure(page);
    paintInk(page, true);
    const out = document.createElement('canvas');
    out.width = p.figure.width;
    out.height = p.figure.height;
    const ctx = out.getContext('2d');
    ctx.drawImage(p.figure, 0, 0);
    const [ix, iy] = p.layout.inner;
    ctx.drawImage(p.overlay, Math.round(ix * ratio()), Math.round(iy * ratio()));
    return out;
}

function saveImage() {
    const name = `${lesson.row(lesson.page()).caption}_${stamp(new Date())}.png`;
    pageImage().toBlob((blob) => {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = name;
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), NOTICE_MS);
    }, 'image/png');
}

function sheetCanvas(widthMm, heightMm) {
    const canvas = document.createElement('canvas');
    canvas.width = Math.round(widthMm * SHEET_PX_PER_MM);
    canvas.height = Math.round(heightMm * SHEET_PX_PER_MM);
    canvas.style.width = `${widthMm}mm`;
    canvas.style.height = `${heightMm}mm`;
    return canvas;
}

// The page in view on A4 landscape, as large as fits, dark lines on white paper.
function preparePageSheet() {
    const page = lesson.page();
    const [, , w, h] = pages[page].layout.inner;
    const sheet = $('sheet');
    sheet.replaceChildren();
    if (w === 0 || h === 0)
        return;
    const mmPerPx = Math.min(SHEET_MM[0] / w, SHEET_MM[1] / h);
    const canvas = sheetCanvas(w * mmPerPx, h * mmPerPx);
    const scale = canvas.width / w;
    drawPicture(page, canvas, w, h, true, scale);
    const drawn = printer.ink(lesson, page, w, h, scale, true);
    if (drawn.width > 0 && drawn.height > 0) {
        const layer = document.createElement('canvas');
        layer.width = drawn.width;
        layer.height = drawn.height;
        const px = drawn.pixels;
        layer.getContext('2d').putImageData(
            new ImageData(new Uint8ClampedArray(px.buffer, px.byteOffset, px.length), drawn.width, drawn.height), 0, 0);
        const ctx = canvas.getContext('2d');
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        ctx.drawImage(layer, 0, 0);
    }
    sheet.append(canvas);
}

// The animated page's circle at a radius of 6 cm, its sectors numbered.
function prepareCutOut() {
    const c = core.Print.cutOut(lesson.value(lesson.animatedPage()), lesson.weight());
    const sheet = $('sheet');
    sheet.replaceChildren();
    const caption = document.createElement('p');
    caption.textContent = c.caption;
    const sideMm = 2 * c.radius * (1 + CUT_OUT_MARGIN_RADII) / c.pixelsPerMm;
    const canvas = sheetCanvas(sideMm, sideMm);
    const scale = canvas.width / (sideMm * c.pixelsPerMm);
    const ctx = canvas.getContext('2d');
    const [cx, cy] = c.centre;
    const shift = sideMm * c.pixelsPerMm / 2;
    ctx.setTransform(scale, 0, 0, scale, (shift - cx - 0.5) * scale, (shift - cy - 0.5) * scale);
    replay(ctx, c.calls, [], c.width, c.height);
    ctx.font = `${c.numberPx}px ${FACE}`;
    ctx.fillStyle = '#000';
    ctx.textAlign = 'center';
    ctx.textBaseline = 'middle';
    for (let i = 0; i < c.numbers.length; i += NUMBER_FIELDS) {
        const [x, y, degrees, value, underlined] = c.numbers.slice(i, i + NUMBER_FIELDS);
        ctx.save();
        ctx.translate(x + 0.5, y + 0.5);
        ctx.rotate(degrees * RADIANS_PER_DEGREE);
        ctx.fillText(String(value), 0, 0);
        if (underlined) {
            const half = ctx.measureText(String(value)).width / 2;
            ctx.fillRect(-half, UNDERLINE_DROP * c.numberPx, 2 * half, UNDERLINE_WIDTH * c.numberPx);
        }
        ctx.restore();
    }
    sheet.append(caption, canvas);
}

let cutOutPending = false;
function printPage() {
    preparePageSheet();
    window.print();
}

function printCutOut() {
    prepareCutOut();
    cutOutPending = true;
    window.print();
}

// The browser's own print command prints the page in view too.
window.addEventListener('beforeprint', () => {
    if (!cutOutPending)
        preparePageSheet();
});
window.addEventListener('afterprint', () => { cutOutPending = false; });

// ---------------------------------------------------------------- start

buildHelp();
buildPages();
buildMenu();
readChoices();
lesson.listen(follow);
for (let page = 0; page < pageCount; ++page)
    showValue(page);
$('clear0').addEventListener('click', () => lesson.clearInk());
$('clear1').addEventListener('click', () => lesson.clearInk());
$('swatch').addEventListener('click', () => lesson.cyclePen());
// A new window size pauses the animation and keeps its step, as on the desktop.
window.addEventListener('resize', () => {
    lesson.pause();
    layOut();
});
layOut();
// The first picture is drawn now, so the browser's first paint shows it.
frame();
// The aids' face is not needed for the first picture; it loads after it.
requestAnimationFrame(() => document.fonts.load(`16px ${FACE}`).then(() => {
    core.forgetTextMeasures();
    pages.forEach((p) => { p.drawn = ''; });
    showSoon();
}));
// The worker waits for the page's own loading; the module may finish after it.
if ('serviceWorker' in navigator && window.isSecureContext) {
    const register = () => navigator.serviceWorker.register('sw.js');
    if (document.readyState === 'complete')
        register();
    else
        window.addEventListener('load', register);
}
// The board's store opens early, so a save as the page goes away is quick.
stored.open().catch(() => {});
// For the browser tests and the benchmarks: the lesson as the page drives it,
// and the work of one frame, done at once.
window.tamsel = { core, lesson, ink, pages, frame, ready: true };
