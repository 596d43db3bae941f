import { launch, openPage } from './browser.mjs';
const { browser, close } = await launch();
try {
  const page = await openPage(browser, '/work/wt/web/build-web/vellar.html');
  const png = await page.screenshot({ type: 'png' });
  const r = await page.evaluate(async (data) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + data;
    await img.decode();
    const c = document.createElement('canvas');
    c.width = img.width; c.height = img.height;
    const ctx = c.getContext('2d');
    ctx.drawImage(img, 0, 0);
    const rr = document.getElementById('PaProzessor').getBoundingClientRect();
    return [img.width, img.height, rr.left, rr.top, [...ctx.getImageData(10, 30, 1, 1).data], [...ctx.getImageData(Math.round(rr.left+3), Math.round(rr.top+3), 1, 1).data]];
  }, png.toString('base64'));
  console.log(JSON.stringify(r));
} catch (e) { console.log('ERR', e.message); } finally { await close(); }
