// The page menu (a right click, a held finger or pen, the menu key, the
// toolbar's menu button) and the help, both made from the command table.
// The menu's items only run commands; what they mark comes from the lesson.
import { core, lesson, pages, $, noticeFrom } from './app.js';
import { offered, offers, onPress, rows, run, states } from './commands.js';
import { replay } from './draw.js';

const menu = $('menu');

// Neither is needed for the first picture: they are built once loaded (input.js).
export function init() {
    buildHelp();
    buildMenu();
}

// The menu's lists as the table places its rows, submenus within their items;
// the page menu is the list no row opens.
function buildMenu() {
    const opened = new Set(rows.map((r) => r.opens));
    fill(menu, rows.find((r) => r.menu && !opened.has(r.menu)).menu);
    for (const item of menu.querySelectorAll('.item')) {
        item.tabIndex = -1;
        onPress(item, (e) => {
            e.stopPropagation();
            activate(item);
        });
        // A finger opens a submenu by its tap alone: one opened as it arrived could lie under it.
        item.addEventListener('pointerenter', (e) => {
            if (e.pointerType !== 'mouse')
                return;
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
}

function fill(list, which) {
    let section = null;
    for (const row of rows.filter((r) => r.menu === which && offers(r))) {
        if (section !== null && row.section !== section) {
            const separator = document.createElement('div');
            separator.className = 'separator';
            separator.setAttribute('role', 'separator');
            list.append(separator);
        }
        section = row.section;
        const label = row.label.replace(/…$/, '');
        const access = row.mnemonic ? `(<u>${row.mnemonic}</u>)` : '';
        const dot = row.pen ? `<span class="dot" style="background:${row.pen}"></span>` : '';
        const item = menuItem(`${dot}${escape(label)}${access}${row.label.endsWith('…') ? '…' : ''}`,
            row.opens ? 'menuitem' : 'menuitemcheckbox', row.mnemonic, () => run(row.id), row.keyText[0] ?? '');
        item.dataset.command = row.id;
        if (row.opens) {
            item.classList.add('submenu');
            item.setAttribute('aria-haspopup', 'menu');
            const sub = document.createElement('div');
            sub.className = 'menu';
            sub.setAttribute('role', 'menu');
            sub.setAttribute('aria-label', row.label);
            fill(sub, row.opens);
            item.append(sub);
        }
        list.append(item);
    }
}

const escape = (text) => text.replace(/[&<>]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;' })[c]);

// A right click where no menu or help is open.
export function openMenuAt(x, y) {
    if (menu.hidden && $('help').hidden)
        openMenu(x, y);
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
    if (!item || item.classList.contains('open'))
        return;
    item.classList.add('open');
    // Beside its item where it fits, else on its other side, else over the menu: all of it on the screen.
    const sub = item.querySelector(':scope > .menu');
    const at = item.getBoundingClientRect();
    sub.style.position = 'fixed';
    const [w, h] = [sub.offsetWidth, sub.offsetHeight];
    const left = at.right + w <= innerWidth ? at.right : at.left - w >= 0 ? at.left - w : Math.max(0, innerWidth - w);
    sub.style.left = `${left}px`;
    sub.style.top = `${Math.max(0, Math.min(at.top, innerHeight - h))}px`;
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

// Marks every item as the lesson has it, then opens.
export function openMenu(x, y) {
    const now = states();
    for (const item of menu.querySelectorAll('[data-command]')) {
        const s = now.get(item.dataset.command);
        if (item.classList.contains('submenu'))
            continue;
        item.setAttribute('role', s.checkable ? 'menuitemcheckbox' : 'menuitem');
        if (s.checkable)
            item.setAttribute('aria-checked', String(s.checked));
        else
            item.removeAttribute('aria-checked');
        item.setAttribute('aria-disabled', String(!s.enabled));
    }
    for (const open of menu.querySelectorAll('.open'))
        open.classList.remove('open');
    menu.returnFocus = document.activeElement;
    menu.hidden = false;
    const w = menu.offsetWidth, h = menu.offsetHeight;
    const left = Math.max(0, Math.min(x, window.innerWidth - w));
    const top = Math.max(0, Math.min(y, window.innerHeight - h));
    menu.style.left = `${left}px`;
    menu.style.top = `${top}px`;
    noticeFrom(left, top);
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

// Every command the page offers, by the pages that have it, with its
// button's icon, its label and its keys.
function buildHelp() {
    const help = core.helpText();
    const title = document.createElement('h2');
    title.textContent = help.title;
    const columns = document.createElement('div');
    columns.className = 'columns';
    for (const section of core.commandHelp(lesson, offered())) {
        const heading = document.createElement('h3');
        heading.textContent = section.title;
        const list = document.createElement('dl');
        for (const [icon, label, keys] of section.lines) {
            const dt = document.createElement('dt');
            if (core.hasIcon(icon)) {
                const canvas = document.createElement('canvas');
                canvas.className = 'icon';
                drawHelpIcon(canvas, icon);
                dt.append(canvas);
            }
            dt.append(label);
            const dd = document.createElement('dd');
            dd.textContent = keys;
            list.append(dt, dd);
        }
        columns.append(heading, list);
    }
    const closing = document.createElement('p');
    closing.textContent = help.closing;
    const box = $('help');
    box.setAttribute('aria-label', help.title);
    box.append(title, columns, closing);
    // The click that closes it reaches nothing under it, the ink least of all.
    // A tap closes it; a finger that moves on scrolls a long help on a small screen.
    let down = null;
    box.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        e.stopPropagation();
        down = [e.clientX, e.clientY];
    });
    box.addEventListener('pointerup', (e) => {
        e.stopPropagation();
        if (!down || Math.hypot(e.clientX - down[0], e.clientY - down[1]) <= core.timings().holdStillPx)
            closeHelp();
        down = null;
    });
    box.addEventListener('pointercancel', () => { down = null; });
    box.addEventListener('contextmenu', (e) => {
        e.preventDefault();
        e.stopPropagation();
    });
    $('swatch').title = help.tips.swatch;
    for (const p of pages.filter((p) => p.button))
        p.button.title = p.row.animates ? help.tips.start : help.tips.next;
    $('clear0').title = help.tips.clear;
    $('clear1').title = help.tips.clear;
}

// Drawn large and shown at the letters' size, so it stays sharp as the help grows.
const HELP_ICON_PX = 96;
function drawHelpIcon(canvas, icon) {
    canvas.width = canvas.height = HELP_ICON_PX;
    const drawing = core.drawIcon(icon, HELP_ICON_PX, '#202020', '#ffff00');
    replay(canvas.getContext('2d'), drawing.calls, drawing.texts, HELP_ICON_PX, HELP_ICON_PX);
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
