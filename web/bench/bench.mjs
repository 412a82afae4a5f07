// Times what a teacher notices in the browser, in headless chromium, and
// prints Markdown tables for docs/benchmarks.md. Not a test: it asserts nothing.
//   node web/bench/bench.mjs [PART]   (make bench-web); PART is one of sizes,
//   cold, first, figures, animation, latency, ink, toolbar, sectors
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';
import { launch, serve, site } from '../tests/harness.mjs';

const HD = { width: 1942, height: 1179 }; // a figure area of 1920 × 1080
const RUNS = 9;
const REPEATS = 100;
const bare = fileURLToPath(new URL('bare.html', import.meta.url));

const sorted = (xs) => [...xs].sort((a, b) => a - b);
const median = (xs) => sorted(xs)[xs.length >> 1];
const p99 = (xs) => sorted(xs)[Math.min(xs.length - 1, Math.floor(xs.length * 0.99))];
const ms = (x) => x.toFixed(2);
const row = (...cells) => console.log(`| ${cells.join(' | ')} |`);
const sleep = (t) => new Promise((resolve) => setTimeout(resolve, t));

function sizes() {
    console.log('\n### Download (bytes)\n');
    row('file', 'bytes', 'gzip -9', 'brotli (beside it)');
    row('---', '---', '---', '---');
    let total = 0, gzipped = 0, brotli = 0;
    const scripts = fs.readdirSync(site).filter((f) => f.endsWith('.js') && f !== 'sw.js').sort();
    for (const file of ['tamsel-core.wasm', ...scripts, 'tamsel.css', 'index.html',
        'fonts/tamsel-gothic.woff2', 'fonts/tamsel-mincho.woff2']) {
        const bytes = fs.readFileSync(path.join(site, file));
        const z = zlib.gzipSync(bytes, { level: 9 }).length;
        const br = fs.existsSync(path.join(site, `${file}.br`)) ? fs.statSync(path.join(site, `${file}.br`)).size : bytes.length;
        row(file, bytes.length, z, br);
        if (!file.startsWith('fonts/')) {
            total += bytes.length;
            gzipped += z;
            brotli += br;
        }
    }
    row('**page, the fonts apart**', total, gzipped, brotli);
}

// The figure area these parts measure is the whole window's: the classroom
// toolbar, where the page has one, is put away.
async function openAt(browser, url, viewport, toolbar = false) {
    const page = await browser.newPage();
    await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
    await page.goto(url);
    await page.waitForFunction(() => window.tamsel?.ready);
    await page.evaluate((wanted) => {
        const { core, lesson } = window.tamsel;
        if (lesson.toolbarShown && lesson.toolbarShown(true) !== wanted)
            core.runCommand(lesson, 'window.toolbar', 1);
    }, toolbar);
    return page;
}

// A toolbar button pressed (a touch) to the frame that shows what it did: from
// the touch's event time stamp to a frame callback queued after the page's own.
async function toolbarPress(browser, url) {
    const page = await openAt(browser, url, { width: 1920, height: 1080, hasTouch: true }, true);
    const times = [];
    for (let i = 0; i < 2 * RUNS * 4; ++i) {
        const id = i % 2 ? 'value.down' : 'value.up';
        const box = await (await page.$(`#toolbar [data-command="${id}"]`)).boundingBox();
        await page.evaluate((id) => {
            window.pressed = new Promise((resolve) => {
                // A button acts when the finger lifts inside it; the click after is swallowed.
                document.querySelector(`#toolbar [data-command="${id}"]`).addEventListener('pointerup', (e) => {
                    const handled = performance.now();
                    requestAnimationFrame(() => resolve([performance.now() - e.timeStamp, performance.now() - handled]));
                }, { once: true });
            });
        }, id);
        await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
        times.push(await page.evaluate(() => window.pressed));
    }
    console.log(`\n### A toolbar press to the frame that shows it (ms, ${times.length} presses of 減らす・増やす, 1920 × 1080)\n`);
    row('from', 'median', 'p95', 'max', 'median within one frame (16.7 ms)');
    row('---', '---', '---', '---', '---');
    for (const [name, k] of [['the touch\'s time stamp', 0], ['the press handled (the command run)', 1]]) {
        const t = times.map((x) => x[k]);
        const p95 = sorted(t)[Math.floor(t.length * 0.95)];
        row(name, ms(median(t)), ms(p95), ms(Math.max(...t)), median(t) <= 16.7 ? 'met' : 'missed');
    }
    await page.close();
}

// From navigation to the figure drawn (before the page's first paint), and to
// the start of the frame that paints it.
async function firstFrame(browser, url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    // Every frame's start, from before the page's own scripts.
    await page.evaluateOnNewDocument(() => {
        window.frameStarts = [];
        const note = (t) => {
            window.frameStarts.push(t);
            requestAnimationFrame(note);
        };
        requestAnimationFrame(note);
    });
    await page.setViewport({ width: 548, height: 469 });
    await page.goto(url);
    await page.waitForFunction(() => window.tamsel?.ready);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const out = { cached: [], shown: [], network: [] };
    for (let i = 0; i < RUNS; ++i) {
        await page.reload();
        await page.waitForFunction(() => performance.getEntriesByName('tamsel-first-frame').length > 0 &&
            window.frameStarts.at(-1) > performance.getEntriesByName('tamsel-first-frame')[0].startTime);
        const [drawn, shown] = await page.evaluate(() => {
            const drawn = performance.getEntriesByName('tamsel-first-frame')[0].startTime;
            return [drawn, window.frameStarts.find((t) => t > drawn)];
        });
        out.cached.push(drawn);
        out.shown.push(shown);
    }
    await context.close();
    const plain = await browser.createBrowserContext();
    const fresh = await plain.newPage();
    await fresh.setViewport({ width: 548, height: 469 });
    for (let i = 0; i < RUNS; ++i) {
        const cdp = await fresh.createCDPSession();
        await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
        await cdp.send('ServiceWorker.enable');
        await cdp.send('Network.setBypassServiceWorker', { bypass: true });
        await fresh.goto(url);
        await fresh.waitForFunction(() => performance.getEntriesByName('tamsel-first-frame').length > 0);
        out.network.push(await fresh.evaluate(() => performance.getEntriesByName('tamsel-first-frame')[0].startTime));
    }
    await plain.close();
    console.log(`\n### First complete frame after navigation (ms, ${RUNS} loads each, design size)\n`);
    row('from', 'median', 'max', 'median within 300 ms');
    row('---', '---', '---', '---');
    const verdict = (xs) => (median(xs) <= 300 ? 'met' : 'missed');
    row('the service worker\'s cache: figure drawn', ms(median(out.cached)), ms(Math.max(...out.cached)), verdict(out.cached));
    row('the service worker\'s cache: the frame that paints it begins', ms(median(out.shown)), ms(Math.max(...out.shown)),
        verdict(out.shown));
    row('localhost, no cache at all', ms(median(out.network)), ms(Math.max(...out.network)), verdict(out.network));
}

// A figure change at 1920 × 1080: the lesson's command, the page's drawing, and
// the canvas rasterised (one pixel read back forces it).
async function figureChanges(browser, url) {
    const page = await openAt(browser, url, HD);
    const cases = [
        ['polygon, 3 ↔ 4 sides', { page: 0, values: [3, 4] }],
        ['polygon, 63 ↔ 64 sides', { page: 0, values: [63, 64] }],
        ['arc, 359° ↔ 360°', { page: 1, values: [359, 360] }],
        ['64 sectors, step 63 ↔ 64', { page: 2, values: [32, 32], steps: [63, 64] }],
        ['64 sectors, step 31 ↔ 32, ×3', { page: 2, values: [32, 32], steps: [31, 32], weight: 3 }],
        ['polygon 63 ↔ 64 with its aids', { page: 0, values: [63, 64], aids: true }],
        ['finished 64 sectors with the aids, formula 1 ↔ 2', { page: 2, values: [32, 32], steps: [64, 64], aids: true, formula: true }],
    ];
    console.log('\n### A figure change at 1920 × 1080 (ms: command, drawing, rasterised)\n');
    const within = (x, bound) => (x <= bound ? 'met' : 'missed');
    row('change', 'median', 'p99', 'max', 'median within 4 ms', 'p99 within 4 ms');
    row('---', '---', '---', '---', '---', '---');
    for (const [name, c] of cases) {
        const times = await page.evaluate((c, repeats) => {
            const { lesson, frame, pages } = window.tamsel;
            lesson.showPage(c.page);
            lesson.setWeight(c.weight ?? 1);
            if (lesson.aidsShown(c.page) !== Boolean(c.aids))
                lesson.toggleAids();
            const ctx = pages[c.page].figure.getContext('2d');
            const times = [];
            for (let i = 0; i < repeats + 10; ++i) {
                const k = i % 2;
                const t0 = performance.now();
                lesson.setValue(c.page, c.values[k]);
                if (c.formula)
                    lesson.stepLesson(k ? 1 : -1);
                else if (c.steps)
                    lesson.stepSectors(c.steps[k] - lesson.step());
                frame();
                ctx.getImageData(0, 0, 1, 1);
                if (i >= 10)
                    times.push(performance.now() - t0);
            }
            return times;
        }, c, REPEATS);
        row(name, ms(median(times)), ms(p99(times)), ms(Math.max(...times)), within(median(times), 4), within(p99(times), 4));
    }
    await page.close();
}

// The animation at 1920 × 1080 with the aids: frames as the compositor begins them.
async function animation(browser, url) {
    const page = await openAt(browser, url, HD);
    const gaps = await page.evaluate(() => new Promise((resolve) => {
        const { lesson } = window.tamsel;
        lesson.showPage(2);
        lesson.setValue(2, 16);
        lesson.toggleAids();
        const stamps = [];
        const tick = (t) => {
            stamps.push(t);
            if (lesson.running() || stamps.length < 10)
                requestAnimationFrame(tick);
            else
                resolve(stamps.slice(1).map((s, i) => s - stamps[i]));
        };
        lesson.pressStart();
        requestAnimationFrame(tick);
    }));
    // The page's own work for each sector moved: the step, its drawing, rasterised.
    const work = await page.evaluate(() => {
        const { lesson, frame, pages } = window.tamsel;
        const ctx = pages[2].figure.getContext('2d');
        lesson.returnAllSectors();
        frame();
        const times = [];
        for (let i = 0; i < lesson.sectors(); ++i) {
            const t0 = performance.now();
            lesson.stepSectors(1);
            frame();
            ctx.getImageData(0, 0, 1, 1);
            times.push(performance.now() - t0);
        }
        return times;
    });
    const usual = median(gaps);
    const dropped = gaps.filter((g) => g > 1.5 * usual).length;
    console.log('\n### The animation (32 sectors at 350 ms, 1920 × 1080, aids shown)\n');
    row('frames', 'usual frame (ms)', 'longest (ms)', 'frames longer than 1.5 × usual', 'work a sector, median / max (ms)');
    row('---', '---', '---', '---', '---');
    row(gaps.length, ms(usual), ms(Math.max(...gaps)), dropped, `${ms(median(work))} / ${ms(Math.max(...work))}`);
    await page.close();
}

// Pointer event to the frame that shows it: the event's time stamp to a frame
// callback queued after the page's own in that frame. Our page against the
// bare canvas, in turns, in the same run.
async function inkLatency(browser, url) {
    const measure = async (target) => {
        const page = await openAt(browser, target, { width: 548, height: 469 });
        await page.evaluate(() => {
            window.latencies = [];
            window.handling = [];
            let since = [], asked = false;
            document.addEventListener('pointermove', (e) => {
                since.push(e.timeStamp);
                window.handling.push(performance.now() - e.timeStamp);
                if (asked)
                    return;
                asked = true;
                requestAnimationFrame(() => {
                    const now = performance.now();
                    for (const t of since)
                        window.latencies.push(now - t);
                    since = [];
                    asked = false;
                });
            });
        });
        const cdp = await page.createCDPSession();
        const send = (type, x, y) => cdp.send('Input.dispatchMouseEvent', {
            type, x, y, button: type === 'mouseMoved' ? 'none' : 'left', buttons: type === 'mouseReleased' ? 0 : 1,
            pointerType: 'pen', force: 0.5, clickCount: 1 });
        await send('mousePressed', 60, 60);
        for (let i = 0; i < 300; ++i) {
            await send('mouseMoved', 60 + (i % 150) * 3, 60 + Math.floor(i / 150) * 100 + (i % 7));
            await sleep(8);
        }
        await send('mouseReleased', 60, 200);
        const result = await page.evaluate(() => [window.latencies, window.handling]);
        await page.close();
        return result;
    };
    const ours = [[], []], floor = [[], []];
    for (let round = 0; round < 3; ++round) {
        for (const [into, target] of [[floor, `${url}ref/bare.html`], [ours, url]]) {
            const [latencies, handling] = await measure(target);
            into[0].push(...latencies);
            into[1].push(...handling);
        }
    }
    console.log('\n### Ink: pointer event to painted frame (ms, 900 pen moves each, design size)\n');
    row('page', 'median', 'p95', 'event handled after (median)');
    row('---', '---', '---', '---');
    const p95 = (xs) => sorted(xs)[Math.floor(xs.length * 0.95)];
    row('bare canvas', ms(median(floor[0])), ms(p95(floor[0])), ms(median(floor[1])));
    row('Tamsel', ms(median(ours[0])), ms(p95(ours[0])), ms(median(ours[1])));
    row('**ratio**', (median(ours[0]) / median(floor[0])).toFixed(2), (p95(ours[0]) / p95(floor[0])).toFixed(2), '');
}

// A page of 100,000 points in strokes of 5, spread over 1920 × 1080; each
// operation with its frame and the ink's canvas rasterised.
async function inkOperations(browser, url) {
    const page = await openAt(browser, url, HD);
    const results = await page.evaluate((repeats) => {
        const { lesson, ink, frame, pages } = window.tamsel;
        const [, , w, h] = pages[0].layout.overlay;
        let seed = 7;
        const random = () => (seed = (seed * 16807) % 2147483647) / 2147483647;
        const built = performance.now();
        for (let s = 0; s < 20000; ++s) {
            const x = random() * (w - 20), y = random() * (h - 20);
            ink.begin(0, 1, s, x, y, 1);
            for (let k = 1; k < 5; ++k)
                ink.extend(0, 1, s, x + 3 * k, y + 2 * k, 1);
            ink.end(0, 1, s);
        }
        frame();
        const buildMs = performance.now() - built;
        const ctx = pages[0].overlay.getContext('2d');
        const time = (work) => {
            const t0 = performance.now();
            work();
            frame();
            ctx.getImageData(0, 0, 1, 1);
            return performance.now() - t0;
        };
        const out = { points: ink.pointCount(0), buildMs, undo: [], redo: [], clear: [], undoClear: [], erase: [], undoErase: [] };
        for (let i = 0; i < repeats; ++i) {
            out.undo.push(time(() => lesson.undo()));
            out.redo.push(time(() => lesson.redo()));
            out.clear.push(time(() => lesson.clearInk()));
            out.undoClear.push(time(() => lesson.undo()));
            const x = 100 + (i * 37) % (w - 200), y = 100 + (i * 53) % (h - 200);
            out.erase.push(time(() => { ink.erase(0, x, y, x + 40, y); ink.endErase(0); }));
            out.undoErase.push(time(() => lesson.undo()));
        }
        return out;
    }, 20);
    console.log(`\n### Ink on a full page at 1920 × 1080 (${results.points} points; ms, 20 times each)\n`);
    row('operation', 'median', 'max', 'median within 16 ms', 'max within 16 ms');
    row('---', '---', '---', '---', '---');
    for (const [name, key] of [['undo', 'undo'], ['redo', 'redo'], ['clear', 'clear'], ['undo of a clear', 'undoClear'],
        ['eraser move of 40 px', 'erase'], ['undo of an erasure', 'undoErase']]) {
        const t = results[key];
        row(name, ms(median(t)), ms(Math.max(...t)), median(t) <= 16 ? 'met' : 'missed', Math.max(...t) <= 16 ? 'met' : 'missed');
    }
    console.log(`\n(drawing the 20,000 strokes through the page's input path took ${ms(results.buildMs)} ms)`);
    await page.close();
}

// The sectors page at 1920 × 1080, 64 pieces, ×3: a step of each layout and a
// sector dragged by hand, each with its frame (what changed drawn again) and
// the canvas rasterised; beside them the same page drawn whole.
async function sectors(browser, url) {
    const page = await openAt(browser, url, HD);
    console.log('\n### The sectors page at 1920 × 1080, 64 pieces, ×3 (ms: command, drawing where it changed, rasterised)\n');
    const within = (x, bound) => (x <= bound ? 'met' : `missed ×${(x / bound).toFixed(2)}`);
    row('what', 'median', 'p99', 'whole median', 'median within 4 ms', 'p99 within 4 ms');
    row('---', '---', '---', '---', '---', '---');
    const cases = [['parallelogram, a step', 0], ['rectangle, a step', 1], ['triangle, a step', 2],
        ['hand, a drag frame', -1], ['hand, a sector taken from the circle', -2]];
    for (const [name, layout] of cases) {
        const times = await page.evaluate((layout, repeats) => {
            const { core, lesson, frame, pages } = window.tamsel;
            const p = pages[2];
            const ctx = p.figure.getContext('2d');
            lesson.showPage(2);
            lesson.setValue(2, 32);
            lesson.setWeight(3);
            const size = p.layout.inner.slice(2);
            const [cx, cy, r, theta] = core.sectorsCircle(...size, 32);
            core.setSectorLayout(lesson, Math.max(0, layout));
            core.setHandMode(lesson, layout < 0);
            const taking = layout === -2;
            frame();
            // A drag of 60 frames takes the next sector from the circle each time.
            const FRAMES = 60, STEP = 6;
            const change = (i) => {
                if (layout >= 0) {
                    if (lesson.step() === lesson.sectors())
                        lesson.returnAllSectors();
                    else
                        lesson.stepSectors(1);
                    return;
                }
                const within = i % FRAMES, sector = Math.floor(i / FRAMES) % 64;
                const axis = (360 - (sector + 0.5) * theta) * Math.PI / 180;
                const home = [cx + 0.7 * r * Math.cos(axis), cy - 0.7 * r * Math.sin(axis)];
                if (within === 0) {
                    core.dropSector(lesson, 1, 1);
                    core.grabSector(lesson, 1, 1, ...home, ...size);
                }
                core.moveSector(lesson, 1, 1, home[0] + 2.5 * r + STEP * within, home[1] + STEP * within / 4, ...size);
            };
            const times = [], whole = [];
            // A drag's frames, or the first of each, where the sector leaves the circle.
            const frames = taking ? (repeats / 10) * FRAMES : repeats;
            for (let i = 0; i < frames + 10; ++i) {
                const t0 = performance.now();
                change(i);
                frame();
                ctx.getImageData(0, 0, 1, 1);
                if (i >= 10 && (layout >= 0 || (i % FRAMES === 0) === taking))
                    times.push(performance.now() - t0);
            }
            for (let i = 0; i < 20; ++i) {
                const t0 = performance.now();
                p.drawn = '';
                frame();
                ctx.getImageData(0, 0, 1, 1);
                whole.push(performance.now() - t0);
            }
            core.dropSector(lesson, 1, 1);
            return { times, whole };
        }, layout, REPEATS * 3);
        row(name, ms(median(times.times)), ms(p99(times.times)), ms(median(times.whole)), within(median(times.times), 4),
            within(p99(times.times), 4));
    }
    await page.close();
}

// A first visit on a slow tablet: no cache and no worker, the CPU 4× slower and
// 20 Mbit/s with 40 ms round trips (Chromium's throttling), against the same
// without throttling, in turns. Other builds' folders given on the command
// line (`cold DIR …`) are timed in the same turns.
const SLOW_TABLET = {
    cpu: 4,
    network: { offline: false, latency: 40, downloadThroughput: 20e6 / 8, uploadThroughput: 20e6 / 8 },
};
const COLD_BOUNDS_MS = { throttled: 500, unthrottled: 200 };
const COLD_RUNS = 15;

async function coldOnce(browser, url, slow) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 548, height: 469 });
    const cdp = await page.createCDPSession();
    await cdp.send('Network.enable');
    await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
    if (slow) {
        await cdp.send('Network.emulateNetworkConditions', SLOW_TABLET.network);
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: SLOW_TABLET.cpu });
    }
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('tamsel-first-frame').length > 0, { timeout: 60000 });
    const t = await page.evaluate(() => [performance.getEntriesByName('tamsel-first-frame')[0].startTime,
        performance.getEntriesByType('navigation')[0].domInteractive]);
    await context.close();
    return t;
}

async function coldStart(browser, url) {
    const builds = [['this build', url]];
    for (const dir of process.argv.slice(3)) {
        const other = await serve(path.resolve(dir), {}, { precompressed: true });
        builds.push([path.basename(path.resolve(dir)), other.url, other]);
    }
    const times = builds.map(() => ({ throttled: [], unthrottled: [], throttledPage: [], unthrottledPage: [] }));
    for (let i = 0; i < COLD_RUNS; ++i) {
        for (const [b, [, target]] of builds.entries()) {
            for (const slow of [true, false]) {
                const [frame, parsed] = await coldOnce(browser, target, slow);
                const key = slow ? 'throttled' : 'unthrottled';
                times[b][key].push(frame);
                times[b][`${key}Page`].push(frame - parsed);
            }
        }
    }
    console.log(`\n### Cold start: navigation to the first figure drawn (ms, ${COLD_RUNS} loads each, design size, no cache)\n`);
    console.log('The page\'s own part runs from the document parsed (its scripts may start) to the figure drawn.\n');
    row('build', 'throttled median', 'max', 'within 500 ms', 'page\'s own part', 'unthrottled median', 'max',
        'within 200 ms', 'page\'s own part');
    row('---', '---', '---', '---', '---', '---', '---', '---', '---');
    for (const [b, [name]] of builds.entries()) {
        const t = times[b];
        row(name, ms(median(t.throttled)), ms(Math.max(...t.throttled)),
            median(t.throttled) <= COLD_BOUNDS_MS.throttled ? 'met' : 'missed', ms(median(t.throttledPage)),
            ms(median(t.unthrottled)), ms(Math.max(...t.unthrottled)),
            median(t.unthrottled) <= COLD_BOUNDS_MS.unthrottled ? 'met' : 'missed', ms(median(t.unthrottledPage)));
    }
    for (const [, , other] of builds)
        await other?.close();
}

const server = await serve(site, { 'bare.html': bare }, { precompressed: true });
const browser = await launch();
console.log(`chromium ${(await browser.version())}, ${new Date().toISOString()}, load ${execFileSync('cat', ['/proc/loadavg']).toString().trim()}`);
const parts = { sizes, cold: coldStart, first: firstFrame, figures: figureChanges, animation, latency: inkLatency,
    ink: inkOperations, toolbar: toolbarPress, sectors };
for (const [name, part] of Object.entries(parts))
    if (!process.argv[2] || process.argv[2] === name)
        await part(browser, server.url);
await browser.close();
await server.close();
