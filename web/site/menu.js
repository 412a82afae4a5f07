// The page menu (a right click, a held finger or pen, the menu key), the help
// and the one-line notice. The menu's items only call the lesson's commands
// or the other modules' actions; what they mark comes from the lesson.
import { core, lesson, pages, $, NOTICE_MS } from './app.js';
import { restoreLast } from './keep.js';
import { printCutOut, printPage, saveImage } from './paper.js';

const NOTICE_MARGIN_PX = 4;

const menu = $('menu');
let noticeAt = null;

export function buildMenu() {
    const weights = $('weights');
    core.weights().forEach((w, i) => {
        const item = menuItem(`${w.name}(<u>${w.mnemonic}</u>)`, 'menuitemradio', w.mnemonic,
            () => lesson.setWeight(w.factor), i === 0 ? 'Ctrl+0' : '');
        item.dataset.weight = w.factor;
        weights.insertBefore(item, weights.querySelector('.separator'));
    });
    core.pens().forEach((pen, i) => {
        const item = menuItem(`<span class="dot" style="background:${pen.colour}"></span>${pen.name}(<u>${pen.mnemonic}</u>)`,
            'menuitemradio', pen.mnemonic, () => lesson.setPen(lesson.page(), pen.colour), String(i + 1));
        item.dataset.pen = pen.colour;
        $('pens').append(item);
    });
    // A radius chosen is a radius to see.
    for (const cm of core.radiiCm()) {
        const item = menuItem(`${cm} cm`, 'menuitemradio', '', () => {
            lesson.setRadiusCm(cm);
            lesson.setRealLengths(true);
        });
        item.dataset.radius = cm;
        $('radii').append(item);
    }
    const separator = document.createElement('div');
    separator.className = 'separator';
    separator.setAttribute('role', 'separator');
    const shared = menuItem('すべてのページで同じ色(<u>A</u>)', 'menuitemcheckbox', 'A',
        () => lesson.setSharedPen(!lesson.sharedPen()));
    shared.id = 'sharedPenItem';
    $('pens').append(separator, shared);
    const actions = {
        heavier: () => lesson.heavier(),
        lighter: () => lesson.lighter(),
        aids: () => lesson.toggleAids(),
        lengths: () => lesson.toggleRealLengths(),
        grid: () => lesson.toggleGrid(),
        squares: () => lesson.toggleSquares(),
        fullScreen: () => toggleFullScreen(),
        saveImage: () => saveImage(),
        print: () => printPage(),
        printCutOut: () => printCutOut(),
        restore: () => restoreLast(),
        help: () => openHelp(),
    };
    for (const item of menu.querySelectorAll('[data-action]'))
        item.onActivate = actions[item.dataset.action];
    for (const item of menu.querySelectorAll('.item')) {
        item.tabIndex = -1;
        item.addEventListener('click', (e) => {
            e.stopPropagation();
            activate(item);
        });
        item.addEventListener('pointerenter', () => {
            item.focus();
            openSubmenu(item.classList.contains('submenu') ? item : null, item.parentElement);
        });
    }
    menu.addEventListener('keydown', menuKey);
    document.addEventListener('pointerdown', (e) => {
        if (!menu.hidden && !menu.contains(e.target))
            closeMenu();
    }, true);
    window.addEventListener('blur', closeMenu);
    document.addEventListener('contextmenu', (e) => {
        e.preventDefault();
        if (menu.hidden && $('help').hidden)
            openMenu(e.clientX, e.clientY);
    });
}

function menuItem(html, role, mnemonic, onActivate, shortcut) {
    const item = document.createElement('div');
    item.className = 'item';
    item.setAttribute('role', role);
    item.dataset.key = mnemonic;
    item.innerHTML = `<span>${html}</span>` + (shortcut ? `<kbd>${shortcut}</kbd>` : '');
    item.onActivate = onActivate;
    return item;
}

function activate(item) {
    if (item.getAttribute('aria-disabled') === 'true')
        return;
    if (item.classList.contains('submenu')) {
        openSubmenu(item, item.parentElement);
        item.querySelector('.item').focus();
        return;
    }
    closeMenu();
    item.onActivate?.();
}

function openSubmenu(item, within) {
    for (const open of within.querySelectorAll(':scope > .submenu.open'))
        if (open !== item)
            open.classList.remove('open');
    item?.classList.add('open');
}

function itemsOf(list) {
    return [...list.children].filter((c) => c.classList.contains('item'));
}

function menuKey(e) {
    const item = document.activeElement.closest('.item');
    const list = item ? item.parentElement : menu;
    const items = itemsOf(list);
    const at = items.indexOf(item);
    const focus = (i) => items[(i + items.length) % items.length].focus();
    const moves = {
        ArrowDown: () => focus(at + 1),
        ArrowUp: () => focus(at - 1),
        Home: () => focus(0),
        End: () => focus(-1),
        ArrowRight: () => item?.classList.contains('submenu') && activate(item),
        ArrowLeft: () => {
            if (list === menu)
                return;
            const parent = list.parentElement;
            parent.classList.remove('open');
            parent.focus();
        },
        Escape: () => closeMenu(),
        Tab: () => closeMenu(),
        Enter: () => item && activate(item),
        ' ': () => item && activate(item),
    };
    const mnemonic = items.find((i) => i.dataset.key?.toLowerCase() === e.key.toLowerCase());
    const move = moves[e.key] ?? (mnemonic && !e.ctrlKey ? () => activate(mnemonic) : null);
    if (!move)
        return;
    e.preventDefault();
    move();
}

// Marks the weight, the pen, the aids, the lengths and full screen as they are, then opens.
export function openMenu(x, y) {
    const page = lesson.page();
    for (const item of menu.querySelectorAll('[data-weight]'))
        item.setAttribute('aria-checked', String(Number(item.dataset.weight) === lesson.weight()));
    for (const item of menu.querySelectorAll('[data-pen]'))
        item.setAttribute('aria-checked', String(item.dataset.pen === lesson.pen(page)));
    $('aidsItem').setAttribute('aria-checked', String(lesson.aidsShown(page)));
    $('sharedPenItem').setAttribute('aria-checked', String(lesson.sharedPen()));
    $('aidsItem').setAttribute('aria-disabled', String(!lesson.hasAids(page)));
    $('lengthsItem').setAttribute('aria-checked', String(lesson.realLengths()));
    for (const item of menu.querySelectorAll('[data-radius]'))
        item.setAttribute('aria-checked', String(Number(item.dataset.radius) === lesson.radiusCm()));
    $('gridItem').setAttribute('aria-checked', String(lesson.gridShown()));
    $('gridItem').setAttribute('aria-disabled', String(!lesson.hasGrid(page)));
    $('squaresItem').setAttribute('aria-checked', String(lesson.squaresShown()));
    $('squaresItem').setAttribute('aria-disabled', String(!lesson.hasSquares(page)));
    $('fullScreenItem').setAttribute('aria-checked', String(Boolean(document.fullscreenElement)));
    for (const open of menu.querySelectorAll('.open'))
        open.classList.remove('open');
    menu.returnFocus = document.activeElement;
    menu.hidden = false;
    const w = menu.offsetWidth, h = menu.offsetHeight;
    const left = Math.max(0, Math.min(x, window.innerWidth - w));
    const top = Math.max(0, Math.min(y, window.innerHeight - h));
    menu.style.left = `${left}px`;
    menu.style.top = `${top}px`;
    noticeAt = [left, top];
    itemsOf(menu)[0].focus();
}

export function openMenuOnPicture() {
    const r = pages[lesson.page()].picture.getBoundingClientRect();
    openMenu(r.left + r.width / 2, r.top + r.height / 2);
}

export function closeMenu() {
    if (menu.hidden)
        return;
    menu.hidden = true;
    const back = menu.returnFocus;
    if (back && back !== document.body && document.contains(back))
        back.focus();
}

export function buildHelp() {
    const help = core.helpText();
    const title = document.createElement('h2');
    title.textContent = help.title;
    const list = document.createElement('dl');
    for (const [what, how] of help.lines) {
        const dt = document.createElement('dt');
        dt.textContent = what;
        const dd = document.createElement('dd');
        dd.textContent = how;
        list.append(dt, dd);
    }
    const closing = document.createElement('p');
    closing.textContent = help.closing;
    const box = $('help');
    box.setAttribute('aria-label', help.title);
    box.append(title, list, closing);
    // The click that closes it reaches nothing under it, the ink least of all.
    box.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        e.stopPropagation();
    });
    box.addEventListener('pointerup', (e) => {
        e.stopPropagation();
        closeHelp();
    });
    box.addEventListener('contextmenu', (e) => {
        e.preventDefault();
        e.stopPropagation();
    });
    $('swatch').title = help.tips.swatch;
    $('clear0').title = help.tips.clear;
    $('clear1').title = help.tips.clear;
}

export function openHelp() {
    const box = $('help');
    if (!box.hidden)
        return;
    box.returnFocus = document.activeElement;
    box.hidden = false;
    box.focus();
}

export function closeHelp() {
    const box = $('help');
    if (box.hidden)
        return;
    box.hidden = true;
    const back = box.returnFocus;
    if (back && back !== document.body && document.contains(back))
        back.focus();
}

// One line where the menu last opened (before it ever opened, at the window's corner), for a few seconds.
let noticeTimer = null;
export function notify(line) {
    const notice = $('notice');
    notice.textContent = line;
    notice.hidden = false;
    const [x, y] = noticeAt ?? [NOTICE_MARGIN_PX, NOTICE_MARGIN_PX];
    notice.style.left = `${x}px`;
    notice.style.top = `${y}px`;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => { notice.hidden = true; }, NOTICE_MS);
}

export function toggleFullScreen() {
    const root = document.documentElement;
    if (document.fullscreenElement)
        document.exitFullscreen?.();
    else
        (root.requestFullscreen ?? root.webkitRequestFullscreen)?.call(root);
}
