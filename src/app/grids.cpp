#include "app/grids.h"

#include <algorithm>

namespace vellar {

// --- MPS ---

int MpsGridEditing::ColWidth(int col) const {
  if (col < 0 || col >= MpsStore::kGridCols) return MpsGrid::kDefaultColWidth;
  if (col == MpsStore::kDescriptionColumn && SideWidth() > 0) {
    return std::max(kMinDescriptionWidth, grid_.colWidths[col] - SideWidth() - kLineWidth);
  }
  return grid_.colWidths[col];
}

std::string MpsGridEditing::EditText(GridCell cell) const {
  return mps_.CellText(cell.col, cell.row);
}

bool MpsGridEditing::EditLeftAligned(GridCell cell) const {
  return editor_.GrMpsDrawCell(cell.col, cell.row).align == CellAlign::Left;
}

bool MpsGridEditing::EditsOnDoubleClick(GridCell cell) const {
  return cell.col == MpsStore::kDescriptionColumn || cell.col == MpsStore::kNextColumn;
}

void MpsGridEditing::SetEditText(GridCell cell, std::string_view text) {
  editor_.GrMpsSetEditText(cell.col, cell.row, text);
}

void MpsGridEditing::SelectCell(GridCell cell) {
  editor_.GrMpsSelectCell(cell.col, cell.row);
}

bool MpsGridEditing::ToggleRowMark(int row) {
  if (row < 1 || row > MpsStore::kRows) return false;
  breakpoints_.ToggleMps(row - 1);
  return true;
}

bool MpsGridEditing::MouseDown(GridCell cell, MouseButton /*button*/) {
  editor_.GrMpsMouseDown(cell.col, cell.row);
  return false;
}

bool MpsGridEditing::KeyDown(const GridKeyEvent& key) {
  // Ctrl+Delete is the key hook's: it deletes the row.
  if (key.key != GridKey::Delete || key.ctrl) return false;
  editor_.GrMpsKeyDown(KeyCode::Delete);
  return true;
}

// --- RAM ---

std::string RamGridEditing::EditText(GridCell cell) const {
  return grid_.CellText(cell.col, cell.row);
}

bool RamGridEditing::EditLeftAligned(GridCell cell) const {
  return editor_.GrRamDrawCell(cell.col, cell.row).align == CellAlign::Left;
}

void RamGridEditing::SetEditText(GridCell cell, std::string_view text) {
  editor_.GrRamSetEditText(cell.col, cell.row, text);
}

void RamGridEditing::SelectCell(GridCell cell) {
  editor_.GrRamSelectCell(cell.col, cell.row);
}

bool RamGridEditing::RowMarked(int row) const {
  const int address = RowAddress(row);
  return address >= 0 && breakpoints_.HasRam(address);
}

bool RamGridEditing::ToggleRowMark(int row) {
  const int address = RowAddress(row);
  if (address < 0) return false;
  breakpoints_.ToggleRam(address);
  return true;
}

bool RamGridEditing::MouseDown(GridCell cell, MouseButton button) {
  return inspector_.GrRamMouseDown(cell.col, cell.row, button);
}

// --- Variable inspector ---

std::string InspectorGridEditing::EditText(GridCell cell) const {
  return inspector_.CellText(cell.col, cell.row);
}

void InspectorGridEditing::SetEditText(GridCell cell, std::string_view text) {
  inspector_.RamInspectorSetEditText(cell.col, cell.row, text);
}

void InspectorGridEditing::SelectCell(GridCell cell) {
  inspector_.RamInspectorSelectCell(cell.col, cell.row);
}

}  // namespace vellar
