// The sectors page's own ways: in the hand mode its pointers take, move, turn
// over and let go of the sectors through the lesson instead of writing; and
// every page's figure drawn again only where it changed, the rest of the
// canvas kept, as the core says.
import { core, lesson, pages } from './app.js';
import { replay } from './draw.js';

// Whether a page's pointers move sectors now.
export function moving(page) {
    return core.handMode(lesson) && page === lesson.animatedPage();
}

// Points on the overlay to the picture's inner area, as the core takes them.
function onPicture(page, x, y) {
    const [ix, iy, iw, ih] = pages[page].layout.inner;
    return [x - ix, y - iy, iw, ih];
}

// A press takes the sector under it; says whether it took one.
export function grab(page, kind, id, x, y) {
    return core.grabSector(lesson, kind, id, ...onPicture(page, x, y));
}

// A move of a pointer that holds a sector; says whether it held one.
export function move(page, kind, id, x, y) {
    if (!core.holdsSector(lesson, kind, id))
        return false;
    core.moveSector(lesson, kind, id, ...onPicture(page, x, y));
    return true;
}

// A release or a lost pointer lets its sector go; says whether it held one.
export function drop(kind, id) {
    return core.dropSector(lesson, kind, id);
}

export function dropKind(kind) {
    core.dropSectorsOf(lesson, kind);
}

// The figure drawn again where it changed; all of it when the canvas lost
// what it showed (a new size, a new pixel ratio, the letters' face arrived).
export function drawChanged(page, canvas, w, h, scale, whole) {
    const drawing = core.drawChanges(lesson, page, w, h, whole);
    if (!drawing)
        return;
    const ctx = canvas.getContext('2d', { alpha: false });
    ctx.setTransform(scale, 0, 0, scale, 0, 0);
    if (drawing.whole) {
        const [all] = drawing.pieces;
        replay(ctx, all.calls, all.texts, w, h);
        return;
    }
    // Each rectangle is drawn on a second canvas of the picture's size, clipped
    // to the shapes that reach it, and copied: the browser smooths a shape a
    // shade differently on a canvas of another size, or where a clip or the
    // canvas's edge cuts it, and the pixels kept must meet the ones drawn again.
    for (const p of drawing.pieces) {
        const [x, y, rw, rh] = p.rect.map((n) => Math.round(n * scale));
        const [px, py, pw, ph] = p.reach.map((n) => Math.round(n * scale));
        const part = piece(canvas.width, canvas.height);
        part.save();
        part.setTransform(1, 0, 0, 1, 0, 0);
        part.beginPath();
        part.rect(px, py, pw, ph);
        part.clip();
        part.setTransform(scale, 0, 0, scale, 0, 0);
        replay(part, p.calls, p.texts, w, h);
        part.restore();
        ctx.save();
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        ctx.drawImage(part.canvas, x, y, rw, rh, x, y, rw, rh);
        ctx.restore();
    }
}

// One canvas for every rectangle drawn again, the picture's size.
let pieceCanvas = null;
function piece(width, height) {
    if (!pieceCanvas)
        pieceCanvas = document.createElement('canvas').getContext('2d', { alpha: false });
    const c = pieceCanvas.canvas;
    if (c.width !== width || c.height !== height) {
        c.width = width;
        c.height = height;
    }
    return pieceCanvas;
}
