#include "app/step_back.h"

namespace vellar {

StepBack::StepBack(const Parts& parts) : p_(parts) {}

bool StepBack::CanStepBack() {
  p_.history.Sync();
  return p_.history.Position() > p_.history.BasePosition();
}

void StepBack::StepBackClick() {
  if (p_.run.Running()) {
    // The run ends at its next phase; the next press goes back from where it stopped.
    p_.run.BuStoppClick();
    return;
  }
  if (!CanStepBack()) return;
  GoTo(p_.history.Target(p_.run.Mode()));
}

void StepBack::StepBackClocks(uint64_t clocks) {
  if (p_.run.Running() || clocks == 0 || !CanStepBack()) return;
  GoTo(p_.history.ClocksBack(clocks));
}

void StepBack::GoTo(uint64_t target) {
  const RunHistory::Rebuilt past = p_.history.Rebuild(target);
  Apply(past.moment);
  p_.run.ShowPastMoment(past.finish);
}

// Through the same calls as a run, so that buttons, fields, cursors and variables follow.
void StepBack::Apply(const Moment& moment) {
  Machine& m = p_.machine;
  bool wrote = false;
  for (int a = 0; a < kRamSize; ++a) {
    const uint8_t byte = moment.machine.Ram[a];
    if (m.Ram[a] == byte) continue;
    m.Ram[a] = byte;
    p_.ramGrid.ShowRamByte(a, byte);
    wrote = true;
  }
  if (wrote) {
    p_.memory.SetRamChanged(true);
    p_.frontend.Invalidate(kRedrawRamGrid);
  }
  p_.memory.UpdateVariables();
  m.Regs = moment.machine.Regs;
  p_.phases.CurrentRow = moment.machine.CurrentRow;
  p_.phases.HaltSeen = moment.machine.HaltSeen;
  for (int g = 0; g < kGateCount; ++g) p_.gates.SetGate(g, moment.machine.GateOpen(g));
  p_.registers.ShowRegs();
  if (p_.flags.ShowCursors) p_.memory.MoveRamCursor(m.Regs[AR]);
}

}  // namespace vellar
