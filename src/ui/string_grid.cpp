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

StringGrid::StringGrid(QWidget* parent, GridEditing& editing)
    : QAbstractScrollArea(parent), editing_(editing) {
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
  // A scroll bar moved by the user; the model moves the editor with its cell.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (settingBars_) return;
    editing_.ScrollTo(1 + v, editing_.LeftCol());
    Show();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (settingBars_) return;
    editing_.ScrollTo(editing_.TopRow(), 1 + v);
    Show();
  });
}

void StringGrid::Refresh() {
  SyncViewport();
  editing_.Refresh();
  Show();
}

void StringGrid::SetClientHeight(int height) {
  resize(width(), height + 2 * frameWidth());
}

void StringGrid::SetClientWidth(int width) {
  resize(width + 2 * frameWidth(), height());
}

void StringGrid::SyncViewport() {
  editing_.SetViewport(viewport()->width(), viewport()->height());
}

void StringGrid::ShowScrollBars() {
  settingBars_ = true;
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, editing_.LastTopRow() - 1);
  v->setPageStep(editing_.VisibleRows());
  v->setValue(editing_.TopRow() - 1);
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, editing_.LastLeftCol() - 1);
  h->setPageStep(1);
  h->setValue(editing_.LeftCol() - 1);
  settingBars_ = false;
}

QRect StringGrid::CellRect(int col, int row) const {
  const GridRect r = editing_.CellRect(col, row);
  if (r.Empty()) return {};
  return {r.x, r.y, r.width, r.height};
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
  const bool selection = editing_.ShowsSelection();
  const int leftCol = editing_.LeftCol();
  auto paintRow = [&](int row, int y) {
    int x = 0;
    for (int col = 0; col < ColCount() && x < width; col = (col == 0 ? leftCol : col + 1)) {
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
      if (col == 0 && editing_.RowMarked(row)) {
        // The breakpoint's dot in the margin at the left of the address.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(kBreakpointDot));
        painter.drawEllipse(QRect(rect.left() + 1, rect.top() + (kRowHeight - 6) / 2, 6, 6));
      }
      painter.restore();
      painter.setPen(state.fixed ? kFixedLine : kCellLine);
      painter.drawLine(rect.right() + 1, y, rect.right() + 1, y + kRowHeight);
      painter.drawLine(x, y + kRowHeight, rect.right() + 1, y + kRowHeight);
      x += ColWidth(col) + kLineWidth;
    }
  };
  // The model's own column at the right edge (the heat map), after the cells and over them.
  const int sideWidth = editing_.SideWidth();
  auto paintSide = [&](int row, int y) {
    if (sideWidth == 0) return;
    const CellLook look = editing_.SideCell(row);
    const QRect rect(width - sideWidth, y, sideWidth, kRowHeight);
    painter.setPen(kFixedLine);
    painter.drawLine(rect.left() - 1, y, rect.left() - 1, y + kRowHeight);
    DrawCellText(painter, rect, FromUtf8(look.text), false,
                 look.fill ? ToQColor(*look.fill) : kButtonFace,
                 look.textColour ? ToQColor(*look.textColour) : QColor(Qt::black));
    painter.setPen(row == 0 ? kFixedLine : kCellLine);
    painter.drawLine(rect.left(), y + kRowHeight, rect.right(), y + kRowHeight);
  };
  paintRow(0, 0);
  paintSide(0, 0);
  for (int row = editing_.TopRow(), y = kRowPitch; row < RowCount() && y < height;
       ++row, y += kRowPitch) {
    paintRow(row, y);
    paintSide(row, y);
  }
}

void StringGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  SyncViewport();
  Show();
}

void StringGrid::scrollContentsBy(int /*dx*/, int /*dy*/) {
  viewport()->update();
}

}  // namespace vellar::ui
