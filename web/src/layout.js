// FormResize: the panels placed and sized for the client area, the RAM view and the variable
// inspector. The page is the window's client area, held between the window's smallest and
// largest size; a smaller browser window shows the whole window scaled down.
const MIN = { w: 1032, h: 521 };
const MAX = { w: 1392, h: 1469 };
const PROCESSOR_BASE = 455;
const FIXED_WIDTHS = 473;
const REGISTER_HEIGHT = 305;
const BUS = { w: 193, h: 225 };
const GRID_TOP = 24;
const SCROLL_BAR = 17;

function box(e, x, y, w, h) {
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

  // All columns and one default column more: room for the lines, the border and, in the
  // assembler view, the vertical scroll bar.
  const ram = view.ram;
  const ramCols = ram.widths.reduce((s, w) => s + w, 0) + ram.defaultWidth;
  const extraWidth = Math.max(0, cw - BUS.w - FIXED_WIDTHS - ramCols);
  const controlHeight = view.sizes.controlHeight;
  const workHeight = ch - controlHeight;
  box(win.paControl, 0, workHeight, cw, controlHeight);
  const processorWidth = PROCESSOR_BASE + extraWidth;
  box(win.paProzessor, 0, 0, processorWidth, workHeight);
  const ramWidth = cw - processorWidth - BUS.w - 6;
  box(win.paRAM, processorWidth + BUS.w + 6, 0, ramWidth, workHeight);
  box(win.paBus, processorWidth + 3, workHeight - BUS.h, BUS.w, BUS.h);
  win.moBild.style.left = win.imBild.style.left = processorWidth + 3 + 'px';
  win.moBild.style.top = win.imBild.style.top = '0px';
  grMps.setBounds(4, GRID_TOP, processorWidth - 8, workHeight - REGISTER_HEIGHT - GRID_TOP - 8);
  box(win.paRegister, 4, workHeight - REGISTER_HEIGHT - 4, processorWidth - 8, REGISTER_HEIGHT);

  let ramHeight = workHeight - GRID_TOP - 4;
  const iv = view.inspector;
  if (iv.shown) {
    inspector.el.hidden = false;
    const need = 140 + (iv.widths.length - 1) * (30 + 2);
    let height = 3 * (iv.rowHeight + 2);
    if (need > ramWidth - 8) height += SCROLL_BAR;
    inspector.setBounds(4, workHeight - height - 4, ramWidth - 8, height);
    ramHeight -= height + 4;
  } else {
    inspector.el.hidden = true;
  }
  grRam.setBounds(4, GRID_TOP, ramWidth - 8, ramHeight);
  return { processorWidth, descriptionWidth: extraWidth + 100 };
}
