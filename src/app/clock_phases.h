#pragma once

#include "app/breakpoints.h"
#include "app/control_flags.h"
#include "app/data_path.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/memory.h"
#include "app/register_fields.h"
#include "core/machine.h"
#include "core/micro_step.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"

// One ALU clock is an output phase and an input phase; under automatic gate control the
// micro-sequencer loads the current MPS row at the start of the output phase (LoadRow, in the
// processor's own step). This class shows what a step did, as far as the display levels ask.
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
    Breakpoints& breakpoints;  // counts what each clock ran
  };

  explicit ClockPhases(const Parts& parts);

  void OutputPhase();
  void InputPhase();
  // Steps of the end of a run up to closing the gates; the run control adds its buttons.
  void EndRun();
  // Whole ALU clocks at a level that shows nothing during the run (automatic gate control,
  // every display level off): the processor runs by itself, and the bytes it wrote are shown
  // afterwards. Stops after maxClocks or when a clock ends on a row <= endRow or halts.
  // clocksBefore: ALU clocks of the run before this stretch, for the conditions.
  RunOutcome RunClocks(uint64_t maxClocks, int endRow, uint64_t clocksBefore = 0);

  // The sequencer's state, kept in the machine: the MPS grid row (address + 1) of the
  // micro-instruction to execute next, 0 after a computed next address of FF.
  int& CurrentRow;
  bool& HaltSeen;

 private:
  void ShowCurrentRow(int row);

  Parts p_;
  // The address of the row the output phase loaded, until its input phase counts the clock;
  // -1 when none was loaded.
  int loadedAddress_ = -1;
};

}  // namespace vellar
