#include "app/clock_phases.h"

namespace vellar {

ClockPhases::ClockPhases(const Parts& parts) : p_(parts) {}

void ClockPhases::OutputPhase() {
  if (p_.flags.ShowBus) p_.picture.HighlightInputs(false);
  if (p_.flags.GatesAutomatic) LoadRow();
  Machine& m = p_.machine;
  // The write uses DR as it stands before this clock; it happens before the ALU works.
  if (m.GateOpen(0xB)) p_.memory.WriteRam(m.Regs[AR], m.Regs[DR]);
  m.Regs[AL] = m.AluResult();
  if (p_.flags.ShowBus) p_.picture.HighlightOutputs(true);
  if (p_.flags.ShowRegisters) p_.registers.ShowRegs();
}

void ClockPhases::LoadRow() {
  // Row 0 lies behind address FF; the sequence wraps around to address 0 there, so no table
  // is ever read outside its 256 rows.
  if (CurrentRow < 1 || CurrentRow > MpsStore::kRows) CurrentRow = 1;
  if (p_.flags.ShowCursors) ShowCurrentRow();
  const int address = CurrentRow - 1;
  p_.gates.LoadGates(p_.mps.GateMask(address));
  const int n = p_.mps.NextAddress(address) + 1;
  HaltSeen = n == CurrentRow && n != 1;
  int row = n;
  const Machine& m = p_.machine;
  if (m.GateOpen(0xF)) row += m.Regs[OP];
  if (m.GateOpen(0xE) && m.SignFlag()) row += 1;
  CurrentRow = row & 0xFF;
}

void ClockPhases::InputPhase() {
  Machine& m = p_.machine;
  const uint8_t alu = m.Regs[AL];
  // Gates 0, 2, .. A load AX, BX, .. DR, in ascending order.
  for (unsigned loads = m.OpenMask & 0x0555u; loads != 0; loads &= loads - 1) {
    m.Regs[__builtin_ctz(loads) / 2] = alu;
  }
  if (m.GateOpen(0xC)) m.Regs[DR] = p_.memory.ReadRam(m.Regs[AR]);
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
  if (p_.flags.ShowCursors && p_.flags.GatesAutomatic) ShowCurrentRow();
  p_.machine.Regs[AL] = 0;
  p_.registers.ShowRegs();
  p_.gates.CloseAllGates();
}

void ClockPhases::ShowCurrentRow() {
  // Row 0 is the grid's header; the cursor stays where it is then.
  if (CurrentRow >= 1) p_.mpsGrid.current.row = CurrentRow;
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

}  // namespace vellar
