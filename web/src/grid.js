// A string grid as the session describes it: a fixed header row and column, rows of 20 pixels
// and one-pixel lines, cells drawn as the model's look says. What the user does to it (the
// pixel under the pointer, keys, the wheel, the focus) goes to the grid's editing in the model,
// which decides the rows in view, the current cell and the in-place editor; the grid paints
// what it leaves, as the window's grid does.

// The row height the mouse form has; a finger's rows are taller (the model says how tall).
const MOUSE_ROW = 20;
const MOUSE_FONT = 13;
const FIXED_FILL = '#f0f0f0';
const SELECTED_FILL = '#0078d7';
const LINE = '#a0a0a0';
const FIXED_LINE = '#808080';
const MANUAL_TEXT = '#c0c0c0';
const BAR = 17;
// Pixels of the horizontal scroll bar per column.
const COLUMN_STEP = 22;

// The browser's keys as the grid's editing tells them apart (in the order of its GridKey).
const KEYS = {
  ArrowUp: 1, ArrowDown: 2, ArrowLeft: 3, ArrowRight: 4, PageUp: 5, PageDown: 6, Home: 7,
  End: 8, Enter: 9, Escape: 10, Tab: 11, Backspace: 12, Delete: 13,
};
// The phases of a touch, in the order of the model's TouchPhase.
const TOUCH = { Down: 0, Move: 1, Up: 2, Hold: 3, Cancel: 4 };
const TAKEN = 0;
const TO_EDITOR = 1;
const SELECT_ALL = 0;
const SELECT_END = 1;

function rgb(value) {
  return '#' + value.toString(16).padStart(6, '0');
}

// The key with its modifiers as one number, and the text it types.
function keyOf(e) {
  const mods = (e.shiftKey ? 0x100 : 0) | (e.ctrlKey ? 0x200 : 0) | (e.altKey ? 0x400 : 0) |
    (e.metaKey ? 0x800 : 0);
  const text = [...e.key].length === 1 ? e.key : '';
  return { code: (KEYS[e.key] || 0) | mods, text };
}

export class Grid {
  // host: { send(event, a, b, c, d, text) -> number: a raw event to the grid's editing;
  //         changed(): draw what the model now holds; popup(x, y); scrollBars(view) -> {h, v};
  //         dotColour: a breakpoint's }
  constructor(parent, name, host) {
    this.host = host;
    this.el = document.createElement('div');
    this.el.className = 'grid';
    this.el.id = name;
    this.el.tabIndex = 0;
    this.area = document.createElement('div');
    this.area.className = 'grid-area';
    this.canvas = document.createElement('canvas');
    this.vbar = this.scrollBar('vscroll');
    this.hbar = this.scrollBar('hscroll');
    this.editor = document.createElement('input');
    this.editor.className = 'cell-editor';
    this.editor.spellcheck = false;
    this.editor.autocomplete = 'off';
    this.editor.hidden = true;
    this.area.append(this.canvas, this.editor);
    this.el.append(this.area, this.vbar, this.hbar);
    parent.appendChild(this.el);
    this.inside = false;
    this.pressing = false;
    this.stamp = 0;
    this.viewport = [0, 0];
    this.v = null;
    this.bind();
  }

  scrollBar(kind) {
    const bar = document.createElement('div');
    bar.className = kind;
    // Not a stop of Tab: Tab leaves the grid.
    bar.tabIndex = -1;
    const spacer = document.createElement('div');
    spacer.className = 'spacer';
    bar.appendChild(spacer);
    bar.addEventListener('scroll', () => {
      if (this.syncingBars || !this.v) return;
      const top = kind === 'vscroll' ? 1 + Math.round(bar.scrollTop / this.pitch()) : this.v.topRow;
      const left = kind === 'hscroll' ? 1 + Math.round(bar.scrollLeft / COLUMN_STEP) : this.v.leftCol;
      this.event('scroll', top, left);
    });
    return bar;
  }

  pitch() {
    return this.v.rowHeight + 1;
  }

  event(name, a = 0, b = 0, c = 0, d = 0, text = '') {
    const result = this.host.send(name, a, b, c, d, text);
    this.host.changed();
    return result;
  }

  setBounds(x, y, w, h) {
    Object.assign(this.el.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
    this.width = w - 2;
    this.height = h - 2;
  }

  // The client area for the view's columns: without the scroll bars it shows. True when the
  // model was told of a new size (its rows in view then change).
  fit(v) {
    const want = this.host.scrollBars(v);
    const contentWidth = v.widths.reduce((s, w) => s + w + 1, 0);
    this.shownBars = { v: want.v, h: want.h && contentWidth > (this.width || 0) - (want.v ? BAR : 0) };
    const cw = Math.max(0, (this.width || 0) - (this.shownBars.v ? BAR : 0));
    const ch = Math.max(0, (this.height || 0) - (this.shownBars.h ? BAR : 0));
    if (cw === this.viewport[0] && ch === this.viewport[1]) return false;
    this.viewport = [cw, ch];
    this.host.send('viewport', cw, ch);
    return true;
  }

  // Draws the grid from the view and shows the editor as the model leaves it.
  update(v) {
    this.v = v;
    const [cw, ch] = this.viewport;
    Object.assign(this.area.style, { width: cw + 'px', height: ch + 'px' });
    const dpr = window.devicePixelRatio || 1;
    if (this.canvas.width !== Math.round(cw * dpr) || this.canvas.height !== Math.round(ch * dpr)) {
      this.canvas.width = Math.round(cw * dpr);
      this.canvas.height = Math.round(ch * dpr);
      this.canvas.style.width = cw + 'px';
      this.canvas.style.height = ch + 'px';
    }
    const ctx = this.canvas.getContext('2d');
    ctx.setTransform(dpr, 0, 0, dpr, 0, 0);
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, cw, ch);
    const style = getComputedStyle(this.el);
    ctx.font = style.font;
    ctx.textBaseline = 'top';
    const ROW = v.rowHeight;
    const PITCH = ROW + 1;
    const textTop = 3 + Math.floor((ROW - MOUSE_ROW - (parseFloat(style.fontSize) - MOUSE_FONT)) / 2);
    const [curCol, curRow] = v.current;
    const cols = v.widths.length;
    const paintRow = (row, y, cells) => {
      let x = 0;
      for (let col = 0; col < cols && x < cw; col = col === 0 ? v.leftCol : col + 1) {
        const w = v.widths[col];
        const fixed = col === 0 || row === 0;
        const selected = v.hasSelection && !fixed && curCol === col && curRow === row;
        const look = cells ? cells[col] : ['', 0, -1, -1];
        const fill = look[2] >= 0 ? rgb(look[2]) : fixed ? FIXED_FILL : selected ? SELECTED_FILL : '#fff';
        const text = look[3] >= 0 ? rgb(look[3]) : selected ? '#fff' : '#000';
        ctx.save();
        ctx.beginPath();
        ctx.rect(x, y, w, ROW);
        ctx.clip();
        ctx.fillStyle = fill;
        ctx.fillRect(x, y, w, ROW);
        if (fixed) {
          ctx.fillStyle = '#fff';
          ctx.fillRect(x, y, w, 1);
          ctx.fillRect(x, y, 1, ROW);
        }
        ctx.fillStyle = text;
        if (look[1]) {
          ctx.textAlign = 'left';
          ctx.fillText(look[0], x + 4, y + textTop);
        } else {
          ctx.textAlign = 'center';
          ctx.fillText(look[0], x + w / 2, y + textTop);
        }
        ctx.restore();
        ctx.fillStyle = fixed ? FIXED_LINE : LINE;
        ctx.fillRect(x + w, y, 1, PITCH);
        ctx.fillRect(x, y + ROW, w + 1, 1);
        x += w + 1;
      }
    };
    // The model's own column at the right edge (the heat map): after the cells, over them.
    const paintSide = (row, y) => {
      const look = v.side[row === 0 ? 0 : 1 + row - v.topRow];
      if (!look) return;
      const w = v.sideWidth;
      const x = cw - w;
      ctx.fillStyle = FIXED_LINE;
      ctx.fillRect(x - 1, y, 1, PITCH);
      ctx.fillStyle = look[2] >= 0 ? rgb(look[2]) : FIXED_FILL;
      ctx.fillRect(x, y, w, ROW);
      ctx.fillStyle = look[3] >= 0 ? rgb(look[3]) : '#000';
      ctx.textAlign = 'center';
      ctx.fillText(look[0], x + w / 2, y + textTop);
      ctx.fillStyle = row === 0 ? FIXED_LINE : LINE;
      ctx.fillRect(x, y + ROW, w, 1);
    };
    paintRow(0, 0, v.cells[0]);
    paintSide(0, 0);
    for (let row = v.topRow, y = PITCH; row < v.rows && y < ch; ++row, y += PITCH) {
      paintRow(row, y, v.cells[1 + row - v.topRow]);
      if (v.marked.includes(row)) this.paintDot(ctx, y, ROW);
      paintSide(row, y);
    }
    this.placeBars(cw, ch);
    this.showEditor();
  }

  // A breakpoint's dot in the margin at the left of the address, as the window draws it.
  paintDot(ctx, y, rowHeight) {
    ctx.fillStyle = this.host.dotColour;
    ctx.beginPath();
    ctx.arc(4, y + Math.floor((rowHeight - 6) / 2) + 3, 3, 0, 2 * Math.PI);
    ctx.fill();
  }

  placeBars(cw, ch) {
    this.syncingBars = true;
    const { v, h } = this.shownBars;
    this.vbar.hidden = !v;
    this.hbar.hidden = !h;
    if (v) {
      this.vbar.style.height = ch + 'px';
      this.vbar.firstChild.style.height = ch + (this.v.lastTopRow - 1) * this.pitch() + 'px';
      this.vbar.scrollTop = (this.v.topRow - 1) * this.pitch();
    }
    if (h) {
      this.hbar.style.width = cw + 'px';
      this.hbar.firstChild.style.width = cw + (this.v.lastLeftCol - 1) * COLUMN_STEP + 'px';
      this.hbar.scrollLeft = (this.v.leftCol - 1) * COLUMN_STEP;
    }
    this.syncingBars = false;
  }

  showEditor() {
    const e = this.v.editor;
    const ed = this.editor;
    if (!e.shown) {
      if (ed.hidden) return;
      // Hidden with the focus, the editor would leave the page without one: the grid takes it
      // first, which is no leaving of the grid.
      if (document.activeElement === ed) this.el.focus();
      ed.hidden = true;
      return;
    }
    if (ed.value !== e.text) ed.value = e.text;
    const [x, y, w, h] = e.rect;
    Object.assign(ed.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
    ed.style.textAlign = e.left ? 'left' : 'center';
    ed.style.paddingLeft = e.left ? '4px' : '0';
    if (ed.hidden) ed.hidden = false;
    if (e.stamp !== this.stamp) {
      this.stamp = e.stamp;
      const end = ed.value.length;
      if (e.select === SELECT_ALL) ed.setSelectionRange(0, end);
      else if (e.select === SELECT_END) ed.setSelectionRange(end, end);
      else ed.setSelectionRange(ed.selectionEnd, ed.selectionEnd);
    }
    if (e.deselected) ed.setSelectionRange(ed.selectionEnd, ed.selectionEnd);
    ed.style.color = e.manual ? MANUAL_TEXT : '#000';
    if (document.activeElement === this.el) ed.focus();
  }

  // A key at the open editor; emulate: the key came to the grid and is the editor's now, so
  // the editor's own typing is done here.
  editorKey(e, emulate) {
    const ed = this.editor;
    const { code, text } = keyOf(e);
    const verdict = this.event('editorKey', code, ed.selectionStart, ed.selectionEnd, ed.value.length, text);
    if (verdict === TAKEN) {
      e.preventDefault();
      return;
    }
    if (!emulate) return;
    e.preventDefault();
    const s = ed.selectionStart;
    const t = ed.selectionEnd;
    const before = ed.value;
    if (text) ed.setRangeText(text, s, t, 'end');
    else if (e.key === 'Backspace') ed.setRangeText('', s === t ? Math.max(0, s - 1) : s, t, 'end');
    if (ed.value !== before) this.event('edited', 0, 0, 0, 0, ed.value);
  }

  // A finger's raw touches go to the grid's editing, which tells a swipe from a tap and a long
  // press; the browser makes neither a scroll of the page nor mouse events of them. On the
  // open editor the browser still places the caret and brings up its keyboard.
  bindTouch(local) {
    let finger = null;
    const send = (phase, at) => {
      const [x, y] = local(at);
      const result = this.event('touch', phase, x, y, Math.round(performance.now()));
      // The model entered the grid (a tap or a long press): the keys come here now.
      if (this.v && this.v.entered && !this.inside) {
        this.inside = true;
        this.el.focus();
        this.showEditor();
      }
      return result;
    };
    const end = (e, phase) => {
      if (!finger || e.pointerId !== finger.pointerId) return;
      clearTimeout(finger.timer);
      finger = null;
      if (send(phase, e) === 1) this.host.popup(e.clientX, e.clientY);
    };
    this.area.addEventListener('pointerdown', (e) => {
      if (e.pointerType === 'mouse' || finger) return;
      if (e.target !== this.editor) e.preventDefault();
      finger = { pointerId: e.pointerId, clientX: e.clientX, clientY: e.clientY };
      const holdMs = send(TOUCH.Down, e);
      const held = finger;
      finger.timer = setTimeout(() => {
        if (finger === held && send(TOUCH.Hold, held) === 1) this.host.popup(held.clientX, held.clientY);
      }, holdMs);
    });
    this.area.addEventListener('pointermove', (e) => {
      if (finger && e.pointerId === finger.pointerId) send(TOUCH.Move, e);
    });
    this.area.addEventListener('pointerup', (e) => end(e, TOUCH.Up));
    this.area.addEventListener('pointercancel', (e) => end(e, TOUCH.Cancel));
  }

  bind() {
    // The position in the client area, in the page's own pixels however the page is scaled.
    const local = (e) => {
      const r = this.el.getBoundingClientRect();
      const scale = r.width / this.el.offsetWidth || 1;
      return [Math.floor((e.clientX - r.left) / scale - 1), Math.floor((e.clientY - r.top) / scale - 1)];
    };
    const press = (e) => {
      if (!this.inside) {
        this.pressing = true;
        this.el.focus();
        this.pressing = false;
      }
      const [x, y] = local(e);
      // The second press of a double click is one press more, and may open the editor.
      const popup = this.event(e.detail === 2 ? 'double' : 'press', x, y, e.button);
      if (popup === 1) this.host.popup(e.clientX, e.clientY);
    };
    this.canvas.addEventListener('mousedown', (e) => {
      e.preventDefault();
      press(e);
    });
    this.canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    this.bindTouch(local);
    this.el.addEventListener('wheel', (e) => {
      e.preventDefault();
      const horizontal = e.shiftKey || Math.abs(e.deltaX) > Math.abs(e.deltaY);
      const step = Math.sign(horizontal ? e.deltaX || e.deltaY : e.deltaY);
      this.event('wheel', horizontal ? step : 0, horizontal ? 0 : step);
    }, { passive: false });
    this.el.addEventListener('focusin', () => {
      if (this.inside) return;
      this.inside = true;
      this.event('focusIn', this.pressing ? 1 : 0);
    });
    this.el.addEventListener('focusout', (e) => {
      if (this.el.contains(e.relatedTarget)) return;
      // A dialog of the page takes the focus for a while; that is no leaving of the grid.
      if (e.relatedTarget && e.relatedTarget.closest('#modal')) return;
      if (!e.relatedTarget && !document.hasFocus()) return;
      this.inside = false;
      this.event('focusOut');
    });
    this.el.addEventListener('keydown', (e) => {
      if (e.target === this.editor) return;
      const { code, text } = keyOf(e);
      const verdict = this.event('key', code, 0, 0, 0, text);
      if (verdict === TO_EDITOR) {
        this.editor.focus();
        this.editorKey(e, true);
      } else if (verdict === TAKEN) {
        e.preventDefault();
      }
    });
    this.editor.addEventListener('input', () => this.event('edited', 0, 0, 0, 0, this.editor.value));
    this.editor.addEventListener('mousedown', (e) => {
      // The other buttons belong to the grid (the RAM grid's popup menu).
      if (e.button === 0) return;
      e.preventDefault();
      press(e);
    });
    this.editor.addEventListener('contextmenu', (e) => e.preventDefault());
    this.editor.addEventListener('keydown', (e) => {
      e.stopPropagation();
      this.editorKey(e, false);
    });
  }
}
