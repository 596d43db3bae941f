#include "app/ram_editor.h"

#include "core/hex.h"
#include "ram/assembler.h"
#include "ram/ram_shift.h"

namespace vellar {

RamEditor::RamEditor(const Parts& parts) : p_(parts) {}

void RamEditor::GrRamSetEditText(int col, int row, std::string_view text) {
  RamGrid& grid = p_.grid;
  if (col < 1 || col >= grid.ColCount() || row < 1 || row >= grid.RowCount()) return;
  if (grid.editor.noCell) return;
  const bool instruction = grid.AssemblerView() && col == RamGrid::kInstructionColumn;
  const int address = instruction ? 2 * (row - 1) : grid.CellToAddress(col, row);
  const auto edit = p_.history.Edit({EditTarget::Ram, {col, row}, address, &grid.editor});
  grid.editor.Typed({col, row}, text);
  if (instruction) {
    grid.SetCellText(col, row, text);
    AssembleLine(row);
  } else {
    ByteInput(address, col, row, text);
  }
  p_.memory.UpdateVariables();
  p_.frontend.Invalidate(kRedrawRamGrid);
}

// The text may be longer than two digits ("123" stores 23); drawing shows the byte.
void RamEditor::ByteInput(int address, int col, int row, std::string_view text) {
  const HexEntryFix fix = FixHexEntry(text);
  if (fix.invalid) p_.frontend.ShowMessage(kInvalidEntryMessage);
  if (fix.replace) {
    p_.grid.SetCellText(col, row, fix.text);
    p_.grid.editor.Replace(fix.text, true);
  } else {
    p_.grid.SetCellText(col, row, text);
  }
  StoreByte(address, static_cast<uint8_t>(ParseHex(p_.grid.CellText(col, row)) & 0xFF));
  p_.memory.SetRamChanged(true);
  p_.grid.DisassembleLine(row);
}

// Writes the cells and bytes directly and leaves RamChanged alone: an instruction typed in
// the "Befehl" column is no change of memory for the save prompt.
bool RamEditor::AssembleLine(int row) {
  RamGrid& grid = p_.grid;
  if (!grid.AssemblerView() || row < 1 || row >= grid.RowCount()) return false;
  const int address = 2 * (row - 1);
  const AsmMatch match = MatchInstruction(p_.mps, grid.CellText(RamGrid::kInstructionColumn, row));
  if (match.empty) {
    grid.SetCellText(RamGrid::kOpColumn, row, "00");
    grid.SetCellText(RamGrid::kOperandColumn, row, "00");
    StoreByte(address, 0);
    StoreByte(address + 1, 0);
    return true;
  }
  // Every match is entered in turn, so the highest address is the one that stays.
  for (uint8_t opcode : match.opcodes) {
    grid.SetCellText(RamGrid::kOpColumn, row, HexByte(opcode));
    StoreByte(address, opcode);
    if (!match.operand) {
      grid.SetCellText(RamGrid::kOperandColumn, row, "00");
      StoreByte(address + 1, 0);
    } else {
      const HexEntryFix fix = FixHexEntry(*match.operand);
      if (fix.invalid) p_.frontend.ShowMessage(kInvalidEntryMessage);
      if (fix.replace) {
        grid.SetCellText(RamGrid::kOperandColumn, row, fix.text);
        StoreByte(address + 1, static_cast<uint8_t>(ParseHex(fix.text) & 0xFF));
      }
    }
    grid.DisassembleLine(row);
    grid.editor.Replace(grid.CellText(RamGrid::kInstructionColumn, row), true);
  }
  return !match.opcodes.empty();
}

void RamEditor::GrRamSelectCell(int col, int row) {
  RamGrid& grid = p_.grid;
  if (col < 0 || row < 0) {
    grid.editor.Missed();
    p_.frontend.Invalidate(kRedrawRamGrid);
    return;
  }
  if (col >= grid.ColCount() || row >= grid.RowCount()) return;
  grid.editor.Chosen();
  if (grid.current == GridCell{col, row}) return;
  grid.current = {col, row};
  grid.editor.Close();
  p_.frontend.Invalidate(kRedrawRamGrid);
}

void RamEditor::GrRamEnter() {
  gridFocused_ = true;
  p_.grid.editorAlwaysShown = true;
  p_.flags.GridEditing = true;
}

void RamEditor::GrRamExit() {
  gridFocused_ = false;
  p_.grid.editorAlwaysShown = false;
  p_.grid.editor.Close();
  p_.flags.GridEditing = false;
}

void RamEditor::InsertRamLine() {
  if (!p_.grid.AssemblerView()) return;
  const GridCell at = p_.grid.current;
  const auto edit = p_.history.Edit({EditTarget::Ram, at, 2 * (at.row - 1)});
  vellar::InsertRamLine(p_.memory, p_.mps, p_.grid.current.row - 1);
  p_.frontend.Invalidate(kRedrawRamGrid);
}

void RamEditor::DeleteRamLine() {
  if (!p_.grid.AssemblerView()) return;
  const GridCell at = p_.grid.current;
  const auto edit = p_.history.Edit({EditTarget::Ram, at, 2 * (at.row - 1)});
  vellar::DeleteRamLine(p_.memory, p_.mps, p_.grid.current.row - 1);
  p_.frontend.Invalidate(kRedrawRamGrid);
}

CellLook RamEditor::GrRamDrawCell(int col, int row) const {
  CellLook look;
  switch (p_.view.CellMark(col, row)) {
    case RamCellMark::Variable:
      look.fill = kVariableBlue;
      look.textColour = kBlack;
      break;
    case RamCellMark::InstructionPointer:
      look.fill = kIpBlue;
      look.textColour = kBlack;
      break;
    case RamCellMark::None:
      break;
  }
  const std::string& text = p_.grid.CellText(col, row);
  if (p_.grid.AssemblerView() && col == RamGrid::kInstructionColumn) {
    look.align = CellAlign::Left;
    look.text = text;
  } else {
    look.text = row == 0 ? text : NormHexByte(text);
  }
  return look;
}

}  // namespace vellar
