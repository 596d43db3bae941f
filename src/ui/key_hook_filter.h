#pragma once

#include <QGuiApplication>
#include <QObject>
#include <QStringView>
#include <functional>
#include <optional>

#include "app/key_hook.h"

class QKeyEvent;
class QWidget;

// The application-wide key hook: sees every key event meant for the main window before the
// focused control does, hands it to the session's hook and keeps it from the control when
// the hook has handled it.
namespace vellar::ui {

class KeyHookFilter : public QObject {
 public:
  using Hook = std::function<bool(const KeyMessage&)>;
  KeyHookFilter(QWidget* window, Hook hook);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // The hook's view of a Qt key event on the given windowing platform.
  static KeyMessage Translate(const QKeyEvent& event,
                              QStringView platform = QGuiApplication::platformName());
  // Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z: the window's undo and redo, not those of an edit field.
  static bool IsHistoryKey(const QKeyEvent& event);

 private:
  QWidget* window_;
  Hook hook_;
};

}  // namespace vellar::ui
