// The menu bar as the model's form gives it: the menus with their items, keys and check marks,
// and the "Beispiele" menu with our micro-program and each example program.
import { el, mnemonicText } from './widgets.js';

// A key in the form's portable notation ("Ctrl+Shift+Z", "F2") as the browser's key event
// gives it.
function keyOf(event) {
  const parts = [];
  if (event.ctrlKey) parts.push('Ctrl');
  if (event.altKey) parts.push('Alt');
  if (event.shiftKey) parts.push('Shift');
  parts.push(event.key.length === 1 ? event.key.toUpperCase() : event.key);
  return parts.join('+');
}

export class MenuBar {
  // menus: the form's; examples: [{title, ram}] for the menu the page fills itself;
  // run(name, own): an item chosen, own when the page carries it out itself.
  constructor(bar, menus, examples, run) {
    this.bar = bar;
    this.run = run;
    this.open = null;
    this.states = [];
    this.titles = [];
    this.keys = new Map();
    for (const menu of menus) {
      const items = menu.examples
        ? examples.map((e) => ({ name: 'Example:' + e.ram, caption: e.title, keys: [], keyText: '', own: true }))
        : menu.items;
      this.addMenu(menu.caption, items);
    }
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
      const row = el('div', 'menu-item', list);
      row.id = item.name.startsWith('Example:') ? 'Beispiel_' + item.name.slice(8) : item.name;
      const name = el('span', '', row);
      mnemonicText(name, item.caption);
      el('span', 'menu-key', row, { textContent: item.keyText });
      this.states.push([row, item.name]);
      for (const k of item.keys) this.keys.set(k, item);
      row.addEventListener('mouseup', () => {
        if (row.classList.contains('disabled')) return;
        this.close();
        this.run(item.name, item.own);
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

  // The item whose key the event is, wherever the focus is (a text field too, as in the
  // window: one Ctrl+Z undoes the last edit, not a field's own typing).
  itemForKey(event) {
    return this.keys.get(keyOf(event));
  }

  // menu: {item name: [checked, enabled]} as the view gives it.
  showStates(menu) {
    for (const [row, name] of this.states) {
      const state = menu[name];
      row.classList.toggle('checked', !!state?.[0]);
      row.classList.toggle('disabled', state ? !state[1] : false);
    }
  }
}
