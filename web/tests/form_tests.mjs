// The page's menus against the model's form: every menu and item with its caption, its
// underlined letter and its key, in the table's order, and the keys run their items.
import { test, assert } from './harness.mjs';
import { openPage } from './browser.mjs';
import { idle, menu } from './page_helpers.mjs';

test('Menüs: die Seite zeigt die Titel, Tasten und Buchstaben der Tabelle des Modells', async ({ browser, html }) => {
  const page = await openPage(browser, html);
  const form = await page.evaluate(() => window.vellar.form());
  const shown = await page.evaluate(() => [...document.querySelectorAll('.menu-title')].map((t) => {
    const list = t.nextElementSibling;
    return {
      title: t.textContent,
      letter: t.querySelector('u')?.textContent ?? '',
      items: [...list.children].map((row) => (row.classList.contains('menu-sep') ? '-' : {
        id: row.id,
        text: row.firstChild.textContent,
        letter: row.querySelector('u')?.textContent ?? '',
        key: row.querySelector('.menu-key').textContent,
      })),
    };
  }));
  const plain = (caption) => caption.replace('&', '');
  const letter = (caption) => (caption.includes('&') ? caption[caption.indexOf('&') + 1] : '');
  assert.deepEqual(shown.map((m) => m.title), form.menus.map((m) => plain(m.caption)));
  form.menus.forEach((m, i) => {
    assert.equal(shown[i].letter, letter(m.caption), m.caption);
    if (m.examples) return;
    assert.deepEqual(shown[i].items, m.items.map((item) => (item === '-' ? '-' : {
      id: item.name, text: plain(item.caption), letter: letter(item.caption), key: item.keyText,
    })));
  });
  // The table as both frontends know it, not merely whatever the page was given.
  const item = (id) => shown.flatMap((m) => m.items).find((x) => x.id === id);
  assert.deepEqual(item('MeLoadMps'), { id: 'MeLoadMps', text: 'MPS laden', letter: 'a', key: 'F2' });
  assert.deepEqual(item('MeRedo'), { id: 'MeRedo', text: 'Wiederholen', letter: 'W', key: 'Strg+Y' });
  assert.deepEqual(item('MeStepBack').key, 'Rücktaste');
  assert.equal(item('MeEnde'), undefined);
  assert.deepEqual(shown.map((m) => m.title),
    ['Datei', 'Bearbeiten', 'Zurücksetzen', 'Ansicht', 'Beispiele', 'Hilfe']);

  // F9 runs "Register löschen" as the table says; the check marks follow the session.
  await page.evaluate(() => window.vellar.event('EdRegChange', 0, 0, 0, '5A'));
  await page.evaluate(() => window.vellar.event('EdRegExit', 0));
  assert.equal(await page.evaluate(() => window.vellar.reg(0)), 0x5a);
  await page.keyboard.press('F9');
  await idle(page);
  assert.equal(await page.evaluate(() => window.vellar.reg(0)), 0);
  // Drawn first, as the next frame would.
  const checked = async () => {
    await page.evaluate(() => window.vellar.view());
    return page.$eval('#MeVariablen', (e) => e.classList.contains('checked'));
  };
  assert.equal(await checked(), false);
  await menu(page, 'Ansicht', 'MeVariablen');
  assert.equal(await checked(), true);
  assert.deepEqual(page.errors, []);
  await page.close();
});
