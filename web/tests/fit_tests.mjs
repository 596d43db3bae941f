// What floats over the page stays usable on every screen: a message box longer than the
// screen scrolls its text and keeps its button in reach of a finger; the menus drop down above
// the "Aufgabe" panel; the panel opens where it leaves the grids free, and neither a drag nor a
// turned tablet takes its title bar out of the page.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import { idle, menu, fileChooser } from './page_helpers.mjs';

const pause = (ms) => new Promise((r) => setTimeout(r, ms));

async function screen(browser, html, width, height, touch) {
  const userAgent = await browser.userAgent();
  return openPage(browser, html, (page) => page.emulate({
    viewport: { width, height, hasTouch: touch, isMobile: touch }, userAgent,
  }));
}

const rect = (page, selector) => page.$eval(selector, (e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
});
const inside = (r, w, h) => r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h;

async function openTask(page) {
  await menu(page, 'Beispiele', 'Beispiel_sortieren.aufgabe');
  await page.waitForSelector('#Aufgabe:not([hidden])', { timeout: 5000 });
}

// The panel's area over the grids the student edits, in square pixels.
const covered = (page) => page.evaluate(() => {
  const p = document.getElementById('Aufgabe').getBoundingClientRect();
  if (p.width < 100 || p.height < 100) return Infinity;
  return ['GrMps', 'GrRam'].reduce((sum, id) => {
    const g = document.getElementById(id).getBoundingClientRect();
    return sum + Math.max(0, Math.min(p.right, g.right) - Math.max(p.left, g.left))
      * Math.max(0, Math.min(p.bottom, g.bottom) - Math.max(p.top, g.top));
  }, 0);
});

test('Eine lange Meldung passt auf das Tablet: ihr Text rollt, OK ist per Finger erreichbar', async ({ browser, html }) => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-fit-'));
  const page = await screen(browser, html, 1024, 768, true);
  try {
    const task = path.join(dir, 'kaputt.aufgabe');
    fs.writeFileSync(task, Array.from({ length: 300 }, (_, i) => `Zeile ${i} ohne Sinn\n`).join(''));
    const chooser = await fileChooser(page, async () => {
      await page.click('#Menu_Datei');
      await page.click('[id="MeAufgabe"]');
    });
    await chooser.accept([task]);
    await idle(page);
    await page.waitForSelector('#modal:not([hidden])', { timeout: 5000 });
    const box = await rect(page, '#modal-box');
    assert.ok(inside(box, 1024, 768), `Meldung ${JSON.stringify(box)}`);
    const text = await page.$eval('#modal-box .modal-text', (e) => ({ scroll: e.scrollHeight, client: e.clientHeight }));
    assert.ok(text.scroll > text.client * 3, `der Text rollt: ${JSON.stringify(text)}`);
    const ok = await rect(page, '#modal-box .modal-buttons button');
    assert.ok(inside(ok, 1024, 768), `OK ${JSON.stringify(ok)}`);
    await page.touchscreen.tap((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    await page.waitForSelector('#modal[hidden]', { timeout: 5000 });
    assert.deepEqual(page.errors, []);
  } finally {
    await page.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

test('Aufgabe: die Menüs klappen über dem Fenster auf, es öffnet neben den Tabellen', async ({ browser, html }) => {
  const page = await screen(browser, html, 1920, 1080, false);
  await openTask(page);
  const wide = await covered(page);
  // Dragged to where the menus drop down: each entry still takes the click itself.
  const bar = await rect(page, '#Aufgabe .task-bar');
  await page.mouse.move(bar.left + 30, bar.top + 5);
  await page.mouse.down();
  await page.mouse.move(60, 60, { steps: 5 });
  await page.mouse.up();
  for (const title of ['Datei', 'Bearbeiten', 'Ansicht']) {
    await page.click(`#Menu_${title}`);
    const items = await page.$$eval('.menu-item', (all) => all.filter((e) => e.offsetWidth > 0).map((e) => {
      const b = e.getBoundingClientRect();
      return e.contains(document.elementFromPoint(b.left + b.width / 2, b.top + b.height / 2)) ? '' : e.textContent;
    }));
    assert.ok(items.length > 3, `Menü ${title} ist offen`);
    assert.deepEqual(items.filter((t) => t), [], `unter dem Fenster im Menü ${title}`);
    await page.keyboard.press('Escape');
  }
  assert.equal(wide, 0, 'bei 1920 × 1080 ist neben den Tabellen Platz');
  assert.deepEqual(page.errors, []);
  await page.close();

  const upright = await screen(browser, html, 768, 1024, true);
  await openTask(upright);
  const least = await covered(upright);
  assert.ok(least < 15000, `hochkant deckt das Fenster ${least} Quadratpixel der Tabellen`);
  await upright.close();
});

test('Aufgabe: Ziehen und Drehen des Tablets lassen die Titelleiste im Bild', async ({ browser, html }) => {
  const page = await screen(browser, html, 1024, 768, true);
  await openTask(page);
  const bar = await rect(page, '#Aufgabe .task-bar');
  const x = bar.left + 40;
  const y = (bar.top + bar.bottom) / 2;
  await page.touchscreen.touchStart(x, y);
  for (let i = 1; i <= 10; i++) {
    await page.touchscreen.touchMove(x + 80 * i, y + 70 * i);
    await pause(20);
  }
  await page.touchscreen.touchEnd();
  await idle(page);
  assert.ok(inside(await rect(page, '#Aufgabe .task-bar'), 1024, 768), 'nach dem Ziehen');
  assert.ok(inside(await rect(page, '#Aufgabe .task-close'), 1024, 768), 'das × nach dem Ziehen');
  const userAgent = await browser.userAgent();
  await page.emulate({ viewport: { width: 768, height: 1024, hasTouch: true, isMobile: true }, userAgent });
  await pause(300);
  await idle(page);
  assert.ok(inside(await rect(page, '#Aufgabe .task-bar'), 768, 1024), 'hochkant');
  const close = await rect(page, '#Aufgabe .task-close');
  assert.ok(inside(close, 768, 1024), 'das × hochkant');
  await page.mouse.click((close.left + close.right) / 2, (close.top + close.bottom) / 2);
  await page.waitForSelector('#Aufgabe[hidden]', { timeout: 5000 });
  assert.deepEqual(page.errors, []);
  await page.close();
});
