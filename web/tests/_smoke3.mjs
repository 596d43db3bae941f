import { launch, openPage } from './browser.mjs';
const { browser, close } = await launch();
const step = async (name, p) => { const t = Date.now(); const r = await Promise.race([p, new Promise((_, rej) => setTimeout(() => rej(new Error('timeout ' + name)), 8000))]); console.log('done', name, Date.now() - t, r === undefined ? '' : JSON.stringify(r)); return r; };
try {
  const page = await openPage(browser, '/work/wt/web/build-web/vellar.html');
  page.on('console', (m) => console.log('CONSOLE', m.type(), m.text()));
  await step('menu', page.click('#Menu_Beispiele'));
  await step('item', page.click('[id="Beispiel_bubble.ras"]'));
  await step('idle', page.evaluate(() => window.vellar.idle()));
  await step('radio', page.click('#RaTor input[type=radio]'));
  await step('slider', page.focus('#TrZeit'));
  await step('home', page.keyboard.press('Home'));
  await step('click', page.click('#BuBisHalt'));
  await step('idle', page.evaluate(() => window.vellar.idle()));
  await step('state', page.evaluate(() => { const A = window.__M.Asyncify; return [window.vellar.busy(), A.state, !!A.currData, !!A.asyncPromiseHandlers, window.__M._vellar_waiting(), window.vellar.clocks()]; }));
  await new Promise(r => setTimeout(r, 500));
  await step('state', page.evaluate(() => { const A = window.__M.Asyncify; return [window.vellar.busy(), A.state, !!A.currData, !!A.asyncPromiseHandlers, window.__M._vellar_waiting(), window.vellar.clocks()]; }));
  await step('halt', page.evaluate(async () => { const p = window.vellar.event('RunButton', 6); const r = await Promise.race([p.then(() => 'resolved'), new Promise(r => setTimeout(() => r('timeout'), 3000))]); return [r, window.vellar.clocks()]; }));
  for (let i = 0; i < 4; ++i) { await new Promise(r => setTimeout(r, 300)); await step('probe', page.evaluate(() => [window.vellar.clocks(), window.vellar.reg(2)])); }
  console.log(page.errors);
} catch (e) { console.log('ERR', e.message); } finally { await close(); }
