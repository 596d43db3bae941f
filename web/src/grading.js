// "Datei → Abgaben bewerten…": the teacher picks or drops the task (or a cases file), the start
// files it names and the submissions; the model grades them with vellar-cli grade's own code
// (src/web/page_grading.cpp), in slices between which the page stays usable, and the page shows
// the tool's table and offers its CSV, byte for byte as `vellar-cli grade --csv` prints it.
import * as bridge from './bridge.js';
import * as dialogs from './dialogs.js';
import { download } from './host.js';

const ROOT = '/Bewerten';
const ACCEPT = ['.aufgabe', '.txt', '.mpd', '.mps', '.ras', '.rad', '.ram', '.erm', '.asm'];
// As the page's runs: a slice keeps the page this long, with a look at the clock every few ticks.
const SLICE_MS = 10;
const TICKS_PER_CLOCK_READ = 16;
let runs = 0;

function el(tag, className, parent, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  parent?.appendChild(e);
  return e;
}

function button(text, onClick) {
  const b = el('button', '', null, text);
  b.addEventListener('click', onClick);
  return b;
}

// A line of the tool's CSV into its cells: ';' between them, '"' around a cell that holds one.
function csvRows(text) {
  const rows = [];
  let row = [];
  let cell = '';
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') cell += text[++i];
      else if (c === '"') quoted = false;
      else cell += c;
    } else if (c === '"') quoted = true;
    else if (c === ';') {
      row.push(cell);
      cell = '';
    } else if (c === '\n') {
      rows.push([...row, cell]);
      row = [];
      cell = '';
    } else cell += c;
  }
  if (cell || row.length) rows.push([...row, cell]);
  return rows;
}

function showTable(parent, rows) {
  parent.replaceChildren();
  const table = el('table', 'grade-table', parent);
  rows.forEach((cells, index) => {
    const tr = el('tr', '', table);
    for (const cell of cells) {
      const td = el(index === 0 ? 'th' : 'td', cell === '✓' ? 'pass' : cell === '✗' ? 'fail' : '', tr, cell);
      if (/^\d+$/.test(cell)) td.classList.add('number');
    }
  });
}

// The files go into a folder of their own for each grading, flat, as the browser names them.
function writeFiles(files) {
  const FS = bridge.fs();
  if (!FS.analyzePath(ROOT).exists) FS.mkdir(ROOT);
  const dir = `${ROOT}/${++runs}`;
  FS.mkdir(dir);
  for (const [name, bytes] of files) FS.writeFile(`${dir}/${name}`, bytes);
  return dir;
}

// Files dropped onto the page: several at once are a class to grade; the dialog opens with
// them. No drop of files ever replaces the page, as the browser would do by itself, taking the
// unsaved work with it.
window.addEventListener('dragover', (e) => {
  if (e.dataTransfer?.types.includes('Files')) e.preventDefault();
});
window.addEventListener('drop', (e) => {
  const dropped = [...(e.dataTransfer?.files ?? [])];
  if (!dropped.length) return;
  e.preventDefault();
  if (dropped.length > 1 && !dialogs.isModalOpen()) openGrading(dropped);
});

// Opens the dialog, with the files already dropped when there are some.
export function openGrading(dropped = []) {
  // name -> bytes; a file picked again under the same name replaces the earlier one.
  const files = new Map();
  let grading = null;
  let csv = null;
  let csvName = 'bewertung.csv';

  return dialogs.showPanel('Abgaben bewerten', 'modal-grading', (box, row, close) => {
    const body = el('div', 'grade-body');
    box.insertBefore(body, row);
    el('div', 'grade-hint', body, 'Wählen Sie die Aufgabe (.aufgabe) oder die Fälle-Datei (.txt), '
      + 'die Startdateien, die sie nennt (MPS:, RAM:), und alle Abgaben – auf einmal oder nacheinander – '
      + 'oder ziehen Sie die Dateien hierher. Bewertet wird wie mit „vellar-cli grade“.');
    const list = el('div', 'grade-files', body);
    list.id = 'grade-files';
    const status = el('div', 'grade-status', body);
    status.id = 'grade-status';
    const tableBox = el('div', 'grade-result', body);
    tableBox.id = 'grade-result';

    const pick = button('Dateien wählen …', () => chooseFiles());
    pick.id = 'grade-pick';
    const clear = button('Liste leeren', () => {
      files.clear();
      showFiles();
    });
    const start = button('Bewerten', () => startGrading());
    start.id = 'grade-start';
    const save = button('CSV herunterladen', () => csv && download(csvName, csv));
    save.id = 'grade-csv';
    save.disabled = true;
    const end = button('Schließen', () => {
      if (grading) bridge.removeTree(grading.dir);
      grading = null;
      window.removeEventListener('dragover', onDragOver, true);
      window.removeEventListener('drop', onDrop, true);
      close(true);
    });
    row.append(pick, clear, start, save, end);

    function setStatus(text, state) {
      status.textContent = text;
      status.dataset.state = state;
    }

    function showFiles() {
      const names = [...files.keys()].sort();
      list.textContent = names.length
        ? `${names.length} ${names.length === 1 ? 'Datei' : 'Dateien'}: ${names.join(', ')}`
        : 'Noch keine Datei gewählt.';
      setStatus('', 'ready');
    }

    async function add(picked) {
      for (const file of picked) {
        try {
          files.set(file.name, new Uint8Array(await file.arrayBuffer()));
        } catch {
          setStatus(`„${file.name}“ konnte nicht gelesen werden.`, 'error');
          return;
        }
      }
      showFiles();
    }

    function chooseFiles() {
      const input = document.createElement('input');
      input.type = 'file';
      input.multiple = true;
      input.accept = ACCEPT.join(',');
      input.addEventListener('change', () => add([...input.files]));
      input.click();
    }

    // While the dialog is open, files dropped anywhere on the page are its; the browser would
    // otherwise open a dropped file in place of the page, and the work would be gone.
    function onDragOver(e) {
      if (!e.dataTransfer?.types.includes('Files')) return;
      e.preventDefault();
      e.dataTransfer.dropEffect = 'copy';
    }
    function onDrop(e) {
      if (!e.dataTransfer?.files.length) return;
      e.preventDefault();
      add([...e.dataTransfer.files]);
    }
    window.addEventListener('dragover', onDragOver, true);
    window.addEventListener('drop', onDrop, true);

    function startGrading() {
      if (grading) return;
      csv = null;
      save.disabled = true;
      tableBox.replaceChildren();
      const dir = writeFiles(files);
      const started = bridge.gradeStart(dir, [...files.keys()]);
      if (started.error) {
        bridge.removeTree(dir);
        setStatus(started.error, 'error');
        return;
      }
      const task = started.args[1];
      csvName = task.split('/').pop().replace(/\.[^.]*$/, '') + '-bewertung.csv';
      grading = { dir, total: started.total, args: started.args };
      start.disabled = true;
      setStatus(`Bewerte … 0 von ${started.total}`, 'running');
      const channel = new MessageChannel();
      const current = grading;
      channel.port1.onmessage = () => {
        if (grading !== current) return;
        const endAt = performance.now() + SLICE_MS;
        let more = bridge.gradeAdvance(TICKS_PER_CLOCK_READ);
        while (more && performance.now() < endAt) more = bridge.gradeAdvance(TICKS_PER_CLOCK_READ);
        if (more) {
          setStatus(`Bewerte … ${bridge.gradeDone()} von ${current.total}`, 'running');
          channel.port2.postMessage(0);
          return;
        }
        finish(current);
      };
      channel.port2.postMessage(0);
    }

    function finish(current) {
      grading = null;
      start.disabled = false;
      csv = bridge.gradeCsv(current.dir + '.csv');
      bridge.removeTree(current.dir);
      if (csv) bridge.fs().unlink(current.dir + '.csv');
      if (!csv) {
        setStatus('Die Tabelle ließ sich nicht schreiben.', 'error');
        return;
      }
      showTable(tableBox, csvRows(new TextDecoder().decode(csv)));
      save.disabled = false;
      setStatus(`${current.total} ${current.total === 1 ? 'Abgabe' : 'Abgaben'} bewertet.`, 'done');
    }

    showFiles();
    if (dropped.length) add(dropped);
    return pick;
  });
}
