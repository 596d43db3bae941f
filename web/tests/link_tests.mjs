// Browser tests of links: an address made by vellar-cli link opens exactly its files in the
// page, a damaged one opens nothing, the page's own "Link kopieren" opens again what it held,
// and so does the address its QR code decodes to.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { test, assert } from './harness.mjs';
import {
  idle, idleWithin, menu, clickCell, ramBytes, modalText, clickModalButton, catchSaves, saved, loadExample,
  fileChooser,
} from './page_helpers.mjs';

const jsQR = createRequire(import.meta.url)('jsqr');
const examples = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../examples');

const DAMAGED = 'Der Link ist beschädigt oder stammt nicht von VellarD. Es wurde nichts geladen.';
const modalOpen = async (page) => (await page.$('#modal:not([hidden])')) !== null;

// The page opened at an address, ready; page errors are collected as openPage does.
async function openAt(browser, address) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(m.text());
  });
  await page.goto(address);
  page.errors = errors;
  return page;
}

const ready = (page) => page.waitForFunction(() => window.vellarReady === true, { timeout: 30000 });

function cli(nativeCli, args) {
  const r = spawnSync(nativeCli, args, { encoding: 'utf8' });
  assert.equal(r.status, 0, `vellar-cli ${args.join(' ')}: ${r.stderr}`);
  return r.stdout.trim();
}

// A tiny generator of its own, so that a failing round can be made again.
function randomBytes(seed, size) {
  let x = seed >>> 0 || 1;
  return Buffer.from(Array.from({ length: size }, () => {
    x ^= x << 13; x >>>= 0; x ^= x >>> 17; x ^= x << 5; x >>>= 0;
    return x & 0xff;
  }));
}

async function savedAs(page, key, name) {
  await catchSaves(page, name);
  await page.keyboard.press(key);
  await idle(page);
  return saved(page, name);
}

test('Link von vellar-cli link: die Seite zeigt genau diese Dateien, Speichern ergibt sie Byte für Byte', async ({ browser, html, nativeCli }) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-link-'));
  try {
    for (let round = 0; round < 4; round++) {
      fs.writeFileSync(path.join(dir, 'z.mps'), randomBytes(round * 7 + 1, 4096));
      fs.writeFileSync(path.join(dir, 'z.erm'), randomBytes(round * 7 + 2, 256));
      // Random files as the program writes them: vellar-cli makes them of random compact ones
      // (whose bytes after a description the program writes as 00), and then once more of
      // themselves, as a listing names the file it was loaded from and a description read
      // from a listing has no leading blank.
      const mps = path.join(dir, round % 2 ? 'Lösung.mpd' : 'c.mps');
      const ram = path.join(dir, ['c.erm', 'p.ras', 'p.rad', 'p.ras'][round]);
      cli(nativeCli, ['convert', path.join(dir, 'z.mps'), mps]);
      cli(nativeCli, ['convert', mps, mps]);
      cli(nativeCli, ['convert', '--mps', mps, path.join(dir, 'z.erm'), ram]);
      cli(nativeCli, ['convert', '--mps', mps, ram, ram]);
      // Every other round in the digits a QR code carries.
      const form = round % 2 ? ['--qr'] : [];
      const address = cli(nativeCli, ['link', '--base', 'file://' + html, '--mps', mps, '--ram', ram, ...form]);
      assert.match(address, round % 2 ? /#v2\.\d+$/ : /#v1\.[A-Za-z0-9_-]+$/);
      const page = await openAt(browser, address);
      await ready(page);
      await idle(page);
      const shown = await page.title();
      assert.equal(shown, `Mikroprozessor Simulation - ${path.basename(mps)} - ${path.basename(ram)}`, `Runde ${round}`);
      assert.deepEqual(await ramBytes(page, 0, 256), [...randomBytes(round * 7 + 2, 256)], `Runde ${round}`);
      assert.ok((await savedAs(page, 'F3', path.basename(mps)))?.equals(fs.readFileSync(mps)), `MPS, Runde ${round}`);
      assert.ok((await savedAs(page, 'F6', path.basename(ram)))?.equals(fs.readFileSync(ram)), `RAM, Runde ${round}`);
      assert.deepEqual(page.errors, []);
      await page.close();
    }
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

test('Beschädigter oder fremder Link: deutsche Meldung, nichts geladen', async ({ browser, html, nativeCli }) => {
  const good = cli(nativeCli, ['link', '--base', 'file://' + html, '--ram',
    path.join(examples, 'zaehler.ras')]);
  const fragment = good.split('#')[1];
  const digits = cli(nativeCli, ['link', '--qr', '--base', 'file://' + html, '--ram',
    path.join(examples, 'zaehler.ras')]).split('#')[1];
  const damaged = [
    'v1.' + fragment.slice(3, 40),                       // cut short
    'v1.' + fragment.slice(3, -8) + 'AAAAAAAA',          // wrong checksum
    'v1.' + fragment.slice(3).replace(/[A-Za-z]/, '*'),  // no base64url
    'v9.' + fragment.slice(3),                           // a form of no page yet
    'v2.' + digits.slice(3, -1),                         // digits cut by one
    'v2.' + digits.slice(3, -17) + '99999999999999999',  // a group too large for its bytes
    'v2.' + digits.slice(3).replace('0', 'O'),           // a letter among the digits
    'abschnitt-2',                                       // an anchor of someone else's
  ];
  for (const f of damaged) {
    const page = await openAt(browser, 'file://' + html + '#' + f);
    assert.equal(await modalText(page), DAMAGED, f);
    await clickModalButton(page, 'OK');
    await ready(page);
    assert.equal(await page.title(), 'Mikroprozessor Simulation', f);
    assert.deepEqual(await ramBytes(page, 0, 8), [0, 0, 0, 0, 0, 0, 0, 0], f);
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});

// The pages before this one compressed their links with the browser's own CompressionStream;
// such an address, made here the same way, still opens.
test('Link einer früheren Seite, vom Browser komprimiert: öffnet weiter Byte für Byte', async ({ browser, html }) => {
  const mpd = fs.readFileSync(path.join(examples, 'firmware.mpd'));
  const ras = fs.readFileSync(path.join(examples, 'zaehler.ras'));
  const maker = await openAt(browser, 'file://' + html);
  const fragment = await maker.evaluate(async (mpd, ras) => {
    const text = (t) => [...new TextEncoder().encode(t)];
    const content = new Uint8Array([...text(`VellarD-Link 1\nmps ${mpd.length} firmware.mpd\n`), ...mpd,
      ...text(`ram ${ras.length} zaehler.ras\n`), ...ras]);
    const out = new Blob([content]).stream().pipeThrough(new CompressionStream('deflate'));
    const packed = new Uint8Array(await new Response(out).arrayBuffer());
    let binary = '';
    for (const b of packed) binary += String.fromCharCode(b);
    return 'v1.' + btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }, [...mpd], [...ras]);
  await maker.close();
  const page = await openAt(browser, 'file://' + html + '#' + fragment);
  await ready(page);
  await idle(page);
  assert.equal(await page.title(), 'Mikroprozessor Simulation - firmware.mpd - zaehler.ras');
  assert.ok((await savedAs(page, 'F3', 'firmware.mpd'))?.equals(mpd));
  assert.ok((await savedAs(page, 'F6', 'zaehler.ras'))?.equals(ras));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Link kopieren: die Adresse öffnet dasselbe; ungespeicherte Arbeit wird vorher erfragt', async ({ browser, html, nativeCli }) => {
  const page = await openAt(browser, 'file://' + html);
  await ready(page);
  await loadExample(page, 'bubble.ras');
  // The example as loaded: the address vellar-cli link makes of the same files.
  await menu(page, 'Datei', 'MeLink');
  await page.waitForFunction(() => location.hash.length > 1, { timeout: 5000 });
  if (await modalOpen(page)) await clickModalButton(page, 'OK');
  assert.equal(page.url(), cli(nativeCli, ['link', '--base', 'file://' + html,
    '--mps', path.join(examples, 'firmware.mpd'), '--ram', path.join(examples, 'bubble.ras')]));
  await clickCell(page, 'GrRam', 2, 1);
  await page.keyboard.type('42');
  await page.keyboard.press('Enter');
  await idle(page);
  const ram = await ramBytes(page, 0, 256);
  await menu(page, 'Datei', 'MeLink');
  if (await modalOpen(page)) {
    assert.match(await modalText(page), /Zwischenablage/);
    await clickModalButton(page, 'OK');
  }
  const address = page.url();
  assert.match(address, /#v1\.[A-Za-z0-9_-]+$/);

  const other = await openAt(browser, address);
  await ready(other);
  await idle(other);
  assert.deepEqual(await ramBytes(other, 0, 256), ram);
  assert.equal(await other.title(), 'Mikroprozessor Simulation - firmware.mpd - bubble.ras');

  // The same address pasted into a tab with changed memory: first the question.
  await clickCell(other, 'GrRam', 2, 2);
  await other.keyboard.type('17');
  await other.keyboard.press('Enter');
  await idle(other);
  await other.evaluate((a) => { location.hash = a.split('#')[1] + ''; }, address.replace('#', '#x'));
  assert.equal(await modalText(other), DAMAGED);
  await clickModalButton(other, 'OK');
  assert.ok(await idleWithin(other, 5000));
  await other.evaluate((a) => { location.hash = a.split('#')[1]; }, address);
  assert.equal(await modalText(other), 'Ram speichern ?');
  await clickModalButton(other, 'Nein');
  assert.ok(await idleWithin(other, 5000));
  assert.deepEqual(await ramBytes(other, 0, 256), ram);
  assert.deepEqual(page.errors, []);
  assert.deepEqual(other.errors, []);
  await page.close();
  await other.close();
});

// The code's modules as a reader sees them: the canvas's pixels, decoded by a QR reader.
async function decodeQr(page) {
  await page.waitForSelector('#qr-code', { timeout: 5000 });
  const image = await page.$eval('#qr-code', (c) => {
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let text = '';
    for (let i = 0; i < d.length; i += 0x8000) text += String.fromCharCode(...d.subarray(i, i + 0x8000));
    return { width: c.width, height: c.height, rgba: btoa(text) };
  });
  const rgba = new Uint8ClampedArray(Buffer.from(image.rgba, 'base64'));
  return jsQR(rgba, image.width, image.height)?.data ?? null;
}

test('Link als QR-Code: derselbe Link wie vellar-cli link --qr; Aufgabe, Mikroprogramm und Programm passen; zu viel Inhalt bekommt eine Meldung', async ({ browser, html, nativeCli }) => {
  const page = await openAt(browser, 'file://' + html);
  await ready(page);
  await loadExample(page, 'bubble.ras');
  // The model makes the address in the page as in the tool: the same, character for character.
  await menu(page, 'Ansicht', 'MeQrLink');
  assert.equal(await decodeQr(page), cli(nativeCli, ['link', '--qr', '--base', 'file://' + html,
    '--mps', path.join(examples, 'firmware.mpd'), '--ram', path.join(examples, 'bubble.ras')]));
  await clickModalButton(page, 'OK');

  // A student's whole state: the example task beside our micro-program and the sorting program,
  // more than a QR code holds as the copied link's text.
  const chooser = await fileChooser(page, async () => {
    await page.click('#Menu_Datei');
    await page.click('[id="MeAufgabe"]');
  });
  await chooser.accept([path.join(examples, 'sortieren.aufgabe'), path.join(examples, 'firmware.mpd')]);
  await idle(page);
  await page.waitForSelector('#Aufgabe:not([hidden])', { timeout: 5000 });
  await menu(page, 'Ansicht', 'MeQrLink');
  const decoded = await decodeQr(page);
  await clickModalButton(page, 'OK');
  assert.equal(decoded?.split('#')[0], page.url().split('#')[0]);
  assert.match(decoded, /#v2\.\d+$/);
  await menu(page, 'Datei', 'MeLink');
  await page.waitForFunction(() => location.hash.length > 1, { timeout: 5000 });
  if (await modalOpen(page)) await clickModalButton(page, 'OK');
  assert.ok(page.url().length > 2953, `${page.url().length} Zeichen als Text: mehr, als ein QR-Code so fasst`);

  const other = await openAt(browser, decoded);
  await ready(other);
  await idle(other);
  assert.equal(await other.title(), await page.title());
  assert.deepEqual(await ramBytes(other, 0, 256), await ramBytes(page, 0, 256));
  assert.equal(await other.$eval('#Aufgabe .task-title', (e) => e.textContent), 'Bubblesort');
  assert.ok((await savedAs(other, 'F3', 'firmware.mpd'))?.equals(fs.readFileSync(path.join(examples, 'firmware.mpd'))));
  assert.ok((await savedAs(other, 'F6', 'bubble.ras'))?.equals(fs.readFileSync(path.join(examples, 'bubble.ras'))));
  assert.deepEqual(page.errors, []);
  assert.deepEqual(other.errors, []);
  await page.close();
  await other.close();

  // A micro-program of random bytes does not compress: its link is longer than any QR code.
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-qr-'));
  try {
    fs.writeFileSync(path.join(dir, 'zufall.mps'), randomBytes(5, 4096));
    const full = await openAt(browser, cli(nativeCli, ['link', '--base', 'file://' + html, '--mps',
      path.join(dir, 'zufall.mps')]));
    await ready(full);
    await idle(full);
    await menu(full, 'Ansicht', 'MeQrLink');
    assert.match(await modalText(full), /^Der Link ist mit \d{4,} Zeichen zu lang für einen QR-Code\./);
    assert.equal(await full.$('#qr-code'), null);
    await clickModalButton(full, 'OK');
    assert.deepEqual(full.errors, []);
    await full.close();
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
