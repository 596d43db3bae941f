// The speed of an unpaced run at "zu schnell" in headless chromium: our micro-program with
// "JMP 00" at address 00 (a loop without end), three runs of two seconds each, with and without
// the past kept for "Schritt zurück". Prints ALU clocks per second of wall-clock time and the
// machine's load average. Usage: node web/tests/speed.mjs [VELLAR_HTML] [SECONDS]
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, openPage, timedRun } from './browser.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const html = path.resolve(process.argv[2] || path.join(root, 'build-web/vellar.html'));
const seconds = Number(process.argv[3] || 2);

const { browser, close } = await launch();
try {
  const page = await openPage(browser, html);
  await page.evaluate(async () => {
    await window.vellar.loadExample('zaehler.ras');
    window.vellar.event('GrRamSetEditText', 1, 1, 0, '70');
    window.vellar.event('GrRamSetEditText', 2, 1, 0, '00');
    await window.vellar.idle();
  });
  if ((await page.evaluate(() => window.vellar.ram(0) * 256 + window.vellar.ram(1))) !== 0x7000) {
    throw new Error('JMP 00 steht nicht an Adresse 00');
  }
  await page.click('#RaTor input[type=radio]');
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
  console.log(`Lastmittel vorher: ${os.loadavg().map((l) => l.toFixed(2)).join(' ')}`);
  for (const keep of [true, false]) {
    const rates = [];
    const pauses = [];
    for (let i = 0; i < 3; ++i) {
      await page.evaluate((keep) => window.vellar.keepPast(keep), keep);
      const r = await timedRun(page, seconds * 1000);
      rates.push(r.rate / 1e6);
      pauses.push(r.pauseMs);
    }
    const sorted = [...rates].sort((a, b) => a - b);
    console.log(`${keep ? 'mit' : 'ohne'} Vergangenheit: ${rates.map((r) => r.toFixed(1)).join(', ')} ` +
      `Mio. ALU-Takte/s (Median ${sorted[1].toFixed(1)}); Pause nach ${pauses.map((p) => p.toFixed(1)).join(', ')} ms`);
  }
  console.log(`Lastmittel nachher: ${os.loadavg().map((l) => l.toFixed(2)).join(' ')}`);
} finally {
  await close();
}
