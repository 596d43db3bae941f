import { launch, openPage } from './browser.mjs';
import fs from 'node:fs';
const { browser, close } = await launch();
try {
  const page = await openPage(browser, '/work/wt/web/build-web/vellar.html');
  await page.click('#Tor_3');
  await page.evaluate(() => window.vellar.idle());
  console.log(JSON.stringify((await page.evaluate(() => window.vellar.view())).gates), await page.evaluate(() => window.vellar.view().automatic));
  await page.click('#Menu_Beispiele'); await page.click('[id="Beispiel_bubble.ras"]'); await page.evaluate(() => window.vellar.idle());
  await page.evaluate(() => { window.savedFiles = {}; window.showSaveFilePicker = async () => ({ name: 'bubble.ras', createWritable: async () => { const parts = []; return { write: async (b) => parts.push(...b), close: async () => { window.savedFiles['bubble.ras'] = parts; } }; } }); });
  await page.keyboard.press('F6');
  await page.evaluate(() => window.vellar.idle());
  const saved = await page.evaluate(() => window.savedFiles['bubble.ras']);
  fs.writeFileSync('/tmp/saved.ras', Buffer.from(saved || []));
  console.log(page.errors);
} catch (e) { console.log('ERR', e.message); } finally { await close(); }
