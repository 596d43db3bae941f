// "Ansicht → Link als QR-Code": the page's link, as "Link kopieren" makes it, as a QR code large
// enough for a projector, so that the tablets in the room open the same state. The code comes
// from the npm package uqr (no dependencies of its own, bundled into the page).
import { encode } from 'uqr';
import * as dialogs from './dialogs.js';

// The most a QR code holds in bytes (version 40 at the lowest error correction).
const QR_CAPACITY = 2953;
// The light margin around the code that readers need, in modules.
const QUIET_ZONE = 4;

function drawCode(canvas, modules) {
  const count = modules.length + 2 * QUIET_ZONE;
  // As large as the screen allows, in whole pixels per module so that every edge stays sharp.
  const room = Math.min(window.innerWidth, window.innerHeight - 140) * 0.9;
  const scale = Math.max(2, Math.floor(room / count));
  canvas.width = canvas.height = count * scale;
  const ctx = canvas.getContext('2d');
  ctx.fillStyle = '#fff';
  ctx.fillRect(0, 0, canvas.width, canvas.height);
  ctx.fillStyle = '#000';
  modules.forEach((row, y) => row.forEach((dark, x) => {
    if (dark) ctx.fillRect((x + QUIET_ZONE) * scale, (y + QUIET_ZONE) * scale, scale, scale);
  }));
}

export function showQr(address) {
  return dialogs.showPanel('Link als QR-Code', 'modal-qr', (box, row, close) => {
    const length = new TextEncoder().encode(address).length;
    let modules = null;
    if (length <= QR_CAPACITY) {
      try {
        // The lowest error correction holds the longest links; a shorter one gets more of it.
        modules = encode(address, { ecc: 'L', boostEcc: true, border: 0 }).data;
      } catch {
        modules = null;
      }
    }
    const text = document.createElement('div');
    text.className = 'modal-text';
    if (modules) {
      const canvas = document.createElement('canvas');
      canvas.id = 'qr-code';
      canvas.className = 'qr-code';
      drawCode(canvas, modules);
      box.insertBefore(canvas, row);
      text.textContent = 'Mit der Kamera eines Tablets scannen: Dort öffnet sich die Seite mit '
        + 'demselben Inhalt wie hier.';
    } else {
      text.classList.add('modal-error');
      text.textContent = `Der Link ist ${length} Zeichen lang; ein QR-Code fasst höchstens `
        + `${QR_CAPACITY}. Mit weniger Inhalt (einem kürzeren Mikroprogramm, weniger RAM) wird er `
        + 'kürzer. Den ganzen Link gibt „Datei → Link kopieren“ zum Weitergeben (Moodle, E-Mail).';
    }
    box.insertBefore(text, row);
    const ok = document.createElement('button');
    ok.textContent = 'OK';
    ok.addEventListener('click', () => close(true));
    row.append(ok);
    return ok;
  });
}
