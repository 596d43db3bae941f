#include "app/mps_editor.h"

#include "core/hex.h"
#include "core/text.h"
#include "mps/mps_cell_look.h"
#include "mps/mps_shift.h"

namespace vellar {

namespace {

bool IsAddressRow(int row) {
  return row >= 1 && row <= MpsStore::kRows;
}

bool IsGateColumn(int col) {
  return col >= MpsStore::kFirstGateColumn && col < MpsStore::kFirstGateColumn + kGateCount;
}

}  // namespace

MpsEditor::MpsEditor(const Parts& parts) : p_(parts) {}

void MpsEditor::GrMpsSetEditText(int col, int row, std::string_view text) {
  if (!IsAddressRow(row) || col < 1 || col >= MpsStore::kGridCols || p_.grid.editor.noCell) return;
  const auto edit = p_.history.Edit({EditTarget::Mps, {col, row}, -1, &p_.grid.editor});
  p_.grid.editor.Typed({col, row}, text);
  const int address = row - 1;
  if (col == MpsStore::kDescriptionColumn) {
    DescriptionEntry(address, text);
  } else if (col == MpsStore::kNextColumn) {
    NextAddressEntry(address, text);
  } else {
    TypedGateEntry(col - MpsStore::kFirstGateColumn, address, text);
  }
}

bool MpsEditor::CheckDescriptionEntry(std::string_view text) {
  if (CharCount(text) <= MpsStore::kDescriptionLimit) return false;
  p_.frontend.ShowMessage(kDescriptionTooLong);
  return true;
}

bool MpsEditor::CheckGateEntry(std::string_view text) {
  if (CharCount(text) == 1) return false;
  p_.frontend.ShowMessage(kInvalidEntryMessage);
  return true;
}

void MpsEditor::DescriptionEntry(int address, std::string_view text) {
  if (CheckDescriptionEntry(text)) {
    const std::string cut = FirstChars(text, MpsStore::kDescriptionLimit);
    p_.mps.SetDescription(address, cut);
    p_.grid.editor.Replace(cut, false);
  } else {
    p_.mps.SetDescription(address, text);
  }
  DescriptionsChanged();
}

void MpsEditor::NextAddressEntry(int address, std::string_view text) {
  // A single digit, an empty cell or a longer text stays as typed until the grid is left.
  const HexEntryFix fix = FixHexEntry(text);
  if (fix.invalid) p_.frontend.ShowMessage(kInvalidEntryMessage);
  if (fix.replace) {
    p_.mps.SetNextAddressText(address, fix.text);
    p_.grid.editor.Replace(fix.text, false);
  } else {
    p_.mps.SetNextAddressText(address, text);
  }
}

// Any key sets the gate, Backspace clears it, a second character in the same editor is
// refused. The blank after an emptied gate is what some cell editors hand over once more
// when they close; it must not set the gate again.
void MpsEditor::TypedGateEntry(int gate, int address, std::string_view text) {
  MpsStore& mps = p_.mps;
  const bool wasSet = mps.GetMpsGate(gate, address);
  if (!wasSet && text == " " && lastEditEmptiedGate_) {
    mps.SetMpsGate(gate, address, false);
  } else {
    mps.SetMpsGate(gate, address, !text.empty());
  }
  lastEditEmptiedGate_ = wasSet && text.empty();
  if (!text.empty() &&
      (CheckGateEntry(text) || p_.gates.CheckMpsGate(gate, mps.GateMask(address)))) {
    mps.SetMpsGate(gate, address, false);
  }
  p_.grid.editor.Close();
}

void MpsEditor::GrMpsMouseDown(int col, int row) {
  if (!IsAddressRow(row)) return;
  if (IsGateColumn(col)) {
    const auto edit = p_.history.Edit({EditTarget::Mps, {col, row}});
    const int gate = col - MpsStore::kFirstGateColumn;
    const int address = row - 1;
    p_.mps.SetMpsGate(gate, address, !p_.mps.GetMpsGate(gate, address));
    TypedGateEntry(gate, address, p_.mps.GateMark(gate, address));
  } else if (col == 0 || col == MpsStore::kDescriptionColumn) {
    p_.phases.CurrentRow = row;
    p_.frontend.Invalidate(kRedrawMpsGrid);
  }
}

void MpsEditor::GrMpsKeyDown(KeyCode key) {
  const GridCell cell = p_.grid.current;
  if (key != KeyCode::Delete || !IsAddressRow(cell.row) || !IsGateColumn(cell.col)) return;
  const auto edit = p_.history.Edit({EditTarget::Mps, cell});
  p_.mps.SetMpsGate(cell.col - MpsStore::kFirstGateColumn, cell.row - 1, false);
  // The cell shows the emptied mark, not a text left in an open editor.
  p_.grid.editor.Close();
}

void MpsEditor::GrMpsSelectCell(int col, int row) {
  if (col < 0 || row < 0) {
    p_.grid.editor.Missed();
    p_.frontend.Invalidate(kRedrawMpsGrid);
    return;
  }
  if (!IsAddressRow(row) || col < 1 || col >= MpsStore::kGridCols) return;
  p_.grid.editor.Chosen();
  if (p_.grid.current == GridCell{col, row}) return;
  p_.grid.current = {col, row};
  p_.grid.editor.Close();
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

void MpsEditor::GrMpsEnter() {
  mpsGridFocused_ = true;
  GridCell& current = p_.grid.current;
  if (current.row < 1 || current.col < 1) current = {MpsStore::kDescriptionColumn, 1};
  p_.run.SetGatesAutomatic(true);
}

void MpsEditor::GrMpsExit() {
  p_.grid.editorAlwaysShown = false;
  p_.grid.editor.Close();
  // Every reader takes the text as a number anyway; now the cells say so. Not a change of
  // the micro-program, so MpsModified stays.
  for (int a = 0; a < MpsStore::kRows; ++a) {
    const std::string& text = p_.mps.NextAddressText(a);
    const std::string normal = text.empty() ? HexByte((a + 1) & 0xFF) : NormHexByte(text);
    if (normal != text) p_.mps.SetNextAddressText(a, normal);
  }
  mpsGridFocused_ = false;
}

void MpsEditor::MeClrMpsClick() {
  const auto edit = p_.history.Edit({EditTarget::Mps});
  p_.frontend.SetFocus(Control::MpsGrid);
  GrMpsEnter();
  p_.mps.ClearMps();
  p_.grid.ResetLayout();
  p_.frontend.SetFocus(Control::GateControl);
  GrMpsExit();
  p_.run.SetGatesAutomatic(true);
  DescriptionsChanged();
  // The cleared grid has its first column widths again; the window lays itself out anew.
  p_.frontend.Invalidate(kRedrawMpsGrid | kRedrawLayout);
}

int MpsEditor::CurrentAddress() const {
  const int row = p_.grid.current.row;
  return IsAddressRow(row) ? row - 1 : -1;
}

void MpsEditor::InsertMpsRow() {
  const int address = CurrentAddress();
  if (address < 0) return;
  const auto edit = p_.history.Edit({EditTarget::Mps, p_.grid.current});
  vellar::InsertMpsRow(p_.mps, address);
  DescriptionsChanged();
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

void MpsEditor::DeleteMpsRow() {
  const int address = CurrentAddress();
  if (address < 0) return;
  const auto edit = p_.history.Edit({EditTarget::Mps, p_.grid.current});
  vellar::DeleteMpsRow(p_.mps, address);
  DescriptionsChanged();
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

void MpsEditor::DescriptionsChanged() {
  if (!p_.ramGrid.AssemblerView()) return;
  p_.ramGrid.ShowRamAssembler(p_.machine.Ram);
  p_.frontend.Invalidate(kRedrawRamGrid);
}

CellLook MpsEditor::GrMpsDrawCell(int col, int row) const {
  return MpsCellLook(p_.mps, col, row, p_.flags.GatesAutomatic, p_.phases.CurrentRow);
}

}  // namespace vellar
