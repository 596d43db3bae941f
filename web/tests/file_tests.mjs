// Browser tests of what keeps the user's work: loads, saves, the browser's pickers that end
// in odd ways, closing the tab, and typing after a click beside the cells.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import {
  idle, idleWithin, menu, clickCell, ramBytes, modalText, clickModalButton, fileChooser, catchSaves,
  saved, loadExample,
} from './page_helpers.mjs';

const title = (page) => page.title();
const modalOpen = async (page) => (await page.$('#modal:not([hidden])')) !== null;

// F2 and F5 open the browser's picker, which the user closes with "Abbrechen": nothing loads.
async function pickersOpenAndCancel(page) {
  for (const key of ['F2', 'F5']) {
    const chooser = await fileChooser(page, () => page.keyboard.press(key));
    await chooser.cancel();
    assert.ok(await idleWithin(page, 3000), `nach ${key} und Abbrechen antwortet die Seite`);
  }
}

test('Beispiel nach „Ram speichern ?“ – Ja: erst gespeichert, dann geladen; F2 und F5 fragen wieder', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  await clickCell(page, 'GrRam', 1, 1);
  await page.keyboard.type('7F');
  await page.keyboard.press('Enter');
  await idle(page);
  assert.deepEqual(await ramBytes(page, 0, 1), [0x7f]);
  await catchSaves(page, 'mein.rad');
  await page.click('#Menu_Beispiele');
  await page.click('[id="Beispiel_bubble.ras"]');
  assert.equal(await modalText(page), 'Ram speichern ?');
  await clickModalButton(page, 'Ja');
  assert.ok(await idleWithin(page, 5000), 'Speichern und Laden enden');
  assert.match((await saved(page, 'mein.rad'))?.toString('latin1') ?? '', /7F/);
  assert.equal(await title(page), 'Mikroprozessor Simulation - firmware.mpd - bubble.ras');
  const gates = await page.evaluate(() => window.vellar.mpsGates(0));
  const ram = await ramBytes(page, 0, 256);
  await pickersOpenAndCancel(page);
  assert.equal(await page.evaluate(() => window.vellar.mpsGates(0)), gates, 'das Mikroprogramm blieb');
  assert.deepEqual(await ramBytes(page, 0, 256), ram, 'das RAM blieb');
  assert.equal(await title(page), 'Mikroprozessor Simulation - firmware.mpd - bubble.ras');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Speichern, das im Browser scheitert: Meldung, Arbeit bleibt ungespeichert, Seite antwortet', async ({ browser, html }) => {
  for (const fail of ['createWritable', 'write']) {
    const page = await openPage(browser, html);
    await clickCell(page, 'GrMps', 7, 1);
    await catchSaves(page, 'prog.mpd', { fail });
    await page.keyboard.press('F3');
    assert.match(await modalText(page), /„prog\.mpd“ wurde nicht gespeichert/, fail);
    await clickModalButton(page, 'OK');
    assert.ok(await idleWithin(page, 3000), `${fail}: die Seite antwortet`);
    assert.ok(!(await title(page)).includes('prog.mpd'), `${fail}: ${await title(page)}`);
    // Still unsaved: the next load asks first.
    const pressed = page.keyboard.press('F2');
    assert.equal(await modalText(page), 'Mps speichern ?', fail);
    const [chooser] = await Promise.all([page.waitForFileChooser(), clickModalButton(page, 'Nein')]);
    await pressed;
    await chooser.cancel();
    assert.ok(await idleWithin(page, 3000), `${fail}: nach dem Laden-Abbruch`);
    assert.deepEqual(page.errors, [], fail);
    await page.close();
  }
});

test('Speichern schlägt den Namen der eigenen Datei vor: F3 firmware.mpd, F6 bubble.ras', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  await loadExample(page, 'bubble.ras');
  const suggested = [];
  for (const [key, name] of [['F3', 'neu.mpd'], ['F6', 'neu.ras']]) {
    await catchSaves(page, name);
    await page.keyboard.press(key);
    await idle(page);
    suggested.push(...(await page.evaluate(() => window.suggestedNames)));
  }
  assert.deepEqual(suggested, ['firmware.mpd', 'bubble.ras']);
  await page.close();
});

// The page's downloads, by name, in the order they were started.
async function catchDownloads(page) {
  await page.evaluate(() => {
    window.downloads = [];
    HTMLAnchorElement.prototype.click = function click() {
      if (this.download) window.downloads.push(this.download);
    };
  });
}

async function saveAsDownload(page, key, name) {
  await page.keyboard.press(key);
  await page.waitForSelector('#modal .modal-input', { timeout: 5000 });
  await page.$eval('#modal .modal-input', (e, name) => {
    e.value = name;
  }, name);
  await clickModalButton(page, 'Speichern');
}

test('„überschreiben ?“ nur, wo eine echte Datei ersetzt wird', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  await clickCell(page, 'GrMps', 7, 1);
  // Downloads never replace a file: saving twice under one name asks nothing.
  await catchDownloads(page);
  await page.evaluate(() => {
    window.vellar.page.downloadsOnly = true;
  });
  for (let i = 0; i < 2; ++i) {
    await saveAsDownload(page, 'F3', 'x.mpd');
    assert.ok(await idleWithin(page, 3000), `Download ${i + 1} endet ohne Frage`);
    assert.equal(await modalOpen(page), false);
  }
  assert.deepEqual(await page.evaluate(() => window.downloads), ['x.mpd', 'x.mpd']);
  await page.evaluate(() => {
    window.vellar.page.downloadsOnly = false;
  });
  // The browser's save dialog picked a file with contents: the question, and "Nein" keeps it.
  await catchSaves(page, 'alt.mpd', { existing: [0x3b, 0x0d, 0x0a] });
  await page.keyboard.press('F3');
  assert.equal(await modalText(page), 'alt.mpd überschreiben ?');
  await clickModalButton(page, 'Nein');
  assert.ok(await idleWithin(page, 3000));
  assert.equal(await saved(page, 'alt.mpd'), null);
  await page.keyboard.press('F3');
  assert.equal(await modalText(page), 'alt.mpd überschreiben ?');
  await clickModalButton(page, 'Ja');
  assert.ok(await idleWithin(page, 3000));
  assert.match((await saved(page, 'alt.mpd')).toString('latin1'), /\r\n/);
  // A new file: no question.
  await catchSaves(page, 'neu.mpd');
  await page.keyboard.press('F3');
  assert.ok(await idleWithin(page, 3000), 'neue Datei ohne Frage');
  assert.ok(await saved(page, 'neu.mpd'));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Dateiauswahl ohne Abbruch-Ereignis und unlesbare Datei: die Seite antwortet weiter', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  // A picker that closes and tells the page nothing but that its focus is back.
  await page.evaluate(() => {
    window.pickers = 0;
    const click = HTMLInputElement.prototype.click;
    HTMLInputElement.prototype.click = function quietPicker() {
      if (this.type !== 'file') return click.call(this);
      window.pickers++;
      window.dispatchEvent(new Event('blur'));
      setTimeout(() => window.dispatchEvent(new Event('focus')), 50);
    };
  });
  await page.keyboard.press('F5');
  assert.ok(await idleWithin(page, 5000), 'die Wartezeit endet mit dem Fokus');
  await page.keyboard.press('F5');
  await page.waitForFunction(() => window.pickers === 2, { timeout: 3000 });
  assert.ok(await idleWithin(page, 5000));
  await page.close();

  // A picked file that the browser cannot read.
  const page2 = await openPage(browser, html);
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-')), 'weg.ras');
  fs.writeFileSync(file, 'HLT\r\n');
  await page2.evaluate(() => {
    File.prototype.arrayBuffer = () => Promise.reject(new DOMException('weg', 'NotReadableError'));
  });
  const chooser = await fileChooser(page2, () => page2.keyboard.press('F5'));
  await chooser.accept([file]);
  assert.match(await modalText(page2), /„weg\.ras“ konnte nicht gelesen werden/);
  await clickModalButton(page2, 'OK');
  assert.ok(await idleWithin(page2, 3000), 'nach der Meldung antwortet die Seite');
  const again = await fileChooser(page2, () => page2.keyboard.press('F5'));
  await again.cancel();
  assert.ok(await idleWithin(page2, 3000));
  assert.deepEqual(page2.errors, []);
  await page2.close();
  fs.rmSync(path.dirname(file), { recursive: true });
});

// Closes the page as the tab's close button does: 'beforeunload' when it asks (the page then
// stays), 'closed' when it closed without a question.
async function closeTab(page) {
  const asked = new Promise((resolve) => page.once('dialog', async (d) => {
    resolve(d.type());
    await d.dismiss();
  }));
  const closed = new Promise((resolve) => page.once('close', () => resolve('closed')));
  await page.close({ runBeforeUnload: true });
  return Promise.race([asked, closed]);
}

test('Tab schließen mit ungespeicherter Arbeit fragt; F5 bleibt „RAM laden“, auch bei offener Frage', async ({ browser, html }) => {
  for (const [what, edit, key, name] of [
    ['MPS', (page) => clickCell(page, 'GrMps', 7, 1), 'F3', 'p.mpd'],
    ['RAM', async (page) => {
      await clickCell(page, 'GrRam', 1, 1);
      await page.keyboard.type('12');
      await page.keyboard.press('Enter');
      await idle(page);
    }, 'F6', 'p.rad'],
  ]) {
    const page = await openPage(browser, html);
    await edit(page);
    assert.equal(await closeTab(page), 'beforeunload', `${what} geändert`);
    assert.equal(page.isClosed(), false);
    await catchSaves(page, name);
    await page.keyboard.press(key);
    assert.ok(await idleWithin(page, 3000));
    assert.equal(await closeTab(page), 'closed', `${what} gespeichert`);
  }

  // F5 is the page's, whether a dialog of the page is open or not.
  const page = await openPage(browser, html);
  await page.evaluate(() => {
    window.f5 = [];
    window.addEventListener('keydown', (e) => {
      if (e.key === 'F5') setTimeout(() => window.f5.push(e.defaultPrevented));
    }, true);
  });
  await clickCell(page, 'GrMps', 7, 1);
  const pressed = page.keyboard.press('F2');
  assert.equal(await modalText(page), 'Mps speichern ?');
  await pressed;
  await page.keyboard.press('F5');
  const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 5000 }), clickModalButton(page, 'Nein')]);
  await chooser.cancel();
  assert.ok(await idleWithin(page, 3000));
  assert.deepEqual(await page.evaluate(() => window.f5), [true]);
  assert.equal(await page.$('#MeEnde'), null, 'kein „Ende“ im Tab');
  await page.close();
});

async function clickThenType(page, point, text) {
  await page.mouse.click(point.x, point.y);
  await idle(page);
  await page.keyboard.type(text);
  await page.keyboard.press('Enter');
  await idle(page);
}

test('Klick neben die Zellen, dann Tippen: nichts wird geändert (RAM-Daten, Variableninspektor)', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  // Below the last row of the data view.
  const below = await page.evaluate(() => {
    const r = document.getElementById('GrRam').getBoundingClientRect();
    return { x: r.left + 60, y: r.top + 1 + 17 * 21 + 10, bottom: r.bottom };
  });
  assert.ok(below.y < below.bottom - 20, JSON.stringify(below));
  await clickThenType(page, below, '99');
  assert.ok((await ramBytes(page, 0, 256)).every((b) => b === 0), 'kein Byte geändert');

  // Right of the inspector's last column, with the variable of E0 shown.
  await menu(page, 'Ansicht', 'MeVariablen');
  await clickCell(page, 'GrRam', 1, 15, { button: 'right' });
  await page.click('#alsVariabledefinieren1');
  await idle(page);
  const cells = () => page.evaluate(() => window.vellar.view().inspector.cells);
  const before = await cells();
  const right = await page.evaluate(() => {
    const v = window.vellar.view().inspector;
    const r = document.getElementById('RamInspector').getBoundingClientRect();
    const used = v.widths.reduce((s, w) => s + w + 1, 0);
    return { x: r.left + 1 + used + 20, y: r.top + 1 + 21 + 10, right: r.right };
  });
  assert.ok(right.x < right.right - 5, JSON.stringify(right));
  await clickThenType(page, right, 'xyz');
  assert.deepEqual(await cells(), before);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('Brücke: Register außerhalb, unbekannter Handler, und die Seite bleibt bedienbar', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  assert.deepEqual(await page.evaluate(() => [-1, 7, 1000].map((i) => window.vellar.reg(i))), [-1, -1, -1]);
  const refused = await page.evaluate(() => window.vellar.event('GibtsNicht').then(() => 'angenommen', (e) => e.message));
  assert.match(refused, /GibtsNicht/);
  assert.ok(await idleWithin(page, 1000), 'nach dem unbekannten Handler');
  await page.close();
});
