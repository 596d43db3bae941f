// "Ansicht → Link als QR-Code": a link to what the page holds, as "Link kopieren" makes it but in
// digits (src/app/link_content.h), as a QR code large enough for a projector, so that the tablets in the room open the same state. The code comes
// from the npm package lean-qr (no dependencies of its own, 7 kB, bundled into the page), which
// puts each stretch of the address in the mode that packs it best: the page's address as text,
// the link's digits in the numeric mode.
import { generate, mode } from 'lean-qr';
import * as dialogs from './dialogs.js';

// The light margin around the code that readers need, in modules.
const QUIET_ZONE = 4;
// What an address may hold; Shift JIS, which the package would also try, never occurs in one.
const MODES = [mode.numeric, mode.alphaNumeric, mode.ascii, mode.utf8];

// The code, or null when the address is longer than the largest code holds.
function qrCode(address) {
  try {
    // The lowest error correction holds the longest links; a shorter one gets more of it.
    return generate(address, { modes: MODES });
  } catch {
    return null;
  }
}

function drawCode(canvas, code) {
  const count = code.size + 2 * QUIET_ZONE;
  // As large as the screen allows, in whole pixels per module so that every edge stays sharp.
  const room = Math.min(window.innerWidth, window.innerHeight - 140) * 0.9;
  const scale = Math.max(2, Math.floor(room / count));
  canvas.width = canvas.height = count * scale;
  const ctx = canvas.getContext('2d');
  ctx.fillStyle = '#fff';
  ctx.fillRect(0, 0, canvas.width, canvas.height);
  ctx.fillStyle = '#000';
  for (let y = 0; y < code.size; y++) {
    for (let x = 0; x < code.size; x++) {
      if (code.get(x, y)) ctx.fillRect((x + QUIET_ZONE) * scale, (y + QUIET_ZONE) * scale, scale, scale);
    }
  }
}

export function showQr(address) {
  return dialogs.showPanel('Link als QR-Code', 'modal-qr', (box, row, close) => {
    const code = qrCode(address);
    const text = document.createElement('div');
    text.className = 'modal-text';
    if (code) {
      const canvas = document.createElement('canvas');
      canvas.id = 'qr-code';
      canvas.className = 'qr-code';
      drawCode(canvas, code);
      box.insertBefore(canvas, row);
      text.textContent = 'Mit der Kamera eines Tablets scannen: Dort öffnet sich die Seite mit '
        + 'demselben Inhalt wie hier.';
    } else {
      text.classList.add('modal-error');
      text.textContent = `Der Link ist mit ${address.length} Zeichen zu lang für einen QR-Code. `
        + 'Mit weniger Inhalt (einem kürzeren Mikroprogramm, weniger RAM) wird er kürzer. Den '
        + 'ganzen Link gibt „Datei → Link kopieren“ zum Weitergeben (Moodle, E-Mail).';
    }
    box.insertBefore(text, row);
    const ok = document.createElement('button');
    ok.textContent = 'OK';
    ok.addEventListener('click', () => close(true));
    row.append(ok);
    return ok;
  });
}
