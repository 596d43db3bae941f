#include "ui/grid_views.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "app/mps_editor.h"
#include "app/ram_editor.h"
#include "app/variable_inspector.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

QColor ToColor(const Rgb& c) {
  return {c.r, c.g, c.b};
}

}  // namespace

// Where the look names no colour, the grid's own.
void LookGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                        const CellState& state) {
  const CellLook look = Look(col, row);
  DrawCellText(painter, rect, FromUtf8(look.text), look.align == CellAlign::Left,
               look.fill ? ToColor(*look.fill) : DefaultFill(state),
               look.textColour ? ToColor(*look.textColour) : DefaultText(state));
}

bool LookGrid::EditLeftAligned(GridCell cell) const {
  return Look(cell.col, cell.row).align == CellAlign::Left;
}

// --- MPS ---

MpsGridView::MpsGridView(QWidget* parent, const MpsGridParts& parts) : LookGrid(parent), p_(parts) {
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
  return (col >= 0 && col < MpsStore::kGridCols) ? p_.grid.colWidths[col] : 16;
}

GridCell MpsGridView::Current() const {
  return p_.grid.current;
}

bool MpsGridView::HasSelection() const {
  return p_.grid.hasSelection;
}

CellLook MpsGridView::Look(int col, int row) const {
  return p_.editor.GrMpsDrawCell(col, row);
}

QString MpsGridView::EditText(GridCell cell) const {
  return FromUtf8(p_.mps.CellText(cell.col, cell.row));
}

bool MpsGridView::EditsOnDoubleClick(GridCell cell) const {
  return cell.col == MpsStore::kDescriptionColumn || cell.col == MpsStore::kNextColumn;
}

const CellEditor& MpsGridView::ModelEditor() const {
  return p_.grid.editor;
}

bool MpsGridView::EditorAlwaysShown() const {
  return p_.grid.editorAlwaysShown;
}

void MpsGridView::SetEditText(GridCell cell, const QString& text) {
  p_.editor.GrMpsSetEditText(cell.col, cell.row, text.toStdString());
}

void MpsGridView::SelectCell(GridCell cell) {
  p_.editor.GrMpsSelectCell(cell.col, cell.row);
}

void MpsGridView::MouseDown(GridCell cell, Qt::MouseButton /*button*/, QPoint /*globalPos*/) {
  p_.editor.GrMpsMouseDown(cell.col, cell.row);
}

void MpsGridView::KeyDown(const QKeyEvent& event) {
  // Ctrl+Delete is the key hook's: it deletes the row.
  if (event.key() != Qt::Key_Delete || (event.modifiers() & Qt::ControlModifier)) return;
  p_.editor.GrMpsKeyDown(KeyCode::Delete);
  Refresh();
}

// --- RAM ---

RamGridView::RamGridView(QWidget* parent, const RamGridParts& parts)
    : LookGrid(parent), p_(parts), popup_(new QMenu(this)) {
  setToolTip(QStringLiteral("RAM-Werte"));
  ApplyScrollBars();
  popup_->setObjectName("PopupMenu1");
  QAction* define = popup_->addAction(QStringLiteral("als Variable definieren"));
  define->setObjectName("alsVariabledefinieren1");
  connect(define, &QAction::triggered, this,
          [this] { p_.inspector.alsVariabledefinieren1Click(); });
  QAction* remove = popup_->addAction(QStringLiteral("Variablendefinition zurücknehmen"));
  remove->setObjectName("Variablendefinitionzurcknehmen1");
  connect(remove, &QAction::triggered, this,
          [this] { p_.inspector.Variablendefinitionzurcknehmen1Click(); });
}

void RamGridView::ApplyScrollBars() {
  const bool assembler = p_.grid.AssemblerView();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(assembler ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int RamGridView::ColCount() const {
  return p_.grid.ColCount();
}

int RamGridView::RowCount() const {
  return p_.grid.RowCount();
}

int RamGridView::ColWidth(int col) const {
  return p_.grid.ColWidth(col);
}

GridCell RamGridView::Current() const {
  return p_.grid.current;
}

CellLook RamGridView::Look(int col, int row) const {
  return p_.editor.GrRamDrawCell(col, row);
}

QString RamGridView::EditText(GridCell cell) const {
  return FromUtf8(p_.grid.CellText(cell.col, cell.row));
}

const CellEditor& RamGridView::ModelEditor() const {
  return p_.grid.editor;
}

bool RamGridView::EditorAlwaysShown() const {
  return p_.grid.editorAlwaysShown;
}

void RamGridView::SetEditText(GridCell cell, const QString& text) {
  p_.editor.GrRamSetEditText(cell.col, cell.row, text.toStdString());
}

void RamGridView::SelectCell(GridCell cell) {
  p_.editor.GrRamSelectCell(cell.col, cell.row);
}

void RamGridView::MouseDown(GridCell cell, Qt::MouseButton button, QPoint globalPos) {
  const MouseButton which = button == Qt::RightButton  ? MouseButton::Right
                            : button == Qt::LeftButton ? MouseButton::Left
                                                       : MouseButton::Middle;
  bool open = false;
  open = p_.inspector.GrRamMouseDown(cell.col, cell.row, which);
  if (open) popup_->popup(globalPos);
}

// --- Variable inspector ---

InspectorView::InspectorView(QWidget* parent, VariableInspector& inspector)
    : StringGrid(parent), inspector_(inspector) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int InspectorView::ColCount() const {
  return inspector_.ColCount();
}

int InspectorView::RowCount() const {
  return VariableInspector::RowCount();
}

int InspectorView::ColWidth(int col) const {
  return VariableInspector::ColWidth(col);
}

GridCell InspectorView::Current() const {
  return inspector_.Current();
}

void InspectorView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                             const CellState& state) {
  DrawCellText(painter, rect, FromUtf8(inspector_.CellText(col, row)), true, DefaultFill(state),
               DefaultText(state));
}

QString InspectorView::EditText(GridCell cell) const {
  return FromUtf8(inspector_.CellText(cell.col, cell.row));
}

const CellEditor& InspectorView::ModelEditor() const {
  return inspector_.Editor();
}

bool InspectorView::EditorAlwaysShown() const {
  return inspector_.EditorAlwaysShown();
}

void InspectorView::SetEditText(GridCell cell, const QString& text) {
  inspector_.RamInspectorSetEditText(cell.col, cell.row, text.toStdString());
}

void InspectorView::SelectCell(GridCell cell) {
  inspector_.RamInspectorSelectCell(cell.col, cell.row);
}

}  // namespace vellar::ui
