// The command table by touch alone, and the toolbar's sizes for the back row and fingers.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { DESIGN, open, settle, useSite } from './harness.mjs';

const web = useSite();
const FULL_HD = { width: 1920, height: 1080 };

// The lesson in the page and a second one the test drives through the core
// alone, with the same steps before each command so that each changes something.
function setUp() {
    const { core, lesson, ink, pages } = window.tamsel;
    const reference = new core.Lesson();
    const inkOf = (l) => (l === lesson ? ink : probe.referenceInk);
    const shown = (l) => {
        let s = `page ${l.page()} step ${l.step()} lines ${l.formulaLines()} running ${l.running()} weight ${l.weight()}`
            + ` shared ${l.sharedPen()} erasing ${l.erasing()} cm ${l.realLengths()}/${l.radiusCm()} grid ${l.gridShown()}`
            + ` squares ${l.squaresShown()} toolbar ${l.toolbarShown(true)} undo ${l.canUndo()} redo ${l.canRedo()}`
            + ` quarter ${l.quarterCount()} diameter ${l.diameterFormula()}`
            + ` layout ${core.sectorLayout(l)} hand ${core.handMode(l)} ${JSON.stringify(core.arrangement(l))} |`;
        for (let p = 0; p < l.pageCount(); ++p)
            s += ` ${p}:${l.value(p)} ${l.aidsShown(p)} ${l.pen(p)} ink ${inkOf(l).pointCount(p)}`
                + ` shown ${l.shown(p)} figure ${l.choice(p)}/${l.second(p)} step ${l.stepOf(p)} counted ${l.paperStep(p)}`;
        return s;
    };
    const run = (l, id) => core.runCommand(l, id, 1);
    const prepare = (l, row) => {
        const { id } = row;
        l.setErasing(false);
        if (id === 'weight.1' || id === 'weight.lighter')
            run(l, 'weight.2');
        else if (row.family === 'weight' || id === 'weight.heavier')
            run(l, 'weight.1');
        else if (row.family === 'pen')
            run(l, `pen.${(row.argument + 1) % 6 + 1}`);
        else if (row.family === 'radius') {
            run(l, row.argument === 5 ? 'radius.10' : 'radius.5');
            l.setRealLengths(false);
        } else if (id === 'value.down' || id === 'value.up')
            l.setValue(l.page(), l.row(l.page()).min + 1);
        else if (id === 'ink.undo' || id === 'ink.redo' || id === 'ink.clear') {
            const p = l.page(), { overlay, inner } = pages[p].layout;
            inkOf(l).place(p, overlay[2], overlay[3], 1, inner[2], inner[3], inner[0], inner[1]);
            inkOf(l).begin(p, 1, 1, 10, 10, 1);
            inkOf(l).extend(p, 1, 1, 60, 60, 1);
            inkOf(l).end(p, 1, 1);
            if (id === 'ink.redo')
                run(l, 'ink.undo');
        } else if (row.family === 'page.shown') {
            for (let p = 0; p < l.pageCount(); ++p)
                l.setShown(p, true);
        } else if (row.family === 'sectors.layout')
            run(l, row.argument === 0 ? 'sectors.layout.rectangle' : 'sectors.layout.parallelogram');
        else if (id === 'sectors.putBack') {
            // The first sector taken from halfway along its middle and let go beside the circle.
            const [cx, cy, r, degrees] = core.sectorsCircle(600, 300, l.value(l.page()));
            const axis = (360 - degrees / 2) * Math.PI / 180;
            const [x, y] = [cx + Math.cos(axis) * r / 2, cy - Math.sin(axis) * r / 2];
            core.grabSector(l, 1, 1, x, y, 600, 300);
            core.moveSector(l, 1, 1, x + 2 * r, y, 600, 300);
            core.dropSector(l, 1, 1);
        } else if (id === 'lesson.back' || id === 'sectors.back' || id === 'sectors.home')
            run(l, l.page() === l.animatedPage() ? 'sectors.next' : 'count.next');
        else if (id === 'formula.next' || id === 'formula.back') {
            if (!l.aidsShown(l.page()))
                run(l, 'aids');
            l.stepSectors(l.sectors());
            if (id === 'formula.back')
                run(l, 'formula.next');
        } else if (id === 'count.next' || id === 'count.back') {
            if (!l.gridShown())
                run(l, 'grid');
            if (!l.aidsShown(l.page()))
                run(l, 'aids');
            l.stepSectors(l.page() === l.animatedPage() ? l.sectors() : 0);
            if (id === 'count.back')
                run(l, 'count.next');
        }
    };
    window.probe = { reference, referenceInk: new core.Ink(reference), shown, run, prepare, rows: core.commands() };
    // Paper and files would leave the page: here they only count.
    window.asked = 0;
    window.print = () => { ++window.asked; };
    HTMLAnchorElement.prototype.click = () => { ++window.asked; };
}

async function tap(page, selector) {
    const box = await (await page.waitForSelector(selector, { visible: true })).boundingBox();
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    await settle(page);
}

test('every command of the table, on each page that has it, by touch alone', async () => {
    const page = await open(web.browser, web.server.url, { ...FULL_HD, hasTouch: true });
    await page.evaluate(setUp);
    const rows = await page.evaluate(() => probe.rows.map(({ id, opens, core }) => ({ id, opens, core })));
    let performed = 0;
    for (let p = 0; p < 4; ++p)
        for (const row of rows.filter((r) => !r.opens)) {
            const how = await page.evaluate((p, id) => {
                const { lesson } = window.tamsel;
                const r = probe.rows.find((c) => c.id === id);
                lesson.showPage(p);
                probe.reference.showPage(p);
                const item = document.querySelector(`#menu [data-command="${id}"]`);
                const button = document.querySelector(`#toolbar [data-command="${id}"]`);
                if (!button && !item)
                    return null;
                if (!window.tamsel.core.commandStates(lesson, 1)[probe.rows.indexOf(r)].available)
                    return null;
                probe.prepare(lesson, r);
                probe.prepare(probe.reference, r);
                window.before = probe.shown(lesson);
                window.asked = 0;
                const notice = document.getElementById('notice');
                [notice.hidden, notice.textContent] = [true, ''];
                return { button: button && !button.hidden, parent: item?.parentElement.closest('.item')?.dataset.command,
                    enter: id === 'window.leaveFullScreen' };
            }, p, row.id);
            if (!how)
                continue;
            await settle(page);
            if (how.enter) {
                await tap(page, '#toolbar [data-command="window.fullScreen"]');
                await page.waitForFunction(() => document.fullscreenElement);
            }
            if (how.button) {
                await tap(page, `#toolbar [data-command="${row.id}"]`);
            } else {
                await tap(page, '#toolbar [data-command="menu.open"]');
                if (how.parent)
                    await tap(page, `#menu [data-command="${how.parent}"]`);
                await tap(page, `#menu [data-command="${row.id}"]`);
            }
            ++performed;
            // An image is made before it is offered: the page may take a moment.
            if (row.id.startsWith('file.'))
                await page.waitForFunction(() => window.asked > 0, { timeout: 5000 }).catch(() => {});
            if (row.id.startsWith('class.'))
                await page.waitForFunction(() => document.getElementById('classDialog').open, { timeout: 5000 }).catch(() => {});
            if (row.id === 'board.restore')
                await page.waitForFunction(() => document.getElementById('boards') || !document.getElementById('notice').hidden,
                    { timeout: 5000 }).catch(() => {});
            const after = await page.evaluate((id, isCore) => {
                const { lesson } = window.tamsel;
                if (isCore)
                    probe.run(probe.reference, id);
                const seen = { same: probe.shown(lesson) === probe.shown(probe.reference) || [probe.shown(lesson), probe.shown(probe.reference)], changed: probe.shown(lesson) !== window.before,
                    help: !document.getElementById('help').hidden, menu: !document.getElementById('menu').hidden,
                    asked: window.asked, full: Boolean(document.fullscreenElement),
                    told: Boolean(document.getElementById('boards')) || !document.getElementById('notice').hidden,
                    dialog: document.getElementById('classDialog').open };
                document.getElementById('classDialog').close();
                // The toolbar put away, or a page hidden, comes back for the next command.
                if (id === 'window.toolbar' || id.startsWith('page.shown.')) {
                    probe.run(lesson, id);
                    probe.run(probe.reference, id);
                }
                return seen;
            }, row.id, row.core);
            const effect = {
                help: after.help, 'menu.open': after.menu, 'window.fullScreen': after.full,
                'window.leaveFullScreen': !after.full, 'board.restore': after.told,
                'class.share': after.dialog, 'class.join': after.dialog,
                'file.saveImage': after.asked === 1, 'file.print': after.asked === 1, 'file.printCutOut': after.asked === 1,
            }[row.id] ?? (after.same === true && after.changed);
            assert.ok(effect, `${row.id} on page ${p}: ${JSON.stringify(after)}`);
            await page.evaluate(() => {
                document.getElementById('help').hidden = true;
                document.getElementById('menu').hidden = true;
                document.getElementById('boards')?.remove();
                if (document.fullscreenElement)
                    document.exitFullscreen();
                window.tamsel.lesson.pause();
                probe.reference.pause();
            });
        }
    assert.ok(performed > rows.length, `${performed} commands performed`);
    await page.evaluate(() => localStorage.clear());
    await page.close();
});

// The rows a screenshot inks with the buttons' labels: the same screenshot with
// the labels hidden tells them from the icons.
async function measured(page) {
    const shot = async () => `data:image/png;base64,${await page.screenshot({ encoding: 'base64' })}`;
    const withLabels = await shot();
    await page.evaluate(() => document.querySelectorAll('#toolbar .tool span').forEach((s) => { s.style.visibility = 'hidden'; }));
    const without = await shot();
    await page.evaluate(() => document.querySelectorAll('#toolbar .tool span').forEach((s) => { s.style.visibility = ''; }));
    return page.evaluate(async (a, b) => {
        const read = async (url) => {
            const img = new Image();
            img.src = url;
            await img.decode();
            const c = document.createElement('canvas');
            [c.width, c.height] = [img.width, img.height];
            c.getContext('2d').drawImage(img, 0, 0);
            return c.getContext('2d').getImageData(0, 0, c.width, c.height);
        };
        const [withL, withoutL] = [await read(a), await read(b)];
        const gray = (d, x, y) => { const i = (y * d.width + x) * 4; return (d.data[i] + d.data[i + 1] + d.data[i + 2]) / 3; };
        // Half-covered ink on the button's near-white face.
        const HALF_INK = 124;
        return [...document.querySelectorAll('#toolbar .tool:not([hidden])')].filter((b) => !b.disabled).map((b) => {
            const r = b.getBoundingClientRect();
            let first = Infinity, last = -1;
            for (let y = Math.round(r.top); y < Math.round(r.bottom); ++y)
                for (let x = Math.round(r.left); x < Math.round(r.right); ++x)
                    if (gray(withL, x, y) < HALF_INK && gray(withoutL, x, y) >= HALF_INK) {
                        first = Math.min(first, y);
                        last = Math.max(last, y);
                    }
            return { label: b.textContent, width: r.width, height: r.height, letters: last - first + 1 };
        });
    }, withLabels, without);
}

test('at 1920 × 1080 every button is 64 px across and its letters 40 px high, off the figure', async () => {
    const page = await open(web.browser, web.server.url, FULL_HD);
    await page.evaluate(() => { document.getElementById('notice').hidden = true; });
    for (const p of [0, 2]) {
        await page.evaluate((p) => window.tamsel.lesson.showPage(p), p);
        await settle(page);
        for (const b of await measured(page)) {
            assert.ok(b.width >= 64 && b.height >= 64, JSON.stringify(b));
            if (b.label !== 'cm')
                assert.ok(b.letters >= 40, JSON.stringify(b));
        }
    }
    const apart = await page.evaluate(() => {
        const bar = document.getElementById('toolbar').getBoundingClientRect();
        const pic = document.querySelector('#page2 .picture').getBoundingClientRect();
        return bar.left >= pic.right || bar.top >= pic.bottom;
    });
    assert.ok(apart, 'the toolbar beside the figure');
    await page.close();
});

test('on a phone and an iPad in split view nothing is cut or overlaps, and a finger hits everything', async () => {
    for (const viewport of [{ width: 390, height: 844 }, { width: 678, height: 820 }, { width: 320, height: 694 }]) {
        const page = await open(web.browser, web.server.url, { ...viewport, hasTouch: true });
        for (const p of [0, 2]) {
            await page.evaluate((p) => window.tamsel.lesson.showPage(p), p);
            await settle(page);
            const problems = await page.evaluate(() => {
                const out = [];
                const targets = [...document.querySelectorAll('#toolbar .tool:not([hidden]), [role="tab"]:not([hidden]), button.clear, #swatch, [role="tabpanel"]:not([hidden]) button')];
                const rects = targets.map((t) => [t, t.getBoundingClientRect()]);
                for (const [t, r] of rects) {
                    if (r.width < 44 || r.height < 44)
                        out.push(`${t.textContent || t.id}: ${r.width}×${r.height}`);
                    if (r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight)
                        out.push(`${t.textContent}: off the screen`);
                    if (t.scrollWidth > t.clientWidth + 1)
                        out.push(`${t.textContent}: cut`);
                }
                for (const [a, ra] of rects)
                    for (const [b, rb] of rects)
                        if (a !== b && !a.contains(b) && !b.contains(a) && ra.left < rb.right - 1 && rb.left < ra.right - 1
                            && ra.top < rb.bottom - 1 && rb.top < ra.bottom - 1)
                            out.push(`${a.textContent} over ${b.textContent}`);
                return out;
            });
            assert.deepEqual(problems, [], `${viewport.width}×${viewport.height}, page ${p}`);
        }
        await page.close();
    }
});

test('at the design size the toolbar stays away and the window keeps its design', async () => {
    const page = await open(web.browser, web.server.url, DESIGN);
    // As at a first visit: no toolbar chosen by an earlier test.
    await page.evaluate(() => localStorage.clear());
    await page.reload();
    await page.waitForFunction(() => window.tamsel?.ready);
    const seen = await page.evaluate(() => ({ bar: document.getElementById('toolbar').hidden,
        tabs: ['left', 'top', 'width', 'height'].map((k) => document.getElementById('tabs').style[k]) }));
    assert.deepEqual(seen, { bar: true, tabs: ['5px', '5px', '538px', '429px'] });
    await page.close();
});

test('with the eraser taken up, a finger erases what it crosses, as one step', async () => {
    const page = await open(web.browser, web.server.url, { width: 1280, height: 800, hasTouch: true });
    await page.evaluate(() => { window.tamsel.lesson.showPage(3); document.getElementById('notice').hidden = true; });
    await settle(page);
    const swipe = async (points) => {
        await page.touchscreen.touchStart(...points[0]);
        for (const p of points.slice(1))
            await page.touchscreen.touchMove(...p);
        await page.touchscreen.touchEnd();
        await settle(page);
    };
    const points = () => page.evaluate(() => window.tamsel.ink.pointCount(3));
    await swipe([[200, 300], [260, 300], [320, 300], [380, 300]]);
    const drawn = await points();
    await tap(page, '#toolbar [data-command="ink.eraser"]');
    await swipe([[300, 250], [300, 280], [300, 310], [300, 340]]);
    assert.deepEqual([drawn > 0, await points()], [true, 0], 'the crossing finger took the stroke');
    await tap(page, '#toolbar [data-command="ink.undo"]');
    assert.equal(await points(), drawn, 'one undo brings it back');
    await page.close();
});
