// Small builders for the window's parts: panels, labels with a mnemonic, register fields, gate
// buttons and group boxes, each placed at its design position in its parent.

export function el(tag, cls, parent, props = {}) {
  const e = document.createElement(tag);
  if (cls) e.className = cls;
  Object.assign(e, props);
  parent?.appendChild(e);
  return e;
}

export function place(e, x, y, w, h) {
  e.style.left = x + 'px';
  e.style.top = y + 'px';
  if (w !== undefined) e.style.width = w + 'px';
  if (h !== undefined) e.style.height = h + 'px';
  return e;
}

export function rgb(r, g, b) {
  return `rgb(${r},${g},${b})`;
}

// A text with "&" before its mnemonic letter; the letter comes back for the key hook.
export function mnemonicText(e, text) {
  const i = text.indexOf('&');
  e.replaceChildren();
  if (i < 0 || i === text.length - 1) {
    e.append(text.replace('&', ''));
    return null;
  }
  e.append(text.slice(0, i));
  const u = document.createElement('u');
  u.textContent = text[i + 1];
  e.append(u, text.slice(i + 2));
  return text[i + 1].toLowerCase();
}

export function panel(parent, id, colour, lowered) {
  const p = el('div', 'panel', parent, { id });
  p.style.background = colour;
  if (lowered) p.style.boxShadow = 'inset 1px 1px #808080, inset -1px -1px #ffffff';
  return p;
}

export function caption(parent, text) {
  return place(el('div', 'caption', parent, { textContent: text }), 6, 6);
}

// A label; with a buddy, its mnemonic (Alt+letter) focuses the buddy.
export function label(parent, text, x, y, buddy, mnemonics) {
  const l = place(el('label', 'label', parent), x, y);
  const key = mnemonicText(l, text);
  if (buddy) {
    l.addEventListener('mousedown', (e) => e.preventDefault());
    if (key && mnemonics) mnemonics.push({ key, action: () => buddy.focus() });
  }
  return l;
}

export function group(parent, id, title, x, y, w, h, colour, mnemonics, target) {
  const g = place(el('div', 'group-box', parent, { id }), x, y, w, h);
  g.style.position = 'absolute';
  const frame = el('div', '', g);
  Object.assign(frame.style, {
    position: 'absolute', left: '0', top: '7px', right: '0', bottom: '0',
    border: '1px solid #a0a0a0', boxShadow: '1px 1px #fff',
  });
  const t = el('span', '', g);
  Object.assign(t.style, { position: 'absolute', left: '8px', top: '0', padding: '0 2px',
    background: colour, fontSize: '12px', lineHeight: '14px' });
  const key = mnemonicText(t, title);
  if (key && mnemonics && target) mnemonics.push({ key, action: () => target().focus() });
  return g;
}

export function radio(groupBox, name, text, y) {
  const l = place(el('label', 'label', groupBox), 8, y);
  l.style.fontSize = '12px';
  const r = el('input', '', l, { type: 'radio', name });
  r.style.margin = '0 4px 0 0';
  r.style.verticalAlign = '-2px';
  l.append(text);
  return r;
}
