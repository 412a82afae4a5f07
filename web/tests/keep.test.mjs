// Keeping the board: the browser's storage, downloads, paper, and the lesson
// offline once the page has been opened.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { DESIGN, open, serve, settle, site, useSite } from './harness.mjs';

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

// 前回の書き込みを復元: the kept boards offered, each its time and how many
// thumbnails, or the line said when there are none.
async function choices(page) {
    await page.$eval('#notice', (n) => { n.hidden = true; });
    await page.keyboard.down('Shift');
    await page.keyboard.press('F10');
    await page.keyboard.up('Shift');
    await page.keyboard.press('r');
    await page.waitForFunction(() => document.getElementById('boards') || !document.getElementById('notice').hidden);
    return page.evaluate(() => {
        const boards = document.getElementById('boards');
        return boards ? [...boards.querySelectorAll('li button')].map((b) => [b.textContent, b.querySelectorAll('img').length])
            : document.getElementById('notice').textContent;
    });
}

// Brings back the board at this place in the list (the newest first), and says the line it gave.
async function restore(page, at = 0) {
    const offered = await choices(page);
    if (typeof offered === 'string')
        return offered;
    await page.$eval('#notice', (n) => { n.hidden = true; });
    await page.evaluate((at) => document.querySelectorAll('#boards li button')[at].click(), at);
    await page.waitForFunction(() => !document.getElementById('notice').hidden ||
        window.tamsel.ink.pointCount(0) + window.tamsel.ink.pointCount(2) > 0);
    return page.$eval('#notice', (n) => (n.hidden ? '' : n.textContent));
}

const reopen = async (page) => {
    await page.reload();
    await page.waitForFunction(() => window.tamsel?.ready);
};

test('the board is kept within 2 s and as the page goes; 前回の書き込みを復元 brings it back, one step a page', async () => {
    const context = await web.browser.createBrowserContext();
    let page = await open(context, web.server.url);
    await draw(page, 100, 100);
    await page.evaluate(() => window.tamsel.lesson.showPage(2));
    await draw(page, 300, 150);
    const drawn = await points(page);
    await new Promise((resolve) => setTimeout(resolve, 2000));
    await reopen(page);
    assert.deepEqual(await points(page), [0, 0, 0, 0, 0], 'a visit starts with a clean board');
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

// Puts records into the page's store; {u8: […]} and {zeros: n} stand for Uint8Arrays.
const put = (page, records) => page.evaluate((records) => new Promise((resolve) => {
    const revive = (v) => (v?.u8 ? new Uint8Array(v.u8) : v?.zeros ? new Uint8Array(v.zeros)
        : Array.isArray(v) ? v.map(revive) : v?.constructor === Object
            ? Object.fromEntries(Object.entries(v).map(([k, x]) => [k, revive(x)])) : v);
    indexedDB.open('tamsel', 1).onsuccess = (e) => {
        const t = e.target.result.transaction('board', 'readwrite');
        for (const [key, value] of Object.entries(records))
            t.objectStore('board').put(revive(value), key);
        t.oncomplete = resolve;
    };
}), records);

const storedKeys = (page) => page.evaluate(() => new Promise((resolve) => {
    indexedDB.open('tamsel', 1).onsuccess = (e) => {
        e.target.result.transaction('board').objectStore('board').getAllKeys().onsuccess = (k) => resolve(k.target.result);
    };
}));

test('a stray touch after a reload never costs the lesson: the bar offers the last board, the list every kept one', async () => {
    const context = await web.browser.createBrowserContext();
    const page = await open(context, web.server.url);
    await draw(page, 100, 100);
    await draw(page, 100, 200);
    const lesson = await points(page);
    await page.waitForFunction(() => window.tamsel.saves() > 0);
    await reopen(page);
    await page.waitForSelector('#restoreBar', { timeout: 5000 });
    const [text, ...heights] = await page.$eval('#restoreBar', (b) =>
        [b.textContent, ...[...b.querySelectorAll('button')].map((button) => button.offsetHeight)]);
    assert.equal(text, '前回の書き込みがあります：復元／閉じる');
    // A fingertip's 44 CSS pixels, as touch guidelines ask.
    assert.ok(heights.length === 2 && heights.every((h) => h >= 44), `buttons ${heights} px high`);
    await page.click('#restoreBar button:last-of-type');
    await page.mouse.click(300, 250);
    await page.waitForFunction(() => window.tamsel.saves() > 0);
    await reopen(page);
    const offered = await choices(page);
    assert.equal(offered.length, 2, 'the stray\'s board and the lesson\'s');
    for (const [when, thumbnails] of offered) {
        assert.match(when, /^\d+月\d+日/);
        assert.equal(thumbnails, 1, 'one page drawn on');
    }
    await page.keyboard.press('Escape');
    assert.equal(await restore(page, 1), '');
    assert.deepEqual(await points(page), lesson);
    await context.close();
});

test('stored boards that are damaged, foreign or of a newer version are skipped with one line, the rest offered', async () => {
    const context = await web.browser.createBrowserContext();
    const page = await open(context, web.server.url);
    await put(page, { current: { u8: Array.from('PK\u0003\u0004 not a board', (c) => c.charCodeAt(0)) } });
    assert.equal(await restore(page), '前回の書き込みのファイルではありません（別の形式のファイルです）。');
    await draw(page, 100, 100);
    const bytes = await page.evaluate(() => Array.from(window.tamsel.core.saveBoard(window.tamsel.lesson)));
    await page.evaluate(() => window.tamsel.lesson.clearInk());
    bytes[bytes.length - 20] ^= 0xff;
    await put(page, { current: { u8: bytes } });
    assert.equal(await restore(page), '前回の書き込みのファイルが壊れているため、復元できません。');
    assert.deepEqual(await points(page), [0, 0, 0, 0, 0]);
    // Bad records are left as they are; a board saved before kept boards is still offered.
    bytes[bytes.length - 20] ^= 0xff;
    const record = (id, fields) => ({ format: 1, id, savedAt: 1, bytes: 10, hasInk: true, thumbnails: [], ...fields });
    const bad = {
        'meta/newer': record('newer', { format: 2 }),
        'meta/text': 'not a record',
        'meta/huge': record('huge', { bytes: 2 ** 40 }),
        'meta/images': record('images', { thumbnails: [{ zeros: 2 ** 20 }] }),
        'meta/other': record('someone'),
    };
    await put(page, { ...bad, current: { u8: bytes } });
    assert.deepEqual(await choices(page), [['以前の版で保存（日時不明）', 0]]);
    assert.equal(await page.$eval('#boards p', (p) => p.textContent), '新しい版の Tamsel で保存された書き込みが 1 件あり、' +
        'この版では開けません。読めない書き込みの記録が 4 件あり、飛ばしました。');
    await page.keyboard.press('Escape');
    assert.equal(await restore(page), '');
    assert.equal((await points(page))[0], 11, 'the stroke of 11 points');
    const left = await storedKeys(page);
    assert.ok(Object.keys(bad).every((key) => left.includes(key)), `${left}`);
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
    await page.keyboard.press('s'); // 保存と印刷(S)
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

// Another build of the page: these of its files name `name` as their build.
function otherBuild(name, files = ['index.html', 'tamsel.css', 'tamsel.js', 'sw.js', 'tamsel-core.wasm']) {
    const to = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-build-'));
    fs.cpSync(site, to, { recursive: true, filter: (file) => !/\.(br|gz)$/.test(file) });
    const build = fs.readFileSync(path.join(site, 'sw.js'), 'latin1').match(/BUILD = '(\w+)'/)[1];
    for (const file of files)
        fs.writeFileSync(path.join(to, file), fs.readFileSync(path.join(to, file), 'latin1').replaceAll(build, name), 'latin1');
    return to;
}

const YEAR_S = 365 * 24 * 3600;

test('an update takes every file of its build past the browser\'s cache before it takes over', async () => {
    const name = '0123456789abcdef';
    const newer = otherBuild(name);
    const server = await serve(site, {}, { headers: { 'Cache-Control': `max-age=${YEAR_S}` } });
    const context = await web.browser.createBrowserContext();
    let page = await open(context, server.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.setRoot(newer);
    await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    await page.waitForFunction(async (name) => !(await navigator.serviceWorker.getRegistration()).installing &&
        (await caches.keys()).some((key) => key.includes(name)), {}, name);
    const cached = await page.evaluate(async (name) => {
        const cache = await caches.open((await caches.keys()).find((key) => key.includes(name)));
        return Promise.all(['./', './tamsel.css', './tamsel.js'].map(async (file) => (await cache.match(file)).text()));
    }, name);
    assert.deepEqual(cached, ['index.html', 'tamsel.css', 'tamsel.js'].map((f) => fs.readFileSync(path.join(newer, f), 'utf8')));
    await page.close();
    page = await open(context, server.url);
    assert.deepEqual(await page.evaluate(() => [window.tamsel.core.build(),
        getComputedStyle(document.documentElement).getPropertyValue('--tamsel-build')]), [name, `"${name}"`]);
    await context.close();
    await server.close();
    fs.rmSync(newer, { recursive: true, force: true });
});

test('a page whose style is of another build does not run: it reloads once, then says so', async () => {
    const mixed = otherBuild('fedcba9876543210', ['tamsel.css']);
    const server = await serve(mixed);
    const page = await web.browser.newPage();
    const loads = [];
    page.on('load', () => loads.push(page.url()));
    await page.goto(server.url);
    await page.waitForSelector('#failed:not([hidden])');
    const shown = await page.evaluate(() => ({ window: document.getElementById('window').hidden,
        mixed: document.querySelector('#failed .mixed').hidden, ready: Boolean(window.tamsel?.ready) }));
    assert.deepEqual(shown, { window: true, mixed: false, ready: false });
    assert.equal(loads.length, 2, 'one reload for the matching set');
    await page.close();
    await server.close();
    fs.rmSync(mixed, { recursive: true, force: true });
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
