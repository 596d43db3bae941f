#include "ui/key_hook_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vellar::ui {

KeyHookFilter::KeyHookFilter(QWidget* window, Hook hook)
    : QObject(window), window_(window), hook_(std::move(hook)) {}

KeyMessage KeyHookFilter::Translate(const QKeyEvent& event) {
  KeyMessage m;
  m.down = event.type() == QEvent::KeyPress;
  m.altHeld = (event.modifiers() & Qt::AltModifier) != 0;
  const int key = event.key();
  const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
  if (key == Qt::Key_Control) {
    m.key = KeyCode::Control;
  } else if (key == Qt::Key_Alt || key == Qt::Key_AltGr) {
    m.key = KeyCode::Alt;
  } else if (key == Qt::Key_Space) {
    m.key = KeyCode::Space;
  } else if (key == Qt::Key_Backspace) {
    m.key = KeyCode::Backspace;
  } else if (key == Qt::Key_Insert) {
    m.key = KeyCode::Insert;
  } else if (key == Qt::Key_Delete) {
    m.key = KeyCode::Delete;
  } else if (key >= Qt::Key_0 && key <= Qt::Key_9 && !keypad) {
    m.key = KeyCode::HexDigit;
    m.hexDigit = key - Qt::Key_0;
  } else if (key >= Qt::Key_A && key <= Qt::Key_F) {
    m.key = KeyCode::HexDigit;
    m.hexDigit = 10 + key - Qt::Key_A;
  }
  return m;
}

bool KeyHookFilter::IsHistoryKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
  if (event.key() == Qt::Key_Z) {
    return mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
  }
  return event.key() == Qt::Key_Y && mods == Qt::ControlModifier;
}

bool KeyHookFilter::eventFilter(QObject* watched, QEvent* event) {
  // A line edit claims these keys for its own undo; refusing the claim lets the menu's
  // shortcut take them, so that one Ctrl+Z undoes the last edit wherever the focus is.
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == window_) {
    return IsHistoryKey(*static_cast<QKeyEvent*>(event));
  }
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  if (!watched->isWidgetType()) return false;
  // A key event that the focused control passes on reaches its parents too; the hook sees it
  // once, at the control it was meant for. Keys of message boxes and dialogs are theirs: a
  // space bar that answers a question must not start a run.
  const QWidget* first = QApplication::focusWidget();
  if (first == nullptr) first = QApplication::activeWindow();
  const auto* widget = static_cast<QWidget*>(watched);
  if (widget != first || widget->window() != window_) return false;
  return hook_(Translate(*static_cast<QKeyEvent*>(event)));
}

}  // namespace vellar::ui
