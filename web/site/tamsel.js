// The start: makes the core, builds the page and shows the first picture.
// The modules: app (the core and what they share), draw (replays the core's
// drawing), controls (builds and places the page's controls), input (pointers,
// holds, keys), menu (the page menu, the help, the notice), keep (the board
// and the choices between visits), paper (images and printing), class and
// gallery (the class on its own devices, through an MQTT broker).
import createCore from './tamsel-core.js';
import { core, lesson, ink, room, pages, pageCount, $, FACE, useCore } from './app.js';
import { join, leave, share, watchClass } from './class.js';
import { buildPages, follow, layOut, showValue } from './controls.js';
import { frame, measureTextHere, showSoon } from './draw.js';
import { watchInput } from './input.js';
import { stored, readChoices, watchLeaving } from './keep.js';
import { buildHelp, buildMenu } from './menu.js';
import { watchPrinting } from './paper.js';

useCore(await createCore());
performance.mark('tamsel-core-ready');
measureTextHere();
watchInput();
watchLeaving();
watchPrinting();

buildHelp();
buildPages();
buildMenu();
watchClass();
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
layOut();
// The first picture is drawn now, so the browser's first paint shows it.
frame();
// The aids' face is not needed for the first picture; it loads after it.
requestAnimationFrame(() => document.fonts.load(`16px ${FACE}`).then(() => {
    core.forgetTextMeasures();
    pages.forEach((p) => { p.drawn = ''; });
    showSoon();
}));
// The worker waits for the page's own loading; the module may finish after it.
if ('serviceWorker' in navigator && window.isSecureContext) {
    const register = () => navigator.serviceWorker.register('sw.js');
    if (document.readyState === 'complete')
        register();
    else
        window.addEventListener('load', register);
}
// The board's store opens early, so a save as the page goes away is quick.
stored.open().catch(() => {});
// For the browser tests and the benchmarks: the lesson as the page drives it,
// and the work of one frame, done at once.
window.tamsel = { core, lesson, ink, room, share, join, leave, pages, frame, ready: true };
