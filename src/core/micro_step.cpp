#include "core/micro_step.h"

#include <array>

namespace vellar {

uint8_t Machine::AluInputA() const {
  return step::AluInputA(*this, DecodeGates(OpenMask));
}

uint8_t Machine::AluInputB() const {
  return step::AluInputB(*this, DecodeGates(OpenMask));
}

uint8_t Machine::AluResult() const {
  return step::Alu(*this, DecodeGates(OpenMask));
}

StepResult OutputStep(Machine& m, const MicroProgram& program, bool loadRow) {
  StepResult result;
  MicroRow open;
  if (loadRow) {
    result.rowLoaded = true;
    if (static_cast<unsigned>(m.CurrentRow - 1) >= MicroProgram::kRows) m.CurrentRow = 1;
    result.row = m.CurrentRow;
    open = step::LoadRow(m, program);
    result.halt = m.HaltSeen;
  } else {
    open = DecodeGates(m.OpenMask);
  }
  result.nextRow = m.CurrentRow;
  result.wrote = open.write;
  result.writeAddress = m.Regs[AR];
  step::Output(m, open);
  return result;
}

StepResult InputStep(Machine& m) {
  const MicroRow open = DecodeGates(m.OpenMask);
  step::Input(m, open);
  StepResult result;
  result.nextRow = m.CurrentRow;
  result.loaded = open.loads;
  result.read = open.read;
  return result;
}

StepResult ClockStep(Machine& m, const MicroProgram& program) {
  StepResult result = OutputStep(m, program, true);
  const StepResult input = InputStep(m);
  result.loaded = input.loaded;
  result.read = input.read;
  return result;
}

namespace {

// The counts of one stretch of clocks, on the stack while the loop runs: no store of the
// loop can reach them through another pointer, so they stay out of its way, and they are
// added to the run's statistics once at the end.
struct StretchCounts {
  std::array<uint64_t, 256> rows{};
  std::array<uint64_t, 256> opCount{};
  std::array<uint64_t, 256> opClocks{};

  void AddTo(RunStats& stats) const {
    for (size_t i = 0; i < 256; ++i) {
      stats.rows[i] += rows[i];
      stats.opCount[i] += opCount[i];
      stats.opClocks[i] += opClocks[i];
    }
  }
};

// What a clock may have changed, in the bits of StopPoints::ConditionReads: the registers
// the row loads, DR when it reads memory, the memory when it writes, and AL, the row and the
// clock count always.
inline unsigned ClockChanges(const MicroRow& r) {
  return r.loads | (static_cast<unsigned>(r.read) << DR) | (r.write ? kReadsMemory : 0u) |
         (1u << AL) | kReadsEveryClock;
}

// The loop, made once for each combination of what is watched: the bare run pays nothing for
// breakpoints and statistics it does not have.
template <bool kStops, bool kStats>
RunOutcome RunClocksWith(Machine& machine, const MicroProgram& program, uint64_t maxClocks,
                         int endRow, RamWrites& written, const RunWatch& watch) {
  // A local copy: the compiler then knows that no store of the loop touches the program. The
  // row is carried in a variable of its own, so that the next clock need not wait for it to
  // come back from memory.
  Machine m = machine;
  RunOutcome outcome;
  // The counts too are kept in variables of their own while the loop runs.
  uint64_t clocks = 0;
  uint64_t lastEnd = 0;
  RamWrites writes;
  int row = m.CurrentRow;
  StretchCounts counts;
  // Counted from the end of the last instruction, which may lie before this stretch; the
  // difference wraps as unsigned numbers do.
  uint64_t opStart = kStats ? 0 - watch.stats->instructionClocks : 0;
  // The breakpoints as bytes, which no store of the loop can touch: on MPS addresses by the
  // row that comes next (row 0 runs address 0), on RAM by IP.
  std::array<uint8_t, 256> mpsAtRow{};
  std::array<uint8_t, 256> ramAt{};
  if constexpr (kStops) {
    for (size_t i = 0; i < 256; ++i) {
      mpsAtRow[i] = watch.stops->mps.test(i == 0 ? 0 : i - 1);
      ramAt[i] = watch.stops->ram.test(i);
    }
  }
  const unsigned reads = kStops ? watch.stops->ConditionReads() : 0;
  while (clocks < maxClocks) {
    // As LoadRow would, but here, so that the row's address is known without dividing.
    if (static_cast<unsigned>(row - 1) >= MicroProgram::kRows) row = 1;
    const auto address = static_cast<size_t>(row - 1);
    m.CurrentRow = row;
    const MicroRow& r = step::LoadRow(m, program);
    row = m.CurrentRow;
    const bool halt = m.HaltSeen;
    if (r.write) writes.set(m.Regs[AR]);
    step::Output(m, r);
    step::Input(m, r);
    ++clocks;
    const bool instructionEnd = row <= kInstructionEndRow || halt;
    if constexpr (kStats) {
      ++counts.rows[address];
      if (instructionEnd) {
        const uint8_t op = m.Regs[OP];
        ++counts.opCount[op];
        counts.opClocks[op] += clocks - opStart;
        opStart = clocks;
      }
    }
    // A conditional move beside the row's chain of dependences: next to nothing per clock.
    lastEnd = row <= kInstructionEndRow ? clocks : lastEnd;
    if (row <= endRow || halt) {
      if (halt) lastEnd = clocks;
      outcome.ended = true;
      break;
    }
    if constexpr (kStops) {
      // One test in the usual clock; the whole check only where a breakpoint may be hit or a
      // condition may have become true.
      const unsigned place = mpsAtRow[static_cast<size_t>(row)] |
                             (static_cast<unsigned>(instructionEnd) & ramAt[m.Regs[IP]]);
      if (place != 0) {
        outcome.hit = watch.stops->Check(m, watch.clocksBefore + clocks, instructionEnd);
      } else if ((ClockChanges(r) & reads) != 0) {
        outcome.hit = watch.stops->CheckConditions(m, watch.clocksBefore + clocks);
      }
      if (outcome.hit) break;
    }
  }
  machine = m;
  written |= writes;
  if constexpr (kStats) {
    counts.AddTo(*watch.stats);
    watch.stats->clocks += clocks;
    watch.stats->instructionClocks = clocks - opStart;
  }
  outcome.clocks = clocks;
  outcome.lastInstructionEnd = lastEnd;
  return outcome;
}

}  // namespace

RunOutcome RunClocks(Machine& machine, const MicroProgram& program, uint64_t maxClocks, int endRow,
                     RamWrites& written, const RunWatch& watch) {
  const bool stops = watch.stops != nullptr && !watch.stops->Empty();
  if (stops && watch.stats != nullptr) {
    return RunClocksWith<true, true>(machine, program, maxClocks, endRow, written, watch);
  }
  if (stops) return RunClocksWith<true, false>(machine, program, maxClocks, endRow, written, watch);
  if (watch.stats != nullptr) {
    return RunClocksWith<false, true>(machine, program, maxClocks, endRow, written, watch);
  }
  return RunClocksWith<false, false>(machine, program, maxClocks, endRow, written, watch);
}

}  // namespace vellar
