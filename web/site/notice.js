// The one-line notice: where the menu last opened (before it ever opened, at
// the window's corner), for a few seconds.
import { $, NOTICE_MS } from './app.js';

const NOTICE_MARGIN_PX = 4;

let noticeAt = null;
let noticeTimer = null;

export function noticeFrom(x, y) {
    noticeAt = [x, y];
}

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
