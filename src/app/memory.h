#pragma once

#include <cstdint>

#include "app/frontend.h"
#include "app/register_fields.h"
#include "core/machine.h"
#include "ram/ram_access.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// Every access to the 256 bytes that must be seen: the RAM grid, its instruction texts and
// the variable values follow each write, and RamChanged remembers that there is something
// to save.
namespace vellar {

class Memory : public RamCursor, public RamAccess {
 public:
  Memory(Machine& machine, RamGrid& grid, VariableList& variables, Frontend& frontend);

  uint8_t ReadRam(int address) const override { return machine_.Ram[address & 0xFF]; }
  // A negative address is ignored; otherwise the low byte of value is stored and shown.
  void WriteRam(int address, int value) override;
  // The processor stored a byte itself: the grid, the instruction text and the variables
  // follow, and there is something to save.
  void RamWritten(int address);

  bool RamChanged() const { return ramChanged_; }
  void SetRamChanged(bool changed) { ramChanged_ = changed; }

  // The grid's current cell goes to the cell of the address.
  void MoveRamCursor(int address) override;

  // All bytes 00, the grid rebuilt in its view, no variables, nothing to save.
  void ClearRam();

  void UpdateVariables();

 private:
  Machine& machine_;
  RamGrid& grid_;
  VariableList& variables_;
  Frontend& frontend_;
  bool ramChanged_ = false;
};

}  // namespace vellar
