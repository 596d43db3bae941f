#include "ui/key_hook_filter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vellar::ui {

KeyHookFilter::KeyHookFilter(QWidget* window, Hook hook)
    : QObject(window), window_(window), hook_(std::move(hook)) {}

namespace {

// The digit of a key of the main keyboard's digit row, told by the key itself rather than by
// the symbol Shift makes of it ("!" or "§"); -1 for any other key. X11 and Wayland number
// those keys 10 ("1") to 19 ("0") on every layout; Windows names them "0" to "9" in its
// virtual key codes whatever Shift does. The numeric keypad's keys are others.
int DigitUnderKey(const QKeyEvent& event, QStringView platform) {
  if (platform == u"xcb" || platform.startsWith(u"wayland")) {
    const quint32 code = event.nativeScanCode();
    if (code >= 10 && code <= 19) return static_cast<int>(code - 9) % 10;
  } else if (platform == u"windows") {
    const quint32 key = event.nativeVirtualKey();
    if (key >= '0' && key <= '9') return static_cast<int>(key - '0');
  }
  return -1;
}

}  // namespace

KeyMessage KeyHookFilter::Translate(const QKeyEvent& event, QStringView platform) {
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
  } else if (key >= Qt::Key_A && key <= Qt::Key_F) {
    // Qt names a letter key the same with and without Shift.
    m.key = KeyCode::HexDigit;
    m.hexDigit = 10 + key - Qt::Key_A;
  } else if (keypad) {
    return m;
  } else if (const int digit = DigitUnderKey(event, platform); digit >= 0) {
    m.key = KeyCode::HexDigit;
    m.hexDigit = digit;
  } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    m.key = KeyCode::HexDigit;
    m.hexDigit = key - Qt::Key_0;
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
