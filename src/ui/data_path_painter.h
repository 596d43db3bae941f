#pragma once

#include <QColor>
#include <array>
#include <cstdint>

#include "app/data_path.h"
#include "app/path_values.h"
#include "core/machine.h"
#include "ui/data_path_geometry.h"

class QPainter;

// Draws the sixteen gate paths of the data-path picture: each bus as eight one-pixel lines,
// one per bit, or as one three-pixel line; highlighted bits yellow for 1 and red for 0.
namespace vellar::ui {

enum class Picture { Register, Bus };

// One of the two pictures. Its painter is null while the other picture is being painted:
// the pen is still followed, because the arrows take the colour the last line left.
struct PictureCanvas {
  QPainter* painter = nullptr;
  QColor pen = Qt::black;
};

class DataPathPainter {
 public:
  DataPathPainter(const DiagramGeometry& geometry, int busLines, bool arrows,
                  PictureCanvas& registerPicture, PictureCanvas& busPicture);

  // Draws one gate's path with the values of the moment it stands for, then the arrows.
  void DrawGatePath(int gate, bool active, const std::array<uint8_t, kRegCount>& regs, bool sign);
  void DrawBusLines(PictureCanvas& canvas, bool active, int lines, uint8_t value,
                    const PathRoute& route);

 private:
  void DrawArrows();

  const DiagramGeometry& g_;
  int busLines_;
  bool arrows_;
  PictureCanvas& reg_;
  PictureCanvas& bus_;
};

// Paints one picture as it stands now: every path black, then the highlights and
// un-highlights drawn since the last full repaint, in their order.
void PaintPicture(QPainter& painter, Picture which, const DiagramGeometry& geometry,
                  const DataPathPicture& model, bool arrows);

}  // namespace vellar::ui
