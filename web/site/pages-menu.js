// The page menu's lists of pages to show and of practice figures, with a
// figure's second length: made from the core's command table, marked from
// the lesson as the menu opens, and run through the core.
import { core, lesson } from './app.js';

const marked = [];

// Submenus for the named lists, put in before `before`; `item` makes one entry as the menu's others are made.
export function addPagesMenus(menu, before, item) {
    for (const [name, label, key] of [['pages', '表示するページ', 'V'], ['practice', '練習問題', 'E']])
        menu.insertBefore(submenu(name, label, key, item), before);
}

function submenu(name, label, key, item) {
    const opener = item(`${label}(<u>${key}</u>)`, 'menuitem', key, null);
    opener.classList.add('submenu');
    opener.setAttribute('aria-haspopup', 'menu');
    const list = document.createElement('div');
    list.className = 'menu';
    list.setAttribute('role', 'menu');
    list.setAttribute('aria-label', label);
    let section = 0;
    for (const row of core.menuRows(name)) {
        if (row.section !== section) {
            const separator = document.createElement('div');
            separator.className = 'separator';
            separator.setAttribute('role', 'separator');
            list.append(separator);
            section = row.section;
        }
        const text = row.mnemonic ? `${row.label}(<u>${row.mnemonic}</u>)` : row.label;
        const entry = row.opens ? submenu(row.opens, row.label, row.mnemonic, item)
            : item(text, 'menuitemcheckbox', row.mnemonic, () => core.runCommand(lesson, row.id));
        marked.push([entry, row.id]);
        list.append(entry);
    }
    opener.append(list);
    return opener;
}

export function markPagesMenus() {
    for (const [entry, id] of marked) {
        const s = core.commandState(lesson, id);
        entry.hidden = !s.available;
        entry.setAttribute('aria-disabled', String(!s.enabled));
        if (s.checkable)
            entry.setAttribute('aria-checked', String(s.checked));
    }
}
