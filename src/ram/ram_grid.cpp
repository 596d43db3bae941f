#include "ram/ram_grid.h"

#include "core/hex.h"

namespace vellar {

namespace {
const std::string kEmpty;
}

RamGrid::RamGrid(const MpsStore& mps) : mps_(mps) {
  Bytes zero{};
  ShowRamData(zero);
}

int RamGrid::ColWidth(int col) const {
  if (col == 0) return 30;
  if (assemblerView_ && col == kInstructionColumn) return 220;
  return DefaultColWidth();
}

const std::string& RamGrid::CellText(int col, int row) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return kEmpty;
  return cells_[Index(col, row)];
}

void RamGrid::SetCellText(int col, int row, std::string_view text) {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return;
  cells_[Index(col, row)] = text;
}

int RamGrid::CellToAddress(int col, int row) const {
  if (row < 1) return -1;
  if (assemblerView_) {
    if (col < 1 || col > 2 || row >= kAsmRows) return -1;
    return 2 * (row - 1) + (col - 1);
  }
  if (col < 1 || col > 16 || row >= kDataRows) return -1;
  return 16 * (row - 1) + (col - 1);
}

GridCell RamGrid::AddressToCell(int address) const {
  if (address < 0) return {current.col, 1};
  address &= 0xFF;
  if (assemblerView_) return {address % 2 + 1, address / 2 + 1};
  return {address % 16 + 1, address / 16 + 1};
}

void RamGrid::ShowRamByte(int address, uint8_t value) {
  if (address < 0) return;
  const GridCell cell = AddressToCell(address);
  WriteHexByte(cells_[Index(cell.col, cell.row)], value);
  if (assemblerView_) DisassembleLine(cell.row);
}

const std::string& RamGrid::InstructionDescription(uint8_t opcode) const {
  if (opcode <= 0x09) return kEmpty;
  return mps_.Description(opcode);
}

void RamGrid::DisassembleLine(int row) {
  if (!assemblerView_ || row < 1 || row >= rows_) return;
  const auto opcode = static_cast<uint8_t>(ParseHex(CellText(kOpColumn, row)) & 0xFF);
  std::string& text = cells_[Index(kInstructionColumn, row)];
  if (opcode <= 0x09) {
    text.clear();
    return;
  }
  const std::string& description = mps_.Description(opcode);
  const size_t pos = description.find("nn");
  // Reuse the cell's buffer: a run writes memory, and a clock allocates nothing.
  text.assign(description, 0, pos);
  if (pos != std::string::npos) {
    text += CellText(kOperandColumn, row);
    text.append(description, pos + 2, std::string::npos);
  }
}

void RamGrid::Build(int cols, int rows, const Bytes& ram) {
  cols_ = cols;
  rows_ = rows;
  cells_.assign(static_cast<size_t>(cols) * rows, std::string());
  // The cells are new: a text being typed belonged to an old one and must not come back.
  editor.Close();
  if (assemblerView_) {
    SetCellText(0, 0, "RAS");
    SetCellText(kOpColumn, 0, "OP");
    SetCellText(kOperandColumn, 0, "nn");
    SetCellText(kInstructionColumn, 0, "Befehl");
  } else {
    SetCellText(0, 0, "RAD");
    for (int c = 1; c < cols; ++c) SetCellText(c, 0, HexByte(c - 1));
  }
  for (int a = 0; a < kRamSize; ++a) ShowRamByte(a, ram[a]);
  for (int r = 1; r < rows; ++r) SetCellText(0, r, HexByte((r - 1) * BytesPerLine()));
  if (assemblerView_) {
    for (int r = 1; r < rows; ++r) DisassembleLine(r);
  }
  if (current.col >= cols_) current.col = cols_ - 1;
  if (current.row >= rows_) current.row = rows_ - 1;
}

void RamGrid::ShowRamData(const Bytes& ram) {
  assemblerView_ = false;
  Build(kDataCols, kDataRows, ram);
}

void RamGrid::ShowRamAssembler(const Bytes& ram) {
  assemblerView_ = true;
  Build(kAsmCols, kAsmRows, ram);
}

}  // namespace vellar
