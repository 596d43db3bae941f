// Browser tests of vellar.html in headless chromium, opened from file:// as a teacher opens
// it. Usage: node run_tests.mjs VELLAR_HTML NATIVE_VELLAR_CLI [SCREENSHOT_PNG]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { test, runAll, assert } from './harness.mjs';
import { launch, openPage, timedRun } from './browser.mjs';
import { idle, menu, loadExample, clickCell, ramBytes, modalText, clickModalButton, fileChooser, catchSaves,
  idleWithin, saved }
  from './page_helpers.mjs';
import './file_tests.mjs';
import './touch_tests.mjs';
import './form_tests.mjs';
import './link_tests.mjs';
import './breakpoint_tests.mjs';
import './grading_tests.mjs';
import './task_tests.mjs';
import './fit_tests.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const html = path.resolve(process.argv[2] || path.join(root, 'build-web/vellar.html'));
const nativeCli = path.resolve(process.argv[3] || path.join(root, 'build/src/cli/vellar-cli'));
const screenshot = process.argv[4] ? path.resolve(process.argv[4]) : null;
const examples = path.join(root, 'examples');
const example = (name) => fs.readFileSync(path.join(examples, name));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-web-test-'));

// --- tests ---

test('öffnet von file:// ohne Fehler, eine Datei unter 3 MB', async ({ browser }) => {
  const size = fs.statSync(html).size;
  assert.ok(size <= 3 * 1024 * 1024, `vellar.html ist ${size} Byte groß`);
  const page = await openPage(browser, html);
  assert.equal(await page.title(), 'Mikroprozessor Simulation');
  const texts = await page.$$eval('.caption', (l) => l.map((e) => e.textContent));
  assert.deepEqual(texts, ['Prozessor', 'Bussystem', 'Arbeitsspeicher (RAM)']);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Beispiele: Mikroprogramm und bubble.ras laufen bis Halt und sortieren', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  assert.equal(await page.title(), 'Mikroprozessor Simulation - firmware.mpd - bubble.ras');
  const before = await ramBytes(page, 0xf0, 16);
  await page.click('#RaTor input[type=radio]');
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
  assert.equal(await page.$eval('#LaZeit', (e) => e.textContent), 'Zeit:  zu schnell');
  await page.click('#BuBisHalt');
  await idle(page);
  const after = await ramBytes(page, 0xf0, 16);
  assert.deepEqual(after, [...before].sort((a, b) => a - b));
  assert.notDeepEqual(before, after);
  // The same run in the command-line tool ends with the same memory.
  const cli = await page.evaluate(async (files) => {
    const r = window.vellar.cli(['run', '--mps', 'firmware.mpd', '--ram', 'bubble.ras', '--dump'],
      Object.fromEntries(Object.entries(files).map(([k, v]) => [k, new Uint8Array(v)])));
    return r.stdout;
  }, { 'firmware.mpd': [...example('firmware.mpd')], 'bubble.ras': [...example('bubble.ras')] });
  const hex = after.map((b) => b.toString(16).toUpperCase().padStart(2, '0')).join(' ');
  assert.ok(cli.includes(hex), `Dump des Werkzeugs enthält ${hex} nicht:\n${cli}`);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('ein Klick auf ein Tor öffnet es und schaltet auf manuelle Torsteuerung', async ({ browser }) => {
  const page = await openPage(browser, html);
  await page.click('#Tor_3');
  await idle(page);
  const v = await page.evaluate(() => window.vellar.view());
  assert.equal(v.automatic, false);
  assert.ok(v.gates[3][0] === 1 || v.gates[3][0] === 3, 'Tor 3 zeigt sich offen');
  assert.ok(v.gates[2][0] === 0 || v.gates[2][0] === 2, 'Tor 2 bleibt zu');
  assert.equal(await page.$eval('#Tor_3', (e) => e.title), 'Tor schließen');
  // The key hook: Ctrl with a hex digit, and Alt+Shift with it where the browser keeps Ctrl.
  await page.keyboard.down('Control');
  await page.keyboard.press('4');
  await page.keyboard.up('Control');
  await page.keyboard.down('Alt');
  await page.keyboard.down('Shift');
  await page.keyboard.press('KeyA');
  await page.keyboard.up('Shift');
  await page.keyboard.up('Alt');
  await idle(page);
  const gates = (await page.evaluate(() => window.vellar.view())).gates.map((g) => g[0] % 2);
  assert.deepEqual([gates[3], gates[4], gates[0xa], gates[2]], [1, 1, 1, 0]);
  await page.close();
});

test('MPS: Klick in eine Torspalte und Text in der Beschreibung landen im Speicher', async ({ browser }) => {
  const page = await openPage(browser, html);
  // Address 00, gate 5 (column 2 + 5); the click toggles the gate in the row.
  await clickCell(page, 'GrMps', 7, 1);
  assert.equal(await page.evaluate(() => window.vellar.mpsGates(0)), 1 << 5);
  await clickCell(page, 'GrMps', 1, 2);
  await page.keyboard.type('Hallo');
  await page.keyboard.press('Enter');
  await idle(page);
  const cell = await page.evaluate(() => window.vellar.view().mps.cells.find((r) => r[0][0] === '01')[1][0]);
  assert.equal(cell, 'Hallo');
  // A save writes what was typed.
  await catchSaves(page, 'neu.mpd');
  await page.keyboard.press('F3');
  await idle(page);
  const saved = Buffer.from(await page.evaluate(() => window.savedFiles['neu.mpd'])).toString('latin1');
  assert.match(saved, /\r\n/);
  assert.ok(saved.includes('Hallo'), saved);
  await page.close();
});

// Our micro-program with "JMP 00" typed into the assembler view at address 00: a program
// that never halts. Automatic gate control at the fastest level.
async function endlessLoop(page) {
  await loadExample(page, 'zaehler.ras');
  await page.click('#RaRam input[type=radio]:nth-of-type(1)');
  await page.evaluate(() => document.querySelectorAll('#RaRam input')[1].click());
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.view().ram.assembler), true);
  await clickCell(page, 'GrRam', 3, 1);
  await page.keyboard.type('JMP 00');
  await page.keyboard.press('Enter');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 2), [0x70, 0x00]);
  await page.click('#RaTor input[type=radio]');
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
}

const pause = (ms) => new Promise((r) => setTimeout(r, ms));


test('Assembler-Ansicht: eine getippte Zeile wird übersetzt; Pause hält einen Lauf ohne Ende an', async ({ browser }) => {
  const page = await openPage(browser, html);
  // An endless loop at the fastest level: the page keeps answering, and Pause ends the run.
  await endlessLoop(page);
  // Three runs, each paused after a while. The best pause counts: on a busy machine the
  // scheduler alone may keep the page waiting, but a slice that kept Pause from answering
  // would show in every run.
  const figures = [];
  for (let i = 0; i < 3; ++i) {
    figures.push(await timedRun(page, 1000));
  }
  const rates = figures.map((f) => (f.rate / 1e6).toFixed(1)).join(', ');
  const pauses = figures.map((f) => f.pauseMs.toFixed(1)).join(', ');
  console.log(`     Mio. ALU-Takte/s: ${rates}; Pause nach ms: ${pauses}`);
  assert.ok(Math.min(...figures.map((f) => f.pauseMs)) < 50, `Pause brauchte ${pauses} ms`);
  assert.ok(Math.max(...figures.map((f) => f.rate)) > 1e6, `nur ${rates} Mio. ALU-Takte/s`);
  await page.close();
});

test('Lauf ohne Takt: Leertaste startet nichts Neues, ein Laufknopf wirkt im laufenden Lauf, Pause beendet ihn', async ({ browser }) => {
  const page = await openPage(browser, html);
  await endlessLoop(page);
  await page.click('#BuBisHalt');
  await pause(300);
  assert.ok(await page.evaluate(() => window.vellar.busy() > 0), 'der Lauf läuft');
  // The space bar asks for a run in the current mode, which is going on: it goes on, its
  // clocks are not counted from 0 again.
  const before = await page.evaluate(() => window.vellar.clocks());
  await page.keyboard.press('Space');
  await pause(300);
  const after = await page.evaluate(() => window.vellar.clocks());
  assert.ok(before > 1000 && after > before, `Takte vor der Leertaste ${before}, danach ${after}`);
  assert.ok(await page.evaluate(() => window.vellar.busy() > 0), 'der Lauf läuft nach der Leertaste weiter');
  assert.equal(await page.$('#modal:not([hidden])'), null);
  // "1 Befehl" during the run: the loop already going carries on in that mode and ends after
  // the instruction.
  await page.click('#BuBefehl');
  assert.ok(await idleWithin(page, 5000), 'der Lauf endet nach „1 Befehl“');
  const oneInstruction = await page.evaluate(() => window.vellar.clocks());
  assert.ok(oneInstruction > 0 && oneInstruction < 20, `${oneInstruction} Takte für einen Befehl`);
  // "bis Halt" clicked again during a run: the run goes on until Pause ends it, at once.
  await page.click('#BuBisHalt');
  await pause(200);
  await page.click('#BuBisHalt');
  await pause(300);
  assert.ok(await page.evaluate(() => window.vellar.busy() > 0), 'der Lauf läuft nach dem zweiten Klick weiter');
  assert.ok(await page.evaluate(() => window.vellar.clocks()) > 1000);
  const pauseMs = await page.evaluate(async () => {
    const p0 = performance.now();
    document.getElementById('BuPause').click();
    await window.vellar.idle();
    return performance.now() - p0;
  });
  console.log(`     Pause nach ${pauseMs.toFixed(1)} ms`);
  assert.ok(pauseMs < 500, `Pause brauchte ${pauseMs} ms`);
  // The space bar then starts a new run, which Pause ends again.
  await page.focus('#TrZeit');
  await page.keyboard.press('Space');
  await pause(200);
  assert.ok(await page.evaluate(() => window.vellar.busy() > 0), 'die Leertaste startet einen Lauf');
  await page.click('#BuPause');
  assert.ok(await idleWithin(page, 2000), 'Pause beendet den Lauf der Leertaste');
  assert.deepEqual(page.errors, []);
  await page.close();
});

const regs = (page) => page.evaluate(() => Array.from({ length: 7 }, (_, i) => window.vellar.reg(i)));
const menuEnabled = (page, id) => page.$eval(`[id="${id}"]`, (e) => !e.classList.contains('disabled'));

test('Bearbeiten: Rückgängig und Wiederholen mit Strg+Z, Strg+Y, Strg+Umschalt+Z und über das Menü', async ({ browser }) => {
  const page = await openPage(browser, html);
  await page.evaluate(() => window.vellar.view());
  assert.equal(await menuEnabled(page, 'MeUndo'), false);
  // A gate in the MPS row of address 00, and a RAM byte at address 01.
  await clickCell(page, 'GrMps', 7, 1);
  assert.equal(await page.evaluate(() => window.vellar.mpsGates(0)), 1 << 5);
  await clickCell(page, 'GrRam', 2, 1);
  await page.keyboard.type('5A');
  await page.keyboard.press('Enter');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0x5a]);
  await page.evaluate(() => window.vellar.view());
  assert.equal(await menuEnabled(page, 'MeUndo'), true);
  assert.equal(await menuEnabled(page, 'MeRedo'), false);
  // The keys reach the menu while the RAM grid's editor has the focus, as in the window.
  assert.equal(await page.evaluate(() => document.activeElement.tagName), 'INPUT');
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyZ'); // the byte, typed in two keystrokes, is one step
  await page.keyboard.up('Control');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0]);
  assert.equal(await page.evaluate(() => window.vellar.mpsGates(0)), 1 << 5);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyZ'); // the gate
  await page.keyboard.up('Control');
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.mpsGates(0)), 0);
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0]);
  await page.evaluate(() => window.vellar.view());
  assert.equal(await menuEnabled(page, 'MeRedo'), true);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyY');
  await page.keyboard.up('Control');
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.mpsGates(0)), 1 << 5);
  await page.keyboard.down('Control');
  await page.keyboard.down('Shift');
  await page.keyboard.press('KeyZ');
  await page.keyboard.up('Shift');
  await page.keyboard.up('Control');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0x5a]);
  await menu(page, 'Bearbeiten', 'MeUndo');
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0]);
  await menu(page, 'Bearbeiten', 'MeRedo');
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0x5a]);
  // In a register field too, Ctrl+Z undoes the last edit.
  await page.click('#EdAX');
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyZ');
  await page.keyboard.up('Control');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 2), [0, 0]);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Schritt zurück: Befehle und ein ganzer Lauf zurück, danach geht es genauso weiter', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  await page.click('#RaTor input[type=radio]');
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
  const states = [];
  const state = async () => ({ regs: await regs(page), ram: await ramBytes(page, 0, 256) });
  states.push(await state());
  for (let i = 0; i < 3; ++i) {
    await page.click('#BuBefehl');
    await idle(page);
    states.push(await state());
  }
  assert.notDeepEqual(states[3].regs, states[2].regs);
  // Backspace while the button has the focus, then the menu item: one instruction each.
  await page.keyboard.press('Backspace');
  await idle(page);
  assert.deepEqual(await state(), states[2]);
  await menu(page, 'Bearbeiten', 'MeStepBack');
  assert.deepEqual(await state(), states[1]);
  await page.click('#BuBefehl');
  await idle(page);
  assert.deepEqual(await state(), states[2]);
  // "bis Halt" sorts the numbers; one step back in that mode takes the whole run back.
  await page.click('#BuBisHalt');
  await idle(page);
  const sorted = await state();
  assert.notDeepEqual(sorted.ram, states[2].ram);
  await page.focus('#TrZeit');
  await page.keyboard.press('Backspace');
  await idle(page);
  assert.deepEqual(await state(), states[2]);
  // Backspace in a register field erases a character there and steps nothing back.
  await page.click('#EdAX');
  await page.keyboard.press('End');
  await page.keyboard.press('Backspace');
  await idle(page);
  assert.deepEqual((await state()).ram, states[2].ram);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// What the program writes for a file: vellar-cli converts with the same writers as the window.
function nativeConvert(input, output) {
  const dir = fs.mkdtempSync(path.join(tmp, 'conv-'));
  for (const name of ['firmware.mpd', input]) fs.copyFileSync(path.join(examples, name), path.join(dir, name));
  const r = spawnSync(nativeCli, ['convert', input, output, '--mps', 'firmware.mpd'], { cwd: dir });
  assert.equal(r.status, 0, String(r.stderr));
  return fs.readFileSync(path.join(dir, output));
}

// Where the last layout placed the processor panel, the RAM grid and the variable inspector
// (null while hidden), after the page has drawn what is pending.
const placed = (page) => page.evaluate(() => {
  window.vellar.view();
  const box = (id) => {
    const e = document.getElementById(id);
    return e.hidden ? null : ['left', 'top', 'width', 'height'].map((k) => parseInt(e.style[k], 10));
  };
  return { processor: box('PaProzessor'), ram: box('GrRam'), inspector: box('RamInspector') };
});

const inspectorColumns = (page) => page.evaluate(() => window.vellar.view().inspector.widths.length);

// A right click on the RAM cell of the address (data view), then the popup's command.
async function defineVariable(page, address) {
  await clickCell(page, 'GrRam', (address % 16) + 1, Math.floor(address / 16) + 1, { button: 'right' });
  await page.click('#alsVariabledefinieren1');
  await idle(page);
}

test('Anordnung: neu, wenn RAM-Ansicht, Variableninspektor, RAM löschen, Laden oder Rückgängig es verlangen', async ({ browser }) => {
  const page = await openPage(browser, html);
  // The start lays the page out: every panel has its place.
  const start = await placed(page);
  assert.ok(start.processor[2] > 0 && start.ram[3] > 0, JSON.stringify(start));
  assert.equal(start.inspector, null);

  // The assembler view's columns take another width from the processor panel, and back.
  await page.evaluate(() => document.querySelectorAll('#RaRam input')[1].click());
  await idle(page);
  const assembler = await placed(page);
  assert.notEqual(assembler.processor[2], start.processor[2], 'Assembler-Ansicht');
  await page.evaluate(() => document.querySelectorAll('#RaRam input')[0].click());
  await idle(page);
  assert.deepEqual(await placed(page), start, 'zurück in der Daten-Ansicht');

  // The inspector takes its rows from the RAM grid; once its columns no longer fit, its
  // scroll bar takes more.
  await menu(page, 'Ansicht', 'MeVariablen');
  const narrow = await placed(page);
  assert.ok(narrow.inspector, 'Variableninspektor angezeigt');
  const placeholder = await inspectorColumns(page); // the addresses' column and an empty one
  assert.ok(narrow.ram[3] < start.ram[3], 'das RAM-Gitter macht dem Inspektor Platz');
  let wide = narrow;
  let address = 0x10;
  while (wide.inspector[3] === narrow.inspector[3] && address < 0x30) {
    await defineVariable(page, address++);
    wide = await placed(page);
  }
  const columns = await inspectorColumns(page);
  assert.ok(columns > placeholder + 1 && wide.inspector[3] > narrow.inspector[3], `${columns} Variablen: ${JSON.stringify(wide)}`);
  assert.equal(wide.ram[3], narrow.ram[3] - (wide.inspector[3] - narrow.inspector[3]));

  // Undoing the last definition narrows the inspector again; redoing it widens it.
  await menu(page, 'Bearbeiten', 'MeUndo');
  assert.equal(await inspectorColumns(page), columns - 1);
  assert.deepEqual(await placed(page), narrow, 'nach Rückgängig');
  await menu(page, 'Bearbeiten', 'MeRedo');
  assert.equal(await inspectorColumns(page), columns);
  assert.deepEqual(await placed(page), wide, 'nach Wiederholen');

  // Clearing the memory drops every variable: the empty column is left.
  await menu(page, 'Zurcksetzen', 'MeClrRam');
  assert.equal(await inspectorColumns(page), placeholder);
  assert.deepEqual(await placed(page), narrow, 'nach RAM löschen');
  await menu(page, 'Ansicht', 'MeVariablen');
  assert.deepEqual(await placed(page), start, 'Inspektor wieder verborgen');

  // A RAM text file shows the assembler view, and the inspector with the file's variables.
  await loadExample(page, 'zaehler.ras');
  const loaded = await page.evaluate(() => window.vellar.view());
  assert.ok(loaded.ram.assembler && loaded.inspector.shown);
  const afterLoad = await placed(page);
  assert.deepEqual(afterLoad.processor, assembler.processor, 'nach dem Laden einer .ras-Datei');
  assert.ok(afterLoad.inspector && afterLoad.ram[3] < assembler.ram[3], JSON.stringify(afterLoad));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Speichern und Laden: Bytes wie die des Programms, Frage „Mps speichern ?“', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  await catchSaves(page, 'bubble.ras');
  await page.keyboard.press('F6');
  await idle(page);
  const ras = Buffer.from(await page.evaluate(() => window.savedFiles['bubble.ras']));
  assert.ok(ras.equals(nativeConvert('bubble.ras', 'bubble.ras')), 'bubble.ras wie vom Programm geschrieben');
  await catchSaves(page, 'firmware.mpd');
  await page.keyboard.press('F3');
  await idle(page);
  const mpd = Buffer.from(await page.evaluate(() => window.savedFiles['firmware.mpd']));
  assert.ok(mpd.equals(nativeConvert('firmware.mpd', 'firmware.mpd')), 'firmware.mpd wie vom Programm geschrieben');

  // Load the saved RAM file back through the file picker after clearing the memory.
  const file = path.join(tmp, 'bubble.ras');
  fs.writeFileSync(file, ras);
  const before = await ramBytes(page, 0, 256);
  await menu(page, 'Zurcksetzen', 'MeClrRam').catch(() => {});
  await idle(page);
  assert.ok((await ramBytes(page, 0, 256)).every((b) => b === 0), 'RAM gelöscht');
  const chooser = await fileChooser(page, () => page.keyboard.press('F5'));
  await chooser.accept([file]);
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 256), before);

  // A changed MPS asks before loading another; "Nein" goes on to the picker.
  await clickCell(page, 'GrMps', 7, 3);
  const pressed = page.keyboard.press('F2');
  assert.equal(await modalText(page), 'Mps speichern ?');
  const [chooser2] = await Promise.all([page.waitForFileChooser(), clickModalButton(page, 'Nein')]);
  await pressed;
  await chooser2.cancel();
  await idle(page);
  assert.equal(await page.$eval('#modal', (e) => e.hidden), true);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('vellar.cli gibt Byte für Byte dasselbe aus wie vellar-cli', async ({ browser }) => {
  assert.ok(fs.existsSync(nativeCli), `${nativeCli} fehlt`);
  const page = await openPage(browser, html);
  const files = {};
  for (const name of fs.readdirSync(examples)) files[name] = [...example(name)];
  files['quelle.txt'] = [...Buffer.from('; Test\r\nMOV AX,10\r\nINC AX\r\nHLT\r\n')];
  const runs = [['--help'], ['gibtsnicht'], ['list', 'fehlt.ras']];
  for (const ras of fs.readdirSync(examples).filter((n) => n.endsWith('.ras'))) {
    runs.push(['run', '--mps', 'firmware.mpd', '--ram', ras, '--dump']);
    runs.push(['list', ras, '--mps', 'firmware.mpd', '--view', 'asm']);
    runs.push(['convert', ras, 'aus.erm', '--mps', 'firmware.mpd']);
    runs.push(['convert', ras, 'aus.rad', '--mps', 'firmware.mpd']);
  }
  runs.push(['run', '--mps', 'firmware.mpd', '--ram', 'zaehler.ras', '--max-clocks', '5', '--expect', 'AX=10']);
  // The trace's lines and the tool's own between them, in the order the tool writes them.
  runs.push(['run', '--mps', 'firmware.mpd', '--ram', 'bubble.ras', '--trace', '--max-clocks', '40']);
  runs.push(['run', '--mps', 'firmware.mpd', '--ram', 'zaehler.ras', '--trace', '--mode', 'instruction', '--dump']);
  runs.push(['convert', 'firmware.mpd', 'aus.mps']);
  runs.push(['asm', '--mps', 'firmware.mpd', 'quelle.txt', 'aus.ras']);
  for (const args of runs) {
    const dir = fs.mkdtempSync(path.join(tmp, 'cli-'));
    for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), Buffer.from(bytes));
    const native = spawnSync(nativeCli, args, { cwd: dir });
    const web = await page.evaluate((args, files) => {
      const input = Object.fromEntries(Object.entries(files).map(([k, v]) => [k, new Uint8Array(v)]));
      const r = window.vellar.cli(args, input);
      return { exitCode: r.exitCode, stdout: [...(r.stdoutBytes || [])], stderr: [...(r.stderrBytes || [])],
        files: Object.fromEntries(Object.entries(r.files).map(([k, v]) => [k, [...v]])) };
    }, args, files);
    const what = 'vellar-cli ' + args.join(' ');
    assert.equal(web.exitCode, native.status, what);
    assert.ok(Buffer.from(web.stdout).equals(native.stdout), `${what}: stdout\n${Buffer.from(web.stdout)}\n---\n${native.stdout}`);
    assert.ok(Buffer.from(web.stderr).equals(native.stderr), `${what}: stderr\n${Buffer.from(web.stderr)}\n---\n${native.stderr}`);
    const nativeFiles = fs.readdirSync(dir).sort();
    assert.deepEqual(Object.keys(web.files).sort(), nativeFiles, what);
    for (const name of nativeFiles) {
      assert.ok(Buffer.from(web.files[name]).equals(fs.readFileSync(path.join(dir, name))), `${what}: ${name}`);
    }
  }
  // Paths that leave the tool's folder are refused: nothing is written outside it.
  for (const args of [['convert', 'zaehler.ras', '../weg.rad', '--mps', 'firmware.mpd'],
    ['convert', 'zaehler.ras', '/Dateien/weg.rad', '--mps', 'firmware.mpd'],
    ['list', 'unter/../../zaehler.ras']]) {
    const web = await page.evaluate((args, ras) => {
      const r = window.vellar.cli(args, { 'zaehler.ras': new Uint8Array(ras), 'firmware.mpd': new Uint8Array(0) });
      return { exitCode: r.exitCode, stderr: r.stderr, files: Object.keys(r.files).sort() };
    }, args, [...example('zaehler.ras')]);
    assert.equal(web.exitCode, 2, args.join(' '));
    assert.match(web.stderr, /außerhalb/, args.join(' '));
    assert.deepEqual(web.files, ['firmware.mpd', 'zaehler.ras']);
  }
  await page.close();
});

test('Bildschirmfoto: Farben der Felder, gelbe und rote Bits auf dem Bus', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  // Manual gates 1 (AX to the ALU) and 0 (back into AX), slowest clock: the output phase stays lit.
  await page.evaluate(() => {
    window.vellar.event('EdRegChange', 0, 0, 0, '01');
  });
  await page.click('#Tor_1');
  await page.focus('#TrZeit');
  await page.keyboard.press('End');
  await page.click('#Bu2Phasen');
  await idle(page);
  await new Promise((r) => setTimeout(r, 300));
  const png = await page.screenshot({ type: 'png' });
  if (screenshot) fs.writeFileSync(screenshot, png);
  const result = await page.evaluate(async (data) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + data;
    await img.decode();
    const c = document.createElement('canvas');
    c.width = img.width;
    c.height = img.height;
    const ctx = c.getContext('2d');
    ctx.drawImage(img, 0, 0);
    const at = (id, dx, dy) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return [...ctx.getImageData(Math.round(r.left + dx), Math.round(r.top + dy), 1, 1).data.slice(0, 3)];
    };
    const reg = document.getElementById('PaRegister').getBoundingClientRect();
    const pixels = ctx.getImageData(reg.left, reg.top, reg.width, reg.height).data;
    let yellow = 0;
    let red = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      if (pixels[i] === 255 && pixels[i + 1] === 255 && pixels[i + 2] === 0) yellow++;
      if (pixels[i] === 255 && pixels[i + 1] === 0 && pixels[i + 2] === 0) red++;
    }
    return {
      processor: at('PaProzessor', 3, 3), bus: at('PaBus', 3, 3), ram: at('PaRAM', 3, 3),
      control: at('PaControl', 3, 3), register: at('PaRegister', 200, 160), opBack: at('EdOP', -1, 12),
      yellow, red,
    };
  }, png.toString('base64'));
  const seen = JSON.stringify(result);
  assert.deepEqual(result.processor, [192, 220, 192], seen);
  assert.deepEqual(result.register, [192, 220, 192]);
  assert.deepEqual(result.bus, [249, 216, 166]);
  assert.deepEqual(result.ram, [166, 202, 240]);
  assert.deepEqual(result.control, [180, 180, 180]);
  assert.deepEqual(result.opBack, [139, 190, 139]);
  // AX = 01 on the path of gate 1: one yellow line (bit 0) beside seven red ones.
  assert.ok(result.yellow > 30 && result.red > 5 * result.yellow, `gelb ${result.yellow}, rot ${result.red}`);
  await page.close();
});

// --- the grids as the window's editing tests work them: real presses, wheel and keys ---

const topRow = (page, part) => page.evaluate((part) => window.vellar.view()[part].topRow, part);

// Wheel steps over the grid until its first scrolling row is this one (three rows a step).
async function wheelTo(page, gridId, part, row) {
  const r = await page.$eval(`#${gridId}`, (e) => {
    const b = e.getBoundingClientRect();
    return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
  });
  await page.mouse.move(r.x, r.y);
  for (let i = 0; i < 200; ++i) {
    const top = await topRow(page, part);
    if (top === row) return;
    assert.ok(Math.abs(top - row) >= 3 || i === 0, `Zeile ${row} ist mit dem Rad nicht zu erreichen (${top})`);
    await page.mouse.wheel({ deltaY: top < row ? 100 : -100 });
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(r)));
  }
  assert.equal(await topRow(page, part), row);
}

// Wheel steps over the grid, downwards.
async function wheelBy(page, gridId, steps) {
  const r = await page.$eval(`#${gridId}`, (e) => {
    const b = e.getBoundingClientRect();
    return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
  });
  await page.mouse.move(r.x, r.y);
  for (let i = 0; i < steps; ++i) {
    await page.mouse.wheel({ deltaY: 100 });
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(r)));
  }
}

async function clickManual(page) {
  const radios = await page.$$('#RaTor input[type=radio]');
  await radios[1].click();
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.view().automatic), false);
}

// The bytes a save by the key wrote, as text.
async function savedAfter(page, key, name) {
  await catchSaves(page, name);
  await page.keyboard.press(key);
  await idle(page);
  return (await saved(page, name)).toString('latin1');
}

test('Beispiele: das Menü zeigt zu jedem Programm seinen Titel', async ({ browser }) => {
  const page = await openPage(browser, html);
  const caption = await page.$eval('[id="Beispiel_bubble.ras"]', (e) => e.textContent);
  assert.ok(caption.includes('bubble.ras – Bubblesort'), caption);
  await page.close();
});

test('Gitter: nach „Manuell“ und dem Rad landen Text und Tor in der geklickten Zeile', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  await clickCell(page, 'GrMps', 1, 0x06); // the description of 05
  await clickManual(page);
  await wheelTo(page, 'GrMps', 'mps', 0x5b); // rows 5A .. 65
  await clickCell(page, 'GrMps', 1, 0x5f); // the description of 5E
  assert.equal(await topRow(page, 'mps'), 0x5b, 'das Gitter sprang');
  await page.keyboard.type('XYZ');
  await idle(page);
  // A gate of 2A after another focus change.
  await clickManual(page);
  await wheelTo(page, 'GrMps', 'mps', 0x28);
  await clickCell(page, 'GrMps', 2 + 1, 0x2b);
  assert.equal(await topRow(page, 'mps'), 0x28, 'das Gitter sprang');
  const mpd = await savedAfter(page, 'F3', 'firmware.mpd');
  for (const line of ['\r\n5E XYZ                       . . . .', '\r\n04 DR:=Operand               . . .',
    '\r\n05 IP := IP+1                . . .', '\r\n2A                           . 1 . .']) {
    assert.ok(mpd.includes(line), `${JSON.stringify(line)} fehlt:\n${mpd.slice(0, 600)}`);
  }
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Gitter: das Tippen geht in der Zelle weiter, in der es begann', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  // The description of 05 as the grid shows it: typing has brought its row into view.
  const description = () => page.evaluate(() => {
    const v = window.vellar.view().mps;
    return v.cells[1 + 6 - v.topRow]?.[1][0];
  });
  await clickCell(page, 'GrMps', 1, 0x06);
  await page.keyboard.type('ab');
  await wheelBy(page, 'GrMps', 20);
  assert.ok(await topRow(page, 'mps') > 0x06, 'die Zelle ist weggerollt');
  await page.keyboard.type('c');
  await idle(page);
  assert.equal(await description(), 'abc');
  assert.ok(await topRow(page, 'mps') <= 0x06, 'die Zelle ist wieder zu sehen');
  // The scroll bar moves the cell away, not the typing. Headless chromium draws no scroll bar
  // to click on: the bar is scrolled as a drag of its thumb would, and tells of it as then.
  await page.$eval('#GrMps .vscroll', (e) => (e.scrollTop += 20 * 21));
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  await idle(page);
  assert.ok(await topRow(page, 'mps') > 0x06, 'die Zelle ist weggerollt');
  await page.keyboard.type('d');
  await idle(page);
  assert.equal(await description(), 'abcd');
  // Esc ends the editing: the next key starts the cell anew. Tab leaves the grid.
  await page.keyboard.press('Escape');
  await page.keyboard.type('e');
  await page.keyboard.press('Tab');
  await idle(page);
  assert.equal(await page.evaluate(() => document.activeElement.closest('#GrMps')), null, 'Tab verlässt das Gitter');
  assert.equal(await description(), 'e');
  assert.ok((await savedAfter(page, 'F3', 'firmware.mpd')).includes('\r\n05 e                         . . . .'));
  // The same in the assembler view, and a click on a header cell between two digits.
  await clickCell(page, 'GrRam', 1, 0x02);
  await page.keyboard.type('1');
  await wheelBy(page, 'GrRam', 20);
  await page.keyboard.type('2');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 2, 1), [0x12]);
  await clickCell(page, 'GrRam', 0, 0x03);
  await page.keyboard.type('3');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 2, 1), [0x23]);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Variableninspektor: seine Zeilen sind gemalt, jede Zelle nimmt ihr eigenes Tippen', async ({ browser }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  // The rows below the header show the variables' names in dark text, once the layout has given
  // the inspector its size and the next frame has painted it. A busy machine may take a while.
  const darkPixels = () => page.$eval('#RamInspector canvas', (c) => {
    const dpr = window.devicePixelRatio || 1;
    if (c.width === 0 || c.height < 61 * dpr) return 0;
    const d = c.getContext('2d').getImageData(0, 21 * dpr, c.width, 40 * dpr).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] < 80 && d[i + 1] < 80 && d[i + 2] < 80) n++;
    return n;
  });
  let dark = await darkPixels();
  for (let tries = 0; dark <= 50 && tries < 100; tries++) {
    await new Promise((r) => setTimeout(r, 50));
    dark = await darkPixels();
  }
  assert.ok(dark > 50, `nur ${dark} dunkle Pixel unter der Kopfzeile`);
  await clickCell(page, 'RamInspector', 2, 1); // the second variable's name
  await page.keyboard.type('X');
  await clickCell(page, 'RamInspector', 2, 2); // its value
  await page.keyboard.type('5');
  await page.keyboard.press('Enter');
  await clickCell(page, 'RamInspector', 1, 2);
  await page.keyboard.type('7');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0xe0, 2), [0x07, 0x05]);
  const ras = await savedAfter(page, 'F6', 'bubble.ras');
  assert.ok(ras.includes('\r\nE0  07 05'), ras);
  assert.ok(ras.includes('\r\nVAR\r\nE0 getauscht\r\nE1 X\r\n'), ras);
  assert.deepEqual(page.errors, []);
  await page.close();
});

const { browser, close } = await launch();
let failed = 1;
try {
  failed = await runAll({ browser, html, nativeCli });
} finally {
  await close();
  fs.rmSync(tmp, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
