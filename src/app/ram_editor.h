#pragma once

#include "app/frontend.h"
#include "app/memory.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"

// Editing main memory through the RAM grid.
namespace vellar {

class RamEditor {
 public:
  RamEditor(Memory& memory, RamGrid& grid, const MpsStore& mps, Frontend& frontend);

  // Ctrl+Insert and Ctrl+Delete at the grid's current line; nothing in the data view.
  void InsertRamLine();
  void DeleteRamLine();

 private:
  Memory& memory_;
  RamGrid& grid_;
  const MpsStore& mps_;
  Frontend& frontend_;
};

}  // namespace vellar
