#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QRect>

#include "app/grid_editing.h"
#include "core/grid.h"

class QKeyEvent;

// A string grid as the models describe it: one fixed header row and column, rows of 20
// pixels, one-pixel grid lines, the column widths and the current cell of its model. It
// scrolls by whole rows and columns and keeps the header row and column in place.
//
// What the user does to it is decided by its GridEditing in the session: the grid hands it
// the cell under the pointer, the keys, the wheel and the focus, and shows the rows, the
// current cell and the in-place editor as it leaves them.
namespace vellar::ui {

class GridEditor;

struct CellState {
  bool fixed = false;
  bool selected = false;
};

class StringGrid : public QAbstractScrollArea {
 public:
  static constexpr int kRowHeight = GridEditing::kRowHeight;
  static constexpr int kLineWidth = GridEditing::kLineWidth;

  StringGrid(QWidget* parent, GridEditing& editing);

  int ColCount() const { return editing_.ColCount(); }
  int RowCount() const { return editing_.RowCount(); }
  int ColWidth(int col) const { return editing_.ColWidth(col); }
  GridCell Current() const { return editing_.Current(); }

  // Shows the model anew: the current cell brought into view when it has moved, the cell
  // editor as the model leaves it.
  void Refresh();
  // Sizes the grid so that its client area is this large.
  void SetClientHeight(int height);
  void SetClientWidth(int width);

  int TopRow() const { return editing_.TopRow(); }
  int LeftCol() const { return editing_.LeftCol(); }
  bool Entered() const { return editing_.Entered(); }

  // A cell's rectangle in the viewport; empty when it is scrolled out of sight.
  QRect CellRect(int col, int row) const;
  // The in-place editor; hidden while no cell is being edited.
  GridEditor* Editor() const { return editor_; }

  // Draws a text as the grid's cells do: 2 pixels below the top, left-aligned 4 pixels in or
  // centred, over the cell filled first.
  static void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                           bool leftAligned, const QColor& fill, const QColor& color);
  // The fill and text colour of a cell before any mark of its own.
  QColor DefaultFill(const CellState& state) const;
  QColor DefaultText(const CellState& state) const;

 protected:
  // Draws a cell's text and marks over the background the grid has painted.
  virtual void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                        const CellState& state) = 0;
  // The model asks for the popup menu at the pointer.
  virtual void OpenPopup(QPoint /*globalPos*/) {}

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  friend class GridEditor;

  // The client area's size, as the model counts rows and columns by it.
  void SyncViewport();
  // Shows the scroll bars and the editor as the model leaves them, and repaints.
  void Show();
  void ShowScrollBars();
  void ShowEditor();
  void MousePress(QPoint pos, Qt::MouseButton button, QPoint globalPos, bool doubleClick);
  // A key that reached the open editor; true when the model took it.
  bool EditorKey(const QKeyEvent& event);
  void EditorEdited(const QString& text);
  // Focus moving between the grid and its editor is no entering or leaving.
  void FocusGained(bool byPress);
  void FocusLost(const QFocusEvent& event);
  // The focus went to this control. Left for another window (a file dialog), the grid saw
  // only a window switch; when the focus comes back to another control of this window, the
  // grid is left all the same.
  void FocusMoved(const QWidget* now);

  GridEditing& editing_;
  GridEditor* editor_;
  unsigned shownSelectStamp_ = 0;
  // The scroll bars are being set from the model: their moves are no user's.
  bool settingBars_ = false;
  // Wheel angle not yet a whole step (touchpads).
  QPoint wheelRest_;
};

// The grid's key as the model tells keys apart.
GridKeyEvent GridKeyOf(const QKeyEvent& event);

}  // namespace vellar::ui
