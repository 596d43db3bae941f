// VellarD in the browser: builds the window, forwards every event to the session's handler,
// and draws what the session shows. Nothing here decides what happens; the session does.
import * as bridge from './bridge.js';
import * as dialogs from './dialogs.js';
import { createHost } from './host.js';
import { MainWindow } from './window.js';
import { Grid } from './grid.js';
import { MenuBar } from './menus.js';
import { paintPicture } from './picture.js';
import { keyMessage, CONTROL } from './keys.js';
import { layout } from './layout.js';
import { applySizes } from './finger_sizes.js';
import { openGrading } from './grading.js';
import { showQr } from './qr.js';
import { TaskPanel } from './task_panel.js';
import resources from 'vellar:resources';

const page = {
  downloadsOnly: false,
  dirty: true,
  frame: 0,
  timerTick() {
    if (bridge.asking()) return;
    dispatch('TimerTimer');
  },
  invalidate() {
    if (page.frame) return;
    // During an unpaced run a few pictures a second are enough; the run gets the time.
    if (slicing) page.frame = setTimeout(render, 100);
    else page.frame = requestAnimationFrame(render);
  },
  // The model has started an unpaced run: its slices come one after the other, each a task
  // of its own, so that a click, a key or Pause reaches the model between two of them.
  runInSlices() {
    if (slicing) return;
    slicing = true;
    ++busy;
    slices.port2.postMessage(0);
  },
  focusControl(control) {
    const target = {
      [CONTROL.MpsGrid]: () => grMps.el,
      [CONTROL.RamGrid]: () => grRam.el,
      [CONTROL.RamInspector]: () => inspector.el,
      [CONTROL.Slider]: () => win.trZeit,
      [CONTROL.GateControl]: () => (win.automatic.checked ? win.automatic : win.manual),
    }[control];
    target?.().focus();
  },
};

let win;
let taskPanel;
let grMps;
let grRam;
let inspector;
let menus;
let geometry;
// What the model's form gives the page: menus, captions, places, colours.
let form;
let lastView = null;
let busy = 0;
const idleWaiters = [];
// How long a slice of an unpaced run keeps the page, and its ticks between two looks at the
// clock (a tick at "zu schnell" is a stretch of 16384 clocks, a fraction of a millisecond).
const SLICE_MS = 10;
const TICKS_PER_CLOCK_READ = 16;
let slicing = false;
// A message to ourselves is the quickest way back after the page's events: a timer of 0 ms
// waits at least 4 ms once nested.
const slices = new MessageChannel();
slices.port1.onmessage = slice;

function slice() {
  // While a question or a file picker waits, the run waits with it.
  if (bridge.asking()) {
    setTimeout(() => slices.port2.postMessage(0), 20);
    return;
  }
  const end = performance.now() + SLICE_MS;
  let more = bridge.advance(TICKS_PER_CLOCK_READ);
  while (more && performance.now() < end) more = bridge.advance(TICKS_PER_CLOCK_READ);
  if (more) {
    slices.port2.postMessage(0);
    page.invalidate();
    return;
  }
  slicing = false;
  page.invalidate();
  if (--busy === 0) idleWaiters.splice(0).forEach((r) => r());
}

// The task's check, in slices of its own between the page's events, as an unpaced run.
const checkSlices = new MessageChannel();
let checking = false;
checkSlices.port1.onmessage = () => {
  const end = performance.now() + SLICE_MS;
  let more = bridge.taskAdvance(TICKS_PER_CLOCK_READ);
  while (more && performance.now() < end) more = bridge.taskAdvance(TICKS_PER_CLOCK_READ);
  page.invalidate();
  if (more) {
    checkSlices.port2.postMessage(0);
    return;
  }
  checking = false;
  // The table as the check left it, before anyone waiting for the page goes on.
  taskPanel.update(bridge.taskPanel());
  notBusy();
};

// Called after every handler, so that the page is busy with the check from the command on
// that started it, not only from the next picture.
function checkIfAsked() {
  if (checking || !bridge.taskChecking()) return;
  checking = true;
  ++busy;
  checkSlices.port2.postMessage(0);
}

function showTask() {
  taskPanel.update(bridge.taskPanel());
  checkIfAsked();
}

function notBusy() {
  if (--busy === 0) idleWaiters.splice(0).forEach((r) => r());
}

// Runs a handler; resolves when it has finished, rejects when it could not run. Either way
// the page is not kept busy by it.
function dispatch(name, a = 0, b = 0, c = 0, text = '') {
  ++busy;
  let call;
  try {
    call = bridge.event(name, a, b, c, text);
  } catch (e) {
    call = Promise.reject(e);
  }
  return call.finally(() => {
    page.invalidate();
    checkIfAsked();
    notBusy();
  });
}

// Runs a handler that answers at once. Should one of them still leave a command waiting for an
// answer, the page is busy until that one has ended.
function now(name, a = 0, b = 0, c = 0, text = '') {
  const before = bridge.asking();
  const result = bridge.eventNow(name, a, b, c, text);
  if (!before && bridge.asking()) {
    ++busy;
    bridge.whenDone().finally(() => {
      page.invalidate();
      notBusy();
    });
    page.invalidate();
    return { started: true };
  }
  page.invalidate();
  return result;
}

function fetchView() {
  const v = bridge.view();
  const names = window.vellar.fileNames();
  v.mpsFile = names[0];
  v.ramFile = names[1];
  return v;
}

// The page lays itself out when the model asks for it, as the window does; it keeps no copies
// of model values to compare. The grids then show the rows that the new layout has room for.
function render() {
  page.frame = 0;
  const redraw = bridge.takeRedraw();
  lastView = fetchView();
  if (redraw.layout) {
    doLayout();
    lastView = fetchView();
  }
  if (redraw.task) showTask();
  // The grids' client areas as the layout and the columns leave them; the model counts the
  // rows in view by them.
  const parts = [[grMps, 'mps'], [grRam, 'ram'], [inspector, 'inspector']];
  if (parts.map(([g, part]) => g.fit(lastView[part])).some((x) => x)) lastView = fetchView();
  const v = lastView;
  win.show(v);
  applySizes(win, v.sizes);
  menus.showStates(v.menu);
  for (const [g, part] of parts) g.update(v[part]);
  paintPictures(v.picture);
}

function paintPictures(picture) {
  for (const [canvas, which, host] of [[win.regCanvas, 'register', win.paRegister],
    [win.busCanvas, 'bus', win.paBus2]]) {
    const w = host.offsetWidth;
    const h = host.offsetHeight;
    const dpr = window.devicePixelRatio || 1;
    if (canvas.width !== Math.round(w * dpr) || canvas.height !== Math.round(h * dpr)) {
      canvas.width = Math.round(w * dpr);
      canvas.height = Math.round(h * dpr);
      canvas.style.width = w + 'px';
      canvas.style.height = h + 'px';
    }
    const ctx = canvas.getContext('2d');
    ctx.setTransform(dpr, 0, 0, dpr, 0, 0);
    ctx.clearRect(0, 0, w, h);
    ctx.save();
    ctx.beginPath();
    ctx.rect(1, 1, w - 2, h - 2);
    ctx.clip();
    paintPicture(ctx, which, geometry, picture);
    ctx.restore();
  }
}

function doLayout() {
  const placed = layout(win, grMps, grRam, inspector, lastView);
  geometry = bridge.pictureGeometry(win.diagramControls(placed.processorWidth));
  if (placed.descriptionWidth !== lastView?.mps.widths[1]) {
    now('SetDescriptionWidth', placed.descriptionWidth);
  }
}

function popupMenu(x, y) {
  document.querySelector('.popup')?.remove();
  const menu = document.createElement('div');
  menu.className = 'popup';
  menu.id = lastView.popup.name;
  menu.style.left = x + 'px';
  menu.style.top = y + 'px';
  lastView.popup.items.forEach(([id, text], index) => {
    const item = document.createElement('div');
    item.id = id;
    item.textContent = text;
    item.addEventListener('mousedown', (e) => {
      e.preventDefault();
      menu.remove();
      now('RamPopup', index);
    });
    menu.appendChild(item);
  });
  document.body.appendChild(menu);
  setTimeout(() => document.addEventListener('mousedown', () => menu.remove(), { once: true }), 0);
}

// The grid's raw events go to its editing in the model; the grid is drawn at once, so that the
// next key finds it as the model left it.
function gridHost(index, scrollBars) {
  return {
    send: (name, a, b, c, d, text) => {
      const result = bridge.grid(index, name, a, b, c, d, text);
      page.invalidate();
      return result;
    },
    changed: () => render(),
    popup: popupMenu,
    scrollBars,
    dotColour: form.colours.breakpoint,
  };
}

function buildGrids() {
  grMps = new Grid(win.paProzessor, 'GrMps', gridHost(0, () => ({ h: false, v: true })));
  grMps.el.title = form.texts.mpsGrid;
  grRam = new Grid(win.paRAM, 'GrRam', gridHost(1, (v) => ({ h: true, v: v.assembler })));
  grRam.el.title = form.texts.ramGrid;
  inspector = new Grid(win.paRAM, 'RamInspector', gridHost(2, () => ({ h: true, v: false })));
}

// A menu item: the session's command by its name, or what the page does itself.
async function menuCommand(name, own) {
  if (!own) return dispatch('Menu', 0, 0, 0, name);
  if (name === 'MeLink') return copyLink();
  if (name === 'MeQrLink') return showLinkQr();
  if (name === 'MeGrade') return openGrading();
  if (name === 'MeInfo') return dialogs.showMessage(resources.info, '', false);
  if (name === 'MeHilf') return dialogs.showText('Hilfe', resources.help);
  if (name.startsWith('Example:')) return loadExample(name.slice(8));
}

// Our micro-program and one example program, each through its load command; or an example
// task, which names its own start files.
async function loadExample(ram) {
  if (ram.endsWith('.aufgabe')) return dispatch('OpenTask', 0, 0, 0, '/Beispiele/' + ram);
  await dispatch('LoadMpsExample', 0, 0, 0, '/Beispiele/firmware.mpd');
  await dispatch('LoadRamExample', 0, 0, 0, '/Beispiele/' + ram);
}

// A link holds the page's files in the address's fragment, which no browser sends to a server
// (src/app/link_content.h): a version mark, then the files compressed, in the form the mark
// names. The model makes the fragment and reads its form; the page only inflates, which the
// browser does for it.
const LINK_CONTENT = '/Link/inhalt.link';
const LINK_TEXT = 0;
const LINK_DIGITS = 1;

async function inflate(bytes) {
  const out = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate'));
  return new Uint8Array(await new Response(out).arrayBuffer());
}

// The files of the address the page was opened with. What the page cannot read goes to the
// model as an empty content, which it calls damaged; it loads nothing then.
async function openLink(fragment) {
  let content = new Uint8Array(0);
  try {
    bridge.fs().writeFile(LINK_CONTENT, fragment);
    if (now('LinkCompressed', 0, 0, 0, LINK_CONTENT) === 1) {
      content = await inflate(bridge.fs().readFile(LINK_CONTENT));
    }
  } catch {
    content = new Uint8Array(0);
  }
  bridge.fs().writeFile(LINK_CONTENT, content);
  await dispatch('OpenLink', 0, 0, 0, LINK_CONTENT);
}

// The address with what the page holds, in the form given; null after the model's message why
// there is none.
function linkAddress(form) {
  if (now('MakeLink', form, 0, 0, LINK_CONTENT) !== 1) return null;
  return location.href.split('#')[0] + '#' + bridge.fs().readFile(LINK_CONTENT, { encoding: 'utf8' });
}

// "Link kopieren": the address with what the page holds, in the address bar and on the
// clipboard.
async function copyLink() {
  const address = linkAddress(LINK_TEXT);
  if (!address) return;
  history.replaceState(null, '', address);
  try {
    await navigator.clipboard.writeText(address);
  } catch {
    await dispatch('LinkNotCopied');
  }
}

// The QR code carries the digits, of which it holds more.
async function showLinkQr() {
  const address = linkAddress(LINK_DIGITS);
  if (address) await showQr(address);
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z: the edit menu's keys wherever the focus is, in a text
// field too, as in the window: one Ctrl+Z undoes the last edit, not a field's own typing.
function editMenuKey(e) {
  if (!e.ctrlKey || e.altKey) return null;
  const key = e.key.toLowerCase();
  if (key === 'z') return e.shiftKey ? 'MeRedoClick' : 'MeUndoClick';
  if (key === 'y' && !e.shiftKey) return 'MeRedoClick';
  return null;
}

function installKeys() {
  const held = { ctrl: false };
  const send = (down, key) => {
    const m = keyMessage(down, key);
    if (!m) return false;
    const handled = now('Key', down ? 1 : 0, m.code, m.digit | (key.altKey ? 0x100 : 0));
    return handled === 1 || handled.started === true;
  };
  window.addEventListener('keydown', (e) => {
    if (dialogs.isModalOpen()) return;
    // The menus' keys; the browser's own use of F1, F5 and Ctrl+Z gives way.
    const item = menus.itemForKey(e);
    if (item) {
      e.preventDefault();
      e.stopPropagation();
      menuCommand(item.name, item.own);
      return;
    }
    if (e.altKey && !e.ctrlKey && e.key.length === 1) {
      const letter = e.key.toLowerCase();
      // Ctrl+digit belongs to the browser's tabs; Alt+Shift+digit gives a gate instead.
      if (e.shiftKey && /^Digit[0-9]$|^Key[A-F]$/.test(e.code)) {
        send(true, { key: 'Control', code: 'ControlLeft' });
        send(true, { key: e.code.slice(-1), code: e.code });
        send(false, { key: 'Control', code: 'ControlLeft' });
        e.preventDefault();
        return;
      }
      const target = win.mnemonics.find((m) => m.key === letter);
      if (letter === win.sliderKey) win.trZeit.focus();
      else if (target) target.action();
      else if (!menus.mnemonic(letter)) return;
      e.preventDefault();
      e.stopPropagation();
      return;
    }
    if (menus.open && e.key === 'Escape') {
      menus.close();
      return;
    }
    if (send(true, e)) {
      e.preventDefault();
      e.stopPropagation();
    }
  }, true);
  window.addEventListener('keyup', (e) => {
    if (dialogs.isModalOpen()) return;
    if (send(false, e)) {
      e.preventDefault();
      e.stopPropagation();
    }
  }, true);
  window.addEventListener('blur', () => (held.ctrl = false));
}

// A tab closes without the window's questions: the browser asks instead, as long as the
// micro-program or the memory holds changes that are in no file.
function installCloseGuard() {
  window.addEventListener('beforeunload', (e) => {
    if (!bridge.unsaved()) return;
    e.preventDefault();
    e.returnValue = '';
  });
}

function installFocus() {
  document.addEventListener('focusin', (e) => {
    const t = e.target;
    if (t.closest?.('#modal')) return;
    let control = CONTROL.Other;
    if (t.closest?.('#GrMps')) control = CONTROL.MpsGrid;
    else if (t.closest?.('#GrRam')) control = CONTROL.RamGrid;
    else if (t.closest?.('#RamInspector')) control = CONTROL.RamInspector;
    else if (t.classList?.contains('reg')) control = CONTROL.RegisterField;
    else if (t.id === 'TrZeit') control = CONTROL.Slider;
    else if (t.name === 'RaTor') control = CONTROL.GateControl;
    now('Focus', control);
  });
}

function events() {
  return {
    torClick: (gate) => dispatch('TorClick', gate),
    regChange: (reg, text) => now('EdRegChange', reg, 0, 0, text),
    regExit: (reg) => now('EdRegExit', reg),
    // Between two slices of an unpaced run: Pause ends the run, and a run button starts it
    // anew in the slices already going, as in the window.
    runButton: (i) => dispatch('RunButton', i),
    raTor: (automatic) => now('RaTor', automatic ? 1 : 0),
    trZeit: (position) => now('TrZeit', position),
    raRam: (item) => now('RaRam', item),
  };
}

// The examples come compressed in one piece (web/build.mjs).
async function writeExamples() {
  const FS = bridge.fs();
  const bytes = await inflate(Uint8Array.from(atob(resources.examples.data), (c) => c.charCodeAt(0)));
  let at = 0;
  for (const [name, size] of resources.examples.files) {
    FS.writeFile('/Beispiele/' + name, bytes.subarray(at, at + size));
    at += size;
  }
}

async function main() {
  await bridge.loadModel();
  form = bridge.form();
  window.vellarPage = createHost(page);
  await writeExamples();
  const client = document.getElementById('client');
  win = new MainWindow(client, events(), resources, form);
  buildGrids();
  taskPanel = new TaskPanel({
    check: () => dispatch('Menu', 0, 0, 0, 'MePruefen'),
    close: () => dispatch('TaskClose'),
    around: () => ({
      over: win.paRegister.getBoundingClientRect(),
      avoid: [grMps.el, grRam.el, inspector.el].filter((e) => !e.hidden).map((e) => e.getBoundingClientRect()),
    }),
  });
  menus = new MenuBar(document.getElementById('menubar'), form.menus, resources.exampleMenu, menuCommand);
  installKeys();
  installFocus();
  installCloseGuard();
  window.vellar = {
    cli: bridge.cli,
    ram: bridge.ram,
    reg: bridge.reg,
    mpsGates: bridge.mpsGates,
    clocks: bridge.clocks,
    event: dispatch,
    // Whether runs keep their past for "Schritt zurück" (on unless a script turns it off).
    keepPast: (on) => now('KeepPast', on ? 1 : 0),
    // The view as it is now, drawn first.
    view: () => {
      render();
      return lastView;
    },
    fileNames: bridge.fileNames,
    // The form as the model gives it, for checking the page against it.
    form: bridge.form,
    loadExample,
    page,
    // Resolves once no handler is running any more.
    busy: () => busy,
    idle: () => (busy === 0 ? Promise.resolve() : new Promise((r) => idleWaiters.push(r))),
  };
  const args = new URLSearchParams(location.search).getAll('arg');
  bridge.start(args);
  // A tablet's finger: the form with the finger sizes from the start.
  if (window.matchMedia?.('(pointer: coarse)').matches) now('SetTouchLayout', 1);
  now('CalcMinimalGridSize');
  window.addEventListener('resize', () => {
    doLayout();
    taskPanel.fit();
    page.invalidate();
  });
  document.getElementById('loading').remove();
  render();
  // Not the MPS grid: entering it would switch to automatic gate control.
  (win.automatic.checked ? win.automatic : win.manual).focus();
  // An address pasted into the tab that already shows the page changes only the fragment.
  window.addEventListener('hashchange', () => openLink(location.hash.slice(1)));
  if (location.hash.length > 1) await openLink(location.hash.slice(1));
  dispatch('StartCommandLineRun');
  window.vellarReady = true;
}

main();
