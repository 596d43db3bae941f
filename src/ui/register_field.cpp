#include "ui/register_field.h"

#include <QFocusEvent>
#include <QTimer>
#include <array>

#include "app/register_fields.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

constexpr std::array<const char*, kRegCount> kNames = {"EdAX", "EdBX", "EdIP", "EdOP",
                                                       "EdAR", "EdDR", "EdAL"};

}  // namespace

RegisterField::RegisterField(QWidget* parent, int reg, int x, int y, RegisterFields& registers)
    : QLineEdit(parent), reg_(reg), registers_(registers) {
  setObjectName(QString::fromLatin1(kNames[reg]));
  setGeometry(x, y, kWidth, kHeight);
  setFont(WindowFont(16));
  setMaxLength(2);
  setTextMargins(0, 0, 0, 0);
  setToolTip(FromUtf8(RegisterFields::Hint(reg)));
  setReadOnly(reg == AL);
  QPalette palette = this->palette();
  const QColor text = reg == OP ? kOpText : (reg == IP || reg == AR) ? kIpText : QColor(Qt::black);
  palette.setColor(QPalette::Text, text);
  setPalette(palette);
  setText(QStringLiteral("00"));
  connect(this, &QLineEdit::textEdited, this, [this](const QString& typed) {
    registers_.EdRegChange(reg_, typed.toStdString());
    // Letters become capitals and a refused character goes; the caret stays at the end.
    Sync();
  });
}

void RegisterField::Sync() {
  const QString text = FromUtf8(registers_.Text(reg_));
  if (this->text() != text) setText(text);
}

void RegisterField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (IsWindowSwitch(*event)) return;
  // Selected after the focus change has been dealt with, or the click would undo it.
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void RegisterField::mousePressEvent(QMouseEvent* event) {
  // A click into a window that was not active brings the focus only with the activation,
  // which selects nothing; the click entered the field all the same. So does a click back from
  // another window into the field that kept the focus meanwhile.
  const bool entering = !hasFocus() || !window()->isActiveWindow();
  QLineEdit::mousePressEvent(event);
  if (entering) QTimer::singleShot(0, this, [this] { selectAll(); });
}

void RegisterField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (IsWindowSwitch(*event)) return;
  registers_.EdRegExit(reg_);
  Sync();
}

}  // namespace vellar::ui
