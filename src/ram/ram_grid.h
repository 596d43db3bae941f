#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "core/machine.h"
#include "mps/mps_store.h"

// The RAM grid as data: its two views (16 bytes a line, or two-byte assembler lines with the
// instruction text derived from the MPS descriptions), the cell texts, the current cell, and
// the mapping between addresses and cells. A byte cell may hold a text the user is still
// typing ("123" while the byte is 0x23); the cell texts are therefore kept, not derived.
namespace vellar {

class RamGrid {
 public:
  static constexpr int kDataCols = 17;
  static constexpr int kDataRows = 17;
  static constexpr int kAsmCols = 4;
  static constexpr int kAsmRows = 129;
  static constexpr int kOpColumn = 1;
  static constexpr int kOperandColumn = 2;
  static constexpr int kInstructionColumn = 3;

  using Bytes = std::array<uint8_t, kRamSize>;

  explicit RamGrid(const MpsStore& mps);

  bool AssemblerView() const { return assemblerView_; }
  // Sets the flag only; the caller rebuilds with ShowRamData or ShowRamAssembler.
  void SetAssemblerView(bool on) { assemblerView_ = on; }
  int BytesPerLine() const { return assemblerView_ ? 2 : 16; }

  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  int ColWidth(int col) const;
  int DefaultColWidth() const { return 21; }

  const std::string& CellText(int col, int row) const;
  void SetCellText(int col, int row, std::string_view text);

  // The address a byte cell shows, -1 for header cells and the "Befehl" column.
  int CellToAddress(int col, int row) const;
  // The cell that shows an address; -1 gives the first grid line.
  GridCell AddressToCell(int address) const;

  void ShowRamByte(int address, uint8_t value);
  // Rewrites the "Befehl" cell of an assembler row from its "OP" and "nn" cells.
  void DisassembleLine(int row);
  // Rebuild the grid in the view the flag names.
  void ShowRamData(const Bytes& ram);
  void ShowRamAssembler(const Bytes& ram);
  void Rebuild(const Bytes& ram) { assemblerView_ ? ShowRamAssembler(ram) : ShowRamData(ram); }

  // The instruction text of an opcode: the MPS description of that address from 0A on, none
  // below.
  const std::string& InstructionDescription(uint8_t opcode) const;

  GridCell current{1, 1};
  // The RAM grid shows its editor while it has the focus.
  bool editorAlwaysShown = false;
  CellEditor editor;

 private:
  void Build(int cols, int rows, const Bytes& ram);
  size_t Index(int col, int row) const { return static_cast<size_t>(row) * cols_ + col; }

  const MpsStore& mps_;
  bool assemblerView_ = false;
  int cols_ = 0;
  int rows_ = 0;
  std::vector<std::string> cells_;
  std::string scratch_;
};

}  // namespace vellar
