#pragma once

#include <string_view>

#include "app/control_flags.h"
#include "app/edit_history.h"
#include "app/frontend.h"
#include "app/memory.h"
#include "app/ram_view.h"
#include "core/cell_look.h"
#include "core/machine.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"

// Editing main memory through the RAM grid: two hex digits per byte cell, or an instruction
// in the notation of the MPS descriptions in the "Befehl" column of the assembler view.
// Typed bytes are stored directly, not through WriteRam; the variable values are refreshed
// once at the end of every edit. After each event the window shows the cells and the cell
// editor (grid.editor) as they stand here.
namespace vellar {

class RamEditor {
 public:
  struct Parts {
    Machine& machine;
    Memory& memory;
    RamGrid& grid;
    const RamView& view;  // the marks of the cells
    const MpsStore& mps;
    ControlFlags& flags;
    EditHistory& history;
    Frontend& frontend;
  };

  explicit RamEditor(const Parts& parts);

  // The cell editor's whole text after every keystroke.
  void GrRamSetEditText(int col, int row, std::string_view text);
  // Assembles the "Befehl" cell of an assembler row; true when a description matched or the
  // text was empty (the line became 00 00).
  bool AssembleLine(int row);

  // The grid's current cell moved; every cell may be selected, and no register follows.
  void GrRamSelectCell(int col, int row);
  void GrRamEnter();
  void GrRamExit();
  // The RAM grid has the focus, and with it its cell editor.
  bool GridFocused() const { return gridFocused_; }

  // Ctrl+Insert and Ctrl+Delete at the grid's current line; nothing in the data view.
  void InsertRamLine();
  void DeleteRamLine();

  // How the window draws a cell: variables light blue, the line of IP in the assembler view in
  // the blue of the IP field, byte texts as two hex digits whatever is still being typed.
  CellLook GrRamDrawCell(int col, int row) const;

 private:
  void ByteInput(int address, int col, int row, std::string_view text);
  void StoreByte(int address, uint8_t value) { p_.machine.Ram[address & 0xFF] = value; }

  Parts p_;
  bool gridFocused_ = false;
};

}  // namespace vellar
