// Breakpoints and conditions in the page as a user sets them: real presses in the margin left
// of the address, F8, the "Bedingungen …" dialog; each run stops where vellar-cli stops with
// the same --break or --until, and says why in the hint box.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import { idle, freshExample, clickCell, ramBytes, modalText, clickModalButton } from './page_helpers.mjs';

const examples = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../examples');
const GREEN = 0x8bbe8b;

// A point in the margin of breakpoints (the first pixels of the address cell) of a row in view.
async function marginPoint(page, gridId, row) {
  return page.evaluate((gridId, row) => {
    const g = { GrMps: window.vellar.view().mps, GrRam: window.vellar.view().ram }[gridId];
    const el = document.getElementById(gridId);
    const r = el.getBoundingClientRect();
    const scale = r.width / el.offsetWidth;
    const y = 1 + (row - g.topRow + 1) * (g.rowHeight + 1) + g.rowHeight / 2;
    return { x: r.left + 4.5 * scale, y: r.top + y * scale };
  }, gridId, row);
}

async function clickMargin(page, gridId, row) {
  const p = await marginPoint(page, gridId, row);
  await page.mouse.click(p.x, p.y);
  await idle(page);
}

// The colour the canvas shows at the margin's middle of a row.
async function marginPixel(page, gridId, row) {
  return page.evaluate((gridId, row) => {
    const g = { GrMps: window.vellar.view().mps, GrRam: window.vellar.view().ram }[gridId];
    const c = document.querySelector(`#${gridId} canvas`);
    const dpr = window.devicePixelRatio || 1;
    const y = (row - g.topRow + 1) * (g.rowHeight + 1) + Math.floor((g.rowHeight - 6) / 2) + 3;
    const d = c.getContext('2d').getImageData(Math.round(4 * dpr), Math.round(y * dpr), 1, 1).data;
    return [d[0], d[1], d[2]];
  }, gridId, row);
}

const isRed = ([r, g, b]) => r > 180 && g < 60 && b < 60;
// The hint box's lines as drawn (window.vellar.view() draws first).
const hint = (page) => page.evaluate(() => {
  window.vellar.view();
  return [...document.querySelectorAll('#Hinweis label')].map((l) => l.textContent);
});
const undoEnabled = (page) => page.evaluate(() => window.vellar.view().menu.MeUndo[1]);

// "bis Halt" from the fresh example; the state line and clocks vellar-cli gives for the same
// files with these options.
async function runAndCompare(page, options, reason) {
  await freshExample(page, 'bubble.ras');
  await page.click('#BuBisHalt');
  await idle(page);
  const cli = await page.evaluate((options, files) => {
    const args = ['run', '--mps', 'firmware.mpd', '--ram', 'bubble.ras', ...options];
    return window.vellar.cli(args,
      Object.fromEntries(Object.entries(files).map(([k, v]) => [k, new Uint8Array(v)]))).stdout;
  }, options, {
    'firmware.mpd': [...fs.readFileSync(path.join(examples, 'firmware.mpd'))],
    'bubble.ras': [...fs.readFileSync(path.join(examples, 'bubble.ras'))],
  });
  const [state, why] = cli.split('\n');
  assert.match(state, /STOP=break/, cli);
  assert.equal(why, reason, cli);
  const field = (name) => parseInt(new RegExp(`${name}=([0-9A-F]+)`).exec(state)[1], name === 'CLOCKS' || name === 'ROW' ? 10 : 16);
  const page_ = await page.evaluate(() => ({
    regs: [0, 1, 2, 3, 4, 5, 6].map((r) => window.vellar.reg(r)),
    clocks: window.vellar.clocks(),
  }));
  assert.equal(page_.clocks, field('CLOCKS'), cli);
  assert.deepEqual(page_.regs, ['AX', 'BX', 'IP', 'OP', 'AR', 'DR', 'AL'].map(field), cli);
  assert.deepEqual(await hint(page), ['Lauf angehalten:', reason]);
  // The stopping row is shown green, as after a pause.
  const row = field('ROW');
  const v = await page.evaluate(() => window.vellar.view().mps);
  if (row >= v.topRow && row < v.topRow + v.visibleRows) {
    assert.equal(v.cells[1 + row - v.topRow][1][2], GREEN, `Zeile ${row} grün`);
  }
}

test('Haltepunkte: Klick in den Rand, F8 und Bedingungen halten den Lauf wie vellar-cli', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  await freshExample(page, 'bubble.ras');
  const memory = await ramBytes(page, 0, 256);
  const undo = await undoEnabled(page);

  // MPS row 1 (address 00): set with a press in its margin, shown as a red dot.
  assert.ok(!isRed(await marginPixel(page, 'GrMps', 1)));
  await clickMargin(page, 'GrMps', 1);
  assert.deepEqual((await page.evaluate(() => window.vellar.view().mps)).marked, [1]);
  assert.ok(isRed(await marginPixel(page, 'GrMps', 1)), 'roter Punkt im Rand');
  // The press set a breakpoint and nothing else: no edit, no undo step, no new current cell.
  assert.deepEqual(await ramBytes(page, 0, 256), memory);
  assert.equal(await undoEnabled(page), undo);
  await runAndCompare(page, ['--break', 'mps:00'], 'Haltepunkt MPS 00');
  await clickMargin(page, 'GrMps', 1);
  assert.deepEqual((await page.evaluate(() => window.vellar.view().mps)).marked, []);
  assert.ok(!isRed(await marginPixel(page, 'GrMps', 1)));

  // F8 on the MPS grid's current row sets and clears.
  await clickCell(page, 'GrMps', 1, 3);
  await page.keyboard.press('F8');
  await idle(page);
  assert.deepEqual((await page.evaluate(() => window.vellar.view().mps)).marked, [3]);
  await page.keyboard.press('F8');
  await idle(page);
  assert.deepEqual((await page.evaluate(() => window.vellar.view().mps)).marked, []);

  // A RAM address in the assembler view, by the margin of its line.
  await page.evaluate(() => document.querySelectorAll('#RaRam input')[1].click());
  await idle(page);
  const ram = await page.evaluate(() => window.vellar.view().ram);
  assert.equal(ram.assembler, true);
  const line = ram.topRow + 3;
  const address = ram.cells[4][0][0];
  await clickMargin(page, 'GrRam', line);
  assert.deepEqual((await page.evaluate(() => window.vellar.view().ram)).marked, [line]);
  assert.ok(isRed(await marginPixel(page, 'GrRam', line)), 'roter Punkt im RAM-Gitter');
  await runAndCompare(page, ['--break', 'ram:' + address], 'Haltepunkt RAM ' + address);
  await clickMargin(page, 'GrRam', line);
  assert.deepEqual((await page.evaluate(() => window.vellar.view().ram)).marked, []);

  // A condition: a bad text is refused at once in German and offered again as typed.
  const f0 = (await ramBytes(page, 0xf0, 1))[0].toString(16).toUpperCase().padStart(2, '0');
  // The page stays busy while the question waits: no waiting for idle here.
  await page.click('#Menu_Bearbeiten');
  await page.click('#MeConditions');
  await page.waitForSelector('#modal-box .modal-input');
  await page.keyboard.type('SF=2');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.querySelector('#modal-box .modal-input'), { timeout: 5000 });
  assert.match(await modalText(page), /^„SF=2“ ist keine gültige Bedingung\./);
  await clickModalButton(page, 'OK');
  await page.waitForSelector('#modal-box .modal-input');
  assert.equal(await page.$eval('#modal-box .modal-input', (e) => e.value), 'SF=2');
  await page.$eval('#modal-box .modal-input', (e) => e.select());
  await page.keyboard.type(`[F0]!=${f0}`);
  await page.keyboard.press('Enter');
  await idle(page);
  assert.equal(await page.$('#modal:not([hidden])'), null);
  await runAndCompare(page, ['--until', `[F0]!=${f0}`], `Bedingung [F0]≠${f0}`);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Statistik: die Spalte neben dem MPS zählt jede Zeile wie der --trace desselben Laufs', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  await page.click('#Menu_Ansicht');
  await page.click('#MeStatistik');
  await idle(page);
  await page.click('#Menu_Ansicht');
  await page.click('#MeStatistikReset');
  await freshExample(page, 'bubble.ras');
  await page.click('#BuBisHalt');
  await idle(page);
  const trace = await page.evaluate((files) => window.vellar.cli(
    ['run', '--mps', 'firmware.mpd', '--ram', 'bubble.ras', '--trace'],
    Object.fromEntries(Object.entries(files).map(([k, v]) => [k, new Uint8Array(v)]))).stdout, {
    'firmware.mpd': [...fs.readFileSync(path.join(examples, 'firmware.mpd'))],
    'bubble.ras': [...fs.readFileSync(path.join(examples, 'bubble.ras'))],
  });
  const counts = new Map();
  for (const m of trace.matchAll(/^T=\d+ ADR=([0-9A-F]{2})/gm)) counts.set(m[1], (counts.get(m[1]) || 0) + 1);
  assert.ok(counts.size > 3, trace.slice(0, 200));
  const v = await page.evaluate(() => window.vellar.view().mps);
  assert.ok(v.sideWidth > 0);
  assert.equal(v.side[0][0], 'Anzahl');
  for (let i = 1; i < v.side.length; ++i) {
    const adr = (v.topRow + i - 2).toString(16).toUpperCase().padStart(2, '0');
    assert.equal(v.side[i][0], String(counts.get(adr) ?? ''), `MPS ${adr}`);
  }
  // Drawn at the right edge in the model's shade.
  const [look, pixel] = await page.evaluate(() => {
    const g = window.vellar.view().mps;
    const c = document.querySelector('#GrMps canvas');
    const dpr = window.devicePixelRatio || 1;
    const x = c.width / dpr - g.sideWidth + 3;
    const y = (g.rowHeight + 1) + 2;
    const d = c.getContext('2d').getImageData(Math.round(x * dpr), Math.round(y * dpr), 1, 1).data;
    return [g.side[1][2], (d[0] << 16) | (d[1] << 8) | d[2]];
  });
  assert.equal(pixel, look);
  assert.deepEqual(page.errors, []);
  await page.close();
});
