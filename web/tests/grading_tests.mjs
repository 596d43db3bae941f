// Browser tests of the teacher's tools in the page: "Abgaben bewerten" grades with the tool's
// own code (the CSV must be the bytes vellar-cli grade --csv prints, for files picked and
// dropped), and says in German what is missing.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import { menu, fileChooser } from './page_helpers.mjs';

const examples = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../examples');
const example = (name) => fs.readFileSync(path.join(examples, name));

// A class: the example task with its micro-program, and submissions of every sort: right,
// wrong, never halting, no program at all, a source, an empty file, and names the CSV must
// quote or that are not ASCII.
function classFiles() {
  const bubble = example('bubble.ras').toString('latin1');
  return {
    'sortieren.aufgabe': example('sortieren.aufgabe'),
    'firmware.mpd': example('firmware.mpd'),
    'anna.ras': example('bubble.ras'),
    'bernd.ras': Buffer.from(bubble.replace('00  20 F0 MOV BX,F0', '00  20 F1 MOV BX,F1'), 'latin1'),
    'carla.mps': Buffer.from('kein Mikroprogramm'),
    'dora.rad': Buffer.from('RAD 00 01\n00  70 00\n'),
    'emil.asm': Buffer.from('; emil.asm\nHLT\n'),
    'leer.ras': Buffer.from(''),
    'jürgen;2.ras': example('zaehler.ras'),
    '--seltsam.ras': example('summe.ras'),
  };
}

const SUBMISSIONS = ['--seltsam.ras', 'anna.ras', 'bernd.ras', 'carla.mps', 'dora.rad', 'emil.asm', 'jürgen;2.ras',
  'leer.ras'];
// As the tool is to be told them: a name like an option is a file in the folder.
const ARGUMENTS = SUBMISSIONS.map((n) => (n.startsWith('--') ? './' + n : n));

function writeAll(dir, files) {
  for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), bytes);
}

// Files dropped onto the page as a browser drops them from a file manager.
async function drop(page, files) {
  await page.evaluate((files) => {
    const data = new DataTransfer();
    for (const [name, bytes] of Object.entries(files)) data.items.add(new File([new Uint8Array(bytes)], name));
    const target = document.elementFromPoint(20, 20);
    target.dispatchEvent(new DragEvent('dragover', { dataTransfer: data, bubbles: true, cancelable: true }));
    target.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
  }, Object.fromEntries(Object.entries(files).map(([k, v]) => [k, [...v]])));
}

const fileCount = (page, n) => page.waitForFunction(
  (n) => document.getElementById('grade-files').textContent.startsWith(`${n} ${n === 1 ? 'Datei' : 'Dateien'}:`),
  { timeout: 5000 }, n);

// The files picked in the browser's picker; then the list holds `count` files.
async function pick(page, dir, names, count) {
  const chooser = await fileChooser(page, () => page.click('#grade-pick'));
  await chooser.accept(names.map((n) => path.join(dir, n)));
  await fileCount(page, count);
}

async function gradeAndWait(page) {
  await page.click('#grade-start');
  await page.waitForSelector('#grade-status[data-state=done], #grade-status[data-state=error]', { timeout: 60000 });
  return page.$eval('#grade-status', (e) => [e.dataset.state, e.textContent]);
}

// Downloads land in the folder; the one of that name once it is complete.
async function downloaded(browser, dir, name, action) {
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
  await action();
  const file = path.join(dir, name);
  for (let i = 0; i < 100 && !fs.existsSync(file); i++) await new Promise((r) => setTimeout(r, 100));
  await cdp.detach();
  return fs.readFileSync(file);
}

test('Abgaben bewerten: gewählte und hergezogene Dateien ergeben Byte für Byte die CSV von vellar-cli grade', async ({ browser, html, nativeCli }) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-grade-'));
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-grade-dl-'));
  try {
    const files = classFiles();
    writeAll(dir, files);
    const cli = spawnSync(nativeCli, ['grade', '--task', 'sortieren.aufgabe', '--csv', ...ARGUMENTS], { cwd: dir });
    assert.equal(cli.status, 1, cli.stderr.toString());
    const page = await openPage(browser, html);
    await menu(page, 'Datei', 'MeGrade');
    // The task, its micro-program and some submissions by the picker, the rest dropped.
    await pick(page, dir, ['sortieren.aufgabe', 'firmware.mpd', 'anna.ras', 'bernd.ras', 'carla.mps'], 5);
    const rest = Object.fromEntries(['--seltsam.ras', ...SUBMISSIONS.slice(4)].map((n) => [n, files[n]]));
    await drop(page, rest);
    await fileCount(page, 10);
    assert.deepEqual(await gradeAndWait(page), ['done', '8 Abgaben bewertet.']);
    const csv = await downloaded(browser, downloads, 'sortieren-bewertung.csv', () => page.click('#grade-csv'));
    assert.ok(csv.equals(cli.stdout), `Seite:\n${csv}\nvellar-cli:\n${cli.stdout}`);
    // The table shows what the CSV holds.
    const shown = await page.$$eval('#grade-result tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));
    assert.deepEqual(shown.map((r) => r[0]), ['Einreichung', ...ARGUMENTS]);
    assert.deepEqual(shown[2].slice(1, 5), ['✓', '✓', '✓', '3']);
    assert.equal(shown[5][1], '✗');
    assert.deepEqual(page.errors, []);
    await page.close();
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
  }
});

test('Abgaben bewerten: fehlende Startdatei, fehlerhafte oder fehlende Aufgabe – deutsche Meldung, nichts bewertet; Dateien auf die Seite gezogen', async ({ browser, html }) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-grade-'));
  try {
    const files = classFiles();
    files['kaputt.aufgabe'] = Buffer.from('Titel: Sortieren\nGrenze: viel\nMPS: firmware.mpd\nfall: => STOP=halt\n');
    files['ordner.aufgabe'] = Buffer.from('MPS: start/firmware.mpd\nfall: => STOP=halt\n');
    // Written on a Windows PC, where the case of a name does not count.
    files['gross.aufgabe'] = Buffer.from('MPS: FIRMWARE.MPD\nfall: => STOP=halt\n');
    writeAll(dir, files);
    const page = await openPage(browser, html);
    await menu(page, 'Datei', 'MeGrade');
    const status = () => page.$eval('#grade-status', (e) => [e.dataset.state, e.textContent]);
    await pick(page, dir, ['anna.ras'], 1);
    await page.click('#grade-start');
    assert.deepEqual(await status(), ['error',
      'Es fehlt die Aufgabe (.aufgabe) oder die Fälle-Datei (.txt). Wählen Sie sie mit den Abgaben aus oder ziehen Sie sie dazu.']);
    await pick(page, dir, ['sortieren.aufgabe'], 2);
    await page.click('#grade-start');
    assert.deepEqual(await status(), ['error',
      'Die Aufgabe „sortieren.aufgabe“ nennt die Startdatei „firmware.mpd“ (MPS:). Wählen Sie diese Datei mit den Abgaben aus oder ziehen Sie sie dazu.']);
    assert.equal(await page.$eval('#grade-result', (e) => e.textContent), '');
    assert.equal(await page.$eval('#grade-csv', (e) => e.disabled), true);
    // Two tasks: which one is meant is the teacher's to say.
    await pick(page, dir, ['kaputt.aufgabe', 'firmware.mpd'], 4);
    await page.click('#grade-start');
    assert.match((await status())[1], /^Bewertet wird nach genau einer Aufgabe; gewählt sind „kaputt\.aufgabe“, „sortieren\.aufgabe“\./);
    // A faulty task: the tool's own message, with its line number.
    await page.click('.modal-grading .modal-buttons button:nth-child(2)'); // Liste leeren
    await pick(page, dir, ['kaputt.aufgabe', 'firmware.mpd', 'anna.ras'], 3);
    await page.click('#grade-start');
    assert.deepEqual(await status(), ['error', 'kaputt.aufgabe: Zeile 2: „Grenze:“ erwartet eine positive ganze Zahl, nicht „viel“.']);
    // The browser's files come without folders.
    await page.click('.modal-grading .modal-buttons button:nth-child(2)');
    await pick(page, dir, ['ordner.aufgabe', 'firmware.mpd', 'anna.ras'], 3);
    await page.click('#grade-start');
    assert.deepEqual(await status(), ['error', 'Die Aufgabe nennt bei „MPS:“ die Datei „start/firmware.mpd“ mit Ordner; '
      + 'im Browser geht das nicht. Schreiben Sie „MPS: firmware.mpd“ und wählen Sie die Datei mit aus.']);
    await page.click('.modal-grading .modal-buttons button:nth-child(2)');
    await pick(page, dir, ['gross.aufgabe', 'firmware.mpd', 'anna.ras'], 3);
    assert.deepEqual(await gradeAndWait(page), ['done', '1 Abgabe bewertet.']);
    // Once the files are right, grading goes ahead.
    await page.click('.modal-grading .modal-buttons button:nth-child(2)');
    await pick(page, dir, ['sortieren.aufgabe', 'anna.ras'], 2);
    await drop(page, { 'firmware.mpd': files['firmware.mpd'] });
    await fileCount(page, 3);
    assert.deepEqual(await gradeAndWait(page), ['done', '1 Abgabe bewertet.']);
    await page.keyboard.press('Escape');
    assert.equal(await page.$('#modal:not([hidden])'), null);
    // Several files dropped onto the page open the dialog with them; a single one does not.
    await drop(page, { 'anna.ras': files['anna.ras'] });
    assert.equal(await page.$('#modal:not([hidden])'), null);
    await drop(page, { 'sortieren.aufgabe': files['sortieren.aufgabe'], 'firmware.mpd': files['firmware.mpd'],
      'bernd.ras': files['bernd.ras'] });
    await page.waitForFunction(() => document.querySelector('#modal:not([hidden]) #grade-files')?.textContent
      === '3 Dateien: bernd.ras, firmware.mpd, sortieren.aufgabe', { timeout: 5000 });
    assert.deepEqual(await gradeAndWait(page), ['done', '1 Abgabe bewertet.']);
    assert.deepEqual(page.errors, []);
    await page.close();
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

test('Abgaben bewerten: Abgaben bis zur Taktgrenze halten die Seite nicht an', async ({ browser, html }) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-grade-'));
  try {
    // Programs that never halt, each run to the default limit of ten million clocks: a second
    // or more of grading.
    const files = {
      'ewig.aufgabe': Buffer.from('MPS: firmware.mpd\nhalt: => STOP=halt\n'),
      'firmware.mpd': example('firmware.mpd'),
    };
    const endless = ['a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'].map((n) => n + '.rad');
    for (const name of endless) files[name] = Buffer.from('RAD 00 01\n00  70 00\n');
    writeAll(dir, files);
    const page = await openPage(browser, html);
    await menu(page, 'Datei', 'MeGrade');
    await pick(page, dir, Object.keys(files), 10);
    await page.click('#grade-start');
    // Between two slices the page answers: its status shows the progress, and a round trip
    // through the page is quick.
    const started = Date.now();
    await page.waitForFunction(() => document.getElementById('grade-status').textContent.startsWith('Bewerte … '),
      { timeout: 2000 });
    let longest = 0;
    let looks = 0;
    while ((await page.$eval('#grade-status', (e) => e.dataset.state)) === 'running') {
      const t = Date.now();
      await page.evaluate(() => 0);
      longest = Math.max(longest, Date.now() - t);
      looks++;
    }
    assert.ok(looks >= 3, `nur ${looks}-mal während des Bewertens nachgesehen (${Date.now() - started} ms)`);
    assert.ok(longest < 500, `die Seite antwortete erst nach ${longest} ms`);
    assert.equal(await page.$eval('#grade-status', (e) => e.textContent), '8 Abgaben bewertet.');
    const cells = await page.$$eval('#grade-result tr', (rows) => rows.slice(1).map((r) => r.cells[3].textContent));
    assert.deepEqual(cells, endless.map(() => 'Taktgrenze erreicht (10000000 ALU-Takte).'));
    assert.deepEqual(page.errors, []);
    await page.close();
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
