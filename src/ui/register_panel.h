#pragma once

#include <array>
#include <functional>
#include <span>
#include <vector>

#include "app/form_controls.h"
#include "ui/gate_button.h"
#include "ui/panel_parts.h"
#include "ui/register_field.h"

class QLabel;

// PaRegister: the registers AX, BX, IP, OP, the ALU with its sign, the sign flag, the gates
// around them, and the register picture beneath them all.
namespace vellar::ui {

// A gate button at its design place, with the place of its number label.
class RegisterPanel : public PicturePanel {
 public:
  static constexpr int kHeight = 305;

  RegisterPanel(QWidget* parent, const DataPathParts& parts, const DiagramGeometry& geometry,
                const std::function<void(int)>& torClick);

  // The sign flag and the ALU's plus or minus.
  void Sync();
  // Where the paths meet the controls.
  void FillControls(DiagramControls& controls) const;

  const std::array<RegisterField*, 5>& Fields() const { return fields_; }
  const std::vector<GateButton*>& Gates() const { return gates_; }

 private:
  const RegisterFields& registers_;
  const GateControl& gateControl_;
  std::array<RegisterField*, 5> fields_{};  // AX, BX, IP, OP, AL
  std::vector<GateButton*> gates_;
  QLabel* paSignF_ = nullptr;
  QLabel* paSubtr_ = nullptr;
  QLabel* paPlus1_ = nullptr;
  QFrame* paALU_ = nullptr;
  QWidget* shPlus_ = nullptr;
};

// Adds the gate buttons of a table with their number labels.
std::vector<GateButton*> AddGates(QWidget* parent, std::span<const GatePlace> places,
                                  const GateControl& gates,
                                  const std::function<void(int)>& torClick);

}  // namespace vellar::ui
