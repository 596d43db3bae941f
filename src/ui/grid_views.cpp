#include "ui/grid_views.h"

#include <QMenu>
#include <QPainter>

#include "app/grids.h"
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

// --- MPS ---

MpsGridView::MpsGridView(QWidget* parent, const MpsGridParts& parts)
    : LookGrid(parent, parts.editing), editor_(parts.editor) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setToolTip(FromUtf8(kMpsGridHint));
}

CellLook MpsGridView::Look(int col, int row) const {
  return editor_.GrMpsDrawCell(col, row);
}

// --- RAM ---

RamGridView::RamGridView(QWidget* parent, const RamGridParts& parts)
    : LookGrid(parent, parts.editing),
      grid_(parts.grid),
      editor_(parts.editor),
      popup_(new QMenu(this)) {
  setToolTip(FromUtf8(kRamGridHint));
  ApplyScrollBars();
  popup_->setObjectName(FromUtf8(kRamPopupName));
  VariableInspector& inspector = parts.inspector;
  for (const PopupItem& item : kRamPopup) {
    QAction* action = popup_->addAction(FromUtf8(item.caption));
    action->setObjectName(FromUtf8(item.name));
    connect(action, &QAction::triggered, this,
            [&inspector, command = item.command] { (inspector.*command)(); });
  }
}

void RamGridView::ApplyScrollBars() {
  const bool assembler = grid_.AssemblerView();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(assembler ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

CellLook RamGridView::Look(int col, int row) const {
  return editor_.GrRamDrawCell(col, row);
}

void RamGridView::OpenPopup(QPoint globalPos) {
  popup_->popup(globalPos);
}

// --- Variable inspector ---

InspectorView::InspectorView(QWidget* parent, const RamGridParts& parts)
    : StringGrid(parent, parts.inspectorEditing), inspector_(parts.inspector) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void InspectorView::DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                             const CellState& state) {
  DrawCellText(painter, rect, FromUtf8(inspector_.CellText(col, row)), true, DefaultFill(state),
               DefaultText(state));
}

}  // namespace vellar::ui
