// The window's controls: builds the tabs, pages, scroll bars and buttons,
// places them where the core's layout says, and shows what the lesson says
// changed (the page, a value, the pen) by asking the drawing for a frame.
import { core, lesson, ink, room, pages, pageCount, $ } from './app.js';
import { offered, states, toolbarShown } from './commands.js';
import { placeInk, repaintInk, showSoon, textMeasure } from './draw.js';
import { watchPointers } from './input.js';
import { keepSoon, storeChoices } from './keep.js';
import { placeToolbar, showToolbar } from './toolbar.js';

export function buildPages() {
    const tabs = $('tabs');
    const pane = document.createElement('div');
    pane.className = 'pane';
    tabs.prepend(pane);
    for (let page = 0; page < pageCount; ++page) {
        const row = lesson.row(page);
        const tab = document.createElement('button');
        tab.type = 'button';
        tab.setAttribute('role', 'tab');
        tab.id = `tab${page}`;
        tab.textContent = row.caption;
        tab.setAttribute('aria-controls', `page${page}`);
        tab.addEventListener('click', () => lesson.showPage(page));
        tab.hidden = !lesson.shown(page);
        $('tablist').append(tab);

        const panel = document.createElement('div');
        panel.setAttribute('role', 'tabpanel');
        panel.id = `page${page}`;
        panel.setAttribute('aria-labelledby', tab.id);
        const picture = document.createElement('div');
        picture.className = 'picture';
        const figure = document.createElement('canvas');
        figure.setAttribute('role', 'img');
        figure.setAttribute('aria-label', `${row.caption}の図`);
        picture.append(figure);
        const overlay = document.createElement('canvas');
        overlay.className = 'ink';
        overlay.setAttribute('role', 'img');
        overlay.setAttribute('aria-label', `書き込み（${row.caption}）`);
        overlay.setAttribute('aria-description', 'マウス、ペン、指で書き込めます');
        panel.append(picture, overlay);
        const p = { tab, panel, picture, figure, overlay, row, drawn: '', layout: null };
        if (row.controls.scroll) {
            p.scroll = scrollBar(page, row);
            panel.append(p.scroll);
            if (row.controls.start) {
                p.button = document.createElement('button');
                p.button.type = 'button';
                p.button.className = 'start';
                p.button.textContent = row.button;
                if (row.animates)
                    p.button.setAttribute('aria-description', '扇形の並べ替えを開始、一時停止、再開します');
                p.button.addEventListener('click', () => lesson.pressButton(page));
                panel.append(p.button);
            }
            p.label = document.createElement('output');
            p.label.className = 'value';
            p.label.setAttribute('aria-label', row.valueName);
            panel.append(p.label);
        }
        tabs.append(panel);
        watchPointers(page, overlay);
        pages.push(p);
    }
}

// A horizontal scroll bar: the arrows for the hand, the slider for the keys
// and screen readers. Its keys step as the desktop's do, one unit a page.
function scrollBar(page, row) {
    const bar = document.createElement('div');
    bar.className = 'scroll';
    const slider = document.createElement('input');
    slider.type = 'range';
    slider.min = row.min;
    slider.max = row.max;
    slider.step = 1;
    slider.setAttribute('aria-label', row.valueName);
    slider.addEventListener('input', () => lesson.setValue(page, Number(slider.value)));
    const steps = { ArrowLeft: -1, ArrowDown: -1, PageUp: -1, ArrowRight: 1, ArrowUp: 1, PageDown: 1 };
    slider.addEventListener('keydown', (e) => {
        if (e.ctrlKey || e.altKey || e.metaKey)
            return;
        const value = lesson.value(page);
        const to = e.key in steps ? value + steps[e.key] : e.key === 'Home' ? row.min : e.key === 'End' ? row.max : null;
        if (to === null)
            return;
        e.preventDefault();
        lesson.setValue(page, to);
    });
    const arrow = (text, delta) => {
        const b = document.createElement('button');
        b.type = 'button';
        b.className = 'arrow';
        b.tabIndex = -1;
        b.textContent = text;
        b.setAttribute('aria-hidden', 'true');
        b.addEventListener('click', () => lesson.setValue(page, lesson.value(page) + delta));
        return b;
    };
    bar.append(arrow('◀', -1), slider, arrow('▶', 1));
    return bar;
}

function place(element, [x, y, w, h]) {
    element.style.left = `${x}px`;
    element.style.top = `${y}px`;
    element.style.width = `${w}px`;
    element.style.height = `${h}px`;
}

// The design's layout, or with the toolbar the classroom's, its letters grown with the screen.
let classroom = false;
export function layOut() {
    const [w, h] = [window.innerWidth, window.innerHeight];
    classroom = toolbarShown();
    const layout = classroom ? core.classroomLayout(lesson, w, h, offered(), textMeasure) : core.layout(w, h);
    document.body.classList.toggle('classroom', classroom);
    const style = document.body.style;
    if (classroom) {
        style.setProperty('--label-px', `${layout.labelPx}px`);
        style.setProperty('--tab-px', `${layout.tabLabelPx}px`);
        style.setProperty('--target-px', `${layout.targetPx}px`);
    }
    placeToolbar(classroom ? layout : null);
    pages.forEach((p, page) => { p.tab.style.flex = classroom ? `0 0 ${layout.tabWidths[page]}px` : ''; });
    const [, , tw, th] = layout.tab;
    place($('tabs'), layout.tab);
    place($('tablist'), [0, 0, tw, layout.tabRow]);
    place($('tabs').querySelector('.pane'), [0, layout.tabRow, tw, Math.max(0, th - layout.tabRow)]);
    place($('clear0'), layout.clear[0]);
    place($('clear1'), layout.clear[1]);
    place($('swatch'), layout.swatch);
    pages.forEach((p, page) => {
        const l = layout.pages[page];
        p.layout = l;
        p.panel.style.left = p.panel.style.top = '0px';
        place(p.picture, l.picture);
        place(p.overlay, l.overlay);
        if (p.scroll) {
            place(p.scroll, l.scroll);
            place(p.label, l.label);
            if (p.button)
                place(p.button, l.button);
        }
    });
    showPage();
}


// A page put away ends the strokes still being drawn on it, as a hidden layer does.
let shownPage = 0;
export function showPage() {
    const current = lesson.page();
    if (current !== shownPage) {
        ink.endAll(shownPage);
        shownPage = current;
    }
    pages.forEach((p, page) => {
        const shown = page === current;
        p.panel.hidden = !shown;
        p.tab.setAttribute('aria-selected', String(shown));
        p.tab.tabIndex = shown ? 0 : -1;
    });
    placeInk(current);
    repaintInk();
    showPen();
    showStart();
    showSoon();
}

// With the toolbar the start button says what a press does: start, pause, resume.
function showStart() {
    const started = classroom ? states().get('start').shortLabel : null;
    for (const p of pages.filter((p) => p.button)) {
        const label = p.row.animates && started ? started : p.row.button;
        if (p.button.textContent !== label)
            p.button.textContent = label;
    }
}

// The toolbar's and the start button's states, once a frame.
let commandsAsked = false;
function showCommandsSoon() {
    if (commandsAsked)
        return;
    commandsAsked = true;
    requestAnimationFrame(() => {
        commandsAsked = false;
        showToolbar();
        showStart();
    });
}

export function showValue(page) {
    const p = pages[page];
    if (!p.scroll)
        return;
    const text = lesson.valueText(page);
    const slider = p.scroll.querySelector('input');
    slider.value = lesson.value(page);
    const said = `${p.row.valueDescription}${text}${p.row.valueUnit}`;
    slider.setAttribute('aria-valuetext', said);
    slider.setAttribute('aria-description', said);
    p.label.textContent = text;
}

export function showPen() {
    const page = lesson.page();
    const swatch = $('swatch');
    const shared = lesson.sharedPen();
    swatch.style.background = lesson.pen(page);
    swatch.style.setProperty('--mark', lesson.penMark(page));
    swatch.classList.toggle('shared', shared);
    swatch.setAttribute('aria-description',
        `ペンの色: ${lesson.penName(page)}${shared ? '（すべてのページで同じ色）' : ''}`);
}

let ticking = null;
export function follow(change, page) {
    showCommandsSoon();
    switch (change) {
    case core.Change.Page:
        // The toolbar shows the page's own buttons.
        if (classroom)
            layOut();
        else
            showPage();
        break;
    case core.Change.Toolbar:
        layOut();
        storeChoices();
        break;
    case core.Change.Value:
        showValue(page);
        showSoon();
        break;
    case core.Change.Running:
        clearInterval(ticking);
        // A pupil following the teacher takes the teacher's steps instead.
        ticking = lesson.running() && room.drivesClock() ? setInterval(() => lesson.tick(), core.tickMs) : null;
        break;
    case core.Change.Weight:
    case core.Change.Pen:
    case core.Change.Lengths:
    case core.Change.SharedPen:
    case core.Change.Grid:
    case core.Change.Squares:
        showPen();
        storeChoices();
        showSoon();
        break;
    case core.Change.Ink:
        keepSoon(page);
        showSoon();
        break;
    case core.Change.Pages:
        pages[page].tab.hidden = !lesson.shown(page);
        if (classroom)
            layOut();
        storeChoices();
        break;
    case core.Change.Layout:
        if (pages[page].button)
            pages[page].button.disabled = !core.canStart(lesson);
        // 「もとにもどす」 has a button only by hand.
        if (classroom && page === lesson.page())
            layOut();
        showSoon();
        break;
    default:
        showSoon();
    }
}

