// The pictures of the page for the README: bubble.ras loaded, in the assembler view, in the
// middle of an ALU clock with its bits lit; and, given a second file, the page on a tablet held
// upright (768×1024, touch) with bubble.ras loaded.
// Usage: node screenshot.mjs VELLAR_HTML OUT_PNG [TABLET_PNG]
import fs from 'node:fs';
import path from 'node:path';
import { launch, openPage } from './browser.mjs';

const html = path.resolve(process.argv[2]);
const out = path.resolve(process.argv[3]);
const tablet = process.argv[4] ? path.resolve(process.argv[4]) : null;
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
  if (tablet) {
    const userAgent = await browser.userAgent();
    const upright = await openPage(browser, html, (p) => p.emulate({
      viewport: { width: 768, height: 1024, hasTouch: true, isMobile: true }, userAgent }));
    await upright.evaluate(async () => {
      await window.vellar.loadExample('bubble.ras');
      await window.vellar.idle();
    });
    fs.writeFileSync(tablet, await upright.screenshot({ type: 'png' }));
    console.log(tablet);
  }
} finally {
  await close();
}
