#include "ui/grid_views.h"

#include <QPainter>
#include <array>

#include "app/session.h"
#include "ui/cell_looks.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

void DrawLook(const StringGrid& grid, QPainter& painter, const QRect& rect, const CellLook& look,
              const CellState& state) {
  StringGrid::DrawCellText(painter, rect, look.text, look.leftAligned,
                           look.fill.value_or(grid.DefaultFill(state)),
                           look.textColor.value_or(grid.DefaultText(state)));
}

}  // namespace

// --- MPS ---

MpsGridView::MpsGridView(QWidget* parent, const Session& session)
    : StringGrid(parent), session_(session) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setToolTip(QStringLiteral("Mikro-Programm-Speicher"));
}

int MpsGridView::ColCount() const {
  return MpsStore::kGridCols;
}

int MpsGridView::RowCount() const {
  return MpsStore::kGridRows;
}

int MpsGridView::ColWidth(int col) const {
  return (col >= 0 && col < MpsStore::kGridCols) ? session_.mpsGrid.colWidths[col] : 16;
}

GridCell MpsGridView::Current() const {
  return session_.mpsGrid.current;
}

bool MpsGridView::HasSelection() const {
  return session_.mpsGrid.hasSelection;
}

void MpsGridView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                           const CellState& state) {
  DrawLook(*this, painter, rect, MpsCellLook(session_, col, row), state);
}

// --- RAM ---

RamGridView::RamGridView(QWidget* parent, const Session& session)
    : StringGrid(parent), session_(session) {
  setToolTip(QStringLiteral("RAM-Werte"));
  ApplyScrollBars();
}

void RamGridView::ApplyScrollBars() {
  const bool assembler = session_.ramGrid.AssemblerView();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(assembler ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int RamGridView::ColCount() const {
  return session_.ramGrid.ColCount();
}

int RamGridView::RowCount() const {
  return session_.ramGrid.RowCount();
}

int RamGridView::ColWidth(int col) const {
  return session_.ramGrid.ColWidth(col);
}

GridCell RamGridView::Current() const {
  return session_.ramGrid.current;
}

void RamGridView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                           const CellState& state) {
  DrawLook(*this, painter, rect, RamCellLook(session_, col, row), state);
}

// --- Variable inspector ---

InspectorView::InspectorView(QWidget* parent, const Session& session)
    : StringGrid(parent), session_(session) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int InspectorView::ColCount() const {
  return 1 + session_.variables.ColumnCount();
}

int InspectorView::RowCount() const {
  return VariableList::kRows;
}

int InspectorView::ColWidth(int col) const {
  return col == 0 ? kCaptionWidth : kDefaultColWidth;
}

void InspectorView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                             const CellState& state) {
  static const std::array<QString, VariableList::kRows> kCaptions = {
      QStringLiteral("Speicherstelle"), QStringLiteral("Variablenname"), QStringLiteral("Wert")};
  QString text;
  if (col == 0) {
    text = kCaptions[row];
  } else if (col <= session_.variables.ColumnCount()) {
    const VariableColumn& c = session_.variables.Column(col);
    text = FromUtf8(row == 0 ? c.address : row == 1 ? c.name : c.value);
  }
  DrawCellText(painter, rect, text, true, DefaultFill(state), DefaultText(state));
}

}  // namespace vellar::ui
