#include "ui/grid_views.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "app/session.h"
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

MpsGridView::MpsGridView(QWidget* parent, Session& session, HandlerGuard& guard)
    : LookGrid(parent, session, guard) {
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

CellLook MpsGridView::Look(int col, int row) const {
  return session_.mpsEditor.GrMpsDrawCell(col, row);
}

QString MpsGridView::EditText(GridCell cell) const {
  return FromUtf8(session_.mps.CellText(cell.col, cell.row));
}

bool MpsGridView::EditsOnDoubleClick(GridCell cell) const {
  return cell.col == MpsStore::kDescriptionColumn || cell.col == MpsStore::kNextColumn;
}

const CellEditor& MpsGridView::ModelEditor() const {
  return session_.mpsGrid.editor;
}

bool MpsGridView::EditorAlwaysShown() const {
  return session_.mpsGrid.editorAlwaysShown;
}

void MpsGridView::SetEditText(GridCell cell, const QString& text) {
  Call([&] { session_.mpsEditor.GrMpsSetEditText(cell.col, cell.row, text.toStdString()); });
}

void MpsGridView::SelectCell(GridCell cell) {
  Call([&] { session_.mpsEditor.GrMpsSelectCell(cell.col, cell.row); });
}

void MpsGridView::MouseDown(GridCell cell, Qt::MouseButton /*button*/, QPoint /*globalPos*/) {
  Call([&] { session_.mpsEditor.GrMpsMouseDown(cell.col, cell.row); });
}

void MpsGridView::KeyDown(const QKeyEvent& event) {
  // Ctrl+Delete is the key hook's: it deletes the row.
  if (event.key() != Qt::Key_Delete || (event.modifiers() & Qt::ControlModifier)) return;
  Call([&] { session_.mpsEditor.GrMpsKeyDown(KeyCode::Delete); });
  Refresh();
}

// --- RAM ---

RamGridView::RamGridView(QWidget* parent, Session& session, HandlerGuard& guard)
    : LookGrid(parent, session, guard), popup_(new QMenu(this)) {
  setToolTip(QStringLiteral("RAM-Werte"));
  ApplyScrollBars();
  popup_->setObjectName("PopupMenu1");
  QAction* define = popup_->addAction(QStringLiteral("als Variable definieren"));
  define->setObjectName("alsVariabledefinieren1");
  connect(define, &QAction::triggered, this,
          [this] { Call([&] { session_.inspector.alsVariabledefinieren1Click(); }); });
  QAction* remove = popup_->addAction(QStringLiteral("Variablendefinition zurücknehmen"));
  remove->setObjectName("Variablendefinitionzurcknehmen1");
  connect(remove, &QAction::triggered, this,
          [this] { Call([&] { session_.inspector.Variablendefinitionzurcknehmen1Click(); }); });
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

CellLook RamGridView::Look(int col, int row) const {
  return session_.ramEditor.GrRamDrawCell(col, row);
}

QString RamGridView::EditText(GridCell cell) const {
  return FromUtf8(session_.ramGrid.CellText(cell.col, cell.row));
}

const CellEditor& RamGridView::ModelEditor() const {
  return session_.ramGrid.editor;
}

bool RamGridView::EditorAlwaysShown() const {
  return session_.ramGrid.editorAlwaysShown;
}

void RamGridView::SetEditText(GridCell cell, const QString& text) {
  Call([&] { session_.ramEditor.GrRamSetEditText(cell.col, cell.row, text.toStdString()); });
}

void RamGridView::SelectCell(GridCell cell) {
  Call([&] { session_.ramEditor.GrRamSelectCell(cell.col, cell.row); });
}

void RamGridView::MouseDown(GridCell cell, Qt::MouseButton button, QPoint globalPos) {
  const MouseButton which = button == Qt::RightButton  ? MouseButton::Right
                            : button == Qt::LeftButton ? MouseButton::Left
                                                       : MouseButton::Middle;
  bool open = false;
  Call([&] { open = session_.inspector.GrRamMouseDown(cell.col, cell.row, which); });
  if (open) popup_->popup(globalPos);
}

// --- Variable inspector ---

InspectorView::InspectorView(QWidget* parent, Session& session, HandlerGuard& guard)
    : SessionGrid(parent, session, guard) {
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

GridCell InspectorView::Current() const {
  return session_.inspector.Current();
}

void InspectorView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                             const CellState& state) {
  DrawCellText(painter, rect, FromUtf8(session_.inspector.CellText(col, row)), true,
               DefaultFill(state), DefaultText(state));
}

QString InspectorView::EditText(GridCell cell) const {
  return FromUtf8(session_.inspector.CellText(cell.col, cell.row));
}

const CellEditor& InspectorView::ModelEditor() const {
  return session_.inspector.Editor();
}

bool InspectorView::EditorAlwaysShown() const {
  return session_.inspector.EditorAlwaysShown();
}

void InspectorView::SetEditText(GridCell cell, const QString& text) {
  Call([&] { session_.inspector.RamInspectorSetEditText(cell.col, cell.row, text.toStdString()); });
}

void InspectorView::SelectCell(GridCell cell) {
  Call([&] { session_.inspector.RamInspectorSelectCell(cell.col, cell.row); });
}

}  // namespace vellar::ui
