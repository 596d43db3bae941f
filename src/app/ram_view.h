#pragma once

#include "app/frontend.h"
#include "core/machine.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// The RAM view selector "RA&M-Anzeige": item 0 "Daten", item 1 "Assembler". The cursor stays
// on the byte it stood on, and the window is laid out anew, since the views differ in width.
// Also the marks the window draws on the cells of either view.
namespace vellar {

// The backdrop of a RAM cell beyond the grid's own marks.
enum class RamCellMark { None, Variable, InstructionPointer };

class RamView {
 public:
  static constexpr int kDataItem = 0;
  static constexpr int kAssemblerItem = 1;

  RamView(RamGrid& grid, const Machine& machine, const VariableList& variables, Frontend& frontend);

  int RaRamItem() const { return grid_.AssemblerView() ? kAssemblerItem : kDataItem; }

  // The selection changed (by the user, or by SelectItem).
  void RaRamClick(int item);
  // The program selects an item; as with the user's click, only a change runs RaRamClick.
  void SelectItem(int item);

  // A cell whose address a variable names is marked as variable; in the assembler view the
  // whole line of IP, label and instruction text included, is marked as IP, which wins.
  RamCellMark CellMark(int col, int row) const;

 private:
  RamGrid& grid_;
  const Machine& machine_;
  const VariableList& variables_;
  Frontend& frontend_;
};

}  // namespace vellar
