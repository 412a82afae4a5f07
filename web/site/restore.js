// Boards of earlier visits brought back: as the lesson opens, a bar offers the
// newest with ink (前回の書き込みがあります：復元／閉じる); the menu's
// 前回の書き込みを復元 lists every kept board with its time and its pages'
// thumbnails to choose from. Which boards, and whether one may go back on the
// board, is the core's say; this module only shows them.
import { core, lesson, notify } from './app.js';
import { repaintInk, showSoon } from './draw.js';
import * as kept from './kept.js';

const when = new Intl.DateTimeFormat('ja-JP', { month: 'long', day: 'numeric', weekday: 'short', hour: '2-digit', minute: '2-digit' });

// The boards the teacher may bring back, newest first, and a line on what was skipped.
async function offered() {
    let found;
    try {
        found = await kept.list();
    } catch (error) {
        console.warn('tamsel: the kept boards could not be read:', error);
        return { boards: [], skipped: '保存された書き込みを読めません。ブラウザーの保存領域の設定を確かめてください。' };
    }
    const { boards, skipped } = found;
    kept.prune(boards).catch((error) => console.warn('tamsel: old boards could not be let go:', error));
    const byId = new Map(boards.map((b) => [b.id, b]));
    const lines = [...skipped.problems];
    if (skipped.newer)
        lines.push(`新しい版の Tamsel で保存された書き込みが ${skipped.newer} 件あり、この版では開けません。`);
    if (skipped.unreadable)
        lines.push(`読めない書き込みの記録が ${skipped.unreadable} 件あり、飛ばしました。`);
    return { boards: core.keptOffers(boards).map((id) => byId.get(id)), skipped: lines.join('') };
}

async function restore(board) {
    let bytes;
    try {
        bytes = await kept.inkOf(board.id);
    } catch {
        bytes = false; // unreadable
    }
    const problem = core.restoreBoard(lesson, bytes ?? null);
    if (problem)
        notify(problem);
    repaintInk();
    showSoon();
}

function button(text, onClick) {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = text;
    b.addEventListener('click', onClick);
    return b;
}

function dropBar() {
    document.getElementById('restoreBar')?.remove();
}

export async function offerOnOpening() {
    const [newest] = (await offered()).boards;
    if (!newest)
        return;
    const bar = document.createElement('div');
    bar.id = 'restoreBar';
    bar.setAttribute('role', 'status');
    const text = document.createElement('span');
    text.textContent = '前回の書き込みがあります：';
    const slash = document.createElement('span');
    slash.textContent = '／';
    slash.setAttribute('aria-hidden', 'true');
    bar.append(text, button('復元', () => {
        dropBar();
        restore(newest);
    }), slash, button('閉じる', dropBar));
    document.body.append(bar);
}

function thumbnails(board, urls) {
    return board.thumbnails.filter(Boolean).map((png) => {
        const img = document.createElement('img');
        img.src = URL.createObjectURL(new Blob([png], { type: 'image/png' }));
        img.alt = '';
        urls.push(img.src);
        return img;
    });
}

export async function chooseBoard() {
    const { boards, skipped } = await offered();
    if (boards.length === 0) {
        // What was skipped, or the core's own line for no board at all.
        notify(skipped || core.restoreBoard(lesson, null));
        return;
    }
    dropBar();
    const box = document.createElement('div');
    box.id = 'boards';
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    box.setAttribute('aria-label', '前回の書き込みを復元');
    const returnFocus = document.activeElement;
    const urls = [];
    const close = () => {
        box.remove();
        urls.forEach((url) => URL.revokeObjectURL(url));
        if (returnFocus && document.contains(returnFocus))
            returnFocus.focus();
    };
    const title = document.createElement('h2');
    title.textContent = '前回の書き込みを復元';
    const list = document.createElement('ol');
    for (const board of boards) {
        const item = document.createElement('li');
        const choice = button(board.savedAt ? when.format(board.savedAt) : '以前の版で保存（日時不明）', () => {
            close();
            restore(board);
        });
        choice.append(...thumbnails(board, urls));
        item.append(choice);
        list.append(item);
    }
    const note = document.createElement('p');
    note.textContent = skipped;
    box.append(title, list, note, button('閉じる', close));
    // Nothing under it takes a key, a click or the ink while it is open.
    box.addEventListener('keydown', (e) => {
        e.stopPropagation();
        if (e.key === 'Escape')
            close();
    });
    box.addEventListener('pointerdown', (e) => e.stopPropagation());
    box.addEventListener('contextmenu', (e) => {
        e.preventDefault();
        e.stopPropagation();
    });
    document.body.append(box);
    list.querySelector('button').focus();
}
