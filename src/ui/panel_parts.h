#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

#include "ui/data_path_geometry.h"
#include "ui/data_path_painter.h"

class QLabel;

// The pieces the window's panels are made of, at their design positions.
namespace vellar {
struct FormLabel;
class GateControl;
class RegisterFields;
struct MenuOptions;
}  // namespace vellar

namespace vellar::ui {

// A panel in its own colour, flat or with a lowered bevel.
class ColourPanel : public QFrame {
 public:
  ColourPanel(QWidget* parent, const char* name, const QColor& color, bool lowered);
};

// What the panels of the data path show and forward to: the picture with the arrowhead
// option, the register fields and the gate buttons.
struct DataPathParts {
  const DataPathPicture& picture;
  const MenuOptions& menu;
  RegisterFields& registers;
  const GateControl& gates;
};

// A panel with one of the data-path pictures beneath its controls.
class PicturePanel : public ColourPanel {
 public:
  PicturePanel(QWidget* parent, const char* name, const QColor& color, Picture which,
               const DiagramGeometry& geometry, const DataPathPicture& picture,
               const MenuOptions& menu);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture which_;
  const DiagramGeometry& geometry_;
  const DataPathPicture& picture_;
  const MenuOptions& menu_;
};

// A label at its place; with a buddy, its underlined letter with Alt focuses the buddy.
QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, QWidget* buddy = nullptr);
// A label of the form's table at its place.
QLabel* AddLabel(QWidget* parent, const FormLabel& label, QWidget* buddy = nullptr);
// The panel's caption at (6, 6).
QLabel* AddCaption(QWidget* parent, const QString& text);
// The gate's digit above its button, 23 x 16.
QLabel* AddGateNumber(QWidget* parent, int gate, int x, int y);
// The coloured rectangle of 33 x 27 behind a register field.
QWidget* AddBackdrop(QWidget* parent, const QColor& color, int x, int y);
// A small panel of 25 x 21 without bevel that shows one character (PaSignF, PaSubtr, PaPlus1).
QLabel* AddValuePanel(QWidget* parent, const char* name, const QString& text, int x, int y);

}  // namespace vellar::ui
