#include "app/ram_editor.h"

#include "ram/ram_shift.h"

namespace vellar {

RamEditor::RamEditor(Memory& memory, RamGrid& grid, const MpsStore& mps, Frontend& frontend)
    : memory_(memory), grid_(grid), mps_(mps), frontend_(frontend) {}

void RamEditor::InsertRamLine() {
  if (!grid_.AssemblerView()) return;
  vellar::InsertRamLine(memory_, mps_, grid_.current.row - 1);
  frontend_.Invalidate(kRedrawRamGrid);
}

void RamEditor::DeleteRamLine() {
  if (!grid_.AssemblerView()) return;
  vellar::DeleteRamLine(memory_, mps_, grid_.current.row - 1);
  frontend_.Invalidate(kRedrawRamGrid);
}

}  // namespace vellar
