#include "app/ram_view.h"

#include "core/hex.h"

namespace vellar {

RamView::RamView(RamGrid& grid, const Machine& machine, const VariableList& variables,
                 Frontend& frontend)
    : grid_(grid), machine_(machine), variables_(variables), frontend_(frontend) {}

void RamView::RaRamClick(int item) {
  // From the "Befehl" column there is no byte to keep: the cursor goes to the first line.
  const int address = grid_.CellToAddress(grid_.current.col, grid_.current.row);
  if (item == kAssemblerItem) {
    grid_.ShowRamAssembler(machine_.Ram);
  } else {
    grid_.ShowRamData(machine_.Ram);
  }
  grid_.current = grid_.AddressToCell(address);
  // Also when a command switched the view (a save as .ras or .rad): the selector shows it.
  frontend_.Invalidate(kRedrawRamGrid | kRedrawLayout | kRedrawRunControls);
}

void RamView::SelectItem(int item) {
  if (item != RaRamItem()) RaRamClick(item);
}

RamCellMark RamView::CellMark(int col, int row) const {
  if (grid_.AssemblerView() && row >= 1 && row == machine_.Regs[IP] / 2 + 1) {
    return RamCellMark::InstructionPointer;
  }
  const int address = grid_.CellToAddress(col, row);
  // Header cells have no address and so never match.
  if (address >= 0 && variables_.IsVariableAddress(HexByte(address))) return RamCellMark::Variable;
  return RamCellMark::None;
}

}  // namespace vellar
