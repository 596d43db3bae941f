// The page on a tablet: chromium with touch emulation at 1024×768 and 768×1024, worked only
// with a finger. A swipe scrolls a grid and edits nothing, a long press opens the RAM grid's
// popup, a double tap opens a cell's editor, and the run buttons and the slider take taps;
// what a finger hits is large enough, and upright the panels are stacked.
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import { idle, cellPoint, ramBytes } from './page_helpers.mjs';

const pause = (ms) => new Promise((r) => setTimeout(r, ms));

async function tablet(browser, html, width, height) {
  const userAgent = await browser.userAgent();
  return openPage(browser, html, (page) => page.emulate({
    viewport: { width, height, hasTouch: true, isMobile: true }, userAgent,
  }));
}

// A tap on the element's middle. The browser sends the click of a tap a moment later when it
// still waits for a second tap; the tap is done when it has come.
async function tapOn(page, selector) {
  const r = await page.$eval(selector, (e) => {
    const b = e.getBoundingClientRect();
    window.tapClicked = new Promise((done) => {
      document.addEventListener('click', done, { once: true, capture: true });
      setTimeout(done, 2000);
    });
    return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
  });
  await page.touchscreen.tap(r.x, r.y);
  await page.evaluate(() => window.tapClicked);
  await idle(page);
}

async function tapCell(page, gridId, col, row) {
  const p = await cellPoint(page, gridId, col, row);
  await page.touchscreen.tap(p.x, p.y);
  await idle(page);
}

// A finger as chromium's touch events bring it: down, moved, lifted.
async function finger(page, type, x, y) {
  page.cdp ??= await page.createCDPSession();
  await page.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }] });
}

// A finger down on the cell, moved upwards by that many rows in steps, and lifted.
async function swipe(page, gridId, col, row, rows) {
  const p = await cellPoint(page, gridId, col, row);
  const dy = await page.evaluate((gridId, rows) => {
    const el = document.getElementById(gridId);
    const part = { GrMps: 'mps', GrRam: 'ram' }[gridId];
    return rows * (window.vellar.view()[part].rowHeight + 1) * (el.getBoundingClientRect().height / el.offsetHeight);
  }, gridId, rows);
  await finger(page, 'touchStart', p.x, p.y);
  for (let i = 1; i <= 8; ++i) {
    await finger(page, 'touchMove', p.x, p.y - (dy * i) / 8);
    await pause(10);
  }
  // Held still before it lifts: a finger lifted in motion would fling, and the browser takes
  // the next tap as the one that stops the fling.
  await pause(150);
  await finger(page, 'touchMove', p.x, p.y - dy);
  await finger(page, 'touchEnd');
  await idle(page);
}

async function longPress(page, gridId, col, row) {
  const p = await cellPoint(page, gridId, col, row);
  await finger(page, 'touchStart', p.x, p.y);
  await pause(700);
  await finger(page, 'touchEnd');
  await idle(page);
}

const grid = (page, part) => page.evaluate((part) => {
  const g = window.vellar.view()[part];
  return { topRow: g.topRow, current: g.current, editor: g.editor.shown, entered: g.entered };
}, part);

for (const [width, height] of [[1024, 768], [768, 1024]]) {
  test(`Tablet ${width}×${height}: Wischen rollt, langes Drücken, Doppeltippen und Knöpfe per Finger`, async ({ browser, html }) => {
    const page = await tablet(browser, html, width, height);
    await tapOn(page, '#Menu_Beispiele');
    await tapOn(page, '[id="Beispiel_bubble.ras"]');
    // The example loads in two steps; between them the page may be idle for a moment.
    await page.waitForFunction(() => document.title.endsWith('bubble.ras'), { timeout: 5000 });
    await idle(page);
    // The form for fingers, chosen by the browser's coarse pointer: rows and run buttons at
    // least 32 pixels on the screen, and around every gate button a square of 32 pixels that a
    // finger hits (the neighbour's area does not reach into it).
    const form = await page.evaluate(() => {
      const v = window.vellar.view();
      const box = (id) => document.getElementById(id).getBoundingClientRect();
      const scale = box('GrMps').height / document.getElementById('GrMps').offsetHeight;
      const gatesMissed = [...document.querySelectorAll('.gate')].filter((gate) => {
        const b = gate.getBoundingClientRect();
        const [x, y] = [b.left + b.width / 2, b.top + b.height / 2];
        return [[-16, -16], [0, -16], [16, -16], [-16, 0], [16, 0], [-16, 16], [0, 16], [16, 16]]
          .some(([dx, dy]) => document.elementFromPoint(x + dx, y + dy)?.closest('.gate') !== gate);
      }).map((gate) => gate.id);
      const runButtons = [...document.querySelectorAll('.run-button')].filter((b) => !b.hidden)
        .map((b) => Math.min(b.getBoundingClientRect().width, b.getBoundingClientRect().height));
      // Upright: the panels and the picture together cover the form down to the screen's bottom.
      const parts = ['PaProzessor', 'PaRAM', 'PaBus', 'ImBild', 'PaControl'].map(box);
      const client = box('client');
      const covered = parts.reduce((sum, r) => sum + r.width * r.height, 0) / (client.width * client.height);
      return { touch: v.sizes.touch, checked: v.menu.MeTouch[0], row: v.mps.rowHeight * scale,
        ramRow: v.ram.rowHeight * scale, runButtons, gatesMissed, covered, client: client.bottom, screen: innerHeight,
        ramAboveBus: box('PaRAM').bottom <= box('PaBus').top, stripWidth: box('PaControl').width };
    });
    assert.ok(form.touch && form.checked, 'Fingerbedienung');
    assert.ok(form.row >= 32 && form.ramRow >= 32 && form.runButtons.every((s) => s >= 32), JSON.stringify(form));
    assert.deepEqual(form.gatesMissed, [], 'um diese Torknöpfe trifft der Finger keine 32 Pixel');
    if (height > width) {
      assert.ok(form.client >= form.screen - 2, `die Seite endet bei ${form.client} von ${form.screen}`);
      assert.ok(form.ramAboveBus && form.covered >= 0.9, `hochkant gestapelt: ${JSON.stringify(form)}`);
      assert.ok(form.stripWidth <= width + 1, `die Steuerleiste passt in die Breite: ${form.stripWidth}`);
    }
    const memory = await ramBytes(page, 0, 256);
    const mpd = await page.evaluate(() => window.vellar.view().mps.cells.map((r) => r[1][0]).join('|'));

    // A swipe that begins on a cell scrolls the grid; it selects nothing and types nothing.
    for (const [gridId, part] of [['GrMps', 'mps'], ['GrRam', 'ram']]) {
      const before = await grid(page, part);
      await swipe(page, gridId, 1, before.topRow + 1, 5);
      const after = await grid(page, part);
      assert.ok(after.topRow >= before.topRow + 4, `${gridId}: Zeile ${before.topRow} → ${after.topRow}`);
      assert.deepEqual(after.current, before.current, `${gridId}: die aktuelle Zelle blieb`);
      assert.equal(after.entered, false, `${gridId}: das Wischen betritt das Gitter nicht`);
      await page.keyboard.type('7');
      await idle(page);
    }
    assert.deepEqual(await ramBytes(page, 0, 256), memory, 'das Wischen änderte den RAM');
    for (let i = 0; i < 3; ++i) await swipe(page, 'GrMps', 1, (await grid(page, 'mps')).topRow + 1, -5);
    assert.equal((await grid(page, 'mps')).topRow, 1);
    assert.equal(await page.evaluate(() => window.vellar.view().mps.cells.map((r) => r[1][0]).join('|')), mpd);

    // A long press on a RAM byte opens the popup (with the variable inspector shown), whose
    // item defines the variable. In the data view: byte 23.
    const inspectorShown = () => page.evaluate(() => window.vellar.view().inspector.shown);
    if (!(await inspectorShown())) {
      await tapOn(page, '#Menu_Ansicht');
      await tapOn(page, '#MeVariablen');
    }
    assert.equal(await inspectorShown(), true);
    await tapOn(page, '#RaRam label');
    assert.equal(await page.evaluate(() => window.vellar.view().ram.assembler), false);
    // The fourth byte of the first line in sight.
    const line = (await grid(page, 'ram')).topRow;
    await longPress(page, 'GrRam', 4, line);
    assert.ok(await page.$('.popup'), 'das Kontextmenü ist offen');
    await tapOn(page, '#alsVariabledefinieren1');
    const header = await page.evaluate(() => window.vellar.view().inspector.cells[0].map((c) => c[0]));
    const address = ((line - 1) * 16 + 3).toString(16).toUpperCase().padStart(2, '0');
    assert.ok(header.includes(address), `Kopf des Inspektors: ${header}, erwartet ${address}`);

    // The gate control, the slider and a run button by tap: bubble sort to its halt. (Before the
    // description below: a press in the store moves the micro-program there.)
    await tapOn(page, '#RaTor label');
    const slider = await page.$eval('#TrZeit', (e) => {
      const b = e.getBoundingClientRect();
      return { x: b.left + 2, y: b.top + b.height / 2 };
    });
    await page.touchscreen.tap(slider.x, slider.y);
    await idle(page);
    assert.equal(await page.$eval('#LaZeit', (e) => e.textContent), 'Zeit:  zu schnell');
    await tapOn(page, '#BuBisHalt');
    const sorted = await ramBytes(page, 0xf0, 16);
    assert.deepEqual(sorted, [...memory.slice(0xf0)].sort((a, b) => a - b));
    // The other run buttons by tap: back to the start, then one instruction (MOV BX,F0).
    await tapOn(page, '#BuReset');
    assert.equal(await page.evaluate(() => window.vellar.reg(2)), 0, 'IP nach „Zurücksetzen“');
    await tapOn(page, '#BuBefehl');
    assert.deepEqual(await page.evaluate(() => [window.vellar.reg(2), window.vellar.reg(1)]), [2, 0xf0], 'IP und BX nach „1 Befehl“');
    // A double tap on a description opens its editor with the caret at its end; the keyboard
    // types into it.
    const description = () => page.evaluate(() => window.vellar.view().mps.cells.find((r) => r[0][0] === '02')[1][0]);
    const old = await description();
    await tapCell(page, 'GrMps', 1, 3);
    await pause(50);
    await tapCell(page, 'GrMps', 1, 3);
    assert.equal((await grid(page, 'mps')).editor, true, 'der Zelleditor ist offen');
    await page.keyboard.type('Hallo');
    await page.keyboard.press('Enter');
    await idle(page);
    assert.equal(await description(), old + 'Hallo');

    // The menu item switches back to the form for a mouse.
    await tapOn(page, '#Menu_Ansicht');
    await tapOn(page, '#MeTouch');
    assert.deepEqual(await page.evaluate(() => [window.vellar.view().sizes.touch, window.vellar.view().ram.rowHeight,
      document.getElementById('BuBisHalt').offsetHeight]), [false, 20, 25]);

    assert.deepEqual(page.errors, []);
    await page.close();
  });
}
