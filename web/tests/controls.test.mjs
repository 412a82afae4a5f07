// Controls, keys and the page menu do what the desktop's do.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { DESIGN, open, serve, settle, site, useSite } from './harness.mjs';

const web = useSite();

const state = (page) => page.evaluate(() => {
    const { lesson } = window.tamsel;
    const p = lesson.page();
    return { page: p, value: lesson.value(p), label: document.querySelector(`#page${p} output`)?.textContent,
        step: lesson.step(), formula: lesson.formulaLines(), aids: lesson.aidsShown(p), weight: lesson.weight(),
        pen: lesson.pen(p), running: lesson.running(), menu: !document.getElementById('menu').hidden };
});

async function press(page, ...keys) {
    for (const k of keys) {
        const parts = k.split('+');
        for (const m of parts.slice(0, -1))
            await page.keyboard.down(m);
        await page.keyboard.press(parts.at(-1));
        for (const m of parts.slice(0, -1).reverse())
            await page.keyboard.up(m);
    }
    await settle(page);
}

async function nodes(page) {
    const flat = [];
    const walk = (n) => { flat.push(n); n.children?.forEach(walk); };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
    return flat;
}

test('controls are buttons, tabs and sliders with the desktop\'s names, in Tab order', async () => {
    const page = await open(web.browser, web.server.url);
    const flat = await nodes(page);
    const named = (role) => flat.filter((n) => n.role === role).map((n) => n.name);
    assert.deepEqual(named('tab'), ['正多角形', '円弧', '円→平行四辺形', '白紙']);
    assert.deepEqual(named('tablist'), ['ページ']);
    assert.deepEqual(named('image'), ['正多角形の図', '書き込み（正多角形）']);
    const slider = flat.find((n) => n.role === 'slider');
    assert.equal(slider.name, '辺の数');
    assert.equal(slider.description, '正多角形の辺の数: 3');
    const order = [];
    for (let i = 0; i < 5; ++i) {
        await page.keyboard.press('Tab');
        order.push(await page.evaluate(() => document.activeElement.getAttribute('aria-label') ?? document.activeElement.textContent));
    }
    assert.deepEqual(order, ['正多角形', '辺の数', '消去', '消去', 'ペンの色']);
    await press(page, 'Control+PageDown', 'Control+PageDown');
    const onSectors = (await nodes(page)).map((n) => `${n.role}:${n.name}`);
    for (const control of ['slider:扇形の数', 'button:開始', 'button:消去', 'button:ペンの色'])
        assert.ok(onSectors.includes(control), `${control} in ${onSectors}`);
    await page.close();
});

test('keys: the scroll bar, pages, aids, weight, pens and a presenter\'s clicker', async () => {
    const page = await open(web.browser, web.server.url);
    await page.focus('#page0 input');
    await press(page, 'ArrowRight', 'ArrowUp', 'PageDown');
    assert.equal((await state(page)).label, '6', 'three steps of one side each');
    await press(page, 'End');
    assert.equal((await state(page)).value, 64);
    await press(page, 'Home', 'F2', 'Control+=', 'Control+=', 'Control+=', '3');
    let s = await state(page);
    assert.deepEqual([s.value, s.aids, s.weight, s.pen], [3, true, 3, '#ff0000']);
    // With the squared paper and the aids the clicker counts the squares, and the slider stays.
    await press(page, 'g', 'PageDown', 'PageDown', 'PageUp');
    assert.deepEqual(await page.evaluate(() => [tamsel.lesson.paperStep(0), tamsel.lesson.value(0)]), [1, 3]);
    await press(page, 'g');
    await press(page, 'Control+-', '4');
    s = await state(page);
    assert.deepEqual([s.weight, s.pen], [2, '#0000ff']);
    await press(page, 'Control+0', 'Control+PageDown', 'Control+PageDown');
    s = await state(page);
    assert.deepEqual([s.page, s.weight, s.value, s.label], [2, 1, 4, '8'], 'the sectors page: 2 × 4 sectors');
    // Page Down moves a sector, whatever has the focus; with the aids and every
    // sector placed it writes the formula a line at a time.
    await page.focus('#page2 input');
    for (let i = 0; i < 8; ++i)
        await press(page, 'PageDown');
    assert.equal((await state(page)).step, 8);
    await press(page, 'F2', 'PageDown', 'PageDown', 'PageDown', 'PageUp');
    s = await state(page);
    assert.deepEqual([s.step, s.formula, s.value], [8, 2, 4]);
    await press(page, 'PageUp', 'PageUp', 'PageUp', 'Home');
    s = await state(page);
    assert.deepEqual([s.step, s.formula], [0, 0]);
    await page.close();
});

test('開始 moves one sector every 350 ms to the end, and a new value stops it', async () => {
    const page = await open(web.browser, web.server.url);
    await page.evaluate(() => {
        const { lesson } = window.tamsel;
        lesson.showPage(2);
        window.moves = [];
        lesson.listen(() => window.moves.push([performance.now(), lesson.step()]));
    });
    await page.click('#page2 button.start');
    await page.waitForFunction(() => !window.tamsel.lesson.running(), { timeout: 10000 });
    const moves = await page.evaluate(() => window.moves);
    const steps = moves.map(([, s]) => s).filter((s, i, all) => s !== all[i - 1]);
    assert.deepEqual(steps, [0, 1, 2, 3, 4, 5, 6, 7, 8]);
    const times = moves.filter(([, s], i) => i > 0 && s !== moves[i - 1][1]).map(([t]) => t);
    const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
    const median = gaps[gaps.length >> 1];
    assert.ok(Math.abs(median - 350) < 40, `median ${median} ms between sectors`);
    await page.click('#page2 button.start');
    await page.evaluate(() => window.tamsel.lesson.setValue(2, 5));
    const s = await state(page);
    assert.deepEqual([s.running, s.step], [false, 0]);
    await page.close();
});

test('the page menu opens by right click, Menu, Shift+F10 and a held touch, and sets what it shows', async () => {
    const page = await open(web.browser, web.server.url, { ...DESIGN, hasTouch: true });
    // High enough that the whole menu fits below the point.
    await page.mouse.click(200, 30, { button: 'right' });
    assert.ok((await state(page)).menu, 'right click');
    assert.deepEqual(await page.$eval('#menu', (m) => [m.offsetLeft, m.offsetTop]), [200, 30]);
    await press(page, 'Escape');
    await press(page, 'ContextMenu');
    assert.ok((await state(page)).menu, 'the Menu key');
    await press(page, 'Escape', 'Shift+F10', 'l', 'x');
    let s = await state(page);
    assert.deepEqual([s.menu, s.weight], [false, 3], 'Shift+F10, 線の太さ, 特大');
    await press(page, 'Shift+F10', 'p', 'ArrowDown', 'Enter');
    assert.equal((await state(page)).pen, '#ffff00', 'the second pen, 黄色');
    await press(page, 'Shift+F10', 'a');
    assert.ok((await state(page)).aids, '説明を表示');
    await press(page, 'Shift+F10');
    const marks = await page.$$eval('#menu [aria-checked="true"]', (items) => items.map((i) => i.textContent));
    assert.deepEqual(marks, ['特大(X)', '黄色(Y)2', '説明を表示(A)F2', '10 cm', '正多角形', '円弧', '円→平行四辺形', '白紙']);
    await press(page, 'Escape');

    const cdp = await page.createCDPSession();
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: 300, y: 200, id: 1 }] });
    await new Promise((resolve) => setTimeout(resolve, 800));
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    s = await state(page);
    assert.ok(s.menu, 'a touch held still');
    assert.equal(await page.evaluate(() => window.tamsel.ink.pointCount(0)), 0, 'and it left no dot');
    await page.close();
});

test('a practice figure from the menu shows its page; 次へ and Page Down reveal its working; the page can be hidden', async () => {
    const page = await open(web.browser, web.server.url);
    const practice = () => page.evaluate(() => {
        const { lesson } = window.tamsel;
        return [lesson.page(), lesson.choice(4), lesson.stepOf(4), !document.getElementById('tab4').hidden];
    });
    assert.deepEqual(await practice(), [0, 0, 0, false], 'hidden at first');
    await press(page, 'Shift+F10', 'e', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'Enter');
    assert.deepEqual(await practice(), [4, 6, 0, true], 'the seventh figure, the leaf, on its own tab');
    for (let i = 0; i < 3; ++i)
        await page.click('#page4 button.start');
    await press(page, 'PageDown');
    assert.deepEqual(await practice(), [4, 6, 3, true], 'three steps, and no further');
    await page.click('#page4 button.start');
    await press(page, 'PageDown');
    assert.deepEqual(await practice(), [4, 6, 1, true], 'after the answer the figure alone, then its cut');
    // A pointer left where the menu opens would take the focus from the keys.
    await page.mouse.move(0, 0);
    await press(page, 'Shift+F10', 't', 'ArrowUp', 'Enter');
    assert.deepEqual(await practice(), [0, 6, 1, false], 'hidden, the next page shown is the first');
    assert.equal(await page.evaluate(() => localStorage.getItem('tamsel/page-practice/shown')), 'false', 'kept like the weight');
    await page.close();
});

test('F1 shows the help; its closing key or click does nothing else; one pen for every page', async () => {
    const page = await open(web.browser, web.server.url);
    const helpShown = () => page.$eval('#help', (h) => !h.hidden);
    const before = await state(page);
    await press(page, 'F1');
    assert.ok(await helpShown());
    await press(page, 'F2');
    assert.deepEqual([await helpShown(), await state(page)], [false, before], 'F2 only closed it');
    await press(page, 'F1');
    await page.mouse.click(200, 150);
    assert.equal(await helpShown(), false);
    assert.equal(await page.evaluate(() => window.tamsel.ink.pointCount(0)), 0, 'the click left no dot');

    // Keys alone from here: a mouse left where the menu opens would take its focus.
    await page.mouse.move(1, 1);
    await press(page, 'Shift+F10', 'p', 'a', '2', 'Control+PageDown');
    assert.equal((await state(page)).pen, '#ffff00', 'the pen picked on page 0 is page 1\'s');
    assert.ok(await page.$eval('#swatch', (s) => s.classList.contains('shared') && s.title.includes('1〜6')));
    await page.close();
});

test('until the first picture nothing stands unplaced; a module the server refuses is explained on the page', async () => {
    const wasm = '/tamsel-core.wasm';
    const cases = [
        ['a module that comes late', { delay: (url) => (url === wasm ? 1000 : 0) }, false],
        ['a module refused, as by an IIS without its MIME type', { refuse: (url) => url === wasm }, true],
    ];
    for (const [name, options, fails] of cases) {
        const server = await serve(site, {}, options);
        const page = await web.browser.newPage();
        await page.setViewport(DESIGN);
        // At each frame before the first picture, how many of the window's buttons could be seen.
        await page.evaluateOnNewDocument(() => {
            window.seen = [];
            const look = () => {
                if (performance.getEntriesByName('tamsel-first-frame').length === 0) {
                    window.seen.push([...document.querySelectorAll('#window button')].filter((b) => b.checkVisibility()).length);
                    requestAnimationFrame(look);
                }
            };
            requestAnimationFrame(look);
        });
        await page.goto(server.url);
        await page.waitForFunction(() => window.tamsel?.ready || document.getElementById('failed')?.hidden !== true);
        const shown = await page.evaluate(() => ({ frames: window.seen.length, buttons: Math.max(0, ...window.seen),
            failed: document.getElementById('failed')?.hidden === false, text: document.getElementById('failed')?.innerText }));
        assert.ok(shown.frames > 0 && shown.buttons === 0, `${name}: ${shown.buttons} buttons in ${shown.frames} frames`);
        assert.equal(shown.failed, fails, name);
        if (fails)
            assert.match(shown.text, /教材を読み込めませんでした[^]*\.wasm → application\/wasm/);
        await page.close();
        await server.close();
    }
});

test('the first picture waits for one script and the module, each fetched once', async () => {
    const page = await open(web.browser, web.server.url);
    const fetched = await page.evaluate(() => {
        const drawn = performance.getEntriesByName('tamsel-first-frame')[0].startTime;
        return performance.getEntriesByType('resource').map((e) => [e.startTime, new URL(e.name).pathname])
            .filter(([start, file]) => start < drawn && /\.(js|wasm)$/.test(file)).map(([, file]) => file).sort();
    });
    assert.deepEqual(fetched, ['/tamsel-core.wasm', '/tamsel.js']);
    await page.close();
});
