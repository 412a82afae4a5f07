// みんなの考え: every pupil's board as it changes, small, for the teacher to
// open one full size on the projector or two side by side. Each is drawn
// from the pupil's lesson in the core, the figure as on the board, the ink over it.
import { core, room, $ } from './app.js';
import { run } from './commands.js';
import { replay } from './draw.js';

const THUMB = { width: 264, height: 186 };
const MOST_OPEN = 2;
const NAME_ROW_PX = 24;

const gallery = $('gallery');
let open = [];
let cards = new Map();
let drawAsked = false;

function drawBoard(canvas, index, width, height) {
    const lesson = room.pupilLesson(index);
    if (!lesson)
        return;
    const page = lesson.page();
    canvas.width = width;
    canvas.height = height;
    const ctx = canvas.getContext('2d');
    const drawing = core.drawPage(lesson, page, width, height, false);
    replay(ctx, drawing.calls, drawing.texts, width, height);
    const pixels = core.boardInk(lesson, page, width, height);
    if (pixels.length !== width * height * 4)
        return;
    const ink = document.createElement('canvas');
    ink.width = width;
    ink.height = height;
    ink.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(pixels.buffer), width, height), 0, 0);
    ctx.drawImage(ink, 0, 0);
}

function button(text, action) {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = text;
    b.addEventListener('click', action);
    return b;
}

function build() {
    gallery.replaceChildren();
    cards = new Map();
    const bar = document.createElement('div');
    bar.className = 'bar';
    const title = document.createElement('h2');
    title.textContent = `みんなの考え（${room.pupilCount()}人）`;
    bar.append(title);
    if (open.length)
        bar.append(button('一覧に戻る', () => { open = []; build(); }));
    bar.append(
        button('全員の書き込みを消す', () => run('class.clearBoards')),
        button('閉じる', closeGallery));
    const grid = document.createElement('div');
    grid.className = open.length ? `boards open${open.length}` : 'boards';
    const shown = open.length ? open : [...Array(room.pupilCount()).keys()].map((i) => room.pupilIdAt(i));
    for (const id of shown) {
        const card = document.createElement('figure');
        const canvas = document.createElement('canvas');
        const name = document.createElement('figcaption');
        card.append(canvas, name);
        card.tabIndex = 0;
        card.addEventListener('click', () => choose(id));
        grid.append(card);
        cards.set(id, { canvas, name });
    }
    gallery.append(bar, grid);
    drawAll(true);
}

// A board picked joins those open (at most two); picked again, it closes.
function choose(id) {
    if (open.includes(id))
        open = open.filter((o) => o !== id);
    else
        open = [...open, id].slice(-MOST_OPEN);
    build();
}

function drawAll(every) {
    const area = gallery.querySelector('.boards');
    for (let i = 0; i < room.pupilCount(); ++i) {
        const card = cards.get(room.pupilIdAt(i));
        const news = room.pupilNews(i);
        if (!card || (!every && !news))
            continue;
        card.name.textContent = room.pupilName(i);
        const size = open.length
            ? { width: Math.floor(area.clientWidth / open.length) - 8, height: area.clientHeight - NAME_ROW_PX }
            : THUMB;
        drawBoard(card.canvas, i, Math.max(1, size.width), Math.max(1, size.height));
    }
}

export function openGallery() {
    gallery.hidden = false;
    build();
}

export function closeGallery() {
    gallery.hidden = true;
    gallery.replaceChildren();
    open = [];
}

// A board came, changed or left: drawn again at the next frame.
export function showPupils() {
    if (gallery.hidden || drawAsked)
        return;
    drawAsked = true;
    requestAnimationFrame(() => {
        drawAsked = false;
        const ids = [...Array(room.pupilCount()).keys()].map((i) => room.pupilIdAt(i));
        open = open.filter((id) => ids.includes(id));
        const listed = [...cards.keys()];
        if (open.length ? listed.some((id) => !ids.includes(id)) : listed.join() !== ids.join())
            build();
        else
            drawAll(false);
    });
}
