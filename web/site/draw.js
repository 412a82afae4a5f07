// Drawing: replays the core's drawing calls on the figures' canvases, copies
// the ink's pixels onto its layer and shows every change at the next frame.
// The core measures text through this module's canvas.
import { core, lesson, ink, pages, $, ratio, FACE } from './app.js';
import { drawChanged } from './sectors.js';

export const RADIANS_PER_DEGREE = Math.PI / 180;
// Colours come as 0xAARRGGBB: where red, green, blue and alpha sit.
const CHANNEL_SHIFTS = [16, 8, 0, 24];
const CHANNEL_MAX = 255;

// The calls' format is the core's (FlatDrawOps), read once.
let OP, OP_LENGTH, INVISIBLE, NO_FILL;
let views = null;
function readFormat() {
    const format = core.drawCallFormat();
    ({ op: OP, length: OP_LENGTH, invisible: INVISIBLE, noFill: NO_FILL } = format);
    views = new core.DrawnViews();
}

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
// The face's ascent and its Windows descent in font units: the desktop spaces
// lines by these, Chromium by the shorter hhea descent, and the aids' blocks
// must fit and break alike on both.
const FACE_UNITS_PER_EM = 2048, FACE_ASCENT_UNITS = 1802, FACE_WIN_DESCENT_UNITS = 401;
function metricsAt(px) {
    // The face has no line gap: lines follow each other at its height.
    const height = (px * (FACE_ASCENT_UNITS + FACE_WIN_DESCENT_UNITS)) / FACE_UNITS_PER_EM;
    return [(px * FACE_ASCENT_UNITS) / FACE_UNITS_PER_EM, height, height];
}

export const textMeasure = {
    metrics: metricsAt,
    advance(text, px) {
        measuring.font = `${px}px ${FACE}`;
        return measuring.measureText(text).width;
    },
};

// The core measures with this module's canvas, and draws in the format it says.
export function measureTextHere() {
    readFormat();
    core.setTextMeasure(textMeasure);
}

export function sizeCanvas(canvas, w, h) {
    const r = ratio();
    const cw = Math.round(w * r), ch = Math.round(h * r);
    if (canvas.width !== cw || canvas.height !== ch) {
        canvas.width = cw;
        canvas.height = ch;
    }
}

// Replays the core's drawing calls. Integer coordinates name pixel centres,
// as the desktop's figures take them.
export function replay(ctx, calls, texts, width, height) {
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
    const baseline = Math.round(top) + Math.round(metricsAt(px)[0]);
    ctx.strokeStyle = css(outline);
    ctx.lineWidth = outlineWidth;
    ctx.strokeText(line, Math.round(left), baseline);
    ctx.fillStyle = css(colour);
    ctx.fillText(line, Math.round(left), baseline);
}

// The picture on screen is opaque, so the canvas need not blend with the page.
export function drawPicture(page, canvas, w, h, darkOnWhite, scale, opaque = false) {
    const drawing = core.drawPage(lesson, page, w, h, darkOnWhite);
    const ctx = canvas.getContext('2d', { alpha: !opaque });
    ctx.setTransform(scale, 0, 0, scale, 0, 0);
    replay(ctx, drawing.calls, drawing.texts, w, h);
}

// Drawn again where the page changed; all of it on a new canvas size or ratio.
export function drawFigure(page) {
    const p = pages[page];
    const [, , w, h] = p.layout.inner;
    const surface = `${w},${h},${ratio()}`;
    const whole = surface !== p.drawn;
    if (!views.changed(lesson, page, w, h, ratio()) && !whole)
        return;
    p.drawn = surface;
    sizeCanvas(p.figure, w, h);
    drawChanged(page, p.figure, w, h, ratio(), whole);
}

// Layers that other modules lay under the ink (the teacher's on a pupil's
// screen): each is placed and painted with the page's own ink.
export const layers = [];

export function paintInk(page, whole) {
    paintLayer(ink, pages[page].overlay, page, whole);
}

export function paintLayer(from, canvas, page, whole) {
    const ctx = canvas.getContext('2d');
    const [x, y, w, h, ix, iy, iw, ih] = from.takeDirty(page, whole);
    if (!w || !h)
        return;
    ctx.clearRect(x, y, w, h);
    if (!iw || !ih)
        return;
    const px = from.pixels(page, ix, iy, iw, ih);
    ctx.putImageData(new ImageData(new Uint8ClampedArray(px.buffer, px.byteOffset, px.length), iw, ih), ix, iy);
}

// Everything the lesson changes is shown at the next frame, once.
let frameAsked = false;
let firstFrame = false;
let inkWhole = false;
export function showSoon() {
    if (frameAsked)
        return;
    frameAsked = true;
    requestAnimationFrame(() => {
        frameAsked = false;
        frame();
    });
}

export function frame() {
    const page = lesson.page();
    drawFigure(page);
    paintInk(page, inkWhole);
    for (const layer of layers)
        layer.paint(page, inkWhole);
    inkWhole = false;
    if (!firstFrame) {
        firstFrame = true;
        performance.mark('tamsel-first-frame');
    }
}

export function placeInk(page) {
    const p = pages[page];
    const [ox, oy, ow, oh] = p.layout.overlay;
    const [ix, iy, iw, ih] = p.layout.inner;
    sizeCanvas(p.overlay, ow, oh);
    p.origin = [$('tabs').offsetLeft + ox, $('tabs').offsetTop + oy];
    if (ink.place(page, ow, oh, ratio(), iw, ih, ix, iy))
        inkWhole = true;
    for (const layer of layers)
        if (layer.place(page, ow, oh, ratio(), iw, ih, ix, iy))
            inkWhole = true;
}

// Every picture is drawn again at the next frame (the aids' face has come).
export function forgetDrawn() {
    views.forget();
    for (const p of pages)
        p.drawn = '';
    showSoon();
}

// The next frame paints the whole ink layer, not only what changed.
export function repaintInk() {
    inkWhole = true;
}
