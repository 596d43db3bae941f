#include "app/clock_phases.h"

#include "core/micro_step.h"

namespace vellar {

ClockPhases::ClockPhases(const Parts& parts)
    : CurrentRow(parts.machine.CurrentRow), HaltSeen(parts.machine.HaltSeen), p_(parts) {}

void ClockPhases::OutputPhase() {
  if (p_.flags.ShowBus) p_.picture.HighlightInputs(false);
  const bool automatic = p_.flags.GatesAutomatic;
  const uint16_t before = p_.machine.OpenMask;
  const StepResult step = OutputStep(p_.machine, p_.mps.Program(), automatic);
  loadedAddress_ = step.rowLoaded ? step.row - 1 : -1;
  if (step.rowLoaded) {
    if (p_.flags.ShowCursors) ShowCurrentRow(step.row);
    p_.gates.GatesLoaded(before);
  }
  if (step.wrote) p_.memory.RamWritten(step.writeAddress);
  if (p_.flags.ShowBus) p_.picture.HighlightOutputs(true);
  // Only the ALU has a new value; the other fields keep what the user may be typing.
  if (p_.flags.ShowRegisters) p_.registers.ShowAlu();
}

void ClockPhases::InputPhase() {
  InputStep(p_.machine);
  const Machine& m = p_.machine;
  if (p_.breakpoints.Counting()) {
    // Only the micro-program's rows end instructions; gates opened by hand end none.
    const bool ended = loadedAddress_ >= 0 && ClockEndsRun(m, kInstructionEndRow);
    p_.breakpoints.Stats().CountClock(loadedAddress_, ended, m.Regs[OP]);
  }
  loadedAddress_ = -1;
  if (p_.flags.ShowCursors) p_.memory.MoveRamCursor(m.Regs[AR]);
  if (p_.flags.ShowBus) {
    p_.picture.HighlightOutputs(false);
    p_.gates.CloseOutputGates();
    p_.picture.HighlightInputs(true);
  }
  if (p_.flags.ShowRegisters) p_.registers.ShowRegs();
}

void ClockPhases::EndRun() {
  p_.picture.BxPaint();
  if (p_.flags.ShowCursors && p_.flags.GatesAutomatic) ShowCurrentRow(CurrentRow);
  p_.machine.Regs[AL] = 0;
  p_.registers.ShowRegs();
  p_.gates.CloseAllGates();
}

RunOutcome ClockPhases::RunClocks(uint64_t maxClocks, int endRow, uint64_t clocksBefore) {
  RamWrites written;
  const RunOutcome outcome = vellar::RunClocks(p_.machine, p_.mps.Program(), maxClocks, endRow,
                                               written, p_.breakpoints.Watch(clocksBefore));
  if (written.any()) {
    for (int a = 0; a < kRamSize; ++a) {
      if (written[a]) p_.memory.RamWritten(a);
    }
  }
  return outcome;
}

void ClockPhases::ShowCurrentRow(int row) {
  // Row 0 is the grid's header; the cursor stays where it is then.
  if (row >= 1) p_.mpsGrid.current.row = row;
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

}  // namespace vellar
