// The "Aufgabe" panel of the page: the task's title and text, "Prüfen" and the table of the
// check, as the model gives them (TaskPanel::ViewJson). It floats over the data-path picture,
// between the two grids the student edits, and takes no input from them: both stay usable
// while it is open, and its title bar moves it aside. Its title bar never leaves the page's
// area, neither when dragged nor when the area changes (a tablet turned), so it can always be
// moved back and closed.
const STYLE = `
#Aufgabe { position: fixed; left: 0; top: 40px; width: min(420px, 90vw); max-height: 80vh;
  display: flex; flex-direction: column; background: #f0f0f0; border: 1px solid #707070;
  box-shadow: 4px 4px 12px rgba(0,0,0,.35); z-index: 50; font: 13px "Liberation Sans", Arial, sans-serif; }
#Aufgabe[hidden] { display: none; }
#Aufgabe .task-bar { display: flex; align-items: center; background: #fff; padding: 4px 6px 4px 10px;
  border-bottom: 1px solid #ddd; cursor: move; user-select: none; touch-action: none; }
#Aufgabe .task-bar span { flex: 1; }
#Aufgabe .task-close { border: 0; background: none; font-size: 16px; cursor: pointer; }
#Aufgabe .task-body { overflow: auto; padding: 8px 10px; background: #fff; }
#Aufgabe .task-title { font-weight: bold; font-size: 15px; margin: 2px 0 6px; }
#Aufgabe .task-body p { margin: 0 0 8px; }
#Aufgabe .task-check { margin: 4px 0 8px; min-width: 90px; }
#Aufgabe table { border-collapse: collapse; width: 100%; }
#Aufgabe th, #Aufgabe td { border: 1px solid #ccc; padding: 2px 6px; text-align: left; vertical-align: top; }
#Aufgabe td:nth-child(2), #Aufgabe td:nth-child(4) { text-align: center; white-space: nowrap; }
#Aufgabe td.task-passed { color: #080; font-weight: bold; }
#Aufgabe td.task-failed { color: #c00; font-weight: bold; }
#Aufgabe .task-status { padding: 6px 10px; }
`;

function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

// Draws a table of rows of texts with their column heads; what another panel of the page may
// draw the same way. A cell of ✓ or ✗ gets its colour.
export function fillTable(table, columns, rows) {
  const head = element('tr');
  for (const c of columns) head.append(element('th', '', c));
  const lines = rows.map((row) => {
    const tr = element('tr');
    for (const cell of row) {
      tr.append(element('td', cell === '✓' ? 'task-passed' : cell === '✗' ? 'task-failed' : '', cell));
    }
    return tr;
  });
  table.replaceChildren(head, ...lines);
}

function overlap(a, b) {
  return Math.max(0, Math.min(a.right, b.right) - Math.max(a.left, b.left))
    * Math.max(0, Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top));
}

// Lets the panel be dragged by its title bar, within the page.
function movable(panel, bar, moved) {
  bar.addEventListener('pointerdown', (e) => {
    if (e.target.closest('button')) return;
    const box = panel.getBoundingClientRect();
    const dx = e.clientX - box.left;
    const dy = e.clientY - box.top;
    bar.setPointerCapture(e.pointerId);
    const move = (m) => moved(m.clientX - dx, m.clientY - dy);
    const up = () => {
      bar.removeEventListener('pointermove', move);
      bar.removeEventListener('pointerup', up);
    };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', up);
  });
}

export class TaskPanel {
  // actions: check() for "Prüfen", close() for the close box, and around(): the rectangle of
  // the data-path picture the panel goes over, and those of what it should leave free.
  constructor(actions) {
    this.around = actions.around;
    this.dragged = false;
    document.head.append(element('style', '', STYLE));
    this.el = element('div');
    this.el.id = 'Aufgabe';
    this.el.setAttribute('role', 'dialog');
    this.el.hidden = true;
    const bar = element('div', 'task-bar');
    this.caption = element('span');
    const close = element('button', 'task-close', '×');
    close.title = 'Schließen';
    close.addEventListener('click', () => actions.close());
    bar.append(this.caption, close);
    const body = element('div', 'task-body');
    this.title = element('div', 'task-title');
    this.text = element('div', 'task-text');
    this.check = element('button', 'task-check');
    this.check.id = 'BuPruefen';
    this.check.addEventListener('click', () => actions.check());
    this.table = element('table');
    body.append(this.title, this.text, this.check, this.table);
    this.status = element('div', 'task-status');
    this.el.append(bar, body, this.status);
    movable(this.el, bar, (x, y) => {
      this.dragged = true;
      this.moveTo(x, y);
    });
    document.body.append(this.el);
  }

  // At x, y as far as the title bar stays whole below the menu bar and inside the page.
  moveTo(x, y) {
    const top = document.getElementById('menubar')?.getBoundingClientRect().bottom ?? 0;
    const w = this.el.offsetWidth;
    const h = this.el.querySelector('.task-bar').getBoundingClientRect().bottom - this.el.getBoundingClientRect().top;
    this.el.style.left = Math.max(0, Math.min(innerWidth - w, x)) + 'px';
    this.el.style.top = Math.max(top, Math.min(innerHeight - h, y)) + 'px';
  }

  // Over the picture, below its top, where it leaves the grids free; where no place does, the
  // one that covers the least of them, the nearest to the picture among equals.
  place() {
    const { over, avoid } = this.around();
    const top = document.getElementById('menubar')?.getBoundingClientRect().bottom ?? 0;
    const w = this.el.offsetWidth;
    const h = this.el.offsetHeight;
    const home = { x: over.left + (over.width - w) / 2, y: Math.max(top, over.top) };
    const spread = (from, to) => Array.from({ length: 13 }, (_, i) => from + ((to - from) * i) / 12);
    let best = null;
    for (const x of [home.x, ...spread(0, innerWidth - w)]) {
      for (const y of [home.y, ...spread(top, innerHeight - h)]) {
        const r = { left: x, top: y, right: x + w, bottom: y + h };
        const covered = avoid.reduce((sum, a) => sum + overlap(r, a), 0);
        const distance = Math.hypot(x - home.x, y - home.y);
        if (!best || covered < best.covered || (covered === best.covered && distance < best.distance)) {
          best = { x, y, covered, distance };
        }
      }
    }
    this.moveTo(best.x, best.y);
  }

  // The page's area changed: a panel the student has not moved is placed anew, one moved is
  // held inside.
  fit() {
    if (this.el.hidden) return;
    if (this.dragged) this.moveTo(this.el.offsetLeft, this.el.offsetTop);
    else this.place();
  }

  update(v) {
    const opening = this.el.hidden && v.shown;
    this.el.hidden = !v.shown;
    this.caption.textContent = v.caption;
    this.title.textContent = v.title;
    this.text.replaceChildren(...v.paragraphs.map((p) => element('p', '', p)));
    this.check.textContent = v.button;
    this.check.title = v.buttonHint;
    fillTable(this.table, v.columns, v.rows);
    this.status.textContent = v.status;
    if (opening) this.fit();
  }
}
