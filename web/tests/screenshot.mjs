// The picture of the page for the README: bubble.ras loaded, in the assembler view, in the
// middle of an ALU clock with its bits lit. Usage: node screenshot.mjs VELLAR_HTML OUT_PNG
import fs from 'node:fs';
import path from 'node:path';
import { launch, openPage } from './browser.mjs';

const html = path.resolve(process.argv[2]);
const out = path.resolve(process.argv[3]);
const { browser, close } = await launch();
try {
  const page = await openPage(browser, html);
  await page.setViewport({ width: 1100, height: 720 });
  await page.click('#Menu_Beispiele');
  await page.click('[id="Beispiel_bubble.ras"]');
  await page.evaluate(() => window.vellar.idle());
  await page.evaluate(() => document.querySelectorAll('#RaRam input')[1].click());
  await page.click('#RaTor input[type=radio]');
  // A few instructions at the fastest level, then one ALU clock at 10 s, which stays lit.
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
  for (let i = 0; i < 12; ++i) {
    await page.click('#BuBefehl');
    await page.evaluate(() => window.vellar.idle());
  }
  await page.focus('#TrZeit');
  await page.keyboard.press('End');
  await page.click('#BuTakt');
  await new Promise((r) => setTimeout(r, 400));
  fs.writeFileSync(out, await page.screenshot({ type: 'png' }));
  console.log(out);
} finally {
  await close();
}
