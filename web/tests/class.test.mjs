// The class through the project's own broker: the roles hold at the broker
// (asked with npm's MQTT client directly, not through the page), pupils'
// screens show what the teacher's shows, boards come back to the gallery, and
// a restarted broker, a cut network and a flood of bad messages lose nothing.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { promisify } from 'node:util';
import mqtt from 'mqtt';
import { compareFigure, desktop, launch, open, serve, settle, startBroker } from './harness.mjs';

const CODE = 'K7PQ3M';
const NOT_AUTHORISED = 135;
// As figures.test.mjs measures it for the desktop's picture against the page's.
const EDGE_SHARE = 0.15;
const refs = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-class-'));
const web = {};
before(async () => {
    web.broker = await startBroker();
    web.server = await serve(undefined, new Proxy({}, { get: (_, name) => path.join(refs, name) }));
    web.browser = await launch();
});
after(async () => {
    await web.browser?.close();
    await web.server?.close();
    await web.broker?.close();
    fs.rmSync(refs, { recursive: true, force: true });
});

// Waits for `check` (run in the page) to hold; every wait here is for an event.
async function until(page, check, ...args) {
    await page.waitForFunction(check, { timeout: 10000, polling: 20 }, ...args);
}

function raw(port, options) {
    return mqtt.connectAsync(`mqtt://127.0.0.1:${port}`, { protocolVersion: 5, reconnectPeriod: 0, ...options });
}

// A reason code the broker gave, from a PUBACK or a refused connection.
async function refusal(promise) {
    try {
        const packet = await promise;
        return packet?.reasonCode ?? 0;
    } catch (error) {
        return error.code;
    }
}

test('the broker holds the roles, whatever a client asks', async () => {
    const { pupilMqtt, teacherMqtt, password } = web.broker;
    const teacher = await raw(teacherMqtt, { username: 'teacher', password, clientId: 'raw-teacher' });
    await teacher.publishAsync(`tamsel/${CODE}/lesson`, 'ours', { qos: 1, retain: true });
    await teacher.publishAsync('tamsel/AAAAAA/lesson', 'theirs', { qos: 1, retain: true });
    const pupil = await raw(pupilMqtt, { username: CODE, clientId: 'abcdefghjk' });
    const cases = [
        ['the lesson', `tamsel/${CODE}/lesson`, true],
        ["another pupil's board", `tamsel/${CODE}/pupil/mnpqrstuvw/board`, true],
        ['its board in another class', 'tamsel/AAAAAA/pupil/abcdefghjk/board', true],
        ['its own board', `tamsel/${CODE}/pupil/abcdefghjk/board`, false],
    ];
    for (const [what, topic, refused] of cases)
        assert.equal(await refusal(pupil.publishAsync(topic, 'x', { qos: 1 })) === NOT_AUTHORISED, refused, what);
    const seen = [];
    pupil.on('message', (topic, payload) => seen.push(`${topic} ${payload}`));
    await pupil.subscribeAsync(['tamsel/+/lesson', `tamsel/${CODE}/pupil/+/board`], { qos: 1 });
    await teacher.publishAsync(`tamsel/${CODE}/pupil/mnpqrstuvw/board`, 'a board', { qos: 1 });
    await pupil.publishAsync(`tamsel/${CODE}/pupil/abcdefghjk/live`, 'round trip', { qos: 1 });
    assert.deepEqual(seen, [`tamsel/${CODE}/lesson ours`]);
    // A user name that is a wildcard reads nothing, not even with a wildcard.
    const sly = await raw(pupilMqtt, { username: '#', clientId: 'mnpqrstuvw' });
    const slySaw = [];
    sly.on('message', (topic) => slySaw.push(topic));
    await sly.subscribeAsync('tamsel/#', { qos: 1 });
    await teacher.publishAsync(`tamsel/${CODE}/live`, 'x', { qos: 1 });
    await sly.subscribeAsync('tamsel/x', { qos: 1 });
    assert.deepEqual(slySaw, []);
    await sly.endAsync();
    assert.ok(await refusal(raw(teacherMqtt, { username: 'teacher', password: 'wrong' })) >= NOT_AUTHORISED - 1);
    await teacher.publishAsync(`tamsel/${CODE}/lesson`, '', { qos: 1, retain: true });
    await teacher.publishAsync('tamsel/AAAAAA/lesson', '', { qos: 1, retain: true });
    await Promise.all([teacher.endAsync(), pupil.endAsync()]);
});

// A pupil's network, cut and restored by the test: every connection through it closes at once.
async function cuttableLink(to) {
    const sockets = new Set();
    let cut = false;
    const server = net.createServer((inbound) => {
        if (cut)
            return inbound.destroy();
        const outbound = net.connect(to, '127.0.0.1');
        for (const s of [inbound, outbound]) {
            sockets.add(s);
            s.on('error', () => {});
            s.on('close', () => { sockets.delete(s); inbound.destroy(); outbound.destroy(); });
        }
        inbound.pipe(outbound).pipe(inbound);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {
        url: `ws://127.0.0.1:${server.address().port}/`,
        cut: () => { cut = true; sockets.forEach((s) => s.destroy()); },
        restore: () => { cut = false; },
        close: () => new Promise((resolve) => { sockets.forEach((s) => s.destroy()); server.close(resolve); }),
    };
}

async function stroke(page, on, [x, y], steps) {
    await page.bringToFront();
    const [left, top] = await page.$eval(`#page${on} canvas.ink`,
        (e) => [e.getBoundingClientRect().x, e.getBoundingClientRect().y]);
    await page.mouse.move(left + x, top + y);
    await page.mouse.down();
    for (let i = 1; i <= steps; ++i)
        await page.mouse.move(left + x + 6 * i, top + y + 3 * i);
    await page.mouse.up();
}

// The teacher's figure and ink, and the same on a pupil's screen, as pixels.
async function pictures(teacher, pupil, on) {
    const read = (p, selector) => p.evaluate((s) => {
        const c = document.querySelector(s);
        return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
    }, selector);
    const figure = `#page${on} .picture canvas`;
    const [tFigure, pFigure, tInk, pInk] = await Promise.all([read(teacher, figure), read(pupil, figure),
        read(teacher, `#page${on} canvas.ink`), read(pupil, `#page${on} canvas.followed`)]);
    const same = (a, b) => a.length === b.length && a.every((v, i) => v === b[i]);
    return { figure: same(tFigure, pFigure), ink: same(tInk, pInk), inked: tInk.some((v) => v > 0) };
}

// What a pupil follows of the teacher's lesson, read the same way on both.
const VIEW = `JSON.stringify((({ lesson: l }) => { const p = l.page(); return [p, l.value(p), l.step(), l.running(),
    l.aidsShown(p), l.formulaLines(), l.realLengths(), l.radiusCm(), l.gridShown(), l.squaresShown(), l.weight()]; })(window.tamsel))`;
const view = (page) => page.evaluate(VIEW);
const sameView = new Function('w', `return ${VIEW} === w;`);

// Strokes on a page of the teacher's copy of each pupil's board, by nickname.
const gallery = (teacher, on) => teacher.evaluate((on) => {
    const { core, room } = window.tamsel;
    return Object.fromEntries([...Array(room.pupilCount()).keys()]
        .map((i) => [room.pupilName(i), core.strokeCount(room.pupilLesson(i), on)]));
}, on);

async function join(url, name, broker) {
    const pupil = await open(web.browser, url);
    const code = new URL(url).searchParams.get('class');
    assert.equal(await pupil.evaluate((c, n, b) => window.tamsel.join({ code: c, name: n, broker: b }), code, name, broker), '');
    return pupil;
}

test('pupils follow the teacher, boards come back, and faults lose nothing', async (t) => {
    const { broker, server } = web;
    const teacher = await open(web.browser, server.url);
    const { address } = await teacher.evaluate((b) => window.tamsel.share(b), {
        teachers: broker.teachers, pupils: broker.pupils, password: broker.password });
    const link = await cuttableLink(Number(new URL(broker.pupils).port));
    t.after(() => link.close());
    const near = await join(address, '1', broker.pupils);
    const far = await join(address, 'ゆう', link.url);
    await until(teacher, () => window.tamsel.room.pupilCount() === 2);
    // The menu's class items, from the command table: only a teacher's commands act while teaching.
    await teacher.mouse.click(200, 200, { button: 'right' });
    assert.deepEqual(await teacher.$$eval('#menu [data-command^="class."]', (items) => items.map((i) =>
        `${i.dataset.command} ${i.getAttribute('aria-disabled')}`)), ['class.share true', 'class.join true',
        'class.gallery false', 'class.free false', 'class.callBack true', 'class.clearBoards false', 'class.end false']);
    await teacher.keyboard.press('Escape');
    const on = await teacher.evaluate(() => {
        const { lesson } = window.tamsel;
        lesson.showPage(lesson.animatedPage());
        lesson.setValue(lesson.animatedPage(), 8);
        lesson.toggleAids();
        lesson.stepSectors(5);
        lesson.toggleGrid();
        return lesson.page();
    });
    await stroke(teacher, on, [60, 60], 20);
    for (const pupil of [near, far]) {
        await until(pupil, sameView, await view(teacher));
        await until(pupil, (on) => window.tamsel.core.strokeCount(window.tamsel.room.teacherLesson(), on) === 1, on);
        // The stroke as it grew may come before the finished one: every point first.
        await until(pupil, (on, n) => {
            const followed = new window.tamsel.core.Ink(window.tamsel.room.teacherLesson());
            const points = followed.pointCount(on);
            followed.delete();
            return points === n;
        }, on, await teacher.evaluate((on) => window.tamsel.ink.pointCount(on), on));
        // A page in the background draws nothing: each comes forward to draw.
        for (const p of [pupil, teacher]) {
            await p.bringToFront();
            await settle(p);
        }
        assert.deepEqual(await pictures(teacher, pupil, on), { figure: true, ink: true, inked: true });
    }

    // The desktop, joined as a pupil, draws the same figure and ink as the teacher's page.
    await teacher.bringToFront();
    const size = await teacher.evaluate((on) => {
        const p = window.tamsel.pages[on];
        const [ix, iy, iw, ih] = p.layout.inner;
        const both = document.createElement('canvas');
        both.id = 'both';
        both.width = iw;
        both.height = ih;
        const ctx = both.getContext('2d');
        ctx.drawImage(p.figure, 0, 0);
        ctx.drawImage(p.overlay, ix, iy, iw, ih, 0, 0, iw, ih);
        document.body.append(both);
        return `${iw}x${ih}`;
    }, on);
    const code = new URL(address).searchParams.get('class');
    await promisify(execFile)(desktop, ['--export', path.join(refs, 'desktop.png'), '--size', size, '--follow', code,
        '--broker', `127.0.0.1:${broker.pupilMqtt}`], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
    const compared = await compareFigure(teacher, '#both', '/ref/desktop.png');
    assert.ok(compared.share <= EDGE_SHARE, JSON.stringify(compared));
    // The ink is there too: without it the desktop's picture matches less.
    const bare = await compareFigure(teacher, `#page${on} .picture canvas`, '/ref/desktop.png');
    assert.ok(compared.over < bare.over, `${compared.over} < ${bare.over}`);
    // Its board left the gallery with it.
    await until(teacher, () => window.tamsel.room.pupilCount() === 2);

    // A stroke before the cut, two while cut off, all in the gallery once.
    await stroke(far, on, [40, 40], 10);
    await until(teacher, (on) => window.tamsel.room.pupilCount() === 2
        && window.tamsel.core.strokeCount(window.tamsel.room.pupilLesson(1), on) === 1, on);
    link.cut();
    await stroke(far, on, [40, 120], 10);
    await stroke(far, on, [40, 200], 10);
    link.restore();
    await until(teacher, (on) => window.tamsel.core.strokeCount(window.tamsel.room.pupilLesson(1), on) === 3, on);

    // The broker restarts mid-lesson: everyone comes back; a pupil who joins
    // after it still gets the lesson and the teacher's ink.
    await broker.restart();
    await teacher.evaluate(() => window.tamsel.lesson.stepSectors(1));
    const late = await join(address, '3', broker.pupils);
    for (const pupil of [near, far, late])
        await until(pupil, sameView, await view(teacher)).then(() => until(pupil,
            () => window.tamsel.core.strokeCount(window.tamsel.room.teacherLesson(), window.tamsel.lesson.page()) === 1));
    await until(teacher, () => window.tamsel.room.pupilCount() === 3);
    assert.deepEqual(await gallery(teacher, on), { 1: 0, ゆう: 3, 3: 0 });

    // A flood on the class's topics, as only a teacher's account could send it:
    // 999 that are not the class's messages, one past the broker's limit, and a last one.
    const flood = await raw(broker.teacherMqtt, { username: 'teacher', password: broker.password });
    const topics = ['lesson', 'ink', 'live'].map((t) => `tamsel/${new URL(address).searchParams.get('class')}/${t}`);
    const before = await near.evaluate(() => window.tamsel.room.dropped());
    for (let i = 0; i < 999; ++i)
        flood.publish(topics[i % 3], Buffer.from(Array.from({ length: 1 + (i * 37) % 300 }, (_, k) => (i * 31 + k * 7) & 255)), { qos: 0 });
    // The broker refuses it (PUBACK 149, which npm's client cannot read, so it goes at QoS 0).
    flood.publish(topics[0], Buffer.alloc(5 << 20, 7), { qos: 0 });
    await flood.publishAsync(topics[2], Buffer.from('the last'), { qos: 1 });
    await flood.endAsync();
    await teacher.evaluate(() => window.tamsel.lesson.stepSectors(1));
    await until(near, sameView, await view(teacher));
    // The 999 and the last are dropped; the one past the limit never came.
    assert.equal(await near.evaluate(() => window.tamsel.room.dropped()) - before, 1000);
    assert.deepEqual(await gallery(teacher, on), { 1: 0, ゆう: 3, 3: 0 });
    for (const page of [teacher, near, far, late])
        await page.close();
});
