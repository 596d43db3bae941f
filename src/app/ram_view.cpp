#include "app/ram_view.h"

namespace vellar {

RamView::RamView(RamGrid& grid, const Machine& machine, Frontend& frontend)
    : grid_(grid), machine_(machine), frontend_(frontend) {}

void RamView::RaRamClick(int item) {
  // From the "Befehl" column there is no byte to keep: the cursor goes to the first line.
  const int address = grid_.CellToAddress(grid_.current.col, grid_.current.row);
  if (item == kAssemblerItem) {
    grid_.ShowRamAssembler(machine_.Ram);
  } else {
    grid_.ShowRamData(machine_.Ram);
  }
  grid_.current = grid_.AddressToCell(address);
  frontend_.Invalidate(kRedrawRamGrid | kRedrawLayout);
}

void RamView::SelectItem(int item) {
  if (item != RaRamItem()) RaRamClick(item);
}

}  // namespace vellar
