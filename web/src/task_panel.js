// The "Aufgabe" panel of the page: the task's title and text, "Prüfen" and the table of the
// check, as the model gives them (TaskPanel::ViewJson). It floats over the data-path picture,
// between the two grids the student edits, and takes no input from them: both stay usable
// while it is open, and its title bar moves it aside.
const STYLE = `
#Aufgabe { position: fixed; left: 50%; transform: translateX(-50%); top: 40px; width: min(420px, 90vw); max-height: 80vh;
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

// Lets the panel be dragged by its title bar, within the page.
function movable(panel, bar) {
  bar.addEventListener('pointerdown', (e) => {
    if (e.target.closest('button')) return;
    const box = panel.getBoundingClientRect();
    const dx = e.clientX - box.left;
    const dy = e.clientY - box.top;
    bar.setPointerCapture(e.pointerId);
    const move = (m) => {
      panel.style.left = Math.max(0, Math.min(innerWidth - 40, m.clientX - dx)) + 'px';
      panel.style.top = Math.max(0, Math.min(innerHeight - 30, m.clientY - dy)) + 'px';
      panel.style.transform = 'none';
    };
    const up = () => {
      bar.removeEventListener('pointermove', move);
      bar.removeEventListener('pointerup', up);
    };
    bar.addEventListener('pointermove', move);
    bar.addEventListener('pointerup', up);
  });
}

export class TaskPanel {
  // actions: check() for "Prüfen", close() for the close box.
  constructor(actions) {
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
    movable(this.el, bar);
    document.body.append(this.el);
  }

  update(v) {
    this.el.hidden = !v.shown;
    this.caption.textContent = v.caption;
    this.title.textContent = v.title;
    this.text.replaceChildren(...v.paragraphs.map((p) => element('p', '', p)));
    this.check.textContent = v.button;
    this.check.title = v.buttonHint;
    fillTable(this.table, v.columns, v.rows);
    this.status.textContent = v.status;
  }
}
