#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/control_flags.h"
#include "app/frontend.h"
#include "core/machine.h"

// The sixteen gates as the user sees them: SetGate keeps the machine's open set and the
// buttons in step, manual clicks obey the conflict table, and the MPS editor asks here
// whether a gate may join a row.
namespace vellar {

enum class GatePicture { ClosedRight, OpenRight, ClosedLeft, OpenLeft };

struct GateButton {
  bool shownOpen = false;  // the state the picture shows (it lags while ShowBus is off)
  bool enabled = true;
};

class GateControl {
 public:
  GateControl(Machine& machine, const ControlFlags& flags, Frontend& frontend);

  // The only way a gate changes state.
  void SetGate(int gate, bool open);
  // The processor set the open gates from a row: the buttons follow as if SetGate had been
  // applied to every gate, 0 to F, starting from the gates open before.
  void GatesLoaded(uint16_t before) {
    // Without visible buttons and greying the sixteen SetGate calls show nothing.
    if (!flags_.ShowBus && !greyConflicts_) return;
    const uint16_t loaded = machine_.OpenMask;
    machine_.OpenMask = before;
    LoadGatesOneByOne(loaded);
  }
  void CloseAllGates();
  void CloseOutputGates();

  // Opens or closes a gate by hand, refusing silently what the conflict table forbids.
  // Switching to manual gate control is the caller's part (it belongs to the run control).
  void ToggleByHand(int gate);

  // True when gate g conflicts with the row mask; shows the fitting message.
  bool CheckMpsGate(int gate, uint16_t rowMask);

  // Shows a gate's state on its button (and the ALU sign for gate D).
  void ShowGate(int gate, bool open);

  bool GreyConflicts() const { return greyConflicts_; }
  void SetGreyConflicts(bool on) { greyConflicts_ = on; }

  const GateButton& Button(int gate) const { return buttons_[gate]; }
  void SetButtonEnabled(int gate, bool enabled);
  void EnableAllButtons();

  static GatePicture Picture(int gate, bool open);
  // What button g shows now (its pale form while it is disabled).
  GatePicture ButtonPicture(int gate) const { return Picture(gate, buttons_[gate].shownOpen); }
  // "Tor öffnen" or "Tor schließen"; Tor_F has none.
  std::string_view Hint(int gate) const;
  // The vertical bar of the ALU's plus sign (ShPlus): visible while gate D is shown closed.
  bool PlusBarVisible() const { return !buttons_[0xD].shownOpen; }

 private:
  void GreyConflictingButtons();
  void LoadGatesOneByOne(uint16_t mask);

  Machine& machine_;
  const ControlFlags& flags_;
  Frontend& frontend_;
  std::array<GateButton, kGateCount> buttons_{};
  bool greyConflicts_ = false;
};

}  // namespace vellar
