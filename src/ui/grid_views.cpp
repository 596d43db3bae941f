#include "ui/grid_views.h"

#include <QPainter>

#include "app/session.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

QColor ToColor(const Rgb& c) {
  return {c.r, c.g, c.b};
}

// Draws a cell as the session says it looks; where it names no colour, the grid's own.
void DrawLook(const StringGrid& grid, QPainter& painter, const QRect& rect, const CellLook& look,
              const CellState& state) {
  StringGrid::DrawCellText(painter, rect, FromUtf8(look.text), look.align == CellAlign::Left,
                           look.fill ? ToColor(*look.fill) : grid.DefaultFill(state),
                           look.textColour ? ToColor(*look.textColour) : grid.DefaultText(state));
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
  DrawLook(*this, painter, rect, session_.mpsEditor.GrMpsDrawCell(col, row), state);
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
  DrawLook(*this, painter, rect, session_.ramEditor.GrRamDrawCell(col, row), state);
}

// --- Variable inspector ---

InspectorView::InspectorView(QWidget* parent, const Session& session)
    : StringGrid(parent), session_(session) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int InspectorView::ColCount() const {
  return session_.inspector.ColCount();
}

int InspectorView::RowCount() const {
  return VariableInspector::RowCount();
}

int InspectorView::ColWidth(int col) const {
  return VariableInspector::ColWidth(col);
}

void InspectorView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                             const CellState& state) {
  DrawCellText(painter, rect, FromUtf8(session_.inspector.CellText(col, row)), true,
               DefaultFill(state), DefaultText(state));
}

}  // namespace vellar::ui
