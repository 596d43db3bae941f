// The data-path picture: the sixteen gate paths on the register panel and the inner bus panel.
// Each bus is eight one-pixel lines (one per bit) or one three-pixel line; a highlighted bit is
// yellow for 1 and red for 0. What to draw comes from the session's record of the draws since
// the last full repaint; here it is only painted.

const ONE = '#ffff00';
const ZERO = '#ff0000';
const BLACK = '#000000';
const AX = 0, BX = 1, IP = 2, OP = 3, AR = 4, DR = 5, AL = 6;
const XREG = 28;
const XSEQ = 8;

function centre(r) {
  return { x: r.x + Math.trunc(r.w / 2), y: r.y + Math.trunc(r.h / 2) };
}

// The coordinates of the paths, from where the controls stand.
export function computeGeometry(c) {
  const g = {};
  g.ax = centre(c.edAX);
  g.bx = centre(c.edBX);
  g.ip = centre(c.edIP);
  g.op = centre(c.edOP);
  g.signF = centre(c.paSignF);
  g.subtr = centre(c.paSubtr);
  g.plus1 = centre(c.paPlus1);
  g.left = c.paALU.x;
  g.top = c.paALU.y;
  g.width = c.paALU.w;
  g.height = c.paALU.h;
  g.yres = g.top + g.height + 24;
  g.xin1 = g.left + 10;
  g.xin2 = g.left + g.width - 10;
  g.xout = g.left + Math.trunc(g.width / 2);
  g.xmem = g.left + g.width + 24;
  g.xexit = c.processorWidth;
  g.dy = c.dy;
  g.dr = centre(c.edDR);
  g.ar = centre(c.edAR);
  g.xdl = Math.trunc((c.tor9.x + c.tor9.w + c.edDR.x) / 2);
  g.xdr = Math.trunc((c.edDR.x + c.edDR.w + c.torB.x) / 2);
  g.xbexit = c.busWidth;
  g.ym9 = c.tor9.y + Math.trunc(c.tor9.h / 2);
  g.ymA = c.torA.y + Math.trunc(c.torA.h / 2);
  g.ymB = c.torB.y + Math.trunc(c.torB.h / 2);
  g.ymC = c.torC.y + Math.trunc(c.torC.h / 2);
  return g;
}

const sign = (v) => (v > 0) - (v < 0);
const P = (x, y) => ({ x, y });

class Painter {
  constructor(g, lines, arrows, reg, bus) {
    this.g = g;
    this.lines = lines;
    this.arrows = arrows;
    this.reg = reg; // { ctx or null, pen }
    this.bus = bus;
  }

  busLines(canvas, active, lines, value, p) {
    const n = p.length - 1;
    if (n < 1 || n >= 5) return;
    // Offsets that keep the parallel lines parallel and let them meet at every corner.
    const d = [];
    d[0] = P(p[0].y !== p[1].y ? 1 : 0, p[0].x !== p[1].x ? 1 : 0);
    for (let j = 1; j < n; ++j) {
      d[j] = { ...d[j - 1] };
      if (p[j].x !== p[j - 1].x) {
        d[j].x = sign(p[j].y - p[j + 1].y) * d[j - 1].y * sign(p[j].x - p[j - 1].x);
      } else {
        d[j].y = sign(p[j].x - p[j + 1].x) * d[j - 1].x * sign(p[j].y - p[j - 1].y);
      }
    }
    d[n] = P((p[n].y !== p[n - 1].y ? 1 : 0) * d[n - 1].x, (p[n].x !== p[n - 1].x ? 1 : 0) * d[n - 1].y);
    const width = lines === 1 ? 3 : 1;
    for (let k = 0; k < lines; ++k) {
      canvas.pen = !active ? BLACK : (value >> k) & 1 ? ONE : ZERO;
      if (!canvas.ctx) continue;
      const offset = lines - 1 - 2 * k;
      const ctx = canvas.ctx;
      ctx.strokeStyle = canvas.pen;
      ctx.lineWidth = width;
      ctx.lineCap = width > 1 ? 'round' : 'square';
      ctx.lineJoin = width > 1 ? 'round' : 'miter';
      ctx.beginPath();
      for (let j = 0; j <= n; ++j) {
        const x = p[j].x + offset * d[j].x + 0.5;
        const y = p[j].y + offset * d[j].y + 0.5;
        if (j === 0) ctx.moveTo(x, y);
        else ctx.lineTo(x, y);
      }
      ctx.stroke();
    }
  }

  resultPath(active, value, target) {
    const g = this.g;
    this.busLines(this.reg, active, this.lines, value, [
      target, P(XREG, target.y), P(XREG, g.yres), P(g.xout, g.yres), P(g.xout, g.top + g.height),
    ]);
  }

  gatePath(gate, active, regs, signFlag) {
    const g = this.g;
    const t = g.top;
    const bottom = g.top + g.height;
    const L = this.lines;
    const R = this.reg;
    const B = this.bus;
    switch (gate) {
      case 0x0: this.resultPath(active, regs[AL], g.ax); break;
      case 0x1: this.busLines(R, active, L, regs[AX], [g.ax, P(g.xin1, g.ax.y), P(g.xin1, t)]); break;
      case 0x2: this.resultPath(active, regs[AL], g.bx); break;
      case 0x3: this.busLines(R, active, L, regs[BX], [g.bx, P(g.xin1, g.bx.y), P(g.xin1, t)]); break;
      case 0x4: this.resultPath(active, regs[AL], g.ip); break;
      case 0x5: this.busLines(R, active, L, regs[IP], [g.ip, P(g.xin1, g.ip.y), P(g.xin1, t)]); break;
      case 0x6: this.resultPath(active, regs[AL], g.op); break;
      case 0x7: this.busLines(R, active, L, 1, [P(g.xin2, t), P(g.xin2, g.plus1.y), g.plus1]); break;
      case 0x8: {
        const y = g.ar.y + g.dy;
        this.busLines(R, active, L, regs[AR],
          [P(g.xexit, y), P(g.xmem, y), P(g.xmem, g.yres), P(g.xout, g.yres), P(g.xout, bottom)]);
        this.busLines(B, active, L, regs[AR], [P(0, g.ar.y), g.ar]);
        break;
      }
      case 0x9: {
        const y = g.ym9 + g.dy;
        this.busLines(R, active, L, regs[DR], [P(g.xexit, y), P(g.xin2, y), P(g.xin2, t)]);
        this.busLines(B, active, L, regs[DR], [g.dr, P(g.xdl, g.dr.y), P(g.xdl, g.ym9), P(0, g.ym9)]);
        break;
      }
      case 0xA: {
        const y = g.ymA + g.dy;
        this.busLines(R, active, L, regs[AL],
          [P(g.xexit, y), P(g.xmem, y), P(g.xmem, g.yres), P(g.xout, g.yres), P(g.xout, bottom)]);
        this.busLines(B, active, L, regs[DR], [g.dr, P(g.xdl, g.dr.y), P(g.xdl, g.ymA), P(0, g.ymA)]);
        break;
      }
      case 0xB:
      case 0xC: {
        const ym = gate === 0xB ? g.ymB : g.ymC;
        this.busLines(B, active, L, regs[DR], [g.dr, P(g.xdr, g.dr.y), P(g.xdr, ym), P(g.xbexit, ym)]);
        this.busLines(B, active, L, regs[AR], [g.ar, P(g.xbexit, g.ar.y)]);
        break;
      }
      case 0xD: this.busLines(R, active, 1, 1, [g.subtr, P(g.left, g.subtr.y)]); break;
      case 0xE:
        this.busLines(R, active, 1, signFlag ? 1 : 0, [g.ax, g.signF, P(XSEQ, g.signF.y), P(XSEQ, 0)]);
        break;
      case 0xF: this.busLines(R, active, L, regs[OP], [g.op, P(g.xin1, g.op.y), P(g.xin1, 0)]); break;
      default: return;
    }
    if (this.arrows) this.drawArrows();
  }

  drawArrows() {
    const g = this.g;
    this.arrow(g.xout + 50, g.yres, 'R');
    this.arrow(g.xout - 50, g.yres, 'L');
    this.arrow(g.xout - 210, g.yres, 'L');
    this.arrow(g.xin2, g.top - 30, 'D');
    this.arrow(g.xin1, g.top - 30, 'D');
    this.arrow(XREG, g.top + 20, 'U');
    this.arrow(g.xmem + 40, g.ar.y + g.dy, 'R');
    this.arrow(g.xmem + 40, g.ymA + g.dy, 'R');
  }

  arrow(x, y, dir) {
    const ctx = this.reg.ctx;
    if (!ctx) return;
    const s = {
      D: [[x - 10, y - 5], [x, y + 5], [x + 10, y - 5]],
      R: [[x - 5, y - 10], [x + 5, y], [x - 5, y + 10]],
      U: [[x - 10, y + 5], [x, y - 5], [x + 10, y + 5]],
      L: [[x + 5, y - 10], [x - 5, y], [x + 5, y + 10]],
    }[dir];
    ctx.strokeStyle = this.reg.pen;
    ctx.lineWidth = 3;
    ctx.lineCap = 'round';
    ctx.lineJoin = 'round';
    ctx.beginPath();
    s.forEach(([px, py], i) => (i ? ctx.lineTo(px + 0.5, py + 0.5) : ctx.moveTo(px + 0.5, py + 0.5)));
    ctx.stroke();
  }
}

// Paints one picture as it stands: every path black, then the recorded draws in their order.
// The other picture's pen is still followed, as the arrows take the colour the last line left.
export function paintPicture(ctx, which, geometry, picture) {
  const reg = { ctx: which === 'register' ? ctx : null, pen: BLACK };
  const bus = { ctx: which === 'bus' ? ctx : null, pen: BLACK };
  const painter = new Painter(geometry, picture.lines, picture.arrows, reg, bus);
  const none = [0, 0, 0, 0, 0, 0, 0];
  for (let gate = 0; gate < 16; ++gate) painter.gatePath(gate, false, none, false);
  for (const [gate, active, signFlag, ...regs] of picture.draws) {
    painter.gatePath(gate, active, regs, signFlag);
  }
}
