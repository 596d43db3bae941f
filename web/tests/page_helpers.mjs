// What the browser tests do in the page as a user does: menus, cells at their pixels, the
// page's dialogs, the browser's file pickers and a stand-in for its save dialog.

export const idle = (page) => page.evaluate(() => window.vellar.idle());

export async function menu(page, title, itemId) {
  await page.click(`#Menu_${title}`);
  await page.click(`[id="${itemId}"]`);
  await idle(page);
}

export async function loadExample(page, ram) {
  await menu(page, 'Beispiele', 'Beispiel_' + ram);
}

// The example as loaded, registers cleared, at the fastest level with automatic gates.
export async function freshExample(page, ram) {
  await loadExample(page, ram);
  await page.keyboard.press('F9');
  await page.click('#RaTor input[type=radio]');
  await page.focus('#TrZeit');
  await page.keyboard.press('Home');
  await idle(page);
}

// The middle of a grid cell in page coordinates, as the grid shows its rows and columns now
// (scaled down with the page where the browser's window is smaller than the form).
export async function cellPoint(page, gridId, col, row) {
  return page.evaluate((gridId, col, row) => {
    const v = window.vellar.view();
    const g = { GrMps: v.mps, GrRam: v.ram, RamInspector: v.inspector }[gridId];
    const el = document.getElementById(gridId);
    const r = el.getBoundingClientRect();
    const scale = r.width / el.offsetWidth;
    let x = 1;
    for (let c = 0; c < col; c = c === 0 ? g.leftCol : c + 1) x += g.widths[c] + 1;
    const y = 1 + (row === 0 ? 0 : row - g.topRow + 1) * (g.rowHeight + 1);
    return { x: r.left + (x + g.widths[col] / 2) * scale, y: r.top + (y + g.rowHeight / 2) * scale };
  }, gridId, col, row);
}

export async function clickCell(page, gridId, col, row, options) {
  const p = await cellPoint(page, gridId, col, row);
  await page.mouse.click(p.x, p.y, options);
  await idle(page);
}

export const ramBytes = (page, from, count) =>
  page.evaluate((from, count) => Array.from({ length: count }, (_, i) => window.vellar.ram(from + i)), from, count);

export async function modalText(page) {
  await page.waitForSelector('#modal:not([hidden])', { timeout: 5000 });
  return page.$eval('#modal-box .modal-text', (e) => e.textContent);
}

export async function clickModalButton(page, text) {
  const buttons = await page.$$('#modal-box .modal-buttons button');
  for (const b of buttons) {
    if ((await b.evaluate((e) => e.textContent)) === text) return b.click();
  }
  throw new Error('kein Knopf ' + text);
}

// A file picker that the action opens; a dialog of the page instead fails with its text.
// puppeteer starts catching pickers with a message to the page that a key press sent right
// after it may overtake: the picker then opens uncaught and the test sees none. A round trip
// through the page first makes sure the catching is on.
export async function fileChooser(page, action) {
  const chooser = page.waitForFileChooser({ timeout: 5000 }).catch(() => null);
  await page.evaluate(() => 0);
  await action();
  const got = await chooser;
  if (got) return got;
  if (await page.$('#modal:not([hidden])')) throw new Error('statt der Dateiauswahl: ' + (await modalText(page)));
  throw new Error('keine Dateiauswahl');
}

// Saving goes through the browser's save dialog; here a stand-in keeps the bytes. `existing`
// holds the bytes of a file the picked name already has; `fail` names the call of the
// browser's writing that fails ('createWritable' or 'write'). The names the page suggested
// are kept in window.suggestedNames.
export async function catchSaves(page, name, { existing = null, fail = null } = {}) {
  await page.evaluate((name, existing, fail) => {
    window.savedFiles = {};
    window.suggestedNames = [];
    window.showSaveFilePicker = async (options) => {
      window.suggestedNames.push(options.suggestedName);
      return {
        name,
        getFile: async () => new File(existing ? [new Uint8Array(existing)] : [], name),
        createWritable: async () => {
          if (fail === 'createWritable') throw new DOMException('schreibgeschützt', 'NotAllowedError');
          const parts = [];
          return {
            write: async (b) => {
              if (fail === 'write') throw new DOMException('Datenträger voll', 'QuotaExceededError');
              parts.push(...new Uint8Array(b instanceof Blob ? await b.arrayBuffer() : b));
            },
            close: async () => {
              window.savedFiles[name] = parts;
            },
            abort: async () => {},
          };
        },
      };
    };
  }, name, existing, fail);
}

// Whether the page has finished its handlers within the time.
export const idleWithin = (page, ms) =>
  page.evaluate((ms) => Promise.race([window.vellar.idle().then(() => true),
    new Promise((r) => setTimeout(() => r(false), ms))]), ms);

export const saved = async (page, name) => {
  const bytes = await page.evaluate((name) => window.savedFiles[name], name);
  return bytes ? Buffer.from(bytes) : null;
};
