// FormResize: the form sized for the browser's area, its panels, grids and control strip placed
// where the model says, for the RAM view, the variable inspector and the form's sizes. Wider
// than tall the page is the window's client area, held between its smallest and largest size;
// taller than wide (a tablet upright) the model stacks the panels so that the height is used.
// A form larger than the browser's area is shown scaled down.
import * as bridge from './bridge.js';

// The page's own measures of what it shows.
const REGISTER_HEIGHT = 305;
const BUS = { w: 193, h: 225 };
const PICTURE = { w: 189, h: 223 };
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
  const ram = view.ram;
  const iv = view.inspector;
  const p = bridge.layout({
    stageWidth: sw, stageHeight: sh,
    ramColumns: ram.widths.reduce((s, w) => s + w, 0) + ram.defaultWidth,
    busWidth: BUS.w, busHeight: BUS.h, mpsGridTop: GRID_TOP, registerHeight: REGISTER_HEIGHT,
    inspectorShown: iv.shown, inspectorColumns: iv.widths.length, scrollBarExtent: SCROLL_BAR,
    pictureWidth: PICTURE.w, pictureHeight: PICTURE.h,
  });
  const scale = Math.min(1, sw / p.width, sh / p.height);
  client.style.width = p.width + 'px';
  client.style.height = p.height + 'px';
  client.style.transform = scale < 1 ? `scale(${scale})` : '';
  box(win.paControl, p.control);
  box(win.paProzessor, p.processor);
  box(win.paRAM, p.ram);
  box(win.paBus, p.bus);
  win.moBild.style.left = win.imBild.style.left = p.pictureX + 'px';
  win.moBild.style.top = win.imBild.style.top = p.pictureY + 'px';
  win.placeStrip(p.strip);
  grMps.setBounds(...p.mpsGrid);
  box(win.paRegister, p.registers);
  inspector.el.hidden = !iv.shown;
  if (iv.shown) inspector.setBounds(...p.inspector);
  grRam.setBounds(...p.ramGrid);
  return { processorWidth: p.processor[2], descriptionWidth: p.descriptionWidth };
}
