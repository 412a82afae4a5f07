// Images and paper: the page in view saved as a PNG, printed on A4 landscape
// as dark lines on white, and the cut-out circle. The browser's own print
// command prints the page in view too (watchPrinting).
import { core, lesson, pages, $, ratio, FACE, NOTICE_MS } from './app.js';
import { RADIANS_PER_DEGREE, drawFigure, drawPicture, paintInk, replay } from './draw.js';

// Paper: A4 landscape less 10 mm margins, drawn at 8 device pixels a millimetre.
const SHEET_MM = [277, 190];
const SHEET_PX_PER_MM = 8;
// The cut-out sheet leaves an eighth of the radius round the circle; each
// sector's number comes as x, y, degrees, the number and whether it is underlined.
const CUT_OUT_MARGIN_RADII = 1 / 8;
const NUMBER_FIELDS = 5;
// The line under a number, in shares of its size: below the middle, and thick.
const UNDERLINE_DROP = 0.55;
const UNDERLINE_WIDTH = 0.08;

let printer = null;

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

export function saveImage() {
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
    drawWithInk(page, canvas, w, h, true);
    sheet.append(canvas);
}

// The page's figure of w × h and its ink, drawn by the core at the canvas's scale.
function drawWithInk(page, canvas, w, h, darkOnWhite) {
    const scale = canvas.width / w;
    drawPicture(page, canvas, w, h, darkOnWhite, scale);
    printer ??= new core.Print();
    const drawn = printer.ink(lesson, page, w, h, scale, darkOnWhite);
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
}

// The page as the screen shows it, small, as PNG bytes for the kept boards;
// at once, so that a save as the page goes away still has it.
export function thumbnail(page) {
    const [, , w, h] = pages[page].layout.inner;
    const [tw, th] = core.thumbnailSize(w, h);
    if (!tw || !th)
        return null;
    const canvas = document.createElement('canvas');
    canvas.width = tw;
    canvas.height = th;
    drawWithInk(page, canvas, w, h, false);
    const url = canvas.toDataURL('image/png');
    return Uint8Array.from(atob(url.slice(url.indexOf(',') + 1)), (c) => c.charCodeAt(0));
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
export function printPage() {
    preparePageSheet();
    window.print();
}

export function printCutOut() {
    prepareCutOut();
    cutOutPending = true;
    window.print();
}


// Once loaded (input.js).
export function init() {
    // The browser's own print command prints the page in view too.
    window.addEventListener('beforeprint', () => {
        if (!cutOutPending)
            preparePageSheet();
    });
    window.addEventListener('afterprint', () => { cutOutPending = false; });
}
