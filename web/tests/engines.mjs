// The page in the three browser engines, as a teacher tries it in each: chromium and Firefox
// ESR through puppeteer, WebKit (the engine of every iPad browser) through WebKitWebDriver.
// In each: open from file://, load an example, swipe the store with a finger (where the driver
// has touch), change a byte in the RAM grid, run to the halt, save through the browser's
// download and compare the bytes with what vellar-cli writes.
// Usage: node engines.mjs VELLAR_HTML NATIVE_VELLAR_CLI
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { assert } from './harness.mjs';
import { launch as launchChromium } from './browser.mjs';
import { launchWebKit } from './webdriver.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const html = path.resolve(process.argv[2] || path.join(root, 'build-web/vellar.html'));
const nativeCli = path.resolve(process.argv[3] || path.join(root, 'build/src/cli/vellar-cli'));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-engines-'));
const VIEWPORT = { width: 1200, height: 760 };

// What vellar-cli saves after the same change and the same run.
function nativeRun() {
  for (const name of ['firmware.mpd', 'bubble.ras']) fs.copyFileSync(path.join(root, 'examples', name), path.join(tmp, name));
  const r = spawnSync(nativeCli, ['run', '--mps', 'firmware.mpd', '--ram', 'bubble.ras', '--mem', 'F3=5A',
    '--mode', 'halt', '--save-ram', 'nativ.ras'], { cwd: tmp });
  assert.equal(r.status, 0, String(r.stderr));
  return fs.readFileSync(path.join(tmp, 'nativ.ras'));
}

// Errors of the page are kept, and a download keeps its bytes: WebDriver tells of neither.
// Without a save dialog of the browser's own (as in Firefox and WebKit), the page asks for a
// name and downloads the file.
function watchPage() {
  window.pageErrors = [];
  window.addEventListener('error', (e) => window.pageErrors.push(String(e.message)));
  window.addEventListener('unhandledrejection', (e) => window.pageErrors.push(String(e.reason)));
  window.showSaveFilePicker = undefined;
  window.downloads = {};
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function () {
    if (!this.download) return click.call(this);
    const name = this.download;
    fetch(this.href).then((r) => r.arrayBuffer()).then((b) => (window.downloads[name] = [...new Uint8Array(b)]));
  };
}

// The handlers done and what they changed drawn: a click then finds the page as the model left
// it, whenever the engine would have drawn it.
const idle = (page) => page.evaluate(() => window.vellar.idle().then(() => void window.vellar.view()));

// The middle of a byte's cell in the hex view of the RAM grid, in page coordinates.
const bytePoint = (page, address) => page.evaluate((address) => {
  const g = window.vellar.view().ram;
  const r = document.getElementById('GrRam').getBoundingClientRect();
  const col = 1 + (address % 16);
  const row = 1 + Math.floor(address / 16);
  let x = r.left + 1;
  for (let c = 0; c < col; ++c) x += g.widths[c] + 1;
  return { x: x + g.widths[col] / 2, y: r.top + 1 + (row - g.topRow + 1) * 21 + 10, inView: row >= g.topRow };
}, address);

async function scenario(page) {
  await page.goto('file://' + html);
  await page.waitForFunction(() => window.vellarReady === true, { timeout: 30000 });
  await page.evaluate(watchPage);
  assert.equal(await page.evaluate(() => document.title), 'Mikroprozessor Simulation');

  await page.click('#Menu_Beispiele');
  await page.click('[id="Beispiel_bubble.ras"]');
  await idle(page);
  assert.equal(await page.evaluate(() => document.title), 'Mikroprozessor Simulation - firmware.mpd - bubble.ras');
  await page.click('#RaRam input[type=radio]');
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.view().ram.assembler), false, 'die Datenansicht');

  // A finger swipes the store up where the engine's driver has touch (puppeteer; WebDriver
  // where its touch actions arrive as touch, see probeTouch): it scrolls and selects nothing.
  if (page.probeTouch) page.touchSeen = await page.probeTouch();
  if (page.touchscreen) {
    const p = await page.evaluate(() => {
      const r = document.getElementById('GrMps').getBoundingClientRect();
      return { x: r.left + 60, y: r.top + 200 };
    });
    await page.touchscreen.touchStart(p.x, p.y);
    for (let i = 1; i <= 8; ++i) await page.touchscreen.touchMove(p.x, p.y - 20 * i);
    await new Promise((r) => setTimeout(r, 150));
    await page.touchscreen.touchEnd();
    await idle(page);
    const mps = await page.evaluate(() => ({ top: window.vellar.view().mps.topRow, entered: window.vellar.view().mps.entered }));
    assert.ok(mps.top >= 7 && !mps.entered, `Wischen im MPS: ${JSON.stringify(mps)}`);
  }

  // A byte of the numbers to sort, typed into its cell.
  const p = await bytePoint(page, 0xf3);
  assert.ok(p.inView, 'Zeile F0 ist zu sehen');
  await page.mouse.click(p.x, p.y);
  await idle(page);
  await page.keyboard.type('5A');
  await page.keyboard.press('Enter');
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.ram(0xf3)), 0x5a, 'das getippte Byte');

  // Automatic gates at the fastest level, "bis Halt".
  await page.click('#RaTor input[type=radio]');
  await idle(page);
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
  await idle(page);
  assert.equal(await page.evaluate(() => document.getElementById('LaZeit').textContent), 'Zeit:  zu schnell');
  await page.click('#BuBisHalt');
  await page.waitForFunction(() => window.vellar.busy() === 0, { timeout: 30000 });
  await idle(page);
  const sorted = await page.evaluate(() => Array.from({ length: 16 }, (_, i) => window.vellar.ram(0xf0 + i)));
  assert.deepEqual(sorted, [...sorted].sort((a, b) => a - b), 'sortiert');
  assert.ok(sorted.includes(0x5a), 'das getippte Byte ist mitsortiert');

  // F6 saves the RAM: the page asks for the name and downloads the file.
  await page.focus('#GrRam');
  await page.keyboard.press('F6');
  await page.waitForFunction(() => !document.getElementById('modal').hidden, { timeout: 5000 });
  assert.equal(await page.evaluate(() => document.querySelector('#modal-box .modal-input').value), 'bubble.ras');
  await page.evaluate(() => [...document.querySelectorAll('#modal-box .modal-buttons button')]
    .find((b) => b.textContent === 'Speichern').click());
  await page.waitForFunction(() => window.downloads['bubble.ras'], { timeout: 5000 });
  const bytes = Buffer.from(await page.evaluate(() => window.downloads['bubble.ras']));
  assert.ok(bytes.equals(nativeRun()), 'bubble.ras wie von vellar-cli geschrieben:\n' + bytes.toString('latin1'));
  assert.deepEqual(await page.evaluate(() => window.pageErrors), []);
  return page.touchscreen ? 'Wischen, ' : page.touchSeen ? `Berührung kommt als „${page.touchSeen}“ an, ` : '';
}

async function puppeteerEngine(launchBrowser) {
  const { browser, close } = await launchBrowser();
  try {
    const page = await browser.newPage();
    await page.setViewport(VIEWPORT);
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    const touch = await scenario(page);
    assert.deepEqual(errors, []);
    return touch;
  } finally {
    await close();
  }
}

async function launchFirefox() {
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: true,
    defaultViewport: VIEWPORT,
  });
  return { browser, close: () => browser.close() };
}

async function webkitEngine() {
  const page = await launchWebKit(VIEWPORT);
  try {
    return await scenario(page);
  } finally {
    await page.close();
  }
}

const engines = [
  ['Chromium', () => puppeteerEngine(launchChromium)],
  ['Firefox ESR', () => puppeteerEngine(launchFirefox)],
  ['WebKit', webkitEngine],
];
const only = process.env.VELLAR_ENGINES;
let failed = 0;
const started = Date.now();
for (const [name, run] of engines) {
  if (only && !only.split(',').some((o) => name.toLowerCase().startsWith(o.toLowerCase()))) continue;
  const t0 = Date.now();
  try {
    const touch = await run();
    console.log(`ok   ${name}: Beispiel, ${touch}Zelle, bis Halt, Speichern (${Date.now() - t0} ms)`);
  } catch (e) {
    failed++;
    console.log(`FAIL ${name}\n     ${String(e && e.stack ? e.stack : e).split('\n').join('\n     ')}`);
  }
}
console.log(`Drei Browser: ${failed ? failed + ' gescheitert' : 'alle bestanden'} (${((Date.now() - started) / 1000).toFixed(1)} s).`);
fs.rmSync(tmp, { recursive: true, force: true });
process.exit(failed ? 1 : 0);
