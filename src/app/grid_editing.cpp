#include "app/grid_editing.h"

#include <algorithm>

namespace vellar {

namespace {
constexpr GridCell kNoCell{-1, -1};
}  // namespace

// --- where the cells stand ---

bool GridEditing::IsCell(GridCell cell) const {
  return cell.col >= 1 && cell.col < ColCount() && cell.row >= 1 && cell.row < RowCount();
}

int GridEditing::VisibleRows() const {
  // A row is in sight when its cell is; the grid line below the last one may be cut off (the
  // inspector is exactly three cells high).
  return std::max(1, (height_ - RowPitch() + kLineWidth) / RowPitch());
}

int GridEditing::LastTopRow() const {
  return std::max(1, RowCount() - VisibleRows());
}

int GridEditing::LastLeftCol() const {
  int room = width_ - (ColWidth(0) + kLineWidth);
  int col = ColCount();
  while (col > 1 && room >= ColWidth(col - 1) + kLineWidth) {
    room -= ColWidth(col - 1) + kLineWidth;
    --col;
  }
  return std::max(1, col);
}

GridRect GridEditing::CellRect(int col, int row) const {
  int x = 0;
  if (col >= 1) {
    if (col < leftCol_) return {};
    x = ColWidth(0) + kLineWidth;
    for (int c = leftCol_; c < col; ++c) x += ColWidth(c) + kLineWidth;
  }
  int y = 0;
  if (row >= 1) {
    if (row < topRow_) return {};
    y = RowPitch() * (1 + row - topRow_);
  }
  return {x, y, ColWidth(col), rowHeight_};
}

bool GridEditing::InSight(GridCell cell) const {
  // Scrolled past the bottom or the right edge, a cell still has a place, but none in view: an
  // editor kept there would take the keys out of sight. A grid not yet given its size shows all.
  const GridRect rect = CellRect(cell.col, cell.row);
  if (rect.Empty()) return false;
  return (height_ == 0 || rect.y < height_) && (width_ == 0 || rect.x < width_);
}

GridCell GridEditing::CellAt(int x, int y) const {
  GridCell cell = kNoCell;
  int right = ColWidth(0) + kLineWidth;
  if (x >= 0 && x < right) cell.col = 0;
  for (int c = leftCol_; cell.col < 0 && c < ColCount(); ++c) {
    right += ColWidth(c) + kLineWidth;
    if (x < right) cell.col = c;
  }
  if (y >= 0 && y < RowPitch()) {
    cell.row = 0;
  } else if (y >= RowPitch()) {
    const int row = topRow_ + y / RowPitch() - 1;
    if (row < RowCount()) cell.row = row;
  }
  if (cell.col < 0 || cell.row < 0) return kNoCell;
  return cell;
}

// --- scrolling ---

void GridEditing::SetRowHeight(int height) {
  if (height == rowHeight_ || height <= 0) return;
  rowHeight_ = height;
  SetTopRow(topRow_);
  SyncEditor();
}

void GridEditing::SetViewport(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  SetTopRow(topRow_);
  SetLeftCol(leftCol_);
  SyncEditor();
}

// The editor moves with its cell, and goes while the cell is out of sight.
void GridEditing::SetTopRow(int row) {
  row = std::clamp(row, 1, LastTopRow());
  if (row == topRow_) return;
  topRow_ = row;
  SyncEditor();
}

void GridEditing::SetLeftCol(int col) {
  col = std::clamp(col, 1, LastLeftCol());
  if (col == leftCol_) return;
  leftCol_ = col;
  SyncEditor();
}

void GridEditing::ScrollTo(int topRow, int leftCol) {
  SetTopRow(topRow);
  SetLeftCol(leftCol);
}

void GridEditing::Wheel(int colSteps, int rowSteps) {
  SetTopRow(topRow_ + kWheelRows * rowSteps);
  SetLeftCol(leftCol_ + kWheelRows * colSteps);
}

void GridEditing::ScrollIntoView(GridCell cell) {
  if (cell.row >= 1) {
    if (cell.row < topRow_) {
      SetTopRow(cell.row);
    } else if (cell.row >= topRow_ + VisibleRows()) {
      SetTopRow(cell.row - VisibleRows() + 1);
    }
  }
  if (cell.col >= 1) {
    if (cell.col < leftCol_) {
      SetLeftCol(cell.col);
    } else {
      // Scroll right until the cell's right edge lies inside the client area.
      while (leftCol_ < LastLeftCol()) {
        const GridRect rect = CellRect(cell.col, 0);
        if (rect.x + rect.width <= width_) break;
        SetLeftCol(leftCol_ + 1);
      }
    }
  }
}

void GridEditing::Refresh() {
  SetTopRow(topRow_);
  SetLeftCol(leftCol_);
  const GridCell current = Current();
  if (current != shownCurrent_) {
    shownCurrent_ = current;
    if (!keepView_) ScrollIntoView(current);
  }
  SyncEditor();
}

// --- the mouse and the focus ---

void GridEditing::MoveTo(GridCell cell) {
  if (!IsCell(cell)) return;
  wish_ = Wish::Model;
  SelectCell(cell);
  Refresh();
}

bool GridEditing::MarginPress(int x, int y, MouseButton button) {
  if (button != MouseButton::Left || x < 0 || x >= kMarginWidth) return false;
  const GridCell cell = CellAt(x, y);
  return cell.col == 0 && cell.row >= 1 && ToggleRowMark(cell.row);
}

bool GridEditing::Press(GridCell cell, MouseButton button) {
  // The press lands beside the open editor, which loses its selection as a line edit does
  // when the focus leaves it: the next key goes on after the text.
  if (view_.shown && entered_ && !enteringByPress_) Select(GridEditorView::Select::Drop);
  enteringByPress_ = false;
  // Entering first: it may move the current cell (the MPS grid starts again at its first
  // row), and the press then selects the cell it hit.
  if (!entered_) FocusIn(true);
  if (button == MouseButton::Left) {
    if (cell == kNoCell) {
      // Beside the cells: the model hears of it, and typing then edits nothing. A header
      // cell leaves the typing where it was.
      wish_ = Wish::Model;
      SelectCell(cell);
    } else if (IsCell(cell) && (cell != Current() || ModelEditor().noCell)) {
      MoveTo(cell);
    }
  }
  const bool popup = MouseDown(cell, button);
  Refresh();
  return popup;
}

bool GridEditing::DoubleClick(GridCell cell, MouseButton button) {
  // The second press counts as one (a gate toggles again), and then opens the editor where
  // the cell takes a text.
  const bool popup = Press(cell, button);
  if (button == MouseButton::Left && cell == Current() && EditsOnDoubleClick(cell)) {
    OpenEditor();
    Select(GridEditorView::Select::End);
  }
  return popup;
}

bool GridEditing::Touch(const TouchPoint& point) {
  if (point.phase == TouchPhase::Down) {
    touchTopRow_ = topRow_;
    touchLeftCol_ = leftCol_;
  }
  const TouchGesture::Result r = touch_.Feed(point);
  const GridCell cell = CellAt(r.x, r.y);
  switch (r.kind) {
    case TouchGesture::Kind::Scroll:
      // The rows follow the finger; a swipe that began on a cell leaves it as it was.
      SetTopRow(touchTopRow_ - r.dy / RowPitch());
      SetLeftCol(touchLeftCol_ - r.dx / (ColWidth(touchLeftCol_) + kLineWidth));
      return false;
    case TouchGesture::Kind::Tap:
    case TouchGesture::Kind::DoubleTap:
      // On the open editor the line edit takes the tap itself, as it takes a click: the caret
      // goes under the finger.
      if (view_.shown && cell == editorCell_) return false;
      // A finger has no double click to spare: a tap on the current cell opens its editor.
      if (r.kind == TouchGesture::Kind::DoubleTap || (entered_ && cell == Current())) {
        return DoubleClick(cell, MouseButton::Left);
      }
      return Press(cell, MouseButton::Left);
    case TouchGesture::Kind::LongPress:
      return Press(cell, MouseButton::Right);
    case TouchGesture::Kind::None:
      break;
  }
  return false;
}

void GridEditing::FocusIn(bool byPress) {
  if (entered_) return;
  entered_ = true;
  keepView_ = byPress;
  enteringByPress_ = byPress;
  Enter();
  Refresh();
  keepView_ = false;
}

void GridEditing::FocusOut() {
  if (!entered_) return;
  entered_ = false;
  wish_ = Wish::Model;
  Exit();
  Refresh();
}

// --- keys ---

bool GridEditing::IsNavigation(const GridKeyEvent& key) {
  switch (key.key) {
    case GridKey::Up:
    case GridKey::Down:
    case GridKey::Left:
    case GridKey::Right:
    case GridKey::PageUp:
    case GridKey::PageDown:
    case GridKey::Home:
    case GridKey::End:
      return true;
    default:
      return false;
  }
}

bool GridEditing::Navigate(const GridKeyEvent& key) {
  if (!IsNavigation(key)) return false;
  const GridCell from = Current();
  GridCell to = from;
  switch (key.key) {
    case GridKey::Up:
      --to.row;
      break;
    case GridKey::Down:
      ++to.row;
      break;
    case GridKey::Left:
      --to.col;
      break;
    case GridKey::Right:
      ++to.col;
      break;
    case GridKey::PageUp:
      to.row -= VisibleRows();
      break;
    case GridKey::PageDown:
      to.row += VisibleRows();
      break;
    case GridKey::Home:
      to.col = 1;
      if (key.ctrl) to.row = 1;
      break;
    default:  // End
      to.col = ColCount() - 1;
      if (key.ctrl) to.row = RowCount() - 1;
      break;
  }
  to.col = std::clamp(to.col, 1, std::max(1, ColCount() - 1));
  to.row = std::clamp(to.row, 1, std::max(1, RowCount() - 1));
  // After a press beside the cells, a key that moves chooses the current cell again.
  if (to != from || ModelEditor().noCell) MoveTo(to);
  return true;
}

bool GridEditing::OpensEditor(const GridKeyEvent& key) {
  // Ctrl or Alt alone make a shortcut; both together are AltGr on some desktops.
  if (key.ctrl != key.alt || key.meta) return false;
  if (key.key == GridKey::Return || key.key == GridKey::Backspace) return true;
  return !key.text.empty();
}

bool GridEditing::LeavesText(const GridKeyEvent& key, const EditorCaret& caret) {
  if (key.shift || key.ctrl) return false;
  if (caret.start != caret.end) return caret.start == 0 && caret.end == caret.length;
  if (key.key == GridKey::Left) return caret.start == 0;
  return caret.start == caret.length;
}

KeyVerdict GridEditing::GridKeyPress(const GridKeyEvent& key) {
  enteringByPress_ = false;
  const bool opens = OpensEditor(key);
  // After a press beside the cells there is no cell to type into.
  if (ModelEditor().noCell && opens) return KeyVerdict::Taken;
  if (IsCell(Current()) && opens) {
    // Typing shows the cell it goes to: scrolled back into sight, its editor stands open
    // again as the user left it, and the key goes on where the typing was.
    ScrollIntoView(Current());
    if (view_.shown && editorCell_ == Current()) return KeyVerdict::ToEditor;
  }
  if (KeyDown(key)) Refresh();
  if (Navigate(key)) return KeyVerdict::Taken;
  if (!IsCell(Current()) || !opens) return KeyVerdict::NotTaken;
  OpenEditor();
  Select(GridEditorView::Select::End);
  if (key.key != GridKey::Return) {
    // The key replaces the cell's text, as in the editor that was shown all along.
    const std::string typed = key.key == GridKey::Backspace ? std::string() : key.text;
    view_.text = typed;
    EditorEdited(typed);
  }
  return KeyVerdict::Taken;
}

KeyVerdict GridEditing::EditorKeyPress(const GridKeyEvent& key, const EditorCaret& caret) {
  if (KeyDown(key)) Refresh();
  // The key closed the cell (Delete in a gate cell): it has done its work.
  if (!view_.shown) return KeyVerdict::Taken;
  switch (key.key) {
    case GridKey::Return:
    case GridKey::Escape:
      // The user ends editing.
      wish_ = Wish::Closed;
      SyncEditor();
      return KeyVerdict::Taken;
    case GridKey::Left:
    case GridKey::Right:
      if (LeavesText(key, caret) && Navigate(key)) return KeyVerdict::Taken;
      return KeyVerdict::NotTaken;
    case GridKey::Home:
    case GridKey::End:
      // Without Ctrl they move the caret.
      if (key.ctrl && Navigate(key)) return KeyVerdict::Taken;
      return KeyVerdict::NotTaken;
    default:
      return Navigate(key) ? KeyVerdict::Taken : KeyVerdict::NotTaken;
  }
}

// --- the editor ---

void GridEditing::Select(GridEditorView::Select select) {
  view_.select = select;
  ++view_.selectStamp;
}

void GridEditing::OpenEditor() {
  if (!IsCell(Current())) return;
  wish_ = Wish::Open;
  editorCell_ = Current();
  shownCellText_ = EditText(editorCell_);
  view_.text = shownCellText_;
  view_.shown = true;
  view_.cell = editorCell_;
  view_.leftAligned = EditLeftAligned(editorCell_);
  Select(GridEditorView::Select::All);
}

void GridEditing::CloseEditor() {
  view_.shown = false;
  view_.cell = kNoCell;
  editorCell_ = kNoCell;
}

void GridEditing::EditorEdited(std::string_view text) {
  if (!IsCell(editorCell_)) return;
  view_.text = text;
  wish_ = Wish::Model;
  editing_ = true;
  SetEditText(editorCell_, text);
  editing_ = false;
  SyncEditor(true);
}

GridEditing::Target GridEditing::WantedEditor() const {
  const CellEditor& model = ModelEditor();
  const GridCell current = Current();
  if (wish_ == Wish::Open && IsCell(editorCell_)) return {true, editorCell_, {}, true};
  if (wish_ == Wish::Model && model.open && IsCell(model.cell)) {
    return {true, model.cell, model.text, false};
  }
  if (EditorAlwaysShown() && IsCell(current) && !model.noCell) {
    // Left open, the editor keeps what the user typed; newly shown, it holds the cell's text.
    const bool same = view_.shown && editorCell_ == current;
    return {true, current, same ? std::string() : EditText(current), same};
  }
  return {};
}

void GridEditing::SyncEditor(bool afterEdit) {
  if (editing_) return;
  Target target = WantedEditor();
  if (!target.shown || !InSight(target.cell)) {
    // Scrolled out of sight, the editor keeps its text, caret and selection for its return.
    const bool leaving = view_.shown && editorCell_ == target.cell;
    parked_ = target.shown && (leaving || parked_ == target.cell) ? target.cell : kNoCell;
    CloseEditor();
    return;
  }
  const bool back = !view_.shown && parked_ == target.cell;
  parked_ = kNoCell;
  const bool fresh = !back && (!view_.shown || editorCell_ != target.cell);
  // The cell changed under the open editor (rows shifted, memory loaded or written by a run):
  // it shows the new text, so that the next key does not bring the old one back.
  const std::string cellText = EditText(target.cell);
  const bool changedUnder = !fresh && !afterEdit && cellText != shownCellText_;
  if (changedUnder) {
    target = {true, target.cell, cellText, false};
  } else if (back) {
    target.keepText = true;
  }
  shownCellText_ = cellText;
  editorCell_ = target.cell;
  if (!target.keepText) view_.text = target.text;
  view_.shown = true;
  view_.cell = target.cell;
  view_.leftAligned = EditLeftAligned(target.cell);
  // The editor that stands open at start while the user is elsewhere looks like its cell:
  // no selection, and silver like the rest of the store under manual gate control.
  view_.deselected = !entered_;
  view_.manualColour = !entered_ && !HasSelection();
  if (entered_ && (fresh || changedUnder || (afterEdit && ModelEditor().textSelected))) {
    // Newly shown, changed, or given a text of the model's own: the next key replaces it.
    Select(GridEditorView::Select::All);
  }
}

}  // namespace vellar
