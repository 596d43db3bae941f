#pragma once

#include <array>
#include <functional>
#include <vector>

#include "ui/gate_button.h"
#include "ui/panel_parts.h"
#include "ui/register_field.h"

// PaBus: the bus system with DR and AR, the gates 8 to C and the bus picture beneath them on
// the inner panel PaBus2.
namespace vellar::ui {

class BusPanel : public ColourPanel {
 public:
  static constexpr int kWidth = 193;
  static constexpr int kHeight = 225;

  BusPanel(QWidget* parent, const DataPathParts& parts, const DiagramGeometry& geometry,
           const std::function<void(int)>& torClick);

  PicturePanel* Inner() const { return inner_; }
  void FillControls(DiagramControls& controls) const;

  const std::array<RegisterField*, 2>& Fields() const { return fields_; }
  const std::vector<GateButton*>& Gates() const { return gates_; }

 private:
  PicturePanel* inner_ = nullptr;
  std::array<RegisterField*, 2> fields_{};  // DR, AR
  std::vector<GateButton*> gates_;
};

}  // namespace vellar::ui
