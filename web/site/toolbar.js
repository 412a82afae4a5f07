// The classroom toolbar: a big button for every toolbar command of the table
// the page offers, each its icon (drawn by the core) over or beside its short label,
// placed where the core's classroom layout puts them, never over the figure.
// A checked button (the pen in use, an aid shown) is marked, one that cannot
// act is greyed; buttons of commands the page in view lacks are hidden.
import { core, $, ratio } from './app.js';
import { byId, offers, onPress, rows, run, states } from './commands.js';
import { replay } from './draw.js';

const INK = '#202020';
const GREY_INK = '#aaaaaa';
const buttons = new Map();
let iconPx = 0;

export function buildToolbar() {
    const bar = $('toolbar');
    const placed = rows.filter((r) => r.toolbar > 0 && offers(r)).sort((a, b) => a.toolbar - b.toolbar);
    for (const row of placed) {
        const button = document.createElement('button');
        button.type = 'button';
        button.className = 'tool';
        button.dataset.command = row.id;
        button.setAttribute('aria-label', row.label);
        button.title = row.tip || row.label;
        const icon = document.createElement('canvas');
        icon.setAttribute('aria-hidden', 'true');
        const label = document.createElement('span');
        label.textContent = row.shortLabel;
        button.append(icon, label);
        onPress(button, () => {
            if (!button.disabled)
                run(row.id);
        });
        // The figure's ink must not start under a finger that meant the button.
        button.addEventListener('contextmenu', (e) => e.preventDefault());
        bar.append(button);
        buttons.set(row.id, { button, icon, label, drawn: '' });
    }
}

export function placeToolbar(layout) {
    const bar = $('toolbar');
    if (!layout) {
        bar.hidden = true;
        return;
    }
    bar.hidden = false;
    bar.classList.toggle('beside', layout.iconBeside);
    bar.style.setProperty('--icon-px', `${layout.iconPx}px`);
    bar.style.setProperty('--row-px', `${layout.buttonSize[1]}px`);
    const [tx, ty, tw, th] = layout.toolbar;
    Object.assign(bar.style, { left: `${tx}px`, top: `${ty}px`, width: `${tw}px`, height: `${th}px` });
    const at = new Map(layout.buttons.map((b) => [b.id, b.rect]));
    iconPx = layout.iconPx;
    for (const [id, b] of buttons) {
        const r = at.get(id);
        b.button.hidden = !r;
        if (!r)
            continue;
        Object.assign(b.button.style, { left: `${r[0] - tx}px`, top: `${r[1] - ty}px`, width: `${r[2]}px`, height: `${r[3]}px` });
        b.icon.style.width = b.icon.style.height = `${iconPx}px`;
    }
    showToolbar();
}

// Each button's state from the lesson; icons are drawn again only when they change.
export function showToolbar() {
    if ($('toolbar').hidden)
        return;
    const now = states();
    for (const [id, b] of buttons) {
        const s = now.get(id);
        b.button.disabled = !s.enabled;
        if (s.checkable)
            b.button.setAttribute('aria-pressed', String(s.checked));
        else
            b.button.removeAttribute('aria-pressed');
        if (b.label.textContent !== s.shortLabel)
            b.label.textContent = s.shortLabel;
        const key = `${s.icon},${s.enabled},${iconPx},${ratio()}`;
        if (key !== b.drawn && !b.button.hidden) {
            b.drawn = key;
            drawIcon(b.icon, s.icon, s.enabled ? INK : GREY_INK, byId.get(id).pen ?? INK);
        }
    }
}

function drawIcon(canvas, name, ink, pen) {
    const side = Math.round(iconPx * ratio());
    canvas.width = canvas.height = side;
    const drawing = core.drawIcon(name, side, ink, pen);
    replay(canvas.getContext('2d'), drawing.calls, drawing.texts, side, side);
}
