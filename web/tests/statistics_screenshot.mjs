// The README's picture of the statistics column: bubble.ras run to its halt at the fastest
// level with "Statistik" on, so that the column beside the MPS shows where the clocks went.
// Usage: node statistics_screenshot.mjs VELLAR_HTML OUT_PNG
import fs from 'node:fs';
import path from 'node:path';
import { launch, openPage } from './browser.mjs';
import { idle, menu, freshExample } from './page_helpers.mjs';

const html = path.resolve(process.argv[2]);
const out = path.resolve(process.argv[3]);
const { browser, close } = await launch();
try {
  const page = await openPage(browser, html);
  await page.setViewport({ width: 1200, height: 760 });
  await menu(page, 'Ansicht', 'MeStatistik');
  await freshExample(page, 'bubble.ras');
  await page.click('#BuBisHalt');
  // The run goes on in slices after the click: until HLT (FE) stands in OP.
  await page.waitForFunction(() => window.vellar.view().regs[3] === 'FE', { timeout: 10000 });
  await idle(page);
  // Down to the instructions' rows, where the counts differ.
  const grid = await page.$eval('#GrMps', (e) => {
    const r = e.getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  });
  await page.mouse.move(grid.x, grid.y);
  for (let i = 0; i < 5; i++) {
    await page.mouse.wheel({ deltaY: 100 });
    await idle(page);
  }
  fs.writeFileSync(out, await page.screenshot({ type: 'png' }));
  console.log(out);
} finally {
  await close();
}
