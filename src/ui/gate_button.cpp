#include "ui/gate_button.h"

#include "ui/gate_pictures.h"
#include "ui/ui_style.h"

namespace vellar::ui {

GateButton::GateButton(QWidget* parent, int gate, int x, int y, const GateControl& gates,
                       std::function<void(int)> onClick)
    : QPushButton(parent), gate_(gate), gates_(gates) {
  setObjectName(QStringLiteral("Tor_") + QString::number(gate, 16).toUpper());
  setGeometry(x, y, kSize, kSize);
  setIconSize({kGatePictureSize, kGatePictureSize});
  // The corners of the rounded button show the panel, not the paths beneath it.
  SetBackground(this, parent->palette().color(QPalette::Window));
  if (gate != 0xF) {
    connect(this, &QPushButton::clicked, this, [this, onClick] { onClick(gate_); });
  }
  Sync();
}

void GateButton::Sync() {
  const vellar::GateButton& model = gates_.Button(gate_);
  const GatePicture picture = gates_.ButtonPicture(gate_);
  if (shown_ != picture) {
    shown_ = picture;
    setIcon(GateIcon(picture));
  }
  const QString hint = FromUtf8(gates_.Hint(gate_));
  if (toolTip() != hint) setToolTip(hint);
  if (isEnabled() != model.enabled) setEnabled(model.enabled);
}

}  // namespace vellar::ui
