#pragma once

#include <QPoint>
#include <QRect>

// The coordinates of the data-path picture, taken from where the controls stand. They are
// recomputed after every layout; with the standard design only the right exit moves.
namespace vellar::ui {

// The controls the paths run between, in their panels' coordinates.
struct DiagramControls {
  // On the register panel.
  QRect edAX, edBX, edIP, edOP, paSignF, paSubtr, paPlus1, paALU;
  // On the inner bus panel.
  QRect edDR, edAR, tor9, torA, torB, torC;
  int processorWidth = 0;  // PaProzessor
  int busWidth = 0;        // PaBus
  // PaBus.Top + PaBus2.Top - PaProzessor.Top - PaRegister.Top
  int dy = 0;
};

struct DiagramGeometry {
  // Register picture.
  QPoint ax, bx, ip, op, signF, subtr, plus1;
  int left = 0, top = 0, width = 0, height = 0;  // PaALU
  int yres = 0, xin1 = 0, xin2 = 0, xout = 0, xmem = 0, xexit = 0, dy = 0;
  static constexpr int xreg = 28;
  static constexpr int xseq = 8;
  // Bus picture.
  QPoint dr, ar;
  int xdl = 0, xdr = 0, xbexit = 0, ym9 = 0, ymA = 0, ymB = 0, ymC = 0;
};

// The centre of a control, halves truncated.
inline QPoint Centre(const QRect& r) {
  return {r.left() + r.width() / 2, r.top() + r.height() / 2};
}

inline DiagramGeometry ComputeGeometry(const DiagramControls& c) {
  DiagramGeometry g;
  g.ax = Centre(c.edAX);
  g.bx = Centre(c.edBX);
  g.ip = Centre(c.edIP);
  g.op = Centre(c.edOP);
  g.signF = Centre(c.paSignF);
  g.subtr = Centre(c.paSubtr);
  g.plus1 = Centre(c.paPlus1);
  g.left = c.paALU.left();
  g.top = c.paALU.top();
  g.width = c.paALU.width();
  g.height = c.paALU.height();
  g.yres = g.top + g.height + 24;
  g.xin1 = g.left + 10;
  g.xin2 = g.left + g.width - 10;
  g.xout = g.left + g.width / 2;
  g.xmem = g.left + g.width + 24;
  g.xexit = c.processorWidth;
  g.dy = c.dy;
  g.dr = Centre(c.edDR);
  g.ar = Centre(c.edAR);
  g.xdl = (c.tor9.left() + c.tor9.width() + c.edDR.left()) / 2;
  g.xdr = (c.edDR.left() + c.edDR.width() + c.torB.left()) / 2;
  g.xbexit = c.busWidth;
  g.ym9 = c.tor9.top() + c.tor9.height() / 2;
  g.ymA = c.torA.top() + c.torA.height() / 2;
  g.ymB = c.torB.top() + c.torB.height() / 2;
  g.ymC = c.torC.top() + c.torC.height() / 2;
  return g;
}

}  // namespace vellar::ui
