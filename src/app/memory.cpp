#include "app/memory.h"

namespace vellar {

Memory::Memory(Machine& machine, RamGrid& grid, VariableList& variables, Frontend& frontend)
    : machine_(machine), grid_(grid), variables_(variables), frontend_(frontend) {}

void Memory::WriteRam(int address, int value) {
  if (address < 0) return;
  machine_.Ram[address & 0xFF] = static_cast<uint8_t>(value & 0xFF);
  RamWritten(address);
}

void Memory::RamWritten(int address) {
  ramChanged_ = true;
  grid_.ShowRamByte(address & 0xFF, machine_.Ram[address & 0xFF]);
  frontend_.Invalidate(kRedrawRamGrid);
  if (frontend_.FocusedControl() != Control::RamInspector) UpdateVariables();
}

void Memory::MoveRamCursor(int address) {
  grid_.current = grid_.AddressToCell(address);
  frontend_.Invalidate(kRedrawRamGrid);
}

void Memory::ClearRam() {
  machine_.Ram.fill(0);
  grid_.Rebuild(machine_.Ram);
  variables_.Clear();
  UpdateVariables();
  ramChanged_ = false;
  frontend_.Invalidate(kRedrawRamGrid);
}

void Memory::UpdateVariables() {
  variables_.UpdateVariables(machine_.Ram);
  frontend_.Invalidate(kRedrawInspector);
}

}  // namespace vellar
