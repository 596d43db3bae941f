// The README's picture of a check in the page: bubble.ras with MOV BX,F1 instead of F0, the
// example task "Bubblesort" opened from "Beispiele" and checked.
// Usage: node task_screenshot.mjs VELLAR_HTML OUT_PNG
import fs from 'node:fs';
import path from 'node:path';
import { launch, openPage } from './browser.mjs';
import { idle, menu, loadExample, clickCell } from './page_helpers.mjs';

const html = path.resolve(process.argv[2]);
const out = path.resolve(process.argv[3]);
const { browser, close } = await launch();
try {
  const page = await openPage(browser, html);
  await page.setViewport({ width: 1100, height: 720 });
  await loadExample(page, 'bubble.ras');
  await menu(page, 'Beispiele', 'Beispiel_sortieren.aufgabe');
  await clickCell(page, 'GrRam', 2, 1);
  await page.keyboard.type('F1');
  await page.keyboard.press('Enter');
  await page.click('#BuPruefen');
  await idle(page);
  fs.writeFileSync(out, await page.screenshot({ type: 'png' }));
  console.log(out);
} finally {
  await close();
}
