#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QRect>
#include <functional>

#include "core/grid.h"

// A string grid as the models describe it: one fixed header row and column, rows of 20
// pixels, one-pixel grid lines, the column widths and the current cell of its model. It
// scrolls by whole rows and columns and keeps the header row and column in place.
namespace vellar::ui {

struct CellState {
  bool fixed = false;
  bool selected = false;
};

class StringGrid : public QAbstractScrollArea {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kLineWidth = 1;

  explicit StringGrid(QWidget* parent);

  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  virtual int ColWidth(int col) const = 0;
  virtual GridCell Current() const = 0;
  virtual bool HasSelection() const { return true; }

  // Reads the model's shape anew, brings the current cell into view when it has moved, and
  // repaints.
  void Refresh();
  // Sizes the grid so that its client area is this large.
  void SetClientHeight(int height);
  void SetClientWidth(int width);

  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  // Scrolls so that the cell is visible.
  void ScrollIntoView(GridCell cell);
  // Called with true when the grid gets the focus, with false when it loses it.
  void SetFocusHandler(std::function<void(bool)> handler) { focusHandler_ = std::move(handler); }

  // A cell's rectangle in the viewport; empty when it is scrolled out of sight.
  QRect CellRect(int col, int row) const;
  // The cell under a viewport position, {-1, -1} beyond the last cell.
  GridCell CellAt(QPoint pos) const;

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

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateScrollBars();
  // The first scrolling row (column) that still fills the client area to its end.
  int LastTopRow() const;
  int LastLeftCol() const;
  int VisibleRows() const;

  int topRow_ = 1;
  int leftCol_ = 1;
  GridCell shownCurrent_{-1, -1};
  std::function<void(bool)> focusHandler_;
};

}  // namespace vellar::ui
