// Keeping the board: the browser's storage, downloads, paper, and the lesson
// offline once the page has been opened.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { DESIGN, open, settle, useSite } from './harness.mjs';

const web = useSite();

const points = (page) => page.evaluate(() => {
    const { ink, lesson } = window.tamsel;
    return Array.from({ length: lesson.pageCount() }, (_, p) => ink.pointCount(p));
});

async function draw(page, x, y) {
    await page.mouse.move(x, y);
    await page.mouse.down();
    for (let i = 1; i <= 10; ++i)
        await page.mouse.move(x + 6 * i, y + 2 * i);
    await page.mouse.up();
}

async function restore(page) {
    await page.$eval('#notice', (n) => { n.hidden = true; });
    await page.keyboard.down('Shift');
    await page.keyboard.press('F10');
    await page.keyboard.up('Shift');
    await page.keyboard.press('r');
    await page.waitForFunction(() => !document.getElementById('notice').hidden ||
        window.tamsel.ink.pointCount(0) + window.tamsel.ink.pointCount(2) > 0);
    return page.$eval('#notice', (n) => (n.hidden ? '' : n.textContent));
}

test('the board is kept within 2 s and as the page goes; 前回の書き込みを復元 brings it back, one step a page', async () => {
    const context = await web.browser.createBrowserContext();
    let page = await open(context, web.server.url);
    await draw(page, 100, 100);
    await page.evaluate(() => window.tamsel.lesson.showPage(2));
    await draw(page, 300, 150);
    const drawn = await points(page);
    await new Promise((resolve) => setTimeout(resolve, 2000));
    await page.reload();
    await page.waitForFunction(() => window.tamsel?.ready);
    assert.deepEqual(await points(page), [0, 0, 0, 0], 'a visit starts with a clean board');
    assert.equal(await restore(page), '');
    assert.deepEqual(await points(page), drawn);
    await page.evaluate(() => window.tamsel.lesson.undo());
    assert.equal((await points(page))[0], 0, 'the page\'s restore is one step');
    // Drawn and gone at once: the save as the page goes away keeps it.
    await draw(page, 200, 300);
    const last = await points(page);
    await page.goto('about:blank');
    page = await open(context, web.server.url);
    await restore(page);
    assert.deepEqual(await points(page), last);
    await context.close();
});

test('a stored board that is damaged or foreign is refused with one line', async () => {
    const context = await web.browser.createBrowserContext();
    const page = await open(context, web.server.url);
    const store = (value) => page.evaluate((value) => new Promise((resolve) => {
        const request = indexedDB.open('tamsel', 1);
        request.onsuccess = () => {
            const t = request.result.transaction('board', 'readwrite');
            t.objectStore('board').put(value === null ? undefined : new Uint8Array(value), 'current');
            t.oncomplete = resolve;
        };
    }), value);
    await store(Array.from('PK\u0003\u0004 not a board', (c) => c.charCodeAt(0)));
    assert.equal(await restore(page), '前回の書き込みのファイルではありません（別の形式のファイルです）。');
    await draw(page, 100, 100);
    const bytes = await page.evaluate(() => Array.from(window.tamsel.core.saveBoard(window.tamsel.lesson)));
    await page.evaluate(() => window.tamsel.lesson.clearInk());
    bytes[bytes.length - 20] ^= 0xff;
    await store(bytes);
    assert.equal(await restore(page), '前回の書き込みのファイルが壊れているため、復元できません。');
    assert.deepEqual(await points(page), [0, 0, 0, 0]);
    await context.close();
});

test('画像として保存 downloads the page with its ink as a PNG named after it', async () => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-download-'));
    const page = await open(web.browser, web.server.url);
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await draw(page, 100, 100);
    await page.keyboard.down('Control');
    await page.keyboard.press('s');
    await page.keyboard.up('Control');
    const saved = () => fs.readdirSync(folder).find((f) => f.endsWith('.png'));
    for (let i = 0; i < 200 && !saved(); ++i)
        await new Promise((resolve) => setTimeout(resolve, 100));
    const file = saved();
    assert.match(file, /^正多角形_\d{4}-\d\d-\d\d_\d{4}\.png$/);
    const png = fs.readFileSync(path.join(folder, file));
    assert.equal(png.subarray(1, 4).toString(), 'PNG');
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [526, 370], 'the figure area');
    fs.rmSync(folder, { recursive: true, force: true });
    await page.close();
});

test('paper: A4 landscape, and the cut-out circle 12 cm across', async () => {
    const page = await web.browser.newPage();
    await page.setViewport(DESIGN);
    // A headless browser has no print dialog: the page's own print asks nothing.
    await page.evaluateOnNewDocument(() => { window.print = () => {}; });
    await page.goto(web.server.url);
    await page.waitForFunction(() => window.tamsel?.ready);
    await page.evaluate(() => window.tamsel.lesson.setValue(2, 8));
    await page.mouse.click(200, 150, { button: 'right' });
    await page.keyboard.press('k');
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-pdf-'));
    fs.writeFileSync(path.join(folder, 'cut.pdf'), await page.pdf({ preferCSSPageSize: true }));
    const info = execFileSync('pdfinfo', [path.join(folder, 'cut.pdf')]).toString();
    assert.match(info, /Page size:\s+841\.\d+ x 59[45]\.\d+ pts \(A4\)/);
    // At 100 dots an inch the circle's widest unbroken run of coloured dots (text
    // has gaps between its letters) spans 12 cm, give or take its outline
    // (three quarter-millimetre pixels) and a dot of smoothing each side.
    execFileSync('pdftoppm', ['-r', '100', '-gray', '-singlefile', path.join(folder, 'cut.pdf'), path.join(folder, 'cut')]);
    const pgm = fs.readFileSync(path.join(folder, 'cut.pgm'));
    const [, w, h] = pgm.toString('latin1', 0, 20).match(/P5\s+(\d+)\s+(\d+)\s+255\s/).map(Number);
    const pixels = pgm.subarray(pgm.length - w * h);
    let widest = 0;
    for (let y = 0; y < h; ++y) {
        for (let x = 0, run = 0; x < w; ++x) {
            run = pixels[y * w + x] < 252 ? run + 1 : 0;
            widest = Math.max(widest, run);
        }
    }
    const cm = widest / 100 * 2.54;
    assert.ok(Math.abs(cm - 12) <= 0.15, `${cm.toFixed(2)} cm across`);
    fs.rmSync(folder, { recursive: true, force: true });
    await page.close();
});

test('once opened, the lesson loads from the service worker\'s cache with the server stopped', async () => {
    const context = await web.browser.createBrowserContext();
    const page = await open(context, web.server.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await web.server.close();
    web.server = null;
    await page.reload();
    await page.waitForFunction(() => window.tamsel?.ready);
    await settle(page);
    const shown = await page.evaluate(async () => ({
        caption: document.querySelector('[role=tab]').textContent,
        board: Array.from(document.querySelector('#page0 .picture canvas').getContext('2d').getImageData(0, 0, 1, 1).data),
        font: (await document.fonts.load('16px "Tamsel Gothic"')).length,
    }));
    assert.deepEqual(shown, { caption: '正多角形', board: [0, 128, 0, 255], font: 1 });
    await context.close();
});
