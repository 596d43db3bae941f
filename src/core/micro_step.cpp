#include "core/micro_step.h"

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

RunOutcome RunClocks(Machine& machine, const MicroProgram& program, uint64_t maxClocks, int endRow,
                     RamWrites& written) {
  // A local copy: the compiler then knows that no store of the loop touches the program. The
  // row is carried in a variable of its own, so that the next clock need not wait for it to
  // come back from memory.
  Machine m = machine;
  RunOutcome outcome;
  // The counts too are kept in variables of their own while the loop runs.
  uint64_t clocks = 0;
  uint64_t lastEnd = 0;
  int row = m.CurrentRow;
  while (clocks < maxClocks) {
    m.CurrentRow = row;
    const MicroRow& r = step::LoadRow(m, program);
    row = m.CurrentRow;
    const bool halt = m.HaltSeen;
    if (r.write) written.set(m.Regs[AR]);
    step::Output(m, r);
    step::Input(m, r);
    ++clocks;
    // A conditional move beside the row's chain of dependences: next to nothing per clock.
    lastEnd = row <= kInstructionEndRow ? clocks : lastEnd;
    if (row <= endRow || halt) {
      if (halt) lastEnd = clocks;
      outcome.ended = true;
      break;
    }
  }
  machine = m;
  outcome.clocks = clocks;
  outcome.lastInstructionEnd = lastEnd;
  return outcome;
}

}  // namespace vellar
