#include "ram/ram_cell_look.h"

#include "core/hex.h"

namespace vellar {

CellLook RamCellLook(const RamGrid& grid, const VariableList& variables, uint8_t ip, int col,
                     int row) {
  CellLook look;
  const int address = grid.CellToAddress(col, row);
  if (address >= 0 && variables.IsVariableAddress(HexByte(address))) {
    look.fill = kVariableBlue;
    look.textColour = kBlack;
  }
  if (grid.AssemblerView() && row == ip / 2 + 1) {
    look.fill = kIpBlue;
    look.textColour = kBlack;
  }
  const std::string& text = grid.CellText(col, row);
  if (grid.AssemblerView() && col == RamGrid::kInstructionColumn) {
    look.align = CellAlign::Left;
    look.text = text;
  } else {
    look.text = row == 0 ? text : NormHexByte(text);
  }
  return look;
}

}  // namespace vellar
