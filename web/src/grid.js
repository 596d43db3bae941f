// A string grid as the session describes it: a fixed header row and column, rows of 20 pixels
// and one-pixel lines, cells drawn as the model's look says, an in-place editor that hands its
// whole text to the model after every keystroke and then shows what the model left. The grid
// scrolls by whole rows and columns.

const ROW = 20;
const PITCH = 21;
const FIXED_FILL = '#f0f0f0';
const SELECTED_FILL = '#0078d7';
const LINE = '#a0a0a0';
const FIXED_LINE = '#808080';
const MANUAL_TEXT = '#c0c0c0';
const BAR = 17;

function rgb(value) {
  return '#' + value.toString(16).padStart(6, '0');
}

export class Grid {
  // model: { view() -> the grid's part of the view; setEditText, selectCell, mouseDown,
  //          keyDown, enter, exit, editsOnDoubleClick(cell), scrollBars() -> {h, v} }
  constructor(parent, name, model, focusControl) {
    this.model = model;
    this.focusControl = focusControl;
    this.el = document.createElement('div');
    this.el.className = 'grid';
    this.el.id = name;
    this.el.tabIndex = 0;
    this.canvas = document.createElement('canvas');
    this.vbar = this.scrollBar('vscroll');
    this.hbar = this.scrollBar('hscroll');
    this.editor = document.createElement('input');
    this.editor.className = 'cell-editor';
    this.editor.spellcheck = false;
    this.editor.autocomplete = 'off';
    this.editor.hidden = true;
    this.el.append(this.canvas, this.vbar, this.hbar, this.editor);
    parent.appendChild(this.el);
    this.top = 1;
    this.left = 1;
    this.entered = false;
    this.offCell = false;
    this.wish = 'model';
    this.editorCell = null;
    this.shownCellText = '';
    this.v = null;
    this.bind();
  }

  scrollBar(kind) {
    const bar = document.createElement('div');
    bar.className = kind;
    const spacer = document.createElement('div');
    spacer.className = 'spacer';
    bar.appendChild(spacer);
    bar.addEventListener('scroll', () => {
      if (this.syncingBars) return;
      if (kind === 'vscroll') this.top = 1 + Math.round(bar.scrollTop / PITCH);
      else this.left = 1 + Math.round(bar.scrollLeft / 22);
      this.onScroll?.();
    });
    return bar;
  }

  setBounds(x, y, w, h) {
    Object.assign(this.el.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
    this.width = w - 2;
    this.height = h - 2;
  }

  // Rows the view must hold: from the top row as many as fit.
  visibleRows() {
    return Math.max(1, Math.ceil((this.height || 400) / PITCH) + 1);
  }

  cols() { return this.v.widths.length; }
  rows() { return this.v.rows; }
  isCell(c) { return !!c && c[0] >= 1 && c[0] < this.cols() && c[1] >= 1 && c[1] < this.rows(); }
  same(a, b) { return !!a && !!b && a[0] === b[0] && a[1] === b[1]; }

  bars() {
    const want = this.model.scrollBars();
    const needH = want.h && this.contentWidth() > this.width - (want.v ? BAR : 0);
    return { v: want.v, h: needH };
  }

  contentWidth() {
    return this.v.widths.reduce((s, w) => s + w + 1, 0);
  }

  clientWidth() { return this.width - (this.shownBars.v ? BAR : 0); }
  clientHeight() { return this.height - (this.shownBars.h ? BAR : 0); }
  visibleFullRows() { return Math.max(1, Math.floor(this.clientHeight() / PITCH) - 1); }

  // Draws the grid from the view and places the editor as the model leaves it.
  update(v) {
    this.v = v;
    this.shownBars = this.bars();
    const cw = this.clientWidth();
    const ch = this.clientHeight();
    this.clampScroll();
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
    ctx.font = getComputedStyle(this.el).font;
    ctx.textBaseline = 'top';
    const current = v.current;
    const selection = v.hasSelection !== false;
    const paintRow = (row, y) => {
      const cells = this.rowCells(row);
      let x = 0;
      for (let col = 0; col < this.cols() && x < cw; col = col === 0 ? this.left : col + 1) {
        const w = v.widths[col];
        const fixed = col === 0 || row === 0;
        const selected = selection && !fixed && current[0] === col && current[1] === row;
        const look = cells ? cells[col] : ['', 0, -1, -1];
        const fill = look[2] >= 0 ? rgb(look[2]) : fixed ? FIXED_FILL : selected ? SELECTED_FILL : '#fff';
        const text = look[3] >= 0 ? rgb(look[3]) : selected && !fixed ? '#fff' : '#000';
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
          ctx.fillText(look[0], x + 4, y + 3);
        } else {
          ctx.textAlign = 'center';
          ctx.fillText(look[0], x + w / 2, y + 3);
        }
        ctx.restore();
        ctx.fillStyle = fixed ? FIXED_LINE : LINE;
        ctx.fillRect(x + w, y, 1, PITCH);
        ctx.fillRect(x, y + ROW, w + 1, 1);
        x += w + 1;
      }
    };
    paintRow(0, 0);
    for (let row = this.top, y = PITCH; row < this.rows() && y < ch; ++row, y += PITCH) paintRow(row, y);
    this.placeBars(cw, ch);
    this.syncEditor(false);
  }

  rowCells(row) {
    if (row === 0) return this.v.cells[0];
    const i = row - Math.max(1, this.v.top) + 1;
    return i >= 1 && i < this.v.cells.length ? this.v.cells[i] : null;
  }

  clampScroll() {
    const maxTop = Math.max(1, this.rows() - this.visibleFullRows());
    this.top = Math.min(Math.max(1, this.top), maxTop);
    let maxLeft = 1;
    const cw = this.clientWidth();
    // The last columns fit: the left column goes no further than needed.
    let width = this.v.widths[0] + 1;
    for (let c = this.cols() - 1; c >= 1; --c) {
      width += this.v.widths[c] + 1;
      if (width > cw) {
        maxLeft = Math.min(this.cols() - 1, c + 1);
        break;
      }
    }
    this.left = Math.min(Math.max(1, this.left), maxLeft);
    this.maxLeft = maxLeft;
  }

  placeBars(cw, ch) {
    this.syncingBars = true;
    const { v, h } = this.shownBars;
    this.vbar.hidden = !v;
    this.hbar.hidden = !h;
    if (v) {
      this.vbar.style.height = ch + 'px';
      this.vbar.firstChild.style.height = (this.rows() - 1) * PITCH + (ch - this.visibleFullRows() * PITCH) + 'px';
      this.vbar.scrollTop = (this.top - 1) * PITCH;
    }
    if (h) {
      this.hbar.style.width = cw + 'px';
      this.hbar.firstChild.style.width = cw + (this.maxLeft - 1) * 22 + 'px';
      this.hbar.scrollLeft = (this.left - 1) * 22;
    }
    this.syncingBars = false;
  }

  // A cell's rectangle in the grid, or null when it is scrolled out of sight.
  cellRect(col, row) {
    if (!this.v) return null;
    if (row !== 0 && (row < this.top)) return null;
    if (col !== 0 && col < this.left) return null;
    let x = 0;
    for (let c = 0; c < col; c = c === 0 ? this.left : c + 1) x += this.v.widths[c] + 1;
    const y = row === 0 ? 0 : (row - this.top + 1) * PITCH;
    const w = this.v.widths[col];
    if (x + w > this.clientWidth() || y + ROW > this.clientHeight()) return null;
    return { x, y, w, h: ROW };
  }

  cellAt(px, py) {
    let col = -1;
    let x = 0;
    for (let c = 0; c < this.cols(); c = c === 0 ? this.left : c + 1) {
      if (px >= x && px < x + this.v.widths[c] + 1) { col = c; break; }
      x += this.v.widths[c] + 1;
    }
    const r = Math.floor(py / PITCH);
    const row = r === 0 ? 0 : this.top + r - 1;
    if (col < 0 || row >= this.rows()) return [-1, -1];
    return [col, row];
  }

  scrollIntoView(cell) {
    if (!this.isCell(cell)) return;
    const rows = this.visibleFullRows();
    if (cell[1] < this.top) this.top = cell[1];
    else if (cell[1] >= this.top + rows) this.top = cell[1] - rows + 1;
    if (cell[0] < this.left) this.left = cell[0];
    else {
      while (this.left < cell[0] && !this.cellRect(cell[0], this.top)) ++this.left;
    }
  }

  // --- editing, as the window's grid does it ---

  moveTo(cell) {
    if (!this.isCell(cell)) return;
    this.offCell = false;
    this.wish = 'model';
    this.model.selectCell(cell);
    this.refresh(true);
  }

  refresh(follow) {
    this.onRefresh?.(follow);
  }

  navigate(e) {
    const from = this.v.current;
    let [col, row] = from;
    const ctrl = e.ctrlKey;
    switch (e.key) {
      case 'ArrowUp': --row; break;
      case 'ArrowDown': ++row; break;
      case 'ArrowLeft': --col; break;
      case 'ArrowRight': ++col; break;
      case 'PageUp': row -= this.visibleFullRows(); break;
      case 'PageDown': row += this.visibleFullRows(); break;
      case 'Home': col = 1; if (ctrl) row = 1; break;
      case 'End': col = this.cols() - 1; if (ctrl) row = this.rows() - 1; break;
      default: return false;
    }
    col = Math.min(Math.max(col, 1), Math.max(1, this.cols() - 1));
    row = Math.min(Math.max(row, 1), Math.max(1, this.rows() - 1));
    if (col !== from[0] || row !== from[1]) this.moveTo([col, row]);
    return true;
  }

  opensEditor(e) {
    if (e.ctrlKey !== e.altKey || e.metaKey) return false;
    if (e.key === 'Enter' || e.key === 'Backspace') return true;
    return e.key.length === 1;
  }

  openEditor() {
    const current = this.v.current;
    if (!this.isCell(current)) return;
    this.wish = 'open';
    this.editorCell = current;
    this.shownCellText = this.v.currentText;
    this.editor.value = this.shownCellText;
    this.placeEditor();
    this.editor.hidden = false;
    this.editor.select();
    this.editor.focus();
  }

  closeEditor() {
    if (this.editor.hidden) return;
    const had = document.activeElement === this.editor;
    this.editor.hidden = true;
    this.editorCell = null;
    if (had) this.el.focus();
  }

  editorDone() {
    this.wish = 'closed';
    this.syncEditor(false);
  }

  editorEdited() {
    if (!this.isCell(this.editorCell)) return;
    this.wish = 'model';
    this.editing = true;
    this.model.setEditText(this.editorCell, this.editor.value);
    this.editing = false;
    this.afterEdit = true;
    this.refresh(false);
  }

  cellTextOf(cell) {
    if (this.same(cell, this.v.current)) return this.v.currentText;
    if (this.same(cell, [this.v.editor.col, this.v.editor.row])) return this.v.editorCellText;
    return null;
  }

  wantedEditor() {
    const m = this.v.editor;
    const current = this.v.current;
    if (this.wish === 'open' && this.isCell(this.editorCell)) {
      return { shown: true, cell: this.editorCell, text: null, keep: true };
    }
    if (this.wish === 'model' && m.open && this.isCell([m.col, m.row])) {
      return { shown: true, cell: [m.col, m.row], text: m.text, keep: false };
    }
    if (m.alwaysShown && this.isCell(current)) {
      const same = !this.editor.hidden && this.same(this.editorCell, current);
      return { shown: true, cell: current, text: same ? null : this.v.currentText, keep: same };
    }
    return { shown: false };
  }

  syncEditor() {
    if (this.editing) return;
    const afterEdit = this.afterEdit;
    this.afterEdit = false;
    let target = this.wantedEditor();
    if (!target.shown || !this.cellRect(target.cell[0], target.cell[1])) {
      this.closeEditor();
      return;
    }
    const fresh = this.editor.hidden || !this.same(this.editorCell, target.cell);
    const cellText = this.cellTextOf(target.cell);
    const changedUnder = !fresh && !afterEdit && cellText !== null && cellText !== this.shownCellText;
    if (changedUnder) target = { shown: true, cell: target.cell, text: cellText, keep: false };
    if (cellText !== null) this.shownCellText = cellText;
    this.editorCell = target.cell;
    if (!target.keep && this.editor.value !== target.text) this.editor.value = target.text;
    this.placeEditor();
    const hadFocus = document.activeElement === this.el || document.activeElement === this.editor;
    if (fresh) this.editor.hidden = false;
    if (!this.entered) {
      this.editor.setSelectionRange(this.editor.value.length, this.editor.value.length);
    } else if (fresh || changedUnder || (afterEdit && this.v.editor.selected)) {
      this.editor.select();
    }
    this.editor.style.color = this.entered || this.v.hasSelection !== false ? '#000' : MANUAL_TEXT;
    if (hadFocus && this.entered && !this.offCell) this.editor.focus();
  }

  placeEditor() {
    const r = this.editorCell && this.cellRect(this.editorCell[0], this.editorCell[1]);
    if (!r) return;
    Object.assign(this.editor.style, { left: r.x + 'px', top: r.y + 'px', width: r.w + 'px', height: r.h + 'px' });
    const row = this.rowCells(this.editorCell[1]);
    const left = row ? row[this.editorCell[0]][1] : 1;
    this.editor.style.textAlign = left ? 'left' : 'center';
    this.editor.style.paddingLeft = left ? '4px' : '0';
  }

  focusGained() {
    if (this.entered) return;
    this.entered = true;
    this.model.enter();
    this.focusControl();
    this.refresh(true);
  }

  focusLost() {
    if (!this.entered) return;
    this.entered = false;
    this.wish = 'model';
    this.model.exit();
    this.refresh(false);
  }

  mousePress(px, py, button, clientX, clientY) {
    if (!this.entered) {
      this.el.focus();
      this.focusGained();
    }
    const cell = this.cellAt(px, py);
    // A click beside the cells leaves the current cell as it is, but typing then edits none.
    this.offCell = !this.isCell(cell);
    if (this.offCell && document.activeElement === this.editor) this.el.focus();
    if (button === 0 && this.isCell(cell) && !this.same(cell, this.v.current)) this.moveTo(cell);
    this.model.mouseDown(cell, button, clientX, clientY);
    this.refresh(false);
    return cell;
  }

  bind() {
    const local = (e) => {
      const r = this.el.getBoundingClientRect();
      const scale = r.width / this.el.offsetWidth || 1;
      return [(e.clientX - r.left) / scale - 1, (e.clientY - r.top) / scale - 1];
    };
    this.canvas.addEventListener('mousedown', (e) => {
      e.preventDefault();
      const [x, y] = local(e);
      this.mousePress(x, y, e.button, e.clientX, e.clientY);
    });
    this.canvas.addEventListener('dblclick', (e) => {
      const [x, y] = local(e);
      const cell = this.mousePress(x, y, e.button, e.clientX, e.clientY);
      if (e.button === 0 && this.same(cell, this.v.current) && this.model.editsOnDoubleClick(cell)) {
        this.openEditor();
        this.editor.setSelectionRange(this.editor.value.length, this.editor.value.length);
      }
    });
    this.canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    this.el.addEventListener('wheel', (e) => {
      e.preventDefault();
      if (e.shiftKey || Math.abs(e.deltaX) > Math.abs(e.deltaY)) this.left += Math.sign(e.deltaX || e.deltaY);
      else this.top += 3 * Math.sign(e.deltaY);
      this.onScroll?.();
    }, { passive: false });
    this.el.addEventListener('focusin', () => this.focusGained());
    this.el.addEventListener('focusout', (e) => {
      if (this.el.contains(e.relatedTarget)) return;
      // A dialog of the page takes the focus for a while; that is no leaving of the grid.
      if (e.relatedTarget && e.relatedTarget.closest('#modal')) return;
      if (!e.relatedTarget && !document.hasFocus()) return;
      this.focusLost();
    });
    this.el.addEventListener('keydown', (e) => {
      if (e.target === this.editor) return;
      this.model.keyDown?.(e);
      if (this.navigate(e)) {
        e.preventDefault();
        return;
      }
      if (this.offCell && this.opensEditor(e)) {
        e.preventDefault();
        return;
      }
      if (this.isCell(this.v.current) && this.opensEditor(e)) {
        e.preventDefault();
        this.openEditor();
        if (e.key === 'Enter') {
          this.editor.setSelectionRange(this.editor.value.length, this.editor.value.length);
        } else if (e.key === 'Backspace') {
          this.editor.value = '';
          this.editorEdited();
        } else {
          this.editor.value = e.key;
          this.editorEdited();
        }
      }
    });
    this.editor.addEventListener('input', () => this.editorEdited());
    this.editor.addEventListener('focus', () => (this.offCell = false));
    this.editor.addEventListener('mousedown', (e) => {
      if (e.button !== 0) {
        e.preventDefault();
        const [x, y] = local(e);
        this.mousePress(x, y, e.button, e.clientX, e.clientY);
      }
    });
    this.editor.addEventListener('contextmenu', (e) => e.preventDefault());
    this.editor.addEventListener('keydown', (e) => {
      e.stopPropagation();
      this.model.keyDown?.(e);
      if (this.editor.hidden) return;
      const leaves = () => {
        if (e.shiftKey || e.ctrlKey) return false;
        const s = this.editor.selectionStart;
        const t = this.editor.selectionEnd;
        if (s !== t) return s === 0 && t === this.editor.value.length;
        return e.key === 'ArrowLeft' ? s === 0 : s === this.editor.value.length;
      };
      switch (e.key) {
        case 'Enter':
        case 'Escape':
          e.preventDefault();
          this.editorDone();
          this.el.focus();
          return;
        case 'ArrowLeft':
        case 'ArrowRight':
          if (leaves() && this.navigate(e)) e.preventDefault();
          return;
        case 'Home':
        case 'End':
          if (e.ctrlKey && this.navigate(e)) e.preventDefault();
          return;
        default:
          if (this.navigate(e)) e.preventDefault();
      }
    });
  }
}
