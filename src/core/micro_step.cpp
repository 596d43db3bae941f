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
  // A local copy: the compiler then knows that no store of the loop touches the program.
  Machine m = machine;
  RunOutcome outcome;
  while (outcome.clocks < maxClocks) {
    const MicroRow& r = step::LoadRow(m, program);
    if (r.write) written.set(m.Regs[AR]);
    step::Output(m, r);
    step::Input(m, r);
    ++outcome.clocks;
    if (m.CurrentRow <= endRow || m.HaltSeen) {
      outcome.ended = true;
      break;
    }
  }
  machine = m;
  return outcome;
}

}  // namespace vellar
