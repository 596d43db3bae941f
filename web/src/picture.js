// The data-path picture: the sixteen gate paths on the register panel and the inner bus panel.
// Each bus is eight one-pixel lines (one per bit) or one three-pixel line; a highlighted bit is
// yellow for 1 and red for 0. Where the lines run and which value each bus shows come from the
// model (bridge.pictureGeometry and the view's draws); here they are only painted.

const ONE = '#ffff00';
const ZERO = '#ff0000';
const BLACK = '#000000';

function stroke(ctx, points, pen, width) {
  ctx.strokeStyle = pen;
  ctx.lineWidth = width;
  ctx.lineCap = width > 1 ? 'round' : 'square';
  ctx.lineJoin = width > 1 ? 'round' : 'miter';
  ctx.beginPath();
  points.forEach(([x, y], i) => (i ? ctx.lineTo(x + 0.5, y + 0.5) : ctx.moveTo(x + 0.5, y + 0.5)));
  ctx.stroke();
}

// Paints one picture as it stands: every path black, then the recorded draws in their order.
// The register picture's pen is followed while the bus picture is painted too: the arrows
// take the colour the last line on the register picture left.
export function paintPicture(ctx, which, geometry, picture) {
  const onRegister = which === 'register';
  let registerPen = BLACK;
  const drawGate = (gate, active, values) => {
    geometry.gates[gate].forEach((bus, i) => {
      const lines = picture.lines === 8 ? bus.eight : bus.one;
      const width = lines.length === 1 ? 3 : 1;
      lines.forEach((points, k) => {
        const pen = !active ? BLACK : (values[i] >> k) & 1 ? ONE : ZERO;
        if (bus.register) registerPen = pen;
        if (bus.register === onRegister) stroke(ctx, points, pen, width);
      });
    });
    if (picture.arrows && onRegister) {
      for (const arrow of geometry.arrows) stroke(ctx, arrow, registerPen, 3);
    }
  };
  for (let gate = 0; gate < 16; ++gate) drawGate(gate, false, [0, 0]);
  for (const [gate, active, ...values] of picture.draws) drawGate(gate, active, values);
}
