// The session inside the WebAssembly module, as the page calls it: events by the names of
// the window's handlers, the view to draw, and the command-line tool.
let M = null;

export async function loadModel() {
  // eslint-disable-next-line no-undef
  M = await createVellarModule();
  M.FS.mkdir('/Dateien');
  M.FS.mkdir('/Beispiele');
  M.FS.mkdir('/cli');
  M.FS.mkdir('/Link');
  M.FS.chdir('/Dateien');
  return M;
}

export function fs() {
  return M.FS;
}

function withString(text, use) {
  const size = M.lengthBytesUTF8(text) + 1;
  const ptr = M._malloc(size);
  M.stringToUTF8(text, ptr, size);
  try {
    return use(ptr);
  } finally {
    M._free(ptr);
  }
}

export function start(args) {
  withString(args.join('\n'), (p) => M._vellar_start(p));
}

export function fileNames() {
  return M.UTF8ToString(M._vellar_file_names()).split('\n');
}

// One slice of an unpaced run, at most this many ticks; true while the run wants more.
export function advance(ticks) {
  return M._vellar_advance(ticks) !== 0;
}

// Whether a command waits for the page's answer to its question: its call has returned, but
// it has not ended.
export function asking() {
  return M._vellar_asking() !== 0;
}

const doneWaiters = [];

// Resolves when no command waits for an answer any more.
export function whenDone() {
  return asking() ? new Promise((resolve) => doneWaiters.push(resolve)) : Promise.resolve();
}

// The page's answer to the pending question (0 Ja, 1 Nein, 2 Abbrechen, and the picked file or
// an error text, or null): the command goes on, to its end or its next question.
export function answer(choice, text) {
  if (text === null || text === undefined) M._vellar_answer(choice, 0);
  else withString(String(text), (t) => M._vellar_answer(choice, t));
  if (!asking()) doneWaiters.splice(0).forEach((resolve) => resolve());
}

// What vellar_event returns for a name that names no handler.
const UNKNOWN_EVENT = -1;

function unknownEvent(name) {
  return new Error(`vellar: kein Handler „${name}“`);
}

function run(name, a, b, c, text) {
  const result = withString(name, (n) => withString(text, (t) => M._vellar_event(n, a | 0, b | 0, c | 0, t)));
  if (result === UNKNOWN_EVENT) throw unknownEvent(name);
  return result;
}

// Resolves when the handler has ended, with what it returned: a command that asks the user
// ends with the last answer. A command that would ask while another one waits is refused by
// the session and has ended when it returns.
export function event(name, a = 0, b = 0, c = 0, text = '') {
  const before = asking();
  let result;
  try {
    result = run(name, a, b, c, text);
  } catch (e) {
    return Promise.reject(e);
  }
  return !before && asking() ? whenDone().then(() => result) : Promise.resolve(result);
}

// The same, for the handlers that answer at once (a key that the hook may keep).
export function eventNow(name, a = 0, b = 0, c = 0, text = '') {
  return run(name, a, b, c, text);
}

// Whether closing the page would lose changes (see vellar_unsaved).
export function unsaved() {
  return M._vellar_unsaved() !== 0;
}

// What the model asked for since the page last took it: so far only whether the panels and
// grids are to be placed anew (the window's FormResize).
export function takeRedraw() {
  const bits = M._vellar_take_redraw() >>> 0;
  return {
    layout: (bits & M._vellar_redraw_layout_bit()) !== 0,
    task: (bits & M._vellar_redraw_task_bit()) !== 0,
  };
}

// The task panel as the model shows it, and one slice of its check (true while cases remain).
export function taskPanel() {
  return JSON.parse(M.UTF8ToString(M._vellar_task_panel()));
}

export function taskChecking() {
  return M._vellar_task_checking() !== 0;
}

export function taskAdvance(ticks) {
  return M._vellar_task_advance(ticks) !== 0;
}

// The form: the menus and their items as both frontends show them.
export function form() {
  return JSON.parse(M.UTF8ToString(M._vellar_form()));
}

// FormResize: the form's size and where its panels, grids and strip's controls go for what
// the page measured.
export function layout(m) {
  const numbers = [m.stageWidth, m.stageHeight, m.ramColumns, m.busWidth, m.busHeight, m.mpsGridTop,
    m.registerHeight, m.inspectorShown ? 1 : 0, m.inspectorColumns, m.scrollBarExtent, m.pictureWidth,
    m.pictureHeight];
  return withString(numbers.join(' '), (p) => JSON.parse(M.UTF8ToString(M._vellar_layout(p))));
}

export function view() {
  return JSON.parse(M.UTF8ToString(M._vellar_view()));
}

// A raw event of a grid (0 MPS, 1 RAM, 2 variable inspector) for its editing in the model.
export function grid(index, name, a = 0, b = 0, c = 0, d = 0, text = '') {
  return withString(name, (n) => withString(text, (t) => M._vellar_grid(index, n, a | 0, b | 0, c | 0, d | 0, t)));
}

const DIAGRAM_CONTROLS = ['edAX', 'edBX', 'edIP', 'edOP', 'paSignF', 'paSubtr', 'paPlus1', 'paALU',
  'edDR', 'edAR', 'tor9', 'torA', 'torB', 'torC'];

// Where the picture's lines run, worked out by the model from where the page placed the
// controls ({x, y, w, h} each, and processorWidth, busWidth, dy).
export function pictureGeometry(c) {
  const numbers = DIAGRAM_CONTROLS.flatMap((n) => [c[n].x, c[n].y, c[n].w, c[n].h]);
  numbers.push(c.processorWidth, c.busWidth, c.dy);
  return withString(numbers.join(' '), (p) => JSON.parse(M.UTF8ToString(M._vellar_picture_geometry(p))));
}

export function ram(address) {
  return M._vellar_ram(address);
}

export function reg(index) {
  return M._vellar_reg(index);
}

export function clocks() {
  return M._vellar_clocks();
}

export function mpsGates(address) {
  return M._vellar_mps_gates(address);
}

let cliRuns = 0;

// Removes a folder of the page's file system with all it holds.
export function removeTree(path) {
  for (const name of M.FS.readdir(path)) {
    if (name === '.' || name === '..') continue;
    const full = path + '/' + name;
    if (M.FS.isDir(M.FS.stat(full).mode)) removeTree(full);
    else M.FS.unlink(full);
  }
  M.FS.rmdir(path);
}

function readTree(path, prefix, out) {
  for (const name of M.FS.readdir(path)) {
    if (name === '.' || name === '..') continue;
    const full = path + '/' + name;
    if (M.FS.isDir(M.FS.stat(full).mode)) readTree(full, prefix + name + '/', out);
    else out[prefix + name] = M.FS.readFile(full);
  }
}

function toBytes(value) {
  if (value instanceof Uint8Array) return value;
  if (value instanceof ArrayBuffer) return new Uint8Array(value);
  if (Array.isArray(value)) return Uint8Array.from(value);
  return new TextEncoder().encode(String(value));
}

// vellar-cli on a set of files (name -> bytes); the files after the run come back the same way.
export function cli(args, files = {}) {
  if (!Array.isArray(args) || args.some((a) => String(a).includes('\n'))) {
    throw new TypeError('vellar.cli: args ist eine Liste von Texten ohne Zeilenumbruch');
  }
  const dir = '/cli/' + ++cliRuns;
  M.FS.mkdir(dir);
  try {
    for (const [name, bytes] of Object.entries(files)) {
      const parts = name.split('/').filter((p) => p && p !== '.' && p !== '..');
      let at = dir;
      for (const part of parts.slice(0, -1)) {
        at += '/' + part;
        if (!M.FS.analyzePath(at).exists) M.FS.mkdir(at);
      }
      M.FS.writeFile(at + '/' + parts[parts.length - 1], toBytes(bytes));
    }
    const out = dir + '.out';
    const err = dir + '.err';
    const exitCode = withString(dir, (d) =>
      withString(args.map(String).join('\n'), (a) =>
        withString(out, (o) => withString(err, (e) => M._vellar_cli(d, a, o, e))),
      ),
    );
    const result = { exitCode, stdout: '', stderr: '', files: {} };
    const decoder = new TextDecoder();
    if (M.FS.analyzePath(out).exists) {
      result.stdoutBytes = M.FS.readFile(out);
      result.stdout = decoder.decode(result.stdoutBytes);
      M.FS.unlink(out);
    }
    if (M.FS.analyzePath(err).exists) {
      result.stderrBytes = M.FS.readFile(err);
      result.stderr = decoder.decode(result.stderrBytes);
      M.FS.unlink(err);
    }
    readTree(dir, '', result.files);
    return result;
  } finally {
    removeTree(dir);
  }
}

// "Abgaben bewerten": vellar-cli grade's own code on the files in dir (src/web/page_grading.cpp).
// Returns {error, args, total}; error is empty when grading has begun.
export function gradeStart(dir, names) {
  return withString(dir, (d) => withString(names.join('\n'), (n) =>
    JSON.parse(M.UTF8ToString(M._vellar_grade_start(d, n)))));
}

// One slice of the grading, at most this many ticks; true while submissions remain.
export function gradeAdvance(ticks) {
  return M._vellar_grade_advance(ticks) !== 0;
}

export function gradeDone() {
  return M._vellar_grade_done();
}

// The CSV as the tool prints it, as bytes; null when there is none.
export function gradeCsv(path) {
  return withString(path, (p) => M._vellar_grade_csv(p)) === 1 ? M.FS.readFile(path) : null;
}
