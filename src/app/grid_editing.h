#pragma once

#include <string>
#include <string_view>

#include "app/touch_gesture.h"
#include "core/cell_look.h"
#include "core/grid.h"

// What the user does to a string grid, decided once for the window and the page: the rows and
// columns in view, the cell under the pointer, the current cell, the in-place editor (open or
// closed, its text, the editor left open while its cell is scrolled away), and what a press,
// a double click, the wheel, a key and the focus do. The frontends forward these raw events
// and paint what this leaves; a grid's own rules (what a text means) stay with its editor.
namespace vellar {

// The keys a grid tells apart; every other key is Other and may still type its text.
enum class GridKey {
  Other,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  Home,
  End,
  Return,
  Escape,
  Tab,
  Backspace,
  Delete,
};

struct GridKeyEvent {
  GridKey key = GridKey::Other;
  // The printable text the key types (UTF-8), empty for a key that types nothing.
  std::string text;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool meta = false;
};

// Where the caret of the frontend's line edit stands, in its own units: the selection from
// start to end (equal when nothing is selected) in a text of this length.
struct EditorCaret {
  int start = 0;
  int end = 0;
  int length = 0;
};

// What the frontend does with a key after the grid has seen it.
enum class KeyVerdict {
  Taken,     // done; the key goes nowhere else
  ToEditor,  // the editor stands open again over its cell: hand it the key as its own
  NotTaken,  // the grid had no use for it (Tab moves the focus on)
};

// A rectangle in the grid's client area, in pixels; empty (width 0) when out of sight.
struct GridRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const GridRect&, const GridRect&) = default;
};

// The editor as the frontend shows it.
struct GridEditorView {
  bool shown = false;
  GridCell cell{-1, -1};
  std::string text;
  bool leftAligned = true;
  // Silver text: the grid shows no selection and the user is elsewhere.
  bool manualColour = false;
  // The user is elsewhere: the editor that stands open shows no selection.
  bool deselected = false;
  // A selection to make once, whenever selectStamp changes: all of the text, the caret at its
  // end, or no selection with the caret where it stands.
  enum class Select { All, End, Drop };
  Select select = Select::All;
  unsigned selectStamp = 0;
};

class GridEditing {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kLineWidth = 1;
  static constexpr int kRowPitch = kRowHeight + kLineWidth;
  // One wheel step scrolls this many rows.
  static constexpr int kWheelRows = 3;

  GridEditing() = default;
  virtual ~GridEditing() = default;
  GridEditing(const GridEditing&) = delete;
  GridEditing& operator=(const GridEditing&) = delete;

  // --- the grid's model ---
  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  virtual int ColWidth(int col) const = 0;
  virtual GridCell Current() const = 0;
  // A breakpoint stands on the row: a red dot in the margin of its address cell.
  virtual bool RowMarked(int /*row*/) const { return false; }
  // Sets or clears the row's breakpoint; false where the grid has none.
  virtual bool ToggleRowMark(int /*row*/) { return false; }
  // The margin of breakpoints: the first pixels of the address cells, left of the address.
  static constexpr int kMarginWidth = 8;
  // A press of the left button at a pixel of the viewport in that margin sets or clears the
  // row's breakpoint and does nothing else (a press on the address itself selects the row);
  // true when it did.
  bool MarginPress(int x, int y, MouseButton button);
  // A column of the model's own at the right edge of the client area, not a cell of the grid
  // (the MPS grid's heat map): its width, 0 for none, and its cell of a row (0: its header).
  virtual int SideWidth() const { return 0; }
  virtual CellLook SideCell(int /*row*/) const { return {}; }
  // The text an editor opened on the cell starts with.
  virtual std::string EditText(GridCell cell) const = 0;

  // The rows' height in pixels without their line: kRowHeight, larger for fingers.
  void SetRowHeight(int height);
  int RowHeight() const { return rowHeight_; }
  int RowPitch() const { return rowHeight_ + kLineWidth; }

  // --- raw events ---
  // The client area's size in pixels (without frame and scroll bars).
  void SetViewport(int width, int height);
  // A scroll bar moved: the first scrolling row and column.
  void ScrollTo(int topRow, int leftCol);
  // Wheel steps, positive downwards and to the right.
  void Wheel(int colSteps, int rowSteps);
  // A mouse button pressed at a cell, {-1, -1} beyond the cells. True: open the popup menu.
  bool Press(GridCell cell, MouseButton button);
  // The second press of a double click, in place of a press.
  bool DoubleClick(GridCell cell, MouseButton button);
  // A finger on the grid at a client position. True: open the popup menu (a long press).
  bool Touch(const TouchPoint& point);
  // A key that reached the grid itself (its editor closed, or without the focus).
  KeyVerdict GridKeyPress(const GridKeyEvent& key);
  // A key that reached the open editor; NotTaken leaves it to the line edit.
  KeyVerdict EditorKeyPress(const GridKeyEvent& key, const EditorCaret& caret);
  // The line edit's whole text after the user changed it.
  void EditorEdited(std::string_view text);
  // The focus came to the grid or its editor (by a mouse press, or otherwise), or left both.
  void FocusIn(bool byPress);
  void FocusOut();
  // The model changed: show the current cell and the editor as it now stands.
  void Refresh();

  // --- what the frontend paints ---
  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  // The largest first scrolling row and column; rows wholly in view.
  int LastTopRow() const;
  int LastLeftCol() const;
  int VisibleRows() const;
  GridRect CellRect(int col, int row) const;
  // The cell under a client position, {-1, -1} beyond the last cell.
  GridCell CellAt(int x, int y) const;
  bool Entered() const { return entered_; }
  // Whether the current cell is drawn selected.
  bool ShowsSelection() const { return HasSelection(); }
  const GridEditorView& Editor() const { return view_; }

 protected:
  virtual bool HasSelection() const { return true; }
  // Where the editor puts its text: as the cell draws it.
  virtual bool EditLeftAligned(GridCell /*cell*/) const { return true; }
  // A double click opens the editor, except on cells that a click itself changes.
  virtual bool EditsOnDoubleClick(GridCell /*cell*/) const { return true; }
  virtual const CellEditor& ModelEditor() const = 0;
  virtual bool EditorAlwaysShown() const = 0;
  virtual void SetEditText(GridCell cell, std::string_view text) = 0;
  virtual void SelectCell(GridCell cell) = 0;
  // Any mouse button over the grid; {-1, -1} outside the cells. True: open the popup menu.
  virtual bool MouseDown(GridCell /*cell*/, MouseButton /*button*/) { return false; }
  // Every key that reaches the grid or its editor, before either acts on it. True when the
  // model changed.
  virtual bool KeyDown(const GridKeyEvent& /*key*/) { return false; }
  virtual void Enter() = 0;
  virtual void Exit() = 0;

 private:
  // Whether the editor shows what the model says, or the user opened or closed it by a key.
  enum class Wish { Model, Open, Closed };
  struct Target {
    bool shown = false;
    GridCell cell{-1, -1};
    std::string text;  // ignored when the editor keeps what it shows
    bool keepText = false;
  };

  bool IsCell(GridCell cell) const;
  bool InSight(GridCell cell) const;
  void SetTopRow(int row);
  void SetLeftCol(int col);
  void ScrollIntoView(GridCell cell);
  // The arrow and page keys move the current cell; true when the key was one of them.
  bool Navigate(const GridKeyEvent& key);
  static bool IsNavigation(const GridKeyEvent& key);
  // A key that opens the editor: a character, Backspace, or Return (caret at the end).
  static bool OpensEditor(const GridKeyEvent& key);
  // Left and Right leave the text at its ends, or when all of it is selected.
  static bool LeavesText(const GridKeyEvent& key, const EditorCaret& caret);
  void MoveTo(GridCell cell);
  // afterEdit: the model has just taken a text and may want it selected.
  void SyncEditor(bool afterEdit = false);
  Target WantedEditor() const;
  void CloseEditor();
  // Opens the editor on the current cell with its text, all of it selected.
  void OpenEditor();
  void Select(GridEditorView::Select select);

  int width_ = 0;
  int height_ = 0;
  int rowHeight_ = kRowHeight;
  int topRow_ = 1;
  int leftCol_ = 1;
  GridCell shownCurrent_{-1, -1};
  // Entering by a press: a current cell moved meanwhile is not scrolled into view, so that
  // the press finds the cell that was under the pointer.
  bool keepView_ = false;
  // The focus came with the press that is yet to come: the editor had no keyboard before it.
  bool enteringByPress_ = false;
  bool entered_ = false;
  Wish wish_ = Wish::Model;
  GridCell editorCell_{-1, -1};
  // The cell whose open editor was scrolled out of sight; it keeps text, caret and selection.
  GridCell parked_{-1, -1};
  std::string shownCellText_;  // the cell's text when the editor last showed it
  // An edit is being handed to the model; a refresh meanwhile (from a message box's event
  // loop) leaves the editor alone.
  bool editing_ = false;
  GridEditorView view_;
  TouchGesture touch_;
  // Where the rows and columns stood when the finger came down: a swipe moves them from there.
  int touchTopRow_ = 1;
  int touchLeftCol_ = 1;
};

}  // namespace vellar
