// Ink through Pointer Events: the mouse, a pen with pressure and its eraser
// end, several fingers, a palm under a pen; history; the core's pixels.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { promisify } from 'node:util';
import { test } from 'node:test';
import { DESIGN, desktop, open, settle, useSite } from './harness.mjs';

const web = useSite();

async function inkPage() {
    const page = await open(web.browser, web.server.url, { ...DESIGN, hasTouch: true });
    return { page, cdp: await page.createCDPSession() };
}

// A pen stroke from (x, y), 20 moves of (5, 2), pressed with `force`.
async function penStroke(cdp, x, y, force) {
    const send = (type, px, py, buttons) => cdp.send('Input.dispatchMouseEvent', {
        type, x: px, y: py, button: type === 'mouseMoved' ? 'none' : 'left', buttons, pointerType: 'pen', force, clickCount: 1 });
    await send('mousePressed', x, y, 1);
    for (let i = 1; i <= 20; ++i)
        await send('mouseMoved', x + 5 * i, y + 2 * i, 1);
    await send('mouseReleased', x + 100, y + 40, 0);
}

// Fingers from their starting points, 10 moves of (8, 3) together.
async function fingers(cdp, ...starts) {
    const at = (i) => starts.map(([x, y], id) => ({ x: x + 8 * i, y: y + 3 * i, id }));
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
    for (let i = 1; i <= 10; ++i)
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(i) });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

// Ink pixels (alpha over half) of the page in view within a window rectangle.
function inked(page, [x, y, w, h]) {
    return page.evaluate(async (x, y, w, h) => {
        await new Promise((resolve) => requestAnimationFrame(resolve));
        const { lesson, pages } = window.tamsel;
        const overlay = pages[lesson.page()].overlay;
        const r = overlay.getBoundingClientRect();
        const data = overlay.getContext('2d').getImageData(x - r.left, y - r.top, w, h).data;
        let n = 0;
        for (let i = 3; i < data.length; i += 4)
            n += data[i] > 128 ? 1 : 0;
        return n;
    }, x, y, w, h);
}

const strokes = (page) => page.evaluate(() => window.tamsel.core.saveBoard(window.tamsel.lesson).length);

test('a pen draws thicker when pressed harder; its eraser end takes whole strokes, one step', async () => {
    const { page, cdp } = await inkPage();
    await penStroke(cdp, 100, 60, 0.9);
    await penStroke(cdp, 100, 200, 0.1);
    const hard = await inked(page, [90, 50, 130, 70]), light = await inked(page, [90, 190, 130, 70]);
    // Pressure 0.9 widens the 3 px pen by 1.6, 0.1 narrows it to the least, 0.5.
    assert.ok(hard > 2.5 * light && light > 0, `${hard} and ${light} pixels`);
    const before = await strokes(page);
    await page.evaluate(() => {
        const overlay = document.querySelector('#page0 canvas.ink');
        const eraser = (type, x, buttons) => overlay.dispatchEvent(new PointerEvent(type, {
            bubbles: true, pointerType: 'pen', pointerId: 9, button: type === 'pointermove' ? -1 : 5, buttons,
            clientX: x, clientY: 80 }));
        eraser('pointerdown', 140, 32);
        for (let x = 140; x <= 160; x += 4)
            eraser('pointermove', x, 32);
        eraser('pointerup', 160, 0);
    });
    await settle(page);
    assert.equal(await inked(page, [90, 50, 130, 70]), 0, 'the hard stroke is gone');
    assert.ok(await inked(page, [90, 190, 130, 70]) > 0, 'the light one stays');
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    assert.equal(await inked(page, [90, 50, 130, 70]), hard, 'Ctrl+Z brings it back');
    assert.equal(await strokes(page), before);
    await page.close();
});

test('two fingers draw two strokes; while a pen is near, touches are a palm', async () => {
    const { page, cdp } = await inkPage();
    await fingers(cdp, [300, 80], [300, 250]);
    assert.ok(await inked(page, [290, 70, 100, 50]) > 0 && await inked(page, [290, 240, 100, 50]) > 0);
    const undoTwice = () => page.evaluate(() => [window.tamsel.lesson.undo(), window.tamsel.lesson.undo(),
        window.tamsel.lesson.undo()]);
    assert.deepEqual(await undoTwice(), [true, true, false], 'a step a finger');
    await cdp.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: 50, y: 300, pointerType: 'pen', buttons: 0 });
    await fingers(cdp, [300, 80]);
    assert.equal(await inked(page, [290, 70, 100, 50]), 0, 'no ink from the palm');
    await page.close();
});

test('undo and redo a step at a time, through strokes, 消去 and the keys', async () => {
    const { page, cdp } = await inkPage();
    await penStroke(cdp, 60, 60, 0.5);
    await penStroke(cdp, 60, 200, 0.5);
    const key = async (...k) => {
        for (const m of k.slice(0, -1))
            await page.keyboard.down(m);
        await page.keyboard.press(k.at(-1));
        for (const m of k.slice(0, -1))
            await page.keyboard.up(m);
    };
    const shown = async () => [await inked(page, [50, 50, 130, 70]) > 0, await inked(page, [50, 190, 130, 70]) > 0];
    await page.click('#clear1');
    assert.deepEqual(await shown(), [false, false], '消去');
    await key('Control', 'z');
    assert.deepEqual(await shown(), [true, true], 'the clear undone');
    await key('Control', 'z');
    assert.deepEqual(await shown(), [true, false]);
    await key('Control', 'y');
    assert.deepEqual(await shown(), [true, true]);
    await key('Control', 'z');
    await key('Control', 'z');
    await key('Control', 'Shift', 'Z');
    assert.deepEqual(await shown(), [true, false]);
    await page.close();
});

test('the ink\'s pixels are the desktop\'s: a board drawn here, exported there', async () => {
    const { page, cdp } = await inkPage();
    await penStroke(cdp, 60, 60, 0.9);
    await fingers(cdp, [300, 100], [250, 250]);
    const { bytes, inner } = await page.evaluate(() => {
        const { core, lesson, pages } = window.tamsel;
        return { bytes: Array.from(core.saveBoard(lesson)), inner: pages[0].layout.inner };
    });
    const home = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-home-'));
    fs.mkdirSync(path.join(home, 'Tamsel/Tamsel'), { recursive: true });
    fs.writeFileSync(path.join(home, 'Tamsel/Tamsel/board.ink'), Buffer.from(bytes));
    const png = path.join(home, 'page.png');
    await promisify(execFile)(desktop, ['--export', png, '--size', `${inner[2]}x${inner[3]}`, '--ink'],
        { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', XDG_DATA_HOME: home } });
    const reference = `data:image/png;base64,${fs.readFileSync(png).toString('base64')}`;
    fs.rmSync(home, { recursive: true, force: true });
    // Where the ink covers the figure fully, both show the pen's colour exactly.
    const [covered, differing] = await page.evaluate(async (reference, [ix, iy, w, h]) => {
        const image = new Image();
        image.src = reference;
        await image.decode();
        const ctx = new OffscreenCanvas(w, h).getContext('2d');
        ctx.drawImage(image, 0, 0);
        const theirs = ctx.getImageData(0, 0, w, h).data;
        const overlay = document.querySelector('#page0 canvas.ink');
        const ours = overlay.getContext('2d').getImageData(ix, iy, w, h).data;
        let covered = 0, differing = 0;
        for (let i = 0; i < ours.length; i += 4) {
            if (ours[i + 3] !== 255)
                continue;
            ++covered;
            if (ours[i] !== theirs[i] || ours[i + 1] !== theirs[i + 1] || ours[i + 2] !== theirs[i + 2])
                ++differing;
        }
        return [covered, differing];
    }, reference, inner);
    assert.ok(covered > 200, `${covered} covered pixels`);
    assert.equal(differing, 0);
    await page.close();
});

test('at the design weight, white ink on page 2\'s pale yellow gets a rim that reads at 3:1', async () => {
    const { page } = await inkPage();
    const fill = [255, 255, 192];
    // The first spot 21 px square of the fill, in window coordinates.
    const [x, y] = await page.evaluate(async (fill) => {
        const { lesson, pages } = window.tamsel;
        lesson.showPage(2);
        await new Promise((resolve) => requestAnimationFrame(resolve));
        const figure = pages[2].figure, r = figure.getBoundingClientRect(), w = figure.width;
        const data = figure.getContext('2d').getImageData(0, 0, w, figure.height).data;
        const pale = (px, py) => [0, 1, 2].every((k) => data[4 * (py * w + px) + k] === fill[k]);
        for (let py = 10; py < figure.height - 10; ++py)
            for (let px = 10; px < w - 10; ++px) {
                let all = true;
                for (let d = -10; all && d <= 10; ++d)
                    all = pale(px + d, py - 10) && pale(px + d, py + 10) && pale(px - 10, py + d) && pale(px + 10, py + d);
                if (all && pale(px, py))
                    return [r.left + px * r.width / w, r.top + py * r.height / figure.height];
            }
        return [0, 0];
    }, fill);
    assert.ok(x > 0, 'no patch of the fill');
    await page.mouse.move(x - 8, y);
    await page.mouse.down();
    await page.mouse.move(x + 8, y, { steps: 4 });
    await page.mouse.up();
    const best = await page.evaluate(async (x, y, fill) => {
        await new Promise((resolve) => requestAnimationFrame(resolve));
        const overlay = window.tamsel.pages[2].overlay, r = overlay.getBoundingClientRect();
        const d = overlay.getContext('2d').getImageData(Math.round(x - r.left), Math.round(y - r.top) - 8, 1, 17).data;
        const linear = (c) => (c / 255 <= 0.03928 ? c / 255 / 12.92 : ((c / 255 + 0.055) / 1.055) ** 2.4);
        const luminance = (c) => 0.2126 * linear(c[0]) + 0.7152 * linear(c[1]) + 0.0722 * linear(c[2]);
        let best = 1;
        for (let i = 0; i < d.length; i += 4) {
            const shown = [0, 1, 2].map((k) => d[i + k] * d[i + 3] / 255 + fill[k] * (1 - d[i + 3] / 255));
            const [a, b] = [luminance(shown), luminance(fill)];
            best = Math.max(best, (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05));
        }
        return best;
    }, x, y, fill);
    assert.ok(best >= 3, `best contrast ${best}`);
    await page.close();
});
