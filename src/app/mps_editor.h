#pragma once

#include <string>
#include <string_view>

#include "app/clock_phases.h"
#include "app/control_flags.h"
#include "app/edit_history.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/key_hook.h"
#include "app/run_control.h"
#include "core/cell_look.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"

// Editing the micro-program store through its grid: descriptions, next addresses and gates,
// typed, clicked or deleted; what entering and leaving the grid do; clearing the store.
// After each event the window shows the store, the grid's current cell and its cell editor
// (grid.editor) as they stand here.
namespace vellar {

class MpsEditor {
 public:
  struct Parts {
    MpsStore& mps;
    MpsGrid& grid;
    GateControl& gates;
    RunControl& run;
    ClockPhases& phases;  // CurrentRow
    const Machine& machine;
    RamGrid& ramGrid;  // its instruction texts follow the descriptions
    const ControlFlags& flags;
    EditHistory& history;
    Frontend& frontend;
  };

  explicit MpsEditor(const Parts& parts);

  // The cell editor's whole text after every change (the grid has stored it in the cell).
  void GrMpsSetEditText(int col, int row, std::string_view text);
  // Any mouse button pressed over a cell; -1 for a position outside the cells.
  void GrMpsMouseDown(int col, int row);
  // A key that reached the grid (Ctrl+Delete never does: the key hook takes it).
  void GrMpsKeyDown(KeyCode key);
  // The grid's current cell moved (mouse or keyboard).
  void GrMpsSelectCell(int col, int row);
  void GrMpsEnter();
  void GrMpsExit();
  // "&MPS löschen": no question, the file name stays.
  void MeClrMpsClick();

  // Ctrl+Insert and Ctrl+Delete at the grid's current row.
  void InsertMpsRow();
  void DeleteMpsRow();

  // How the window draws a cell (text, alignment, colours).
  CellLook GrMpsDrawCell(int col, int row) const;

  bool MpsGridFocused() const { return mpsGridFocused_; }
  bool LastEditEmptiedGate() const { return lastEditEmptiedGate_; }

  static constexpr std::string_view kDescriptionTooLong = "Nur 25 Zeichen als Kommentar erlaubt";

 private:
  void DescriptionEntry(int address, std::string_view text);
  void NextAddressEntry(int address, std::string_view text);
  void TypedGateEntry(int gate, int address, std::string_view text);
  bool CheckDescriptionEntry(std::string_view text);
  bool CheckGateEntry(std::string_view text);
  int CurrentAddress() const;
  // Descriptions moved or changed: the assembler view derives its instruction texts anew.
  void DescriptionsChanged();

  Parts p_;
  bool lastEditEmptiedGate_ = false;
  bool mpsGridFocused_ = false;
};

}  // namespace vellar
