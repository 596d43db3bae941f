#pragma once

#include <string>
#include <string_view>

#include "app/control_flags.h"
#include "app/edit_history.h"
#include "app/frontend.h"
#include "app/memory.h"
#include "app/menu_options.h"
#include "core/grid.h"
#include "core/machine.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// The variable inspector RamInspector: names for single memory cells whose values are
// watched permanently. Its grid is the variable list (one column per variable after the
// caption column); a right click on a RAM cell offers to define or remove a variable there.
namespace vellar {

class VariableInspector {
 public:
  struct Parts {
    VariableList& variables;
    Memory& memory;
    const Machine& machine;
    const RamGrid& ramGrid;
    MenuOptions& menu;
    ControlFlags& flags;
    EditHistory& history;
    Frontend& frontend;
  };

  static constexpr int kCaptionColumnWidth = 140;
  static constexpr int kColumnWidth = 30;
  static constexpr std::string_view kNoVariableMessage =
      "Sie müssen zuerst eine Speicherstelle im RAM als Variable definieren";
  static constexpr std::string_view kNoVariableCaption = "Hinweis";

  explicit VariableInspector(const Parts& parts);

  // A mouse button over a RAM cell. True when the window is to open PopupMenu1 at the
  // pointer: the right button while the inspector is switched on. The RAM grid's cursor does
  // not move.
  bool GrRamMouseDown(int col, int row, MouseButton button);
  // The address of the RAM cell last right-clicked, -1 for a cell without one.
  int ClickedAddress() const { return clickedAddress_; }

  // "als Variable definieren" and "Variablendefinition zurücknehmen".
  void alsVariabledefinieren1Click();
  void Variablendefinitionzurcknehmen1Click();

  // The inspector's cell edit: rows 1 (name) and 2 (value) of a variable column.
  void RamInspectorSetEditText(int col, int row, std::string_view text);
  // The grid's current cell moved: the cell that was being edited keeps what was typed into
  // it, and the new one starts from its own text, as in the MPS and RAM grids.
  void RamInspectorSelectCell(int col, int row);
  // Removing variables may have taken its column away: then the last column.
  GridCell Current() const;
  void RamInspectorEnter();
  void RamInspectorExit();

  // "&Variableninspektor anzeigen": shows or hides the inspector.
  void MeVariablenClick();

  // The inspector grid: column 0 the captions, then one column per variable.
  int ColCount() const { return 1 + p_.variables.ColumnCount(); }
  static int RowCount() { return VariableList::kRows; }
  std::string CellText(int col, int row) const;
  static int ColWidth(int col) { return col == 0 ? kCaptionColumnWidth : kColumnWidth; }
  // "Speicherstelle", "Variablenname", "Wert".
  static std::string_view Caption(int row);

  const CellEditor& Editor() const { return editor_; }
  bool EditorAlwaysShown() const { return editorAlwaysShown_; }

 private:
  void Relayout();

  Parts p_;
  int clickedAddress_ = -1;
  GridCell current_{1, 1};
  CellEditor editor_;
  bool editorAlwaysShown_ = false;
};

}  // namespace vellar
