#pragma once

#include "app/control_flags.h"
#include "app/data_path.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/memory.h"
#include "app/register_fields.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"

// One ALU clock is an output phase and an input phase; under automatic gate control the
// micro-sequencer loads the current MPS row at the start of the output phase. How much of
// each step is shown depends on the display levels.
namespace vellar {

class ClockPhases {
 public:
  struct Parts {
    Machine& machine;
    const MpsStore& mps;
    MpsGrid& mpsGrid;
    GateControl& gates;
    const ControlFlags& flags;
    Memory& memory;
    RegisterFields& registers;
    DataPathPicture& picture;
    Frontend& frontend;
  };

  explicit ClockPhases(const Parts& parts);

  void OutputPhase();
  void InputPhase();
  void LoadRow();
  // Steps of the end of a run up to closing the gates; the run control adds its buttons.
  void EndRun();

  // The MPS grid row (address + 1) of the micro-instruction to execute next; 0 after a
  // computed next address of FF.
  int CurrentRow = 1;
  bool HaltSeen = false;

 private:
  void ShowCurrentRow();

  Parts p_;
};

}  // namespace vellar
