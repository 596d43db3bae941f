#include "ui/data_path_painter.h"

#include <QPainter>
#include <QPen>

namespace vellar::ui {

namespace {

constexpr QColor kBitOne{255, 255, 0};
constexpr QColor kBitZero{255, 0, 0};
constexpr int kMaxPoints = 5;

int Sign(int v) {
  return (v > 0) - (v < 0);
}

void SetPen(QPainter& painter, const QColor& color, int width) {
  QPen pen(color, width);
  if (width > 1) {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  painter.setPen(pen);
}

}  // namespace

DataPathPainter::DataPathPainter(const DiagramGeometry& geometry, int busLines, bool arrows,
                                 PictureCanvas& registerPicture, PictureCanvas& busPicture)
    : g_(geometry), busLines_(busLines), arrows_(arrows), reg_(registerPicture), bus_(busPicture) {}

void DataPathPainter::DrawBusLines(PictureCanvas& canvas, bool active, int lines, uint8_t value,
                                   std::initializer_list<QPoint> points) {
  const QPoint* p = points.begin();
  const int n = static_cast<int>(points.size()) - 1;
  if (n < 1 || n >= kMaxPoints) return;
  // Offsets that keep the parallel lines parallel and let them meet at every corner.
  std::array<QPoint, kMaxPoints> d{};
  d[0] = {p[0].y() != p[1].y() ? 1 : 0, p[0].x() != p[1].x() ? 1 : 0};
  for (int j = 1; j < n; ++j) {
    d[j] = d[j - 1];
    if (p[j].x() != p[j - 1].x()) {
      d[j].setX(Sign(p[j].y() - p[j + 1].y()) * d[j - 1].y() * Sign(p[j].x() - p[j - 1].x()));
    } else {
      d[j].setY(Sign(p[j].x() - p[j + 1].x()) * d[j - 1].x() * Sign(p[j].y() - p[j - 1].y()));
    }
  }
  d[n] = {(p[n].y() != p[n - 1].y() ? 1 : 0) * d[n - 1].x(),
          (p[n].x() != p[n - 1].x() ? 1 : 0) * d[n - 1].y()};

  const int width = lines == 1 ? 3 : 1;
  std::array<QPoint, kMaxPoints> line{};
  for (int k = 0; k < lines; ++k) {
    canvas.pen = !active ? QColor(Qt::black) : ((value >> k) & 1) ? kBitOne : kBitZero;
    if (canvas.painter == nullptr) continue;
    const int offset = lines - 1 - 2 * k;
    for (int j = 0; j <= n; ++j) line[j] = p[j] + offset * d[j];
    SetPen(*canvas.painter, canvas.pen, width);
    canvas.painter->drawPolyline(line.data(), n + 1);
  }
}

void DataPathPainter::ResultPath(const Bus& bus, QPoint target) {
  const int bottom = g_.top + g_.height;
  DrawBusLines(*bus.canvas, bus.active, bus.lines, bus.value,
               {target,
                {DiagramGeometry::xreg, target.y()},
                {DiagramGeometry::xreg, g_.yres},
                {g_.xout, g_.yres},
                {g_.xout, bottom}});
}

void DataPathPainter::DrawGatePath(int gate, bool active,
                                   const std::array<uint8_t, kRegCount>& regs, bool sign) {
  // Which value each bus carries, on which picture and with how many lines, is the model's;
  // here only the points are placed.
  const GatePath& path = GatePathOf(gate);
  std::array<Bus, 2> b{};
  for (int i = 0; i < path.count; ++i) {
    const PathBus& bus = path.buses[i];
    b[i] = {bus.picture == PathPicture::Register ? &reg_ : &bus_, active, PathLines(bus, busLines_),
            PathValue(bus.source, regs, sign)};
  }
  const auto draw = [this](const Bus& bus, std::initializer_list<QPoint> points) {
    DrawBusLines(*bus.canvas, bus.active, bus.lines, bus.value, points);
  };
  const int t = g_.top;
  const int bottom = g_.top + g_.height;
  switch (gate) {
    case 0x0:
      ResultPath(b[0], g_.ax);
      break;
    case 0x1:
      draw(b[0], {g_.ax, {g_.xin1, g_.ax.y()}, {g_.xin1, t}});
      break;
    case 0x2:
      ResultPath(b[0], g_.bx);
      break;
    case 0x3:
      draw(b[0], {g_.bx, {g_.xin1, g_.bx.y()}, {g_.xin1, t}});
      break;
    case 0x4:
      ResultPath(b[0], g_.ip);
      break;
    case 0x5:
      draw(b[0], {g_.ip, {g_.xin1, g_.ip.y()}, {g_.xin1, t}});
      break;
    case 0x6:
      ResultPath(b[0], g_.op);
      break;
    case 0x7:
      draw(b[0], {{g_.xin2, t}, {g_.xin2, g_.plus1.y()}, g_.plus1});
      break;
    case 0x8: {
      const int y = g_.ar.y() + g_.dy;
      draw(
          b[0],
          {{g_.xexit, y}, {g_.xmem, y}, {g_.xmem, g_.yres}, {g_.xout, g_.yres}, {g_.xout, bottom}});
      draw(b[1], {{0, g_.ar.y()}, g_.ar});
      break;
    }
    case 0x9: {
      const int y = g_.ym9 + g_.dy;
      draw(b[0], {{g_.xexit, y}, {g_.xin2, y}, {g_.xin2, t}});
      draw(b[1], {g_.dr, {g_.xdl, g_.dr.y()}, {g_.xdl, g_.ym9}, {0, g_.ym9}});
      break;
    }
    case 0xA: {
      const int y = g_.ymA + g_.dy;
      draw(
          b[0],
          {{g_.xexit, y}, {g_.xmem, y}, {g_.xmem, g_.yres}, {g_.xout, g_.yres}, {g_.xout, bottom}});
      draw(b[1], {g_.dr, {g_.xdl, g_.dr.y()}, {g_.xdl, g_.ymA}, {0, g_.ymA}});
      break;
    }
    case 0xB:
    case 0xC: {
      const int ym = gate == 0xB ? g_.ymB : g_.ymC;
      draw(b[0], {g_.dr, {g_.xdr, g_.dr.y()}, {g_.xdr, ym}, {g_.xbexit, ym}});
      draw(b[1], {g_.ar, {g_.xbexit, g_.ar.y()}});
      break;
    }
    case 0xD:
      draw(b[0], {g_.subtr, {g_.left, g_.subtr.y()}});
      break;
    case 0xE:
      draw(b[0],
           {g_.ax, g_.signF, {DiagramGeometry::xseq, g_.signF.y()}, {DiagramGeometry::xseq, 0}});
      break;
    case 0xF:
      draw(b[0], {g_.op, {g_.xin1, g_.op.y()}, {g_.xin1, 0}});
      break;
    default:
      return;
  }
  if (arrows_) DrawArrows();
}

void DataPathPainter::DrawArrows() {
  DrawArrow(g_.xout + 50, g_.yres, ArrowDirection::Right);
  DrawArrow(g_.xout - 50, g_.yres, ArrowDirection::Left);
  DrawArrow(g_.xout - 210, g_.yres, ArrowDirection::Left);
  DrawArrow(g_.xin2, g_.top - 30, ArrowDirection::Down);
  DrawArrow(g_.xin1, g_.top - 30, ArrowDirection::Down);
  DrawArrow(DiagramGeometry::xreg, g_.top + 20, ArrowDirection::Up);
  DrawArrow(g_.xmem + 40, g_.ar.y() + g_.dy, ArrowDirection::Right);
  DrawArrow(g_.xmem + 40, g_.ymA + g_.dy, ArrowDirection::Right);
}

void DataPathPainter::DrawArrow(int x, int y, ArrowDirection direction) {
  if (reg_.painter == nullptr) return;
  std::array<QPoint, 3> stroke;
  switch (direction) {
    case ArrowDirection::Down:
      stroke = {QPoint(x - 10, y - 5), QPoint(x, y + 5), QPoint(x + 10, y - 5)};
      break;
    case ArrowDirection::Right:
      stroke = {QPoint(x - 5, y - 10), QPoint(x + 5, y), QPoint(x - 5, y + 10)};
      break;
    case ArrowDirection::Up:
      stroke = {QPoint(x - 10, y + 5), QPoint(x, y - 5), QPoint(x + 10, y + 5)};
      break;
    case ArrowDirection::Left:
      stroke = {QPoint(x + 5, y - 10), QPoint(x - 5, y), QPoint(x + 5, y + 10)};
      break;
  }
  SetPen(*reg_.painter, reg_.pen, 3);
  reg_.painter->drawPolyline(stroke.data(), 3);
}

void PaintPicture(QPainter& painter, Picture which, const DiagramGeometry& geometry,
                  const DataPathPicture& model, bool arrows) {
  PictureCanvas reg;
  PictureCanvas bus;
  (which == Picture::Register ? reg : bus).painter = &painter;
  DataPathPainter paths(geometry, model.BusLines(), arrows, reg, bus);
  const std::array<uint8_t, kRegCount> none{};
  for (int g = 0; g < kGateCount; ++g) paths.DrawGatePath(g, false, none, false);
  for (int i = 0; i < model.DrawCount(); ++i) {
    const PathDraw& draw = model.Draw(i);
    paths.DrawGatePath(draw.gate, draw.active, draw.regs, draw.sign);
  }
}

}  // namespace vellar::ui
