#pragma once

#include "app/frontend.h"
#include "core/machine.h"
#include "ram/ram_grid.h"

// The RAM view selector "RA&M-Anzeige": item 0 "Daten", item 1 "Assembler". The cursor stays
// on the byte it stood on, and the window is laid out anew, since the views differ in width.
namespace vellar {

class RamView {
 public:
  static constexpr int kDataItem = 0;
  static constexpr int kAssemblerItem = 1;

  RamView(RamGrid& grid, const Machine& machine, Frontend& frontend);

  int RaRamItem() const { return grid_.AssemblerView() ? kAssemblerItem : kDataItem; }

  // The selection changed (by the user, or by SelectItem).
  void RaRamClick(int item);
  // The program selects an item; as with the user's click, only a change runs RaRamClick.
  void SelectItem(int item);

 private:
  RamGrid& grid_;
  const Machine& machine_;
  Frontend& frontend_;
};

}  // namespace vellar
