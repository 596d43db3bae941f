// The menu bar: the window's menus with their items, shortcuts and check marks, and the
// "Beispiele" menu with our micro-program and each example program.
import { el, mnemonicText } from './widgets.js';

// [text, key, handler, check mark, enabled] or '-' for a separator; the last two name the
// view's menu field that sets them.
export function menuTable(examples) {
  return [
    ['&Datei', [
      ['MPS l&aden', 'F2', 'MeLoadMpsClick'],
      ['MPS s&peichern', 'F3', 'MeSaveMpsClick'],
      ['MPS drucken', '', 'MePrnMpsClick'],
      '-',
      ['RAM &laden', 'F5', 'MeLoadRamClick'],
      ['RAM &speichern', 'F6', 'MeSaveRamClick'],
      ['RAM drucken', '', 'MePrnRamClick'],
      '-',
      ['Lin&k kopieren', '', 'MeLinkClick'],
      // No "Ende": a page cannot close its tab; the browser asks about unsaved work instead.
    ]],
    ['&Bearbeiten', [
      ['&Rückgängig', 'Strg+Z', 'MeUndoClick', null, 'MeUndo'],
      ['&Wiederholen', 'Strg+Y', 'MeRedoClick', null, 'MeRedo'],
      '-',
      // The key hook gives the key, and only where it erases nothing; the menu names it.
      ['Schritt &zurück', 'Rücktaste', 'MeStepBackClick'],
    ]],
    ['&Zurücksetzen', [
      ['&Register löschen', 'F9', 'MeClrRegClick'],
      ['R&AM löschen', '', 'MeClrRamClick'],
      ['&MPS löschen', '', 'MeClrMpsClick'],
    ]],
    ['&Ansicht', [
      ['&Variableninspektor anzeigen', '', 'MeVariablenClick', 'MeVariablen'],
      '-',
      ['MPS auf &Konflike prüfen', '', 'MeKonflClick', 'MeKonfl'],
      ['&Tornummern im MPS verwenden', '', 'MeTorKzClick', 'MeTorKz'],
      '-',
      ['&Bus-8-Bit', '', 'MeBus_8Click', 'MeBus_8'],
      ['Bus ohne &Pfeile', '', 'MePfeilClick', 'MePfeil'],
    ]],
    ['B&eispiele', examples.map((e) => [e.title, '', 'Example:' + e.ram])],
    ['&Hilfe', [
      ['Info', '', 'MeInfoClick'],
      ['&Hilfe', 'F1', 'MeHilfClick'],
    ]],
  ];
}

export class MenuBar {
  constructor(bar, table, run) {
    this.bar = bar;
    this.run = run;
    this.open = null;
    this.checks = [];
    this.enables = [];
    this.titles = [];
    this.keys = new Map();
    for (const [title, items] of table) this.addMenu(title, items);
    document.addEventListener('mousedown', (e) => {
      if (this.open && !this.bar.contains(e.target)) this.close();
    });
  }

  addMenu(title, items) {
    const t = el('div', 'menu-title', this.bar);
    const key = mnemonicText(t, title);
    t.id = 'Menu_' + title.replace(/[&ü ]/g, '');
    const list = el('div', 'menu-list', this.bar);
    list.hidden = true;
    list.style.left = t.offsetLeft + 'px';
    for (const item of items) {
      if (item === '-') {
        el('div', 'menu-sep', list);
        continue;
      }
      const [text, shortcut, handler, check, enable] = item;
      const row = el('div', 'menu-item', list);
      row.id = handler.startsWith('Example:') ? 'Beispiel_' + handler.slice(8) : handler.replace('Click', '');
      const name = el('span', '', row);
      mnemonicText(name, text);
      el('span', 'menu-key', row, { textContent: shortcut });
      if (check) this.checks.push([row, check]);
      if (enable) this.enables.push([row, enable]);
      // The function keys; the page's key handler gives the keys with Ctrl.
      if (/^F\d+$/.test(shortcut)) this.keys.set(shortcut, handler);
      row.addEventListener('mouseup', () => {
        if (row.classList.contains('disabled')) return;
        this.close();
        this.run(handler);
      });
    }
    const entry = { title: t, list, key };
    this.titles.push(entry);
    t.addEventListener('mousedown', (e) => {
      e.preventDefault();
      if (this.open === entry) this.close();
      else this.show(entry);
    });
    t.addEventListener('mouseenter', () => {
      if (this.open && this.open !== entry) this.show(entry);
    });
  }

  show(entry) {
    this.close();
    this.open = entry;
    entry.title.classList.add('open');
    entry.list.style.left = entry.title.offsetLeft + 'px';
    entry.list.hidden = false;
  }

  close() {
    if (!this.open) return;
    this.open.title.classList.remove('open');
    this.open.list.hidden = true;
    this.open = null;
  }

  // Alt+letter opens a menu; with a menu open, its item's letter runs the item.
  mnemonic(letter) {
    if (this.open) {
      for (const row of this.open.list.querySelectorAll('.menu-item')) {
        const u = row.querySelector('u');
        if (u && u.textContent.toLowerCase() === letter) {
          row.dispatchEvent(new MouseEvent('mouseup'));
          return true;
        }
      }
    }
    const entry = this.titles.find((m) => m.key === letter);
    if (!entry) return false;
    this.show(entry);
    return true;
  }

  handlerForKey(key) {
    return this.keys.get(key);
  }

  showChecks(menu) {
    for (const [row, name] of this.checks) row.classList.toggle('checked', !!menu[name]);
    for (const [row, name] of this.enables) row.classList.toggle('disabled', !menu[name]);
  }
}
