#include "app/variable_inspector.h"

#include <algorithm>
#include <array>

#include "core/hex.h"

namespace vellar {

VariableInspector::VariableInspector(const Parts& parts) : p_(parts) {}

bool VariableInspector::GrRamMouseDown(int col, int row, MouseButton button) {
  if (button != MouseButton::Right || !p_.menu.MeVariablen) return false;
  clickedAddress_ = p_.ramGrid.CellToAddress(col, row);
  return true;
}

void VariableInspector::alsVariabledefinieren1Click() {
  if (clickedAddress_ < 0) return;
  const auto edit = p_.history.Edit({EditTarget::Inspector, {-1, -1}, clickedAddress_});
  const int index = p_.variables.Append(HexByte(clickedAddress_), "?");
  WriteHexByte(p_.variables.Column(index).value, p_.machine.Ram[clickedAddress_ & 0xFF]);
  Relayout();
}

void VariableInspector::Variablendefinitionzurcknehmen1Click() {
  const auto edit = p_.history.Edit({EditTarget::Inspector, {-1, -1}, clickedAddress_});
  if (clickedAddress_ >= 0) p_.variables.Remove(HexByte(clickedAddress_));
  Relayout();
}

void VariableInspector::Relayout() {
  // The inspector's width and the marks of the RAM cells change with the list.
  p_.frontend.Invalidate(kRedrawLayout | kRedrawInspector | kRedrawRamGrid);
}

void VariableInspector::RamInspectorSetEditText(int col, int row, std::string_view text) {
  if (col < 1 || col > p_.variables.ColumnCount() || row < 1 || row >= RowCount()) return;
  if (editor_.noCell) return;
  const auto edit = p_.history.Edit({EditTarget::Inspector, {col, row}, -1, &editor_});
  editor_.Typed({col, row}, text);
  VariableColumn& column = p_.variables.Column(col);
  if (VariableList::IsPlaceholder(column)) {
    column.name.clear();
    column.value.clear();
    editor_.Replace({}, false);
    if (!text.empty()) p_.frontend.ShowMessage(kNoVariableMessage, kNoVariableCaption);
  } else if (row == 1) {
    column.name = text;
  } else {
    const HexEntryFix fix = FixHexEntry(text);
    if (fix.invalid) p_.frontend.ShowMessage(kInvalidEntryMessage);
    column.value = fix.replace ? fix.text : std::string(text);
    if (fix.replace) editor_.Replace(fix.text, true);
    // The inspector has the focus, so WriteRam leaves the other value cells as they are.
    p_.memory.WriteRam(static_cast<int>(ParseHex(column.address) & 0xFF),
                       static_cast<int>(ParseHex(column.value) & 0xFF));
  }
  p_.frontend.Invalidate(kRedrawInspector);
}

void VariableInspector::RamInspectorSelectCell(int col, int row) {
  if (col < 0 || row < 0) {
    editor_.Missed();
    p_.frontend.Invalidate(kRedrawInspector);
    return;
  }
  if (col < 1 || col >= ColCount() || row < 1 || row >= RowCount()) return;
  editor_.Chosen();
  if (Current() == GridCell{col, row}) return;
  current_ = {col, row};
  editor_.Close();
  p_.frontend.Invalidate(kRedrawInspector);
}

GridCell VariableInspector::Current() const {
  return {std::min(current_.col, ColCount() - 1), current_.row};
}

void VariableInspector::RamInspectorEnter() {
  editorAlwaysShown_ = true;
  p_.flags.GridEditing = true;
}

void VariableInspector::RamInspectorExit() {
  editorAlwaysShown_ = false;
  editor_.Close();
  p_.flags.GridEditing = false;
}

void VariableInspector::MeVariablenClick() {
  p_.menu.MeVariablen = !p_.menu.MeVariablen;
  p_.frontend.Invalidate(kRedrawMenus | kRedrawLayout);
}

std::string_view VariableInspector::Caption(int row) {
  static constexpr std::array<std::string_view, VariableList::kRows> kCaptions = {
      "Speicherstelle", "Variablenname", "Wert"};
  return (row >= 0 && row < RowCount()) ? kCaptions[row] : std::string_view();
}

std::string VariableInspector::CellText(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount()) return {};
  if (col == 0) return std::string(Caption(row));
  const VariableColumn& column = p_.variables.Column(col);
  return row == 0 ? column.address : row == 1 ? column.name : column.value;
}

}  // namespace vellar
