#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "ui/grid_editor.h"
#include "ui/string_grid.h"
#include "ui/ui_style.h"

// The string grid's editing: moving the current cell, the in-place editor, the mouse and the
// focus. The model decides; the grid hands it every event and shows what it leaves.
namespace vellar::ui {

bool StringGrid::IsCell(GridCell cell) const {
  return cell.col >= 1 && cell.col < ColCount() && cell.row >= 1 && cell.row < RowCount();
}

bool StringGrid::Navigate(const QKeyEvent& event) {
  const GridCell from = Current();
  GridCell to = from;
  const bool ctrl = (event.modifiers() & Qt::ControlModifier) != 0;
  switch (event.key()) {
    case Qt::Key_Up:
      --to.row;
      break;
    case Qt::Key_Down:
      ++to.row;
      break;
    case Qt::Key_Left:
      --to.col;
      break;
    case Qt::Key_Right:
      ++to.col;
      break;
    case Qt::Key_PageUp:
      to.row -= VisibleRows();
      break;
    case Qt::Key_PageDown:
      to.row += VisibleRows();
      break;
    case Qt::Key_Home:
      to.col = 1;
      if (ctrl) to.row = 1;
      break;
    case Qt::Key_End:
      to.col = ColCount() - 1;
      if (ctrl) to.row = RowCount() - 1;
      break;
    default:
      return false;
  }
  to.col = std::clamp(to.col, 1, std::max(1, ColCount() - 1));
  to.row = std::clamp(to.row, 1, std::max(1, RowCount() - 1));
  // After a press beside the cells, a key that moves chooses the current cell again.
  if (to != from || ModelEditor().noCell) MoveTo(to);
  return true;
}

void StringGrid::MoveTo(GridCell cell) {
  if (!IsCell(cell)) return;
  wish_ = EditorWish::Model;
  SelectCell(cell);
  Refresh();
}

void StringGrid::MousePress(QPoint pos, Qt::MouseButton button, QPoint globalPos) {
  // The cell under the pointer first: entering the grid may move its current cell (the MPS
  // grid starts again at its first row), and the click then selects the cell it hit.
  const GridCell cell = CellAt(pos);
  if (!entered_) {
    setFocus(Qt::MouseFocusReason);
    // In a window that is not yet active the focus arrives later; the click enters now.
    FocusGained(true);
  }
  if (button == Qt::LeftButton) {
    if (cell == GridCell{-1, -1}) {
      // Beside the cells: the model hears of it, and typing then edits nothing. A header
      // cell leaves the typing where it was.
      wish_ = EditorWish::Model;
      SelectCell(cell);
    } else if (IsCell(cell) && (cell != Current() || ModelEditor().noCell)) {
      MoveTo(cell);
    }
  }
  MouseDown(cell, button, globalPos);
  Refresh();
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  MousePress(event->position().toPoint(), event->button(), event->globalPosition().toPoint());
  event->accept();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press counts as one (a gate toggles again), and then opens the editor where
  // the cell takes a text.
  const QPoint pos = event->position().toPoint();
  MousePress(pos, event->button(), event->globalPosition().toPoint());
  const GridCell cell = CellAt(pos);
  if (event->button() == Qt::LeftButton && cell == Current() && EditsOnDoubleClick(cell)) {
    OpenEditor();
    editor_->end(false);
  }
  event->accept();
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  if (ModelEditor().noCell && OpensEditor(*event)) {
    event->accept();
    return;
  }
  if (IsCell(Current()) && OpensEditor(*event)) {
    // Typing shows the cell it goes to: scrolled back into sight, its editor stands open
    // again as the user left it.
    ScrollIntoView(Current());
    if (!editor_->isHidden() && editorCell_ == Current()) {
      // The grid took the focus from its open editor (a click on the scroll bar or a header
      // cell): the key goes on where the typing was.
      editor_->setFocus(Qt::OtherFocusReason);
      editor_->Key(event);
      return;
    }
  }
  KeyDown(*event);
  if (Navigate(*event)) return;
  if (IsCell(Current()) && OpensEditor(*event)) {
    OpenEditor();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      editor_->end(false);
    } else {
      // The key replaces the cell's text, as in the editor that was shown all along.
      editor_->Type(event);
    }
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool StringGrid::OpensEditor(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  const bool ctrl = (mods & Qt::ControlModifier) != 0;
  const bool alt = (mods & Qt::AltModifier) != 0;
  // Ctrl or Alt alone make a shortcut; both together are AltGr on some desktops.
  if (ctrl != alt || (mods & Qt::MetaModifier)) return false;
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
      return true;
    default:
      return !event.text().isEmpty() && event.text().front().isPrint();
  }
}

void StringGrid::OpenEditor() {
  if (!IsCell(Current())) return;
  wish_ = EditorWish::Open;
  editorCell_ = Current();
  shownCellText_ = EditText(editorCell_);
  editor_->setText(shownCellText_);
  PlaceEditor();
  editor_->show();
  editor_->selectAll();
  if (hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
}

void StringGrid::CloseEditor() {
  if (editor_->isHidden()) return;
  // Hidden with the focus, the editor would hand it to the next control in the window.
  if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
  editor_->hide();
  editorCell_ = {-1, -1};
}

void StringGrid::EditorDone() {
  wish_ = EditorWish::Closed;
  SyncEditor();
}

void StringGrid::EditorEdited(const QString& text) {
  if (!IsCell(editorCell_)) return;
  wish_ = EditorWish::Model;
  editing_ = true;
  SetEditText(editorCell_, text);
  editing_ = false;
  SyncEditor(true);
  viewport()->update();
}

StringGrid::EditorTarget StringGrid::WantedEditor() const {
  EditorTarget target;
  const CellEditor& model = ModelEditor();
  const GridCell current = Current();
  if (wish_ == EditorWish::Open && IsCell(editorCell_)) {
    target = {true, editorCell_, {}, true};
  } else if (wish_ == EditorWish::Model && model.open && IsCell(model.cell)) {
    target = {true, model.cell, FromUtf8(model.text), false};
  } else if (EditorAlwaysShown() && IsCell(current) && !model.noCell) {
    // Left open, the editor keeps what the user typed; newly shown, it holds the cell's text.
    const bool same = !editor_->isHidden() && editorCell_ == current;
    target = {true, current, same ? QString() : EditText(current), same};
  }
  return target;
}

void StringGrid::SyncEditor(bool afterEdit) {
  if (editing_) return;
  EditorTarget target = WantedEditor();
  if (!target.shown || CellRect(target.cell.col, target.cell.row).isEmpty()) {
    // Scrolled out of sight, the editor keeps its text, caret and selection for its return.
    const bool leaving = !editor_->isHidden() && editorCell_ == target.cell;
    if (!target.shown || (!leaving && parked_ != target.cell)) {
      parked_ = {-1, -1};
    } else {
      parked_ = target.cell;
    }
    CloseEditor();
    return;
  }
  const bool back = editor_->isHidden() && parked_ == target.cell;
  parked_ = {-1, -1};
  const bool fresh = !back && (editor_->isHidden() || editorCell_ != target.cell);
  // The cell changed under the open editor (rows shifted, memory loaded or written by a run):
  // it shows the new text, so that the next key does not bring the old one back.
  const QString cellText = EditText(target.cell);
  const bool changedUnder = !fresh && !afterEdit && cellText != shownCellText_;
  if (changedUnder) {
    target = {true, target.cell, cellText, false};
  } else if (back) {
    target.keepText = true;
  }
  shownCellText_ = cellText;
  editorCell_ = target.cell;
  if (!target.keepText && editor_->text() != target.text) editor_->setText(target.text);
  PlaceEditor();
  if (editor_->isHidden()) editor_->show();
  if (!entered_) {
    // The editor that stands open at start while the user is elsewhere looks like its cell:
    // no selection, and silver like the rest of the store under manual gate control.
    editor_->deselect();
  } else if (fresh || changedUnder || (afterEdit && ModelEditor().textSelected)) {
    // Newly shown, changed, or given a text of the model's own: the next key replaces it.
    editor_->selectAll();
  }
  editor_->SetTextColour(entered_ || HasSelection() ? QColor(Qt::black) : kManualText);
  if (hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
}

void StringGrid::PlaceEditor() {
  if (!IsCell(editorCell_)) return;
  editor_->setGeometry(CellRect(editorCell_.col, editorCell_.row));
  // After the geometry: centred text is placed by the cell's width.
  editor_->SetLeftAligned(EditLeftAligned(editorCell_));
}

void StringGrid::FocusGained(bool byPress) {
  // Also when the focus comes with the window's activation: a click into a window that was not
  // active hands the grid the focus only then, and that click did enter the grid.
  if (entered_) return;
  entered_ = true;
  keepView_ = byPress;
  if (focusHandler_) focusHandler_(true);
  Refresh();
  keepView_ = false;
}

void StringGrid::FocusLost(const QFocusEvent& event) {
  if (IsWindowSwitch(event)) return;
  FocusMoved(QApplication::focusWidget());
}

void StringGrid::FocusMoved(const QWidget* now) {
  if (!entered_ || now == nullptr || now->window() != window()) return;
  // Focus passing between the grid and its editor stays inside.
  if (now == this || now == editor_) return;
  entered_ = false;
  wish_ = EditorWish::Model;
  if (focusHandler_) focusHandler_(false);
  Refresh();
}

void StringGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  FocusGained(event->reason() == Qt::MouseFocusReason);
  // The window became active with the grid's editor open: the editor takes the keyboard. A
  // line edit without the focus loses its selection then, and a click into an inactive window
  // activates it only after the click has opened the editor with the cell's text selected.
  if (event->reason() == Qt::ActiveWindowFocusReason && !editor_->isHidden()) {
    editor_->setFocus(Qt::OtherFocusReason);
  }
}

void StringGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  FocusLost(*event);
}

}  // namespace vellar::ui
