#include "ui/cell_looks.h"

#include "app/session.h"
#include "core/hex.h"
#include "ui/ui_style.h"

namespace vellar::ui {

CellLook MpsCellLook(const Session& session, int col, int row) {
  CellLook look;
  if (!session.flags.GatesAutomatic) {
    look.textColor = kManualText;
  } else if (row == session.phases.CurrentRow) {
    look.fill = kOpGreen;
    look.textColor = QColor(Qt::black);
  }
  const std::string text = session.mps.CellText(col, row);
  if (col == MpsStore::kDescriptionColumn) {
    look.leftAligned = true;
    look.text = FromUtf8(text);
  } else if (col == MpsStore::kNextColumn && row > 0) {
    look.text = FromUtf8(NormHexByte(text));
  } else {
    look.text = FromUtf8(text);
  }
  return look;
}

CellLook RamCellLook(const Session& session, int col, int row) {
  const RamGrid& grid = session.ramGrid;
  CellLook look;
  switch (session.ramView.CellMark(col, row)) {
    case RamCellMark::Variable:
      look.fill = kVariableColor;
      look.textColor = QColor(Qt::black);
      break;
    case RamCellMark::InstructionPointer:
      look.fill = kIpBlue;
      look.textColor = QColor(Qt::black);
      break;
    case RamCellMark::None:
      break;
  }
  const std::string& text = grid.CellText(col, row);
  if (grid.AssemblerView() && col == RamGrid::kInstructionColumn) {
    look.leftAligned = true;
    look.text = FromUtf8(text);
  } else {
    look.text = FromUtf8(row == 0 ? text : NormHexByte(text));
  }
  return look;
}

}  // namespace vellar::ui
