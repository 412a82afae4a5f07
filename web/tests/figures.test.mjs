// The page draws what the desktop draws.
//
// The rule: both pictures are blurred 3 × 3 (anti-aliasing then spreads into
// neighbours on both sides alike), and no more than 15 % of the desktop
// picture's edge pixels (those its blur changes by more than 48 in a channel)
// may differ from the page's by more than 48. The desktop draws one-pixel lines
// and fills aliased, a canvas smooths them, and text is rasterised by two
// libraries: measured here, correct pictures differ on at most 3 % of edge
// pixels (10 % with the aids' outlined text), while the same picture moved by
// one pixel differs on 22 % or more.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, test } from 'node:test';
import { DESIGN, compareFigure, exportView, open, settle, useSite } from './harness.mjs';

const EDGE_SHARE = 0.15;
const refs = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-refs-'));
const web = useSite(new Proxy({}, { get: (_, name) => path.join(refs, name) }));
after(() => fs.rmSync(refs, { recursive: true, force: true }));
const pages = new Map();

// Shows a view on the page kept for its viewport; gives the page and the figure area's size.
async function show(view, viewport = DESIGN) {
    const key = `${viewport.width}x${viewport.height}`;
    if (!pages.has(key))
        pages.set(key, await open(web.browser, web.server.url, viewport));
    const page = pages.get(key);
    await page.bringToFront();
    const inner = await page.evaluate((v) => {
        const { lesson, pages } = window.tamsel;
        if (v.choice !== undefined) {
            lesson.setShown(v.page, true);
            lesson.setChoice(v.page, v.choice);
        }
        lesson.showPage(v.page);
        const row = lesson.row(v.page);
        if (row.min !== undefined)
            lesson.setValue(v.page, v.value ?? row.min);
        if (v.second !== undefined)
            lesson.setSecond(v.page, v.second);
        lesson.returnAllSectors();
        lesson.stepSectors(v.step ?? 0);
        lesson.setWeight(v.weight ?? 1);
        if (lesson.aidsShown(v.page) !== Boolean(v.aids))
            lesson.toggleAids();
        const { core } = window.tamsel, turn = (on, shown, id) => on !== shown && core.runCommand(lesson, id, 1);
        turn(Boolean(v.grid), lesson.gridShown(), 'grid');
        turn(Boolean(v.squares), lesson.squaresShown(), 'squares');
        turn(Boolean(v.quarter), lesson.quarterCount(), 'grid.quarter');
        turn(Boolean(v.diameter), lesson.diameterFormula(), 'formula.diameter');
        const more = () => (v.grid && lesson.paperStep(v.page) < 4) || lesson.formulaLines() < (v.formula ?? 0);
        while (more() && core.runCommand(lesson, 'lesson.next', 1));
        return pages[v.page].layout.inner.slice(2);
    }, view);
    await settle(page);
    return { page, size: inner.join('x') };
}

async function compare(view, { viewport, against = view, shift, within } = {}) {
    const { page, size } = await show(view, viewport);
    const name = `${Object.values(against).join('-')}-${size}.png`;
    if (!fs.existsSync(path.join(refs, name)))
        await exportView(path.join(refs, name), { ...against, size });
    return compareFigure(page, `#page${view.page} .picture canvas`, `/ref/${name}`, { shift, within });
}

const views = {
    'a triangle': { page: 0, value: 3 },
    'a 64-gon': { page: 0, value: 64 },
    'the whole circle of 360°': { page: 1, value: 360 },
    'a sector of 45°': { page: 1, value: 45 },
    'a circle cut into 8 sectors': { page: 2, value: 4 },
    'the finished 16-sector figure': { page: 2, value: 8, step: 16 },
    '64 sectors, 20 moved': { page: 2, value: 32, step: 20 },
    'the blank page': { page: 3 },
    'heavy lines (×3)': { page: 0, value: 5, weight: 3 },
    'the polygon\'s aids: Japanese glyphs on the canvas': { page: 0, value: 6, aids: true },
    'the arc\'s aids': { page: 1, value: 120, aids: true },
    'the parallelogram\'s aids': { page: 2, value: 8, step: 16, aids: true },
    'the whole circle named': { page: 1, value: 360, aids: true },
    'the circle between two squares and the r × r square': { page: 0, value: 12, aids: true, squares: true },
    'the squares counted by the quarter': { page: 0, value: 12, aids: true, grid: true, quarter: true },
    'the formula from the diameter': { page: 2, value: 8, step: 16, aids: true, diameter: true, formula: 4 },
};

// A practice figure is drawn as the desktop draws it; its words are laid out
// for each front-end's letters, a pixel or two apart, so the rule looks at
// the figure alone, and every line of the working is there. At 526 × 370 the
// figure's square is the left 263 px; text 5.5 % of 370 is 20 px, and 1.8 of
// it (36 px) is kept round the figure for its lengths, leaving 191 px about
// (131.5, 185): the 10 cm leaf fills it from (36, 90); the track of 5 cm
// half circles and 10 cm between, 20 cm by 10 cm, takes 191 by 95.5 from
// (36, 137). Two pixels more each way hold the outline.
const practice = {
    'the leaf worked to its answer': [{ page: 4, id: 'practice', choice: 6, figure: 'leaf', value: 10, step: 3 },
        [34, 88, 196, 196], '答え　57 cm²'],
    'a track cut into its parts': [{ page: 4, id: 'practice', choice: 8, figure: 'track', value: 5, second: 10, step: 1 },
        [34, 135, 196, 100], '長方形 ＋ 円（半円 2 つ）'],
};
for (const [name, [view, within, last]] of Object.entries(practice)) {
    test(`the practice figure matches the desktop's: ${name}`, async () => {
        const r = await compare(view, { within });
        assert.ok(r.over <= EDGE_SHARE * r.edges, `${r.over} of ${r.edges} edge pixels differ`);
        const { page } = await show(view);
        const texts = await page.evaluate(() => {
            const { core, lesson, pages } = window.tamsel;
            const [, , w, h] = pages[4].layout.inner;
            return core.drawPage(lesson, 4, w, h, false).texts;
        });
        assert.equal(texts.at(-1), last);
    });
}

for (const [name, view] of Object.entries(views)) {
    test(`the figure matches the desktop's: ${name}`, async () => {
        const r = await compare(view);
        assert.ok(r.over <= EDGE_SHARE * r.edges, `${r.over} of ${r.edges} edge pixels differ`);
    });
}

test('the finished 64-sector figure at 1920 × 1080 and ×3 matches the desktop\'s', async () => {
    const r = await compare({ page: 2, value: 32, step: 64, weight: 3 }, { viewport: { width: 1942, height: 1179 } });
    assert.equal(r.size, undefined, 'the figure area is 1920 × 1080');
    assert.ok(r.over <= EDGE_SHARE * r.edges, `${r.over} of ${r.edges} edge pixels differ`);
});

test('the rule refuses a figure moved by one pixel, or a wrong figure', async () => {
    for (const shift of [[1, 0], [0, 1], [-1, 0]]) {
        for (const view of [views['a triangle'], views['a sector of 45°'], views['the finished 16-sector figure']]) {
            const r = await compare(view, { shift });
            assert.ok(r.over > EDGE_SHARE * r.edges, `moved by ${shift}: ${r.over} of ${r.edges}`);
        }
    }
    const wrong = [
        [{ page: 0, value: 7 }, { page: 0, value: 8 }],
        [{ page: 1, value: 90 }, { page: 1, value: 91 }],
        [{ page: 2, value: 8, step: 5 }, { page: 2, value: 8, step: 6 }],
        [{ page: 0, value: 5, weight: 2 }, { page: 0, value: 5, weight: 1 }],
    ];
    for (const [view, against] of wrong) {
        const r = await compare(view, { against });
        assert.ok(r.over > EDGE_SHARE * r.edges, `${JSON.stringify(view)} as ${JSON.stringify(against)}: ${r.over} of ${r.edges}`);
    }
});

test('the design view has its controls and colours where the layout rules put them', async () => {
    const { page } = await show({ page: 0, value: 3 });
    const png = (await page.screenshot()).toString('base64');
    // The window 548 × 469: the tab control 5 px in (538 × 429), its row 20 px,
    // the picture 5 px further in, its frame at (10, 30), 528 × 372 over a
    // scroll bar of 25 px; the figure area 526 × 370 from (11, 31). The strip
    // 7 px under the tab control: 消去 70 × 25 at x = 5 and 473, the swatch between.
    // The value label (49 × 25) 2 px right of the scroll bar, at y = 30 + 372 + 2.
    // The triangle's circle: diameter min(526, 370) − 2 = 368 about the area's
    // middle (263, 185): its first radius runs right along row 185 to (447, 185),
    // and its vertices at 120° and 240° make a blue edge, 2 px wide, down column 171.
    const points = { frameTopLeft: [10, 30], frameBottomRight: [537, 401], boardFirst: [11, 31],
        boardLast: [536, 400], radius: [380, 216], edge: [182, 216], swatch: [100, 455] };
    const at = await page.evaluate(async (png, points) => {
        const image = new Image();
        image.src = `data:image/png;base64,${png}`;
        await image.decode();
        const ctx = new OffscreenCanvas(image.width, image.height).getContext('2d');
        ctx.drawImage(image, 0, 0);
        const out = {};
        for (const [name, [x, y]] of Object.entries(points))
            out[name] = Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3));
        return out;
    }, png, points);
    assert.deepEqual(at.frameTopLeft, [0, 0, 0]);
    assert.deepEqual(at.frameBottomRight, [0, 0, 0]);
    assert.deepEqual(at.boardFirst, [0, 128, 0]);
    assert.deepEqual(at.boardLast, [0, 128, 0]);
    assert.deepEqual(at.radius, [255, 0, 0], 'the first radius, red');
    assert.deepEqual(at.edge, [0, 0, 255], 'the left edge, blue');
    assert.deepEqual(at.swatch, [255, 255, 255], 'the swatch shows the white pen');
    const label = await page.evaluate(() => {
        const r = document.querySelector('#page0 output').getBoundingClientRect();
        return [r.left, r.top, r.width, r.height];
    });
    assert.deepEqual(label, [489, 404, 49, 25], 'the value label right of the scroll bar');
});
