#pragma once

#include <bit>
#include <bitset>
#include <cstdint>

#include "core/machine.h"
#include "core/micro_program.h"
#include "core/run_watch.h"

// The processor advanced by one bus phase or one ALU clock: plain data in, plain data out.
// It calls nobody, allocates nothing and knows nothing of what is shown; the session shows
// what the returned result says happened, as far as the display levels ask for it.
namespace vellar {

// What one bus phase did.
struct StepResult {
  bool rowLoaded = false;  // the gates came from the row at CurrentRow
  int row = 0;             // that row (address + 1), when rowLoaded
  int nextRow = 0;         // CurrentRow afterwards
  bool halt = false;       // the halt rule fired (HaltSeen)
  bool wrote = false;      // output phase: RAM[writeAddress] := DR
  uint8_t writeAddress = 0;
  uint8_t loaded = 0;  // input phase: bit r, register r (AX .. DR) took a new value
  bool read = false;   // input phase: DR := RAM[AR]
};

// The bytes a run wrote, so that the views can be brought up to date once afterwards.
using RamWrites = std::bitset<kRamSize>;

namespace step {

// The sequencer at the start of the output phase: the gates of the row at CurrentRow, then the
// next row from its next address, plus OP with gate F, plus 1 with gate E while AX is negative,
// modulo 256 (of the row, not the address: a next address of FF gives row 0).
inline const MicroRow& LoadRow(Machine& m, const MicroProgram& program) {
  // Row 0 lies behind address FF; like any row outside the store it runs address 0.
  if (static_cast<unsigned>(m.CurrentRow - 1) >= MicroProgram::kRows) m.CurrentRow = 1;
  const MicroRow& r = program.Row(m.CurrentRow - 1);
  m.OpenMask = r.gates;
  m.HaltSeen = r.halts;
  const int n = r.next + 1;
  m.CurrentRow = (n + (m.Regs[OP] & r.opMask) + (r.signTest & (m.Regs[AX] >> 7))) & 0xFF;
  return r;
}

inline uint8_t AluInputA(const Machine& m, const MicroRow& r) {
  return m.Regs[r.sourceA] & r.maskA;
}
inline uint8_t AluInputB(const Machine& m, const MicroRow& r) {
  return (m.Regs[DR] & r.maskB) | r.constantB;
}
// A + B, or A - B with gate D; no carry, no flag.
inline uint8_t Alu(const Machine& m, const MicroRow& r) {
  const unsigned a = AluInputA(m, r);
  const unsigned b = AluInputB(m, r);
  return static_cast<uint8_t>(r.subtract ? a - b : a + b);
}

// The memory write with the DR of before this clock, then the ALU.
inline void Output(Machine& m, const MicroRow& r) {
  if (r.write) m.Ram[m.Regs[AR]] = m.Regs[DR];
  m.Regs[AL] = Alu(m, r);
}

// The loads in the order AX .. DR, then the memory read, which wins over gate A.
inline void Input(Machine& m, const MicroRow& r) {
  const uint8_t alu = m.Regs[AL];
  if (r.severalLoads) {
    for (unsigned l = r.loads; l != 0; l &= l - 1) m.Regs[std::countr_zero(l)] = alu;
  } else {
    m.Regs[r.loadTarget] = alu;
  }
  if (r.read) m.Regs[DR] = m.Ram[m.Regs[AR]];
}

}  // namespace step

// The output phase. With loadRow (automatic gate control) the row at CurrentRow sets every
// gate first; otherwise the gates open now act.
StepResult OutputStep(Machine& m, const MicroProgram& program, bool loadRow);
// The input phase, with the gates open now.
StepResult InputStep(Machine& m);
// One ALU clock under automatic gate control: both phases with the gates of the row.
StepResult ClockStep(Machine& m, const MicroProgram& program);

// The rows after which the run buttons end their runs: "1 Befehl" when the next
// micro-instruction is at address 0 (row 1), "bis Halt" only behind FF (row 0).
inline constexpr int kInstructionEndRow = 1;
inline constexpr int kHaltEndRow = 0;

// Whether the clock that brought the machine here ends a run that stops on rows up to endRow:
// the row is reached, or the halt rule fired.
inline bool ClockEndsRun(const Machine& m, int endRow) {
  return m.CurrentRow <= endRow || m.HaltSeen;
}

// Why RunClocks returned.
struct RunOutcome {
  uint64_t clocks = 0;  // ALU clocks performed
  bool ended = false;   // a clock ended on a row <= endRow, or the halt rule fired
  // The last of them that ended an instruction: on row 1 or 0 (address 00 next, or behind
  // FF), or with HaltSeen; counted from 1, 0 when none did. The past for "Schritt zurück"
  // needs it, since "bis Halt" runs on through row 1.
  uint64_t lastInstructionEnd = 0;
  // A breakpoint or condition stopped the run after its last clock.
  StopHit hit;
};

// What RunClocks watches besides the end of the run: where to stop and what to count; either
// may be missing, and without both the loop is the bare one.
struct RunWatch {
  StopPoints* stops = nullptr;
  RunStats* stats = nullptr;
  uint64_t clocksBefore = 0;  // ALU clocks of the run before this stretch, for CLOCKS=
};

// Whole ALU clocks under automatic gate control, each from its output phase to its input
// phase, until maxClocks are done or a clock ends on a row <= endRow or with HaltSeen. The
// bytes written are added to written.
RunOutcome RunClocks(Machine& m, const MicroProgram& program, uint64_t maxClocks, int endRow,
                     RamWrites& written, const RunWatch& watch = {});

}  // namespace vellar
