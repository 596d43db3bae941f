// Modal dialogs inside the page: messages, Yes/No questions, a file name for saving, and the
// help text. One at a time; while one is open, the page takes no other input.
const queue = [];
let open = null;

function button(text, onClick) {
  const b = document.createElement('button');
  b.textContent = text;
  b.addEventListener('click', onClick);
  return b;
}

function show(build) {
  return new Promise((resolve) => {
    queue.push({ build, resolve });
    if (!open) next();
  });
}

function next() {
  const item = queue.shift();
  if (!item) {
    open = null;
    document.getElementById('modal').hidden = true;
    return;
  }
  const modal = document.getElementById('modal');
  const box = document.getElementById('modal-box');
  box.replaceChildren();
  box.className = '';
  open = item;
  modal.hidden = false;
  const close = (value) => {
    item.resolve(value);
    next();
  };
  const focus = item.build(box, close);
  (focus || box.querySelector('button'))?.focus();
}

function frame(box, caption, text, kind) {
  const title = document.createElement('div');
  title.className = 'modal-title';
  title.textContent = caption || 'Mikroprozessor Simulation';
  const body = document.createElement('div');
  body.className = 'modal-text' + (kind ? ' modal-' + kind : '');
  body.textContent = text;
  const row = document.createElement('div');
  row.className = 'modal-buttons';
  box.append(title, body, row);
  return row;
}

export function isModalOpen() {
  return open !== null;
}

export function showMessage(text, caption, error) {
  return show((box, close) => {
    frame(box, caption, text, error ? 'error' : '').append(button('OK', () => close(true)));
  });
}

export function askYesNo(question) {
  return show((box, close) => {
    const row = frame(box, '', question, 'question');
    row.append(button('Ja', () => close(true)), button('Nein', () => close(false)));
  });
}

// "Ja", "Nein" and "Abbrechen": true, false, or null.
export function askYesNoCancel(question) {
  return show((box, close) => {
    const row = frame(box, '', question, 'question');
    row.append(button('Ja', () => close(true)), button('Nein', () => close(false)),
      button('Abbrechen', () => close(null)));
  });
}

// A file name for a download, where the browser has no save dialog of its own.
export function askFileName(suggestion) {
  return show((box, close) => {
    const row = frame(box, 'Speichern unter', 'Dateiname:', '');
    const input = document.createElement('input');
    input.className = 'modal-input';
    input.value = suggestion;
    input.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') close(input.value.trim() || null);
      if (e.key === 'Escape') close(null);
      e.stopPropagation();
    });
    box.insertBefore(input, row);
    row.append(
      button('Speichern', () => close(input.value.trim() || null)),
      button('Abbrechen', () => close(null)),
    );
    return input;
  });
}

export function showText(caption, text) {
  return show((box, close) => {
    const row = frame(box, caption, '', '');
    const pre = document.createElement('pre');
    pre.className = 'modal-pre';
    pre.textContent = text;
    box.insertBefore(pre, row);
    row.append(button('OK', () => close(true)));
  });
}

// A dialog of the page's own (grading, the QR code): build(box, buttons, close) fills the box
// under its caption and the row of buttons; it ends with what close is given.
export function showPanel(caption, className, build) {
  return show((box, close) => {
    box.className = className;
    const row = frame(box, caption, '', '');
    box.querySelector('.modal-text').remove();
    return build(box, row, close);
  });
}

// Escape answers "No" or closes, as a dialog's close box does; Enter takes the focused button.
// Keys meant for the window below never reach it while a dialog is open.
document.addEventListener(
  'keydown',
  (e) => {
    if (!open) return;
    // The function keys are the menus' when no dialog is open; while one is, they do nothing,
    // not even what the browser would do with them (F5 would reload the page and lose the work).
    if (/^F([1-9]|10)$/.test(e.key)) {
      e.preventDefault();
      e.stopPropagation();
      return;
    }
    const box = document.getElementById('modal-box');
    if (e.key === 'Escape') {
      const buttons = box.querySelectorAll('.modal-buttons button');
      buttons[buttons.length - 1]?.click();
      e.preventDefault();
      e.stopPropagation();
      return;
    }
    if (box.contains(e.target)) return;
    e.preventDefault();
    e.stopPropagation();
    box.querySelector('button')?.focus();
  },
  true,
);
