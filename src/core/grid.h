#pragma once

#include <string>
#include <string_view>

// A cell of a string grid: column and row, with row 0 and column 0 the fixed headers.
namespace vellar {

struct GridCell {
  int col = 0;
  int row = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

// A grid's in-place editor as the edit rules leave it. The window reports each change of the
// editor's text and then shows this: closed (the cell shows its own text again), or open with
// this text, all of it selected when the next keystroke is to replace it.
struct CellEditor {
  bool open = false;
  GridCell cell;
  std::string text;
  bool textSelected = false;
  // The last press hit no cell (the empty area below the last row or beside the last column;
  // the grid hands it on as {-1, -1}): there is no cell to type into until one is chosen again, so
  // typing edits nothing, rather than the current cell the user may not see.
  bool noCell = false;

  // A change the user made: the editor is open with the text, nothing selected.
  void Typed(GridCell at, std::string_view typed) {
    open = true;
    cell = at;
    text = typed;
    textSelected = false;
  }
  // The rules put a text of their own into the editor; select it to be replaced at once.
  void Replace(std::string_view replacement, bool selectAll) {
    text = replacement;
    textSelected = selectAll;
  }
  void Close() {
    open = false;
    textSelected = false;
  }
  // A press beside the cells, and a cell chosen again (by a press or a key that moves).
  void Missed() {
    Close();
    noCell = true;
  }
  void Chosen() { noCell = false; }
};

enum class MouseButton { Left, Right, Middle };

}  // namespace vellar
