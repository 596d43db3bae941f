#include "ui/string_grid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "core/cell_look.h"
#include "ui/grid_editor.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {
constexpr int kRowPitch = StringGrid::kRowHeight + StringGrid::kLineWidth;
constexpr QColor kFixedLine{0, 0, 0};
constexpr QColor kCellLine{176, 176, 176};
}  // namespace

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFont(GridFont());
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Window, Qt::white);
  viewport()->setPalette(palette);
  editor_ = new GridEditor(*this);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { FocusMoved(now); });
  // The editor moves with its cell, and goes while the cell is out of sight.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    topRow_ = 1 + v;
    SyncEditor();
    viewport()->update();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    leftCol_ = 1 + v;
    SyncEditor();
    viewport()->update();
  });
}

void StringGrid::Refresh() {
  UpdateScrollBars();
  const GridCell current = Current();
  if (current != shownCurrent_) {
    shownCurrent_ = current;
    if (!keepView_) ScrollIntoView(current);
  }
  SyncEditor();
  viewport()->update();
}

void StringGrid::SetClientHeight(int height) {
  resize(width(), height + 2 * frameWidth());
}

void StringGrid::SetClientWidth(int width) {
  resize(width + 2 * frameWidth(), height());
}

int StringGrid::VisibleRows() const {
  // A row is in sight when its cell is; the grid line below the last one may be cut off (the
  // inspector is exactly three cells high).
  return std::max(1, (viewport()->height() - kRowPitch + kLineWidth) / kRowPitch);
}

int StringGrid::LastTopRow() const {
  return std::max(1, RowCount() - VisibleRows());
}

int StringGrid::LastLeftCol() const {
  int room = viewport()->width() - (ColWidth(0) + kLineWidth);
  int col = ColCount();
  while (col > 1 && room >= ColWidth(col - 1) + kLineWidth) {
    room -= ColWidth(col - 1) + kLineWidth;
    --col;
  }
  return std::max(1, col);
}

void StringGrid::UpdateScrollBars() {
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, LastTopRow() - 1);
  v->setPageStep(VisibleRows());
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, LastLeftCol() - 1);
  h->setPageStep(1);
  topRow_ = 1 + v->value();
  leftCol_ = 1 + h->value();
}

void StringGrid::ScrollIntoView(GridCell cell) {
  if (cell.row >= 1) {
    if (cell.row < topRow_) {
      verticalScrollBar()->setValue(cell.row - 1);
    } else if (cell.row >= topRow_ + VisibleRows()) {
      verticalScrollBar()->setValue(cell.row - VisibleRows());
    }
  }
  if (cell.col >= 1) {
    if (cell.col < leftCol_) {
      horizontalScrollBar()->setValue(cell.col - 1);
    } else {
      // Scroll right until the cell's right edge lies inside the client area.
      while (leftCol_ < LastLeftCol() && CellRect(cell.col, 0).right() >= viewport()->width()) {
        horizontalScrollBar()->setValue(leftCol_);
      }
    }
  }
}

QRect StringGrid::CellRect(int col, int row) const {
  int x = 0;
  if (col >= 1) {
    if (col < leftCol_) return {};
    x = ColWidth(0) + kLineWidth;
    for (int c = leftCol_; c < col; ++c) x += ColWidth(c) + kLineWidth;
  }
  int y = 0;
  if (row >= 1) {
    if (row < topRow_) return {};
    y = kRowPitch * (1 + row - topRow_);
  }
  return {x, y, ColWidth(col), kRowHeight};
}

GridCell StringGrid::CellAt(QPoint pos) const {
  GridCell cell{-1, -1};
  int x = ColWidth(0) + kLineWidth;
  if (pos.x() >= 0 && pos.x() < x) cell.col = 0;
  for (int c = leftCol_; cell.col < 0 && c < ColCount(); ++c) {
    x += ColWidth(c) + kLineWidth;
    if (pos.x() < x) cell.col = c;
  }
  if (pos.y() >= 0 && pos.y() < kRowPitch) {
    cell.row = 0;
  } else if (pos.y() >= kRowPitch) {
    const int row = topRow_ + pos.y() / kRowPitch - 1;
    if (row < RowCount()) cell.row = row;
  }
  if (cell.col < 0 || cell.row < 0) return {-1, -1};
  return cell;
}

QColor StringGrid::DefaultFill(const CellState& state) const {
  if (state.fixed) return kButtonFace;
  return state.selected ? palette().color(QPalette::Highlight) : QColor(Qt::white);
}

QColor StringGrid::DefaultText(const CellState& state) const {
  if (state.selected && !state.fixed) return palette().color(QPalette::HighlightedText);
  return Qt::black;
}

void StringGrid::DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                              bool leftAligned, const QColor& fill, const QColor& color) {
  painter.fillRect(rect, fill);
  painter.setPen(color);
  const QRect textRect =
      rect.adjusted(leftAligned ? kCellTextLeftInset : 0, kCellTextTopInset, 0, 0);
  painter.drawText(textRect, (leftAligned ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop, text);
}

void StringGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.setFont(font());
  const int width = viewport()->width();
  const int height = viewport()->height();
  const GridCell current = Current();
  const bool selection = HasSelection();
  auto paintRow = [&](int row, int y) {
    int x = 0;
    for (int col = 0; col < ColCount() && x < width; col = (col == 0 ? leftCol_ : col + 1)) {
      const QRect rect(x, y, ColWidth(col), kRowHeight);
      CellState state;
      state.fixed = col == 0 || row == 0;
      state.selected = selection && !state.fixed && current == GridCell{col, row};
      painter.save();
      painter.setClipRect(rect);
      painter.fillRect(rect, DefaultFill(state));
      if (state.fixed) {
        // Raised header cells.
        painter.setPen(Qt::white);
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
      }
      DrawCell(painter, col, row, rect, state);
      painter.restore();
      painter.setPen(state.fixed ? kFixedLine : kCellLine);
      painter.drawLine(rect.right() + 1, y, rect.right() + 1, y + kRowHeight);
      painter.drawLine(x, y + kRowHeight, rect.right() + 1, y + kRowHeight);
      x += ColWidth(col) + kLineWidth;
    }
  };
  paintRow(0, 0);
  for (int row = topRow_, y = kRowPitch; row < RowCount() && y < height; ++row, y += kRowPitch) {
    paintRow(row, y);
  }
}

void StringGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  SyncEditor();
}

void StringGrid::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

}  // namespace vellar::ui
