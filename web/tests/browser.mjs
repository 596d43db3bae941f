// Starts Debian's chromium headless with a fresh profile and opens vellar.html from file://.
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export function findChromium() {
  for (const p of [process.env.CHROMIUM, '/usr/bin/chromium', '/usr/bin/chromium-browser']) {
    if (p && fs.existsSync(p)) return p;
  }
  throw new Error('chromium nicht gefunden (Debian-Paket chromium)');
}

export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vellar-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: findChromium(),
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`, '--window-size=1280,800'],
    defaultViewport: { width: 1200, height: 760 },
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// A fresh page with vellar.html loaded and ready; page errors fail the test that caused them.
// prepare(page) runs before the page loads (a tablet's emulation would reload it).
export async function openPage(browser, htmlPath, prepare = null) {
  const page = await browser.newPage();
  if (prepare) await prepare(page);
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(m.text());
  });
  await page.goto('file://' + htmlPath);
  await page.waitForFunction(() => window.vellarReady === true, { timeout: 30000 });
  page.errors = errors;
  return page;
}

// One run "bis Halt" for ms milliseconds, then "Pause": ALU clocks per second of wall-clock
// time, and how long the pause took to end the run. The page must hold a loop without end.
export function timedRun(page, ms) {
  return page.evaluate(async (ms) => {
    const t0 = performance.now();
    document.getElementById('BuBisHalt').click();
    await new Promise((done) => setTimeout(done, ms));
    const clocks = window.vellar.clocks();
    const wall = (performance.now() - t0) / 1000;
    const p0 = performance.now();
    document.getElementById('BuPause').click();
    await window.vellar.idle();
    return { rate: clocks / wall, pauseMs: performance.now() - p0 };
  }, ms);
}
