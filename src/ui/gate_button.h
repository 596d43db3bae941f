#pragma once

#include <QPushButton>
#include <functional>
#include <optional>

#include "app/gate_control.h"

// One of the gate buttons Tor_0 .. Tor_F: shows the picture, hint and enabled state the
// gate control holds for it, and forwards a click. Tor_F has no click and no hint.
namespace vellar::ui {

class GateButton : public QPushButton {
 public:
  static constexpr int kSize = 23;

  GateButton(QWidget* parent, int gate, int x, int y, const GateControl& gates,
             std::function<void(int)> onClick);

  void Sync();
  int Gate() const { return gate_; }
  std::optional<GatePicture> ShownPicture() const { return shown_; }

 private:
  int gate_;
  const GateControl& gates_;
  std::optional<GatePicture> shown_;
};

}  // namespace vellar::ui
