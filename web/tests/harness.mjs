// What the browser tests share: a static server over the built site, Debian's
// chromium driven headless through puppeteer-core, and the desktop's --export.
import { after, before } from 'node:test';
import { execFile, spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import puppeteer from 'puppeteer-core';

const repo = fileURLToPath(new URL('../..', import.meta.url));
export const site = process.env.TAMSEL_SITE ?? path.join(repo, 'build/web/site');
export const desktop = process.env.TAMSEL_DESKTOP ?? path.join(repo, 'build/dev/src/desktop/tamsel');
export const DESIGN = { width: 548, height: 469 };

const types = {
    '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
    '.woff2': 'font/woff2', '.png': 'image/png', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json',
    '.txt': 'text/plain',
};

// Serves `root` on a free port of localhost; extra files (references) under /ref/.
// Options: `headers` (more response headers), `refuse(url)` (true answers 404),
// `delay(url)` (milliseconds before answering), `precompressed` (a file's .br
// or .gz beside it when the browser takes it).
// `root` can be changed while it runs, as a server given a new build.
export async function serve(root = site, extra = {}, options = {}) {
    const served = { root };
    const server = http.createServer((req, res) => {
        const url = decodeURIComponent(new URL(req.url, 'http://x').pathname);
        const file = url.startsWith('/ref/') ? extra[url.slice(5)]
            : path.join(served.root, url.endsWith('/') ? `${url}index.html` : url);
        if (!file || !file.startsWith(url.startsWith('/ref/') ? '/' : served.root) || !fs.existsSync(file) ||
            options.refuse?.(url)) {
            res.writeHead(404).end();
            return;
        }
        const headers = { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream', ...options.headers };
        const accepts = req.headers['accept-encoding'] ?? '';
        const packed = options.precompressed && [['br', '.br'], ['gzip', '.gz']]
            .find(([coding, ext]) => accepts.includes(coding) && fs.existsSync(file + ext));
        if (packed) {
            headers['Content-Encoding'] = packed[0];
            headers.Vary = 'Accept-Encoding';
        }
        setTimeout(() => {
            res.writeHead(200, headers);
            fs.createReadStream(packed ? file + packed[1] : file).pipe(res);
        }, options.delay?.(url) ?? 0);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {
        url: `http://localhost:${server.address().port}/`,
        setRoot: (to) => { served.root = to; },
        close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
    };
}

export async function launch() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        protocolTimeout: 60000,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`],
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        fs.rmSync(profile, { recursive: true, force: true });
    };
    return browser;
}

// A page of the lesson at this viewport, its first frame drawn.
export async function open(browser, url, viewport = DESIGN) {
    const page = await browser.newPage();
    await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
    await page.goto(url);
    await page.waitForFunction(() => window.tamsel?.ready);
    await settle(page);
    return page;
}

// Two frames: whatever the lesson changed is on the canvas.
export function settle(page) {
    return page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
}

// The desktop's picture of a view, as a PNG file.
export async function exportView(file, { page = 0, id, value, step, size = '526x370', weight = 1, aids = false, figure, second, layout, ...more }) {
    const args = ['--export', file, '--page', id ?? String(page), '--size', size, '--weight', String(weight)];
    if (figure !== undefined)
        args.push('--figure', figure);
    if (second !== undefined)
        args.push('--second', String(second));
    if (layout)
        args.push('--layout', layout);
    if (value !== undefined)
        args.push('--value', String(value));
    if (step !== undefined)
        args.push('--step', String(step));
    if (aids)
        args.push('--aids');
    for (const option of ['grid', 'squares', 'quarter', 'diameter'].filter((o) => more[o]))
        args.push(`--${option}`);
    if (more.formula)
        args.push('--formula', String(more.formula));
    await promisify(execFile)(desktop, args, { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
    return file;
}

// How far a page's figure lies from the desktop's picture of the same view.
// Both are blurred 3 × 3 first, so anti-aliasing that spreads a line over its
// neighbours counts for little while a line in another place counts in full.
// `shift` moves the page's picture by whole pixels first (to show the rule
// catching a figure out of place); `within` [x, y, w, h] counts only the
// pixels there. Gives the largest channel difference and how many pixels
// differ by more than `loose`.
export function compareFigure(page, selector, referenceUrl, { shift = [0, 0], loose = 48, within } = {}) {
    return page.evaluate(async (selector, referenceUrl, shift, loose, within) => {
        const canvas = document.querySelector(selector);
        const reference = new Image();
        reference.src = referenceUrl;
        await reference.decode();
        const read = (source, dx, dy) => {
            const c = document.createElement('canvas');
            c.width = canvas.width;
            c.height = canvas.height;
            const ctx = c.getContext('2d');
            ctx.fillStyle = '#000';
            ctx.fillRect(0, 0, c.width, c.height);
            ctx.drawImage(source, dx, dy);
            return ctx.getImageData(0, 0, c.width, c.height).data;
        };
        const w = canvas.width, h = canvas.height;
        if (reference.width !== w || reference.height !== h)
            return { size: [w, h, reference.width, reference.height] };
        const blur = (data) => {
            const out = new Float32Array(w * h * 3);
            for (let y = 0; y < h; ++y)
                for (let x = 0; x < w; ++x)
                    for (let ch = 0; ch < 3; ++ch) {
                        let sum = 0, n = 0;
                        for (let j = Math.max(0, y - 1); j <= Math.min(h - 1, y + 1); ++j)
                            for (let i = Math.max(0, x - 1); i <= Math.min(w - 1, x + 1); ++i, ++n)
                                sum += data[(j * w + i) * 4 + ch];
                        out[(y * w + x) * 3 + ch] = sum / n;
                    }
            return out;
        };
        const raw = read(reference, 0, 0);
        const a = blur(read(canvas, shift[0], shift[1])), b = blur(raw);
        let largest = 0, over = 0, edges = 0;
        const [left, top, width, height] = within ?? [0, 0, w, h];
        for (let p = 0; p < w * h; ++p) {
            const x = p % w, y = Math.floor(p / w);
            if (x < left || y < top || x >= left + width || y >= top + height)
                continue;
            let d = 0, edge = 0;
            for (let ch = 0; ch < 3; ++ch) {
                d = Math.max(d, Math.abs(a[p * 3 + ch] - b[p * 3 + ch]));
                edge = Math.max(edge, Math.abs(b[p * 3 + ch] - raw[p * 4 + ch]));
            }
            largest = Math.max(largest, d);
            if (d > loose)
                ++over;
            if (edge > loose)
                ++edges;
        }
        return { largest: Math.round(largest), over, edges, share: over / Math.max(1, edges) };
    }, selector, referenceUrl, shift, loose, within);
}

// A file's server and browser, started before its tests and closed after them.
export function useSite(extra) {
    const web = {};
    before(async () => {
        web.server = await serve(undefined, extra);
        web.browser = await launch();
    });
    after(async () => {
        await web.browser?.close();
        await web.server?.close();
    });
    return web;
}

// The class's broker from the project's configuration, on free ports of
// 127.0.0.1, in a folder of its own; `restart` keeps its retained messages.
export async function startBroker(password = 'kyoushitsu') {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tamsel-broker-'));
    // Four ports at once, so none is handed out twice.
    const probes = await Promise.all([0, 1, 2, 3].map(() => new Promise((resolve) => {
        const probe = net.createServer();
        probe.listen(0, '127.0.0.1', () => resolve(probe));
    })));
    const ports = probes.map((probe) => probe.address().port);
    await Promise.all(probes.map((probe) => new Promise((resolve) => probe.close(resolve))));
    const [pupilMqtt, pupilWs, teacherMqtt, teacherWs] = ports;
    let child = null;
    const start = async () => {
        child = spawn(path.join(repo, 'scripts/class-broker.sh'), [dir, ...ports.map(String)],
            { env: { ...process.env, TAMSEL_TEACHER_PASSWORD: password }, stdio: 'ignore' });
        for (const port of ports)
            await waitForPort(port);
    };
    const stop = async () => {
        const exited = new Promise((resolve) => child.once('exit', resolve));
        child.kill('SIGTERM');
        await exited;
    };
    await start();
    return {
        password, pupilMqtt, teacherMqtt,
        pupils: `ws://127.0.0.1:${pupilWs}/`, teachers: `ws://127.0.0.1:${teacherWs}/`,
        stop, restart: async () => { await stop(); await start(); },
        close: async () => { await stop(); fs.rmSync(dir, { recursive: true, force: true }); },
    };
}

async function waitForPort(port) {
    for (;;) {
        const open = await new Promise((resolve) => {
            const socket = net.connect(port, '127.0.0.1', () => { socket.end(); resolve(true); });
            socket.on('error', () => resolve(false));
        });
        if (open)
            return;
        await new Promise((resolve) => setTimeout(resolve, 20));
    }
}
