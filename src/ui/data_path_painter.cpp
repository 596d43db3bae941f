#include "ui/data_path_painter.h"

#include <QPainter>
#include <QPen>

namespace vellar::ui {

namespace {

constexpr QColor kBitOne{255, 255, 0};
constexpr QColor kBitZero{255, 0, 0};

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
                                   const PathRoute& route) {
  if (route.count < 2) return;
  const int width = lines == 1 ? 3 : 1;
  std::array<QPoint, kMaxRoutePoints> points{};
  for (int k = 0; k < lines; ++k) {
    canvas.pen = !active ? QColor(Qt::black) : ((value >> k) & 1) ? kBitOne : kBitZero;
    if (canvas.painter == nullptr) continue;
    const PathRoute line = BusLine(route, lines, k);
    for (int j = 0; j < line.count; ++j) points[j] = ToQPoint(line.points[j]);
    SetPen(*canvas.painter, canvas.pen, width);
    canvas.painter->drawPolyline(points.data(), line.count);
  }
}

void DataPathPainter::DrawGatePath(int gate, bool active,
                                   const std::array<uint8_t, kRegCount>& regs, bool sign) {
  // Which value each bus carries, on which picture and with how many lines, and where it
  // runs, are the model's; here only the lines are drawn.
  const GatePath& path = GatePathOf(gate);
  const std::array<PathRoute, 2> routes = GateRoutes(g_, gate);
  for (int i = 0; i < path.count; ++i) {
    const PathBus& bus = path.buses[i];
    DrawBusLines(bus.picture == PathPicture::Register ? reg_ : bus_, active,
                 PathLines(bus, busLines_), PathValue(bus.source, regs, sign), routes[i]);
  }
  if (arrows_) DrawArrows();
}

void DataPathPainter::DrawArrows() {
  if (reg_.painter == nullptr) return;
  for (const auto& stroke : ArrowStrokes(g_)) {
    const std::array<QPoint, 3> points{ToQPoint(stroke[0]), ToQPoint(stroke[1]),
                                       ToQPoint(stroke[2])};
    SetPen(*reg_.painter, reg_.pen, 3);
    reg_.painter->drawPolyline(points.data(), 3);
  }
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
