#pragma once

#include <QLineEdit>

// One of the register fields EdAX .. EdAL: two characters at most, the text and the value
// belong to the session's register fields, which this forwards every change to.
namespace vellar {
class RegisterFields;
}

namespace vellar::ui {

class RegisterField : public QLineEdit {
 public:
  static constexpr int kWidth = 27;
  static constexpr int kHeight = 21;

  RegisterField(QWidget* parent, int reg, int x, int y, RegisterFields& registers);

  int Reg() const { return reg_; }
  // Shows the session's text when it differs.
  void Sync();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int reg_;
  RegisterFields& registers_;
};

}  // namespace vellar::ui
