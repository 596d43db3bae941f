// Browser tests of tasks: "Aufgabe öffnen…" with the task and its start file picked together,
// "Prüfen" beside the work with vellar-cli grade's verdict on the same memory, the work left as
// it was; and a link with a task opens the panel with the task's text.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import { idle, loadExample, clickCell, ramBytes, fileChooser, catchSaves, saved, modalText, clickModalButton } from './page_helpers.mjs';

const examples = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../examples');
const example = (name) => path.join(examples, name);

// The panel as the page shows it: whether it is open, its texts and its table's cells.
const panel = (page) => page.evaluate(() => {
  const el = document.getElementById('Aufgabe');
  return {
    shown: !el.hidden && el.offsetWidth > 0,
    title: el.querySelector('.task-title').textContent,
    paragraphs: [...el.querySelectorAll('.task-text p')].map((p) => p.textContent),
    rows: [...el.querySelectorAll('tr')].slice(1).map((tr) => [...tr.children].map((td) => td.textContent)),
    status: el.querySelector('.task-status').textContent,
  };
});

const menuItem = async (page, id) => {
  await page.click('#Menu_Datei');
  await page.click(`[id="${id}"]`);
};

// grade's verdict per case in the panel's columns: name, mark, first difference, clocks.
function gradeRows(nativeCli, ramPath) {
  const r = spawnSync(nativeCli, ['grade', '--task', example('sortieren.aufgabe'), ramPath, '--csv'],
    { encoding: 'utf8' });
  const [head, line] = r.stdout.replace(/^\uFEFF/, '').trim().split(/\r?\n/).map((l) => l.split(';'));
  const n = head.indexOf(head.find((h) => h.startsWith('bestanden'))) - 1;
  return Array.from({ length: n }, (_, i) => [head[1 + i], line[1 + i], line[2 + n + i], line[2 + 2 * n + i]]);
}

test('Aufgabe öffnen und Prüfen: grades Urteil, Speicher, Register und Rückgängig bleiben', async ({ browser, html, nativeCli }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  const chooser = await fileChooser(page, () => menuItem(page, 'MeAufgabe'));
  await chooser.accept([example('sortieren.aufgabe'), example('firmware.mpd')]);
  await idle(page);
  await page.waitForSelector('#Aufgabe:not([hidden])', { timeout: 5000 });
  let v = await panel(page);
  assert.ok(v.shown, 'das Fenster „Aufgabe“ ist offen');
  assert.equal(v.title, 'Bubblesort');
  assert.equal(v.paragraphs.length, 2);
  assert.match(v.paragraphs[0], /^Schreibe ein Programm, das die 16 Bytes in F0 bis FF aufsteigend sortiert und/);
  assert.deepEqual(v.rows, []);

  // Beside the open panel: MOV BX,F1 instead of F0, and AX typed into its field.
  await clickCell(page, 'GrRam', 2, 1);
  await page.keyboard.type('F1');
  await page.keyboard.press('Enter');
  await page.click('#EdAX');
  await page.$eval('#EdAX', (e) => e.select());
  await page.keyboard.type('5A');
  await page.keyboard.press('Tab');
  await idle(page);
  const ram = await ramBytes(page, 0, 256);
  assert.equal(ram[1], 0xf1);
  const regs = await page.evaluate(() => Array.from({ length: 8 }, (_, i) => window.vellar.reg(i)));
  assert.equal(regs[0], 0x5a);

  await page.click('#BuPruefen');
  await idle(page);
  v = await panel(page);
  await catchSaves(page, 'vorher.ras');
  await page.keyboard.press('F6');
  await idle(page);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-task-'));
  try {
    fs.writeFileSync(path.join(dir, 'vorher.ras'), await saved(page, 'vorher.ras'));
    const expected = gradeRows(nativeCli, path.join(dir, 'vorher.ras'));
    assert.equal(expected.length, 3);
    assert.deepEqual(v.rows, expected);
    assert.ok(expected.some((row) => row[1] === '✗'), 'die Änderung lässt einen Fall scheitern');
    const passed = expected.filter((row) => row[1] === '✓').length;
    assert.equal(v.status, `${passed} von 3 Fällen bestanden.`);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
  assert.deepEqual(await ramBytes(page, 0, 256), ram);
  assert.deepEqual(await page.evaluate(() => Array.from({ length: 8 }, (_, i) => window.vellar.reg(i))), regs);
  // The history as it was: two Ctrl+Z take back the register, then the cell.
  for (let i = 0; i < 2; i++) {
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    await idle(page);
  }
  assert.equal((await ramBytes(page, 1, 1))[0], 0xf0);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Ein Link mit Aufgabe öffnet das Fenster „Aufgabe“ mit ihrem Text; Bearbeiten geht daneben weiter', async ({ browser, html, nativeCli }) => {
  const r = spawnSync(nativeCli, ['link', '--base', 'file://' + html, '--task', example('sortieren.aufgabe'),
    '--ram', example('bubble.ras')], { encoding: 'utf8' });
  assert.equal(r.status, 0, r.stderr);
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(r.stdout.trim());
  await page.waitForFunction(() => window.vellarReady === true, { timeout: 30000 });
  await idle(page);
  await page.waitForSelector('#Aufgabe:not([hidden])', { timeout: 5000 });
  let v = await panel(page);
  assert.ok(v.shown, 'das Fenster „Aufgabe“ ist offen');
  assert.equal(v.title, 'Bubblesort');
  assert.match(v.paragraphs[1], /^Speichere dein Programm als \.ras-Datei/);
  assert.equal(await page.title(), 'Mikroprozessor Simulation - firmware.mpd - bubble.ras');

  await page.click('#BuPruefen');
  await idle(page);
  v = await panel(page);
  assert.deepEqual(v.rows.map((row) => row.slice(0, 2)), [['absteigend', '✓'], ['sortiert', '✓'], ['gemischt', '✓']]);
  assert.equal(v.status, '3 von 3 Fällen bestanden.');
  await clickCell(page, 'GrRam', 2, 1);
  await page.keyboard.type('E0');
  await page.keyboard.press('Enter');
  await idle(page);
  assert.equal((await ramBytes(page, 1, 1))[0], 0xe0);
  assert.deepEqual(errors, []);
  await page.close();
});

// What is picked decides the same way as for grading: the task among the files, its start files
// by name in any case; without a task, a short message and nothing loaded.
test('Aufgabe öffnen: Startdatei in anderer Schreibweise, ohne Aufgabe nur eine kurze Meldung', async ({ browser, html }) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-task-'));
  const page = await openPage(browser, html);
  try {
    fs.copyFileSync(example('firmware.mpd'), path.join(dir, 'Firmware.MPD'));
    const open = async (files) => {
      const chooser = await fileChooser(page, () => menuItem(page, 'MeAufgabe'));
      await chooser.accept(files);
      await idle(page);
    };
    await open([path.join(dir, 'Firmware.MPD')]);
    const text = await modalText(page);
    assert.match(text, /keine Aufgabe \(\.aufgabe\) und keine Fälle-Datei \(\.txt\); es wurde nichts geladen/);
    assert.ok(text.split('\n').length <= 2, text);
    await clickModalButton(page, 'OK');
    assert.equal((await panel(page)).shown, false);

    fs.writeFileSync(path.join(dir, 'gross.aufgabe'),
      fs.readFileSync(example('sortieren.aufgabe'), 'utf8').replace('MPS: firmware.mpd', 'MPS: FIRMWARE.mpd'));
    await open([path.join(dir, 'Firmware.MPD'), path.join(dir, 'gross.aufgabe')]);
    // The picked files reach the page a moment after the picker closes.
    await page.waitForFunction(() => !document.getElementById('Aufgabe').hidden
      || !document.getElementById('modal').hidden, { timeout: 5000 });
    assert.equal(await page.$('#modal:not([hidden])'), null, 'keine Meldung');
    assert.equal((await panel(page)).title, 'Bubblesort');
    assert.match(await page.title(), / - Firmware\.MPD/);
    assert.deepEqual(page.errors, []);
  } finally {
    await page.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
