#pragma once

#include <cstdint>

#include "app/clock_phases.h"
#include "app/control_flags.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/memory.h"
#include "app/register_fields.h"
#include "app/run_control.h"
#include "app/run_history.h"
#include "core/machine.h"
#include "ram/ram_grid.h"

// "Schritt zurück": takes back the last step of the selected clock mode, a bus phase, an ALU
// clock, an instruction or the whole last run, as far back as the last load, reset or hand
// change. Afterwards the window shows that moment as it showed it then, and going forward
// again continues exactly as it did.
namespace vellar {

class StepBack {
 public:
  struct Parts {
    RunHistory& history;
    RunControl& run;
    ClockPhases& phases;
    Machine& machine;
    GateControl& gates;
    RegisterFields& registers;
    Memory& memory;
    RamGrid& ramGrid;
    const ControlFlags& flags;
    Frontend& frontend;
  };

  explicit StepBack(const Parts& parts);

  // The menu item, its key and its button. During a run it pauses the run first.
  void StepBackClick();
  // So many whole ALU clocks back at once (vellar-cli run --back), or back to the start of
  // the kept past when it holds fewer.
  void StepBackClocks(uint64_t clocks);
  // There is a past to go back to.
  bool CanStepBack();
  // The menu item offers itself: during a run (which it pauses) or with a past to go back to.
  bool MenuEnabled() { return p_.run.Running() || CanStepBack(); }

 private:
  void GoTo(uint64_t target);
  void Apply(const Moment& moment);

  Parts p_;
};

}  // namespace vellar
