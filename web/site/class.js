// The class on its own devices. 「授業を共有」 makes this the teacher's device
// and shows a class code with a QR code of this page's address; a pupil opens
// that address or types the code and gives a number or a nickname. The core's
// room decides what goes to the broker and what an arriving message does;
// this module moves the bytes through npm's MQTT client, lays the teacher's
// ink under the pupil's own, and says where the class stands.
import { core, lesson, room, pages, $, notify } from './app.js';
import { follow } from './controls.js';
import { layers, paintLayer, sizeCanvas, showSoon, repaintInk } from './draw.js';
import { closeGallery, showPupils } from './gallery.js';

export { openGallery } from './gallery.js';

const ROLE = { none: 0, teacher: 1, pupil: 2 };
const EVENT = { state: 0, teacher: 1, pupils: 2, ended: 3, tooLarge: 4 };
const PUMP_MS = 25;
const RECONNECT_MS = 1000;
const CONNECT_TIMEOUT_MS = 8000;
// A pupil's session outlives a dropped network for the rest of a lesson.
const SESSION_EXPIRY_S = 2 * 60 * 60;
const QOS_AT_LEAST_ONCE = 1;
const PUPIL_PORT = 8083, TEACHER_PORT = 8084;
const KEY = { pupil: 'tamsel.class.pupil', name: 'tamsel.class.name', pupils: 'tamsel.class.broker',
    teachers: 'tamsel.class.teacherBroker', user: 'tamsel.class.user' };

// The MQTT client and the QR code come with the class's first use; the page
// waits for them before it runs any of this module.
let mqtt = null;
let renderSVG = null;
export const ready = import('./mqtt-client.js').then((library) => ({ mqtt, renderSVG } = library));

let client = null;
let pumping = null;
let state = '';
let followedInk = null;

// A pupil's id lives as long as its tab, through reloads: two tabs are two pupils.
function storage(key) {
    return key === KEY.pupil ? sessionStorage : localStorage;
}

function stored(key, fallback) {
    try {
        return storage(key).getItem(key) || fallback;
    } catch {
        return fallback;
    }
}

function keep(key, value) {
    try {
        storage(key).setItem(key, value);
    } catch {
        // Private windows may refuse; the class still runs, it is only not remembered.
    }
}

function defaultBroker(port) {
    return `${location.protocol === 'https:' ? 'wss' : 'ws'}://${location.hostname || 'localhost'}:${port}/`;
}

function randomWords() {
    const words = new Uint32Array(2);
    crypto.getRandomValues(words);
    return [words[0], words[1]];
}

// The pupils' address of this page, with the class and its broker.
export function classAddress(code, pupilsBroker) {
    const url = new URL(location.href);
    url.search = '';
    url.hash = '';
    url.searchParams.set('class', code);
    url.searchParams.set('broker', pupilsBroker);
    return url.href;
}

function connect(url, options) {
    disconnect();
    const made = mqtt.connect(url, {
        protocolVersion: 5, reconnectPeriod: RECONNECT_MS, connectTimeout: CONNECT_TIMEOUT_MS, ...options,
    });
    client = made;
    made.on('connect', () => {
        made.subscribe(room.subscriptions(), { qos: QOS_AT_LEAST_ONCE });
        room.connected();
        showState('connected');
    });
    made.on('message', (topic, payload) => room.receive(topic, payload));
    made.on('offline', () => showState('offline'));
    made.on('reconnect', () => showState('reconnecting'));
    made.on('error', (error) => {
        // A refused password or class will not be let in by trying again.
        if (error?.code === 4 || error?.code === 5 || error?.code === 134 || error?.code === 135) {
            notify(room.role() === ROLE.teacher ? '先生のユーザー名かパスワードが違います。' : 'サーバーに入れませんでした。');
            leave();
        }
    });
    clearInterval(pumping);
    pumping = setInterval(() => room.pump(performance.now()), PUMP_MS);
}

function disconnect() {
    clearInterval(pumping);
    pumping = null;
    if (client) {
        client.end(false);
        client = null;
    }
}

// Starts teaching: a new class on the teachers' listener.
export function share({ teachers = stored(KEY.teachers, defaultBroker(TEACHER_PORT)),
    pupils = stored(KEY.pupils, defaultBroker(PUPIL_PORT)), user = 'teacher', password = '' } = {}) {
    const code = core.makeCode(...randomWords());
    room.teach(code);
    keep(KEY.teachers, teachers);
    keep(KEY.pupils, pupils);
    keep(KEY.user, user);
    connect(teachers, { username: user, password, clientId: `teacher-${code}-${core.makePupilId(...randomWords())}`, clean: true });
    showState('connecting');
    return { code, address: classAddress(code, pupils) };
}

// Joins a class as a pupil; a reload keeps the same id and so the same board.
export function join({ code, name, broker = stored(KEY.pupils, defaultBroker(PUPIL_PORT)) }) {
    const classCode = core.readCode(String(code ?? ''));
    const nickname = core.readName(String(name ?? ''));
    if (!classCode)
        return 'クラスのコードは 6 文字です。';
    if (!nickname)
        return '番号かニックネームを 16 文字までで入れてください。';
    let id = stored(KEY.pupil, '');
    if (!room.join(classCode, id, nickname)) {
        id = core.makePupilId(...randomWords());
        keep(KEY.pupil, id);
        room.join(classCode, id, nickname);
    }
    keep(KEY.name, nickname);
    keep(KEY.pupils, broker);
    connect(broker, { username: classCode, clientId: id, clean: false, properties: { sessionExpiryInterval: SESSION_EXPIRY_S } });
    showState('connecting');
    // However the class was joined, the prompt to join it has done its work.
    if ($('classDialog').open)
        $('classDialog').close();
    return '';
}

export function leave() {
    disconnect();
    room.leave();
    closeGallery();
    showState('');
}

function showState(now = state) {
    state = now;
    const role = room.role();
    const status = $('classStatus');
    const where = { connecting: '接続中…', offline: '接続が切れました。再接続しています…', reconnecting: '再接続しています…' }[state];
    if (role === ROLE.none) {
        status.hidden = true;
    } else {
        status.hidden = false;
        const code = room.code();
        status.textContent = where ?? (role === ROLE.teacher
            ? `授業 ${code}・${room.pupilCount()}人${room.pupilsFree() ? '・自由' : ''}`
            : `授業 ${code}・${room.following() ? '先生の画面' : '自由'}`);
    }
    // Let free or called back, the pupil's own clock stops or starts.
    follow(core.Change.Running, lesson.animatedPage());
}

function roomEvent(event) {
    switch (event) {
    case EVENT.teacher:
        repaintInk();
        showSoon();
        break;
    case EVENT.pupils:
        showPupils();
        showState();
        break;
    case EVENT.ended:
        // The teacher's ending sent its last messages first; the client sends them before it closes.
        disconnect();
        closeGallery();
        notify('授業が終わりました。自分の書き込みはこの端末に残っています。');
        showState('');
        break;
    case EVENT.tooLarge:
        notify('書き込みが多すぎて、これ以上クラスに送れません。');
        break;
    default:
        showState();
    }
}

// The teacher's ink, under the pupil's own on every page.
function layTeacherInk() {
    followedInk = new core.Ink(room.teacherLesson());
    const canvases = pages.map((p) => {
        const canvas = document.createElement('canvas');
        canvas.className = 'followed';
        canvas.setAttribute('aria-hidden', 'true');
        p.overlay.before(canvas);
        return canvas;
    });
    layers.push({
        place(page, w, h, ratio, iw, ih, ix, iy) {
            const p = pages[page];
            for (const prop of ['left', 'top', 'width', 'height'])
                canvases[page].style[prop] = p.overlay.style[prop];
            sizeCanvas(canvases[page], w, h);
            return followedInk.place(page, w, h, ratio, iw, ih, ix, iy);
        },
        paint(page, whole) {
            if (room.role() === ROLE.pupil || whole)
                paintLayer(followedInk, canvases[page], page, whole);
        },
    });
}

function dialog(html, onSubmit) {
    const box = $('classDialog');
    const form = box.querySelector('form');
    form.innerHTML = html;
    form.onsubmit = (e) => {
        if (e.submitter?.value !== 'ok')
            return;
        const error = onSubmit(new FormData(form));
        if (error) {
            e.preventDefault();
            form.querySelector('.error').textContent = error;
        }
    };
    box.showModal();
}

const BUTTONS = '<p class="error" role="alert"></p><menu><button value="cancel">キャンセル</button><button value="ok">OK</button></menu>';

function escape(text) {
    return String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
}

export function askShare() {
    if (room.role() !== ROLE.none)
        return;
    dialog(`<h2>授業を共有</h2>
        <label>先生のユーザー名 <input name="user" value="${escape(stored(KEY.user, 'teacher'))}" autocomplete="username"></label>
        <label>パスワード <input name="password" type="password" autocomplete="current-password"></label>
        <details><summary>サーバー</summary>
        <label>先生用 <input name="teachers" value="${escape(stored(KEY.teachers, defaultBroker(TEACHER_PORT)))}"></label>
        <label>児童・生徒用 <input name="pupils" value="${escape(stored(KEY.pupils, defaultBroker(PUPIL_PORT)))}"></label>
        </details>${BUTTONS}`, (form) => {
        const { code, address } = share(Object.fromEntries(form));
        showCode(code, address);
        return '';
    });
}

// The code large enough for the back row, and the QR code of the address.
function showCode(code, address) {
    setTimeout(() => dialog(`<h2>授業を共有</h2>
        <p class="code" aria-label="クラスのコード">${escape(code)}</p>
        <div class="qr" role="img" aria-label="参加用の QR コード">${renderSVG(address, { border: 2 })}</div>
        <p class="address">${escape(address)}</p>
        <menu><button value="ok">閉じる</button></menu>`, () => ''));
}

export function askJoin(code = '') {
    if (room.role() !== ROLE.none)
        return;
    dialog(`<h2>授業に参加</h2>
        <label>クラスのコード <input name="code" value="${escape(code)}" autocapitalize="characters" autocomplete="off" required></label>
        <label>番号かニックネーム <input name="name" value="${escape(stored(KEY.name, ''))}" maxlength="16" required></label>
        ${BUTTONS}`, (form) => join({ code: form.get('code'), name: form.get('name'),
        broker: new URL(location.href).searchParams.get('broker') ?? undefined }));
}

// Loaded when a class is first shared or joined.
export function init() {
    room.setSender((topic, payload, retain, qos) => client?.publish(topic, payload, { qos, retain }));
    room.listen(roomEvent);
    layTeacherInk();
    showState('');
}
