#pragma once

#include <array>
#include <string_view>

#include "app/breakpoints.h"
#include "app/grid_editing.h"
#include "app/mps_editor.h"
#include "app/ram_editor.h"
#include "app/variable_inspector.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"

// The three grids of the window over their models: the MPS, the RAM in its two views, and
// the variable inspector. Each hands the grid's events to its editor's handlers.
namespace vellar {

class MpsGridEditing : public GridEditing {
 public:
  MpsGridEditing(const MpsStore& mps, const MpsGrid& grid, MpsEditor& editor,
                 Breakpoints& breakpoints)
      : mps_(mps), grid_(grid), editor_(editor), breakpoints_(breakpoints) {}
  int ColCount() const override { return MpsStore::kGridCols; }
  int RowCount() const override { return MpsStore::kGridRows; }
  int ColWidth(int col) const override;
  GridCell Current() const override { return grid_.current; }
  bool RowMarked(int row) const override { return row >= 1 && breakpoints_.HasMps(row - 1); }
  bool ToggleRowMark(int row) override;
  // The heat map, where shown; the description column gives up its width.
  static constexpr int kHeatWidth = 56;
  static constexpr int kMinDescriptionWidth = 24;
  int SideWidth() const override { return breakpoints_.HeatShown() ? kHeatWidth : 0; }
  CellLook SideCell(int row) const override { return breakpoints_.HeatCell(row); }
  std::string EditText(GridCell cell) const override;

 protected:
  bool HasSelection() const override { return grid_.hasSelection; }
  bool EditLeftAligned(GridCell cell) const override;
  bool EditsOnDoubleClick(GridCell cell) const override;
  const CellEditor& ModelEditor() const override { return grid_.editor; }
  bool EditorAlwaysShown() const override { return grid_.editorAlwaysShown; }
  void SetEditText(GridCell cell, std::string_view text) override;
  void SelectCell(GridCell cell) override;
  bool MouseDown(GridCell cell, MouseButton button) override;
  bool KeyDown(const GridKeyEvent& key) override;
  void Enter() override { editor_.GrMpsEnter(); }
  void Exit() override { editor_.GrMpsExit(); }

 private:
  const MpsStore& mps_;
  const MpsGrid& grid_;
  MpsEditor& editor_;
  Breakpoints& breakpoints_;
};

class RamGridEditing : public GridEditing {
 public:
  RamGridEditing(const RamGrid& grid, RamEditor& editor, VariableInspector& inspector,
                 Breakpoints& breakpoints)
      : grid_(grid), editor_(editor), inspector_(inspector), breakpoints_(breakpoints) {}
  int ColCount() const override { return grid_.ColCount(); }
  int RowCount() const override { return grid_.RowCount(); }
  int ColWidth(int col) const override { return grid_.ColWidth(col); }
  GridCell Current() const override { return grid_.current; }
  bool RowMarked(int row) const override;
  bool ToggleRowMark(int row) override;
  std::string EditText(GridCell cell) const override;
  // The address a row's margin stands for: its first byte; -1 for the header.
  int RowAddress(int row) const { return grid_.CellToAddress(1, row); }

 protected:
  bool EditLeftAligned(GridCell cell) const override;
  const CellEditor& ModelEditor() const override { return grid_.editor; }
  bool EditorAlwaysShown() const override { return grid_.editorAlwaysShown; }
  void SetEditText(GridCell cell, std::string_view text) override;
  void SelectCell(GridCell cell) override;
  // The right button opens PopupMenu1 while the inspector is shown.
  bool MouseDown(GridCell cell, MouseButton button) override;
  void Enter() override { editor_.GrRamEnter(); }
  void Exit() override { editor_.GrRamExit(); }

 private:
  const RamGrid& grid_;
  RamEditor& editor_;
  VariableInspector& inspector_;
  Breakpoints& breakpoints_;
};

class InspectorGridEditing : public GridEditing {
 public:
  explicit InspectorGridEditing(VariableInspector& inspector) : inspector_(inspector) {}
  int ColCount() const override { return inspector_.ColCount(); }
  int RowCount() const override { return VariableInspector::RowCount(); }
  int ColWidth(int col) const override { return VariableInspector::ColWidth(col); }
  GridCell Current() const override { return inspector_.Current(); }
  std::string EditText(GridCell cell) const override;

 protected:
  // Its current cell is marked only while the user is in it.
  bool HasSelection() const override { return Entered(); }
  const CellEditor& ModelEditor() const override { return inspector_.Editor(); }
  bool EditorAlwaysShown() const override { return inspector_.EditorAlwaysShown(); }
  void SetEditText(GridCell cell, std::string_view text) override;
  void SelectCell(GridCell cell) override;
  void Enter() override { inspector_.RamInspectorEnter(); }
  void Exit() override { inspector_.RamInspectorExit(); }

 private:
  VariableInspector& inspector_;
};

// PopupMenu1 of the RAM grid: its items' names, captions and commands.
struct PopupItem {
  std::string_view name;
  std::string_view caption;
  void (VariableInspector::*command)();
};

inline constexpr std::string_view kRamPopupName = "PopupMenu1";
inline constexpr std::array<PopupItem, 2> kRamPopup{{
    {"alsVariabledefinieren1", "als Variable definieren",
     &VariableInspector::alsVariabledefinieren1Click},
    {"Variablendefinitionzurcknehmen1", "Variablendefinition zurücknehmen",
     &VariableInspector::Variablendefinitionzurcknehmen1Click},
}};

}  // namespace vellar
