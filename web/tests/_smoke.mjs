import { launch, openPage } from './browser.mjs';
const { browser, close } = await launch();
const step = async (name, p) => { const t = Date.now(); const r = await Promise.race([p, new Promise((_, rej) => setTimeout(() => rej(new Error('timeout ' + name)), 8000))]); console.log('done', name, Date.now() - t, r === undefined ? '' : JSON.stringify(r)); return r; };
try {
  const page = await openPage(browser, '/work/wt/web/build-web/vellar.html');
  page.on('console', (m) => console.log('CONSOLE', m.type(), m.text()));
  await step('menu', page.click('#Menu_Beispiele'));
  await step('item', page.click('[id="Beispiel_bubble.ras"]'));
  await step('idle', page.evaluate(() => window.vellar.idle()));
  await step('title', page.title());
  await step('radio', page.click('#RaTor input[type=radio]'));
  await step('slider', page.focus('#TrZeit'));
  await step('home', page.keyboard.press('Home'));
  await step('label', page.$eval('#LaZeit', (e) => e.textContent));
  await step('halt', page.click('#BuBisHalt'));
  for (let i = 0; i < 5; ++i) { await new Promise(r => setTimeout(r, 500)); await step('probe', page.evaluate(() => [window.vellar.reg(2), window.vellar.view().running, window.vellar.view().buttons])); }
  await step('ram', page.evaluate(() => [window.vellar.ram(0xf0), window.vellar.clocks()]));
  await page.screenshot({ path: '/tmp/smoke.png' });
  console.log(page.errors);
} catch (e) { console.log('ERR', e.message); } finally { await close(); }
