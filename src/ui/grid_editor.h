#pragma once

#include <QLineEdit>

// The in-place editor of a string grid: a frameless line edit over the current cell. It hands
// its whole text to the grid after every change, and passes on to the grid the keys that
// move between cells and the mouse buttons that are the grid's.
namespace vellar::ui {

class StringGrid;

class GridEditor : public QLineEdit {
 public:
  explicit GridEditor(StringGrid& grid);

  // A key the grid received while the editor stood open over its current cell: the editor's
  // own, as if it had had the focus.
  void Key(QKeyEvent* event) { keyPressEvent(event); }
  // The text stands where the cell draws its own: 4 pixels in, or centred.
  void SetLeftAligned(bool left);
  void SetTextColour(const QColor& colour);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Centred text: the line edit's own centring rounds otherwise than the cells' drawing does,
  // so the text is placed by a margin computed like the cell's.
  void PlaceText();

  StringGrid& grid_;
  bool leftAligned_ = true;
};

}  // namespace vellar::ui
