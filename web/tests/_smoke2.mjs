import { launch, openPage } from './browser.mjs';
const { browser, close } = await launch();
const step = async (name, p) => { const t = Date.now(); const r = await Promise.race([p, new Promise((_, rej) => setTimeout(() => rej(new Error('timeout ' + name)), 8000))]); console.log('done', name, Date.now() - t, r === undefined ? '' : JSON.stringify(r)); return r; };
try {
  const page = await openPage(browser, '/work/wt/web/build-web/vellar.html');
  page.on('console', (m) => console.log('CONSOLE', m.type(), m.text()));
  const p = await step('point', page.evaluate(() => { const v = window.vellar.view(); const r = document.getElementById('GrMps').getBoundingClientRect(); let x = r.left + 1; for (let c = 0; c < 7; ++c) x += v.mps.widths[c] + 1; return { x: x + 8, y: r.top + 1 + 21 + 10 }; }));
  await step('down', page.mouse.move(p.x, p.y));
  await step('down', page.mouse.down());
  await step('state', page.evaluate(() => [window.vellar.mpsGates(0), window.vellar.view().automatic]));
  await step('up', page.mouse.up());
  await step('state', page.evaluate(() => [window.vellar.mpsGates(0), window.vellar.view().automatic]));
  const q = await step('point', page.evaluate(() => { const v = window.vellar.view(); const r = document.getElementById('GrMps').getBoundingClientRect(); let x = r.left + 1; for (let c = 0; c < 1; ++c) x += v.mps.widths[c] + 1; return { x: x + 8, y: r.top + 1 + 42 + 10 }; }));
  await step('click', page.mouse.click(q.x, q.y));
  await step('type', page.keyboard.type('Hallo'));
  await step('enter', page.keyboard.press('Enter'));
  await step('cell', page.evaluate(() => window.vellar.view().mps.cells.find((r) => r[0][0] === '01')[1][0]));
  await page.screenshot({ path: '/tmp/smoke2.png' });
  console.log(page.errors);
} catch (e) { console.log('ERR', e.message); } finally { await close(); }
