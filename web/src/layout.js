// FormResize: the panels placed and sized for the client area, the RAM view and the variable
// inspector, where the model says. The page is the window's client area, held between the
// window's smallest and largest size; a smaller browser window shows the whole window scaled
// down.
import * as bridge from './bridge.js';

const MIN = { w: 1032, h: 521 };
const MAX = { w: 1392, h: 1469 };
// The page's own measures of what it shows.
const REGISTER_HEIGHT = 305;
const BUS = { w: 193, h: 225 };
const GRID_TOP = 24;
const SCROLL_BAR = 17;

function box(e, [x, y, w, h]) {
  Object.assign(e.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
}

export function layout(win, grMps, grRam, inspector, view) {
  const stage = document.getElementById('stage');
  const client = document.getElementById('client');
  const sw = stage.clientWidth;
  const sh = stage.clientHeight;
  const cw = Math.min(MAX.w, Math.max(MIN.w, sw));
  let ch = Math.min(MAX.h, Math.max(MIN.h, sh));
  // For fingers, a screen taller than wide (a tablet upright) shows the form scaled to its
  // width and as tall as the screen: the grids get the rows that would stay empty below it.
  if (view.sizes.touch && sh > sw && sw < cw) ch = Math.min(MAX.h, Math.floor((sh * cw) / sw));
  const scale = Math.min(1, sw / cw, sh / ch);
  client.style.width = cw + 'px';
  client.style.height = ch + 'px';
  client.style.transform = scale < 1 ? `scale(${scale})` : '';

  const ram = view.ram;
  const iv = view.inspector;
  const p = bridge.layout({
    clientWidth: cw, clientHeight: ch,
    ramColumns: ram.widths.reduce((s, w) => s + w, 0) + ram.defaultWidth,
    busWidth: BUS.w, busHeight: BUS.h, mpsGridTop: GRID_TOP, registerHeight: REGISTER_HEIGHT,
    inspectorShown: iv.shown, inspectorColumns: iv.widths.length, scrollBarExtent: SCROLL_BAR,
    controlHeight: view.sizes.controlHeight, gridRow: iv.rowHeight,
  });
  box(win.paControl, p.control);
  box(win.paProzessor, p.processor);
  box(win.paRAM, p.ram);
  box(win.paBus, p.bus);
  win.moBild.style.left = win.imBild.style.left = p.pictureX + 'px';
  win.moBild.style.top = win.imBild.style.top = '0px';
  grMps.setBounds(...p.mpsGrid);
  box(win.paRegister, p.registers);
  inspector.el.hidden = !iv.shown;
  if (iv.shown) inspector.setBounds(...p.inspector);
  grRam.setBounds(...p.ramGrid);
  return { processorWidth: p.processor[2], descriptionWidth: p.descriptionWidth };
}
