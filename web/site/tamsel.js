// The start: makes the core, checks that every file is of one build, builds
// the page and shows the first picture; what that picture does not need loads
// after it. The modules: app (the core and what they share, the notice),
// commands (the command table, its handlers and keys), draw (replays the
// core's drawing), controls (builds and places the page's controls), toolbar
// (the classroom toolbar), input (pointers, holds, keys), keep (the board and
// the choices between visits) with kept (the kept boards in IndexedDB) and
// restore (the restore bar and chooser), menu (the page menu and the help),
// paper (images, thumbnails and printing), and class with gallery (the class
// on its own devices through an MQTT broker, loaded when a class is shared or
// joined). index.html starts the module's download and compilation before any of them.
import createCore from './tamsel-core.js';
import { core, lesson, ink, room, pages, pageCount, $, BUILD, FACE, useCore, noticeFrom, notify } from './app.js';
import { buildPages, follow, layOut, showValue } from './controls.js';
import { initCommands, later as loadModule, loadLater } from './commands.js';
import { forgetDrawn, frame, measureTextHere } from './draw.js';
import { watchInput } from './input.js';
import { buildToolbar } from './toolbar.js';
import { readChoices, savedCount, startKeeping, watchLeaving } from './keep.js';

// Missing when the page was not this build's index.html: the module then loads as it can.
const boot = self.tamselBoot;
const failed = boot?.failed ?? ((reason) => console.error('tamsel:', reason));
const RELOADED_KEY = 'tamsel/reloadedFor';
const HINT_INSET_PX = 8;

function makeCore() {
    if (!boot)
        return createCore();
    return createCore({
        instantiateWasm(imports, receive) {
            boot.wasm.then((module) => WebAssembly.instantiate(module, imports))
                .then((instance) => receive(instance), (error) => failed(error.message ?? error));
            return {};
        },
    });
}

// The build each kind of file says it is of, the style's once it has arrived.
async function builds() {
    const link = document.querySelector('link[rel="stylesheet"]');
    if (link && !link.sheet) {
        await new Promise((resolve) => {
            link.addEventListener('load', resolve, { once: true });
            link.addEventListener('error', resolve, { once: true });
        });
    }
    const style = getComputedStyle(document.documentElement).getPropertyValue('--tamsel-build');
    return { page: boot?.build, scripts: BUILD, style: style.replace(/["'\s]/g, ''), module: core.build() };
}

// Files of two builds: once, the page is fetched again past the browser's
// cache and reloaded, which brings the matching set; after that the teacher is told.
async function mixed(seen) {
    let tried = true;
    try {
        tried = sessionStorage.getItem(RELOADED_KEY) === BUILD;
        sessionStorage.setItem(RELOADED_KEY, BUILD);
    } catch {
        // No session storage: no reload that could repeat.
    }
    if (!tried) {
        await fetch('./', { cache: 'reload' }).catch(() => {});
        location.reload();
        return;
    }
    // No style at all is the server's, not two builds'.
    failed(`builds: ${JSON.stringify(seen)}`, seen.style !== '');
}

useCore(await makeCore());
performance.mark('tamsel-core-ready');
const seen = await builds();
if (new Set(Object.values(seen)).size !== 1) {
    await mixed(seen);
} else {
    measureTextHere();
    initCommands();
    watchInput();
    watchLeaving();
    buildPages();
    buildToolbar();
    readChoices();
    lesson.listen(follow);

    for (let page = 0; page < pageCount; ++page)
        showValue(page);
    $('clear0').addEventListener('click', () => lesson.clearInk());
    $('clear1').addEventListener('click', () => lesson.clearInk());
    $('swatch').addEventListener('click', () => lesson.cyclePen());
    // A new window size pauses the animation and keeps its step, as on the desktop.
    window.addEventListener('resize', () => {
        lesson.pause();
        layOut();
    });
    // Shown only now, placed: until the first picture nothing stands where the layout has not put it.
    $('window').hidden = false;
    layOut();
    // The first picture is drawn now, so the browser's first paint shows it.
    frame();
    hintOnce();
    await later();
    // For the browser tests and the benchmarks: the lesson as the page drives it,
    // the work of one frame, done at once, and how many saves have landed.
    const inClass = (name) => (...args) => new Promise((r) => loadModule('class', r)).then((c) => c[name](...args));
    window.tamsel = { core, lesson, ink, room, pages, frame, saves: savedCount, ready: true,
        share: inClass('share'), join: inClass('join'), leave: inClass('leave') };
}

// Once, at the first visit, over the figure's corner for a few seconds: where the menu and the help are.
function hintOnce() {
    if (lesson.hintSeen())
        return;
    const r = pages[lesson.page()].picture.getBoundingClientRect();
    noticeFrom(r.left + HINT_INSET_PX, r.top + HINT_INSET_PX);
    $('notice').style.maxWidth = `${Math.max(0, r.width - 2 * HINT_INSET_PX)}px`;
    notify(core.firstStartHint());
    lesson.noteHintSeen();
}

// What the first picture does not need: the aids' face, the menu and help,
// paper, the kept boards, the worker that keeps the lesson offline.
async function later() {
    requestAnimationFrame(() => document.fonts.load(`16px ${FACE}`).then(() => {
        core.forgetTextMeasures();
        forgetDrawn();
    }));
    await loadLater();
    // Opened from a class's QR code: the pupil only gives a name.
    const joining = new URL(location.href).searchParams.get('class');
    if (joining !== null)
        loadModule('class', (c) => c.askJoin(joining));
    startKeeping().catch((error) => console.warn('tamsel: the kept boards cannot be offered:', error));
    // The worker waits for the page's own loading; the module may finish after it.
    if ('serviceWorker' in navigator && window.isSecureContext) {
        const register = () => navigator.serviceWorker.register('sw.js');
        if (document.readyState === 'complete')
            register();
        else
            window.addEventListener('load', register);
    }
}
