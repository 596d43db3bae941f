#pragma once

#include <QLineEdit>

#include "ui/handler_guard.h"

// One of the register fields EdAX .. EdAL: two characters at most, the text and the value
// belong to the session's register fields, which this forwards every change to.
namespace vellar {
class Session;
}

namespace vellar::ui {

class RegisterField : public QLineEdit {
 public:
  static constexpr int kWidth = 27;
  static constexpr int kHeight = 21;

  RegisterField(QWidget* parent, int reg, int x, int y, Session& session, HandlerGuard& guard);

  int Reg() const { return reg_; }
  // Shows the session's text when it differs.
  void Sync();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int reg_;
  Session& session_;
  HandlerGuard& guard_;
};

}  // namespace vellar::ui
