#include "app/mps_editor.h"

#include "mps/mps_shift.h"

namespace vellar {

MpsEditor::MpsEditor(MpsStore& mps, MpsGrid& grid, Frontend& frontend)
    : mps_(mps), grid_(grid), frontend_(frontend) {}

int MpsEditor::CurrentAddress() const {
  const int row = grid_.current.row;
  return (row >= 1 && row <= MpsStore::kRows) ? row - 1 : -1;
}

void MpsEditor::InsertMpsRow() {
  const int address = CurrentAddress();
  if (address < 0) return;
  vellar::InsertMpsRow(mps_, address);
  frontend_.Invalidate(kRedrawMpsGrid);
}

void MpsEditor::DeleteMpsRow() {
  const int address = CurrentAddress();
  if (address < 0) return;
  vellar::DeleteMpsRow(mps_, address);
  frontend_.Invalidate(kRedrawMpsGrid);
}

}  // namespace vellar
