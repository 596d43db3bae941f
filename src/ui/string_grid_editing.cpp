#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "ui/grid_editor.h"
#include "ui/string_grid.h"
#include "ui/ui_style.h"

// The string grid's events, handed to the model as they come, and the editor shown as the
// model leaves it. Which cell, whether the editor opens and what it holds are the model's.
namespace vellar::ui {

namespace {

MouseButton ButtonOf(Qt::MouseButton button) {
  return button == Qt::RightButton  ? MouseButton::Right
         : button == Qt::LeftButton ? MouseButton::Left
                                    : MouseButton::Middle;
}

GridKey KeyOf(int key) {
  switch (key) {
    case Qt::Key_Up:
      return GridKey::Up;
    case Qt::Key_Down:
      return GridKey::Down;
    case Qt::Key_Left:
      return GridKey::Left;
    case Qt::Key_Right:
      return GridKey::Right;
    case Qt::Key_PageUp:
      return GridKey::PageUp;
    case Qt::Key_PageDown:
      return GridKey::PageDown;
    case Qt::Key_Home:
      return GridKey::Home;
    case Qt::Key_End:
      return GridKey::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return GridKey::Return;
    case Qt::Key_Escape:
      return GridKey::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return GridKey::Tab;
    case Qt::Key_Backspace:
      return GridKey::Backspace;
    case Qt::Key_Delete:
      return GridKey::Delete;
    default:
      return GridKey::Other;
  }
}

}  // namespace

GridKeyEvent GridKeyOf(const QKeyEvent& event) {
  GridKeyEvent key;
  key.key = KeyOf(event.key());
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  key.shift = (mods & Qt::ShiftModifier) != 0;
  key.ctrl = (mods & Qt::ControlModifier) != 0;
  key.alt = (mods & Qt::AltModifier) != 0;
  key.meta = (mods & Qt::MetaModifier) != 0;
  if (!event.text().isEmpty() && event.text().front().isPrint()) {
    key.text = event.text().toStdString();
  }
  return key;
}

void StringGrid::Show() {
  ShowScrollBars();
  ShowEditor();
  viewport()->update();
}

void StringGrid::ShowEditor() {
  const GridEditorView& shown = editing_.Editor();
  if (!shown.shown) {
    if (editor_->isHidden()) return;
    // Hidden with the focus, the editor would hand it to the next control in the window.
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor_->hide();
    return;
  }
  const QString text = FromUtf8(shown.text);
  if (editor_->text() != text) editor_->setText(text);
  editor_->setGeometry(CellRect(shown.cell.col, shown.cell.row));
  // After the geometry: centred text is placed by the cell's width.
  editor_->SetLeftAligned(shown.leftAligned);
  if (editor_->isHidden()) editor_->show();
  if (shown.selectStamp != shownSelectStamp_) {
    shownSelectStamp_ = shown.selectStamp;
    if (shown.select == GridEditorView::Select::All) {
      editor_->selectAll();
    } else if (shown.select == GridEditorView::Select::End) {
      editor_->end(false);
    } else {
      editor_->deselect();
    }
  }
  if (shown.deselected) editor_->deselect();
  editor_->SetTextColour(shown.manualColour ? kManualText : QColor(Qt::black));
  if (hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
}

void StringGrid::MousePress(QPoint pos, Qt::MouseButton button, QPoint globalPos,
                            bool doubleClick) {
  SyncViewport();
  if (editing_.MarginPress(pos.x(), pos.y(), ButtonOf(button))) {
    viewport()->update();
    return;
  }
  const GridCell cell = editing_.CellAt(pos.x(), pos.y());
  if (!Entered()) {
    setFocus(Qt::MouseFocusReason);
    // In a window that is not yet active the focus arrives later; the click enters now.
    FocusGained(true);
  }
  const bool popup = doubleClick ? editing_.DoubleClick(cell, ButtonOf(button))
                                 : editing_.Press(cell, ButtonOf(button));
  Show();
  if (popup) OpenPopup(globalPos);
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  MousePress(event->position().toPoint(), event->button(), event->globalPosition().toPoint(),
             false);
  event->accept();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  MousePress(event->position().toPoint(), event->button(), event->globalPosition().toPoint(), true);
  event->accept();
}

void StringGrid::wheelEvent(QWheelEvent* event) {
  SyncViewport();
  wheelRest_ += event->angleDelta();
  const QPoint steps = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
  wheelRest_ -= steps * QWheelEvent::DefaultDeltasPerStep;
  // The wheel turned away from the user scrolls up.
  editing_.Wheel(-steps.x(), -steps.y());
  Show();
  event->accept();
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  SyncViewport();
  const KeyVerdict verdict = editing_.GridKeyPress(GridKeyOf(*event));
  Show();
  if (verdict == KeyVerdict::ToEditor) {
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->Key(event);
    return;
  }
  if (verdict == KeyVerdict::NotTaken) QAbstractScrollArea::keyPressEvent(event);
}

bool StringGrid::EditorKey(const QKeyEvent& event) {
  SyncViewport();
  EditorCaret caret;
  caret.start = editor_->hasSelectedText() ? editor_->selectionStart() : editor_->cursorPosition();
  caret.end = caret.start + static_cast<int>(editor_->selectedText().size());
  caret.length = static_cast<int>(editor_->text().size());
  const KeyVerdict verdict = editing_.EditorKeyPress(GridKeyOf(event), caret);
  Show();
  return verdict == KeyVerdict::Taken;
}

void StringGrid::EditorEdited(const QString& text) {
  editing_.EditorEdited(text.toStdString());
  Show();
}

void StringGrid::FocusGained(bool byPress) {
  // Also when the focus comes with the window's activation: a click into a window that was not
  // active hands the grid the focus only then, and that click did enter the grid.
  if (Entered()) return;
  SyncViewport();
  editing_.FocusIn(byPress);
  Show();
}

void StringGrid::FocusLost(const QFocusEvent& event) {
  if (IsWindowSwitch(event)) return;
  FocusMoved(QApplication::focusWidget());
}

void StringGrid::FocusMoved(const QWidget* now) {
  if (!Entered() || now == nullptr || now->window() != window()) return;
  // Focus passing between the grid and its editor stays inside.
  if (now == this || now == editor_) return;
  editing_.FocusOut();
  Show();
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
