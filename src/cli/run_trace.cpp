#include "cli/run_trace.h"

#include <string>

#include "core/hex.h"
#include "core/micro_step.h"

namespace vellar::cli {

namespace {

constexpr size_t kBlock = 1 << 16;
constexpr std::string_view kRegLabels[] = {" AX=", " BX=", " IP=", " OP=", " AR=", " DR="};

// The rule by which the run button of the mode ends its run after an ALU clock.
bool RunIsOver(std::string_view mode, const Machine& machine) {
  if (mode == "instruction") return ClockEndsRun(machine, kInstructionEndRow);
  if (mode == "halt") return ClockEndsRun(machine, kHaltEndRow);
  return true;
}

void AppendHex(std::string& line, uint8_t value) {
  line += kHexDigits[value >> 4];
  line += kHexDigits[value & 0xF];
}

}  // namespace

void AppendTraceLine(std::string& line, uint64_t clock, int address, uint16_t gates,
                     const Machine& after, uint8_t alu, bool wrote, uint8_t writeAddress,
                     uint8_t writeValue) {
  line += "T=";
  line += std::to_string(clock);
  line += " ADR=";
  AppendHex(line, static_cast<uint8_t>(address));
  line += " TORE=";
  if (gates == 0) line += '-';
  for (int g = 0; g < kGateCount; ++g) {
    if ((gates & GateBit(g)) != 0) line += kHexDigits[g];
  }
  for (int reg = AX; reg <= DR; ++reg) {
    line += kRegLabels[reg];
    AppendHex(line, after.Regs[reg]);
  }
  line += " AL=";
  AppendHex(line, alu);
  line += after.SignFlag() ? " SF=1" : " SF=0";
  if (wrote) {
    line += " W[";
    AppendHex(line, writeAddress);
    line += "]=";
    AppendHex(line, writeValue);
  }
  line += '\n';
}

TracedRun RunTraced(Session& s, std::string_view mode, uint64_t maxClocks, std::FILE* out) {
  s.run.SetGatesAutomatic(true);
  s.run.SetSliderPosition(RunControl::kMinPosition);
  s.phases.HaltSeen = false;
  const Machine& m = s.machine;
  s.breakpoints.Arm(m, 0);
  TracedRun run;
  std::string block;
  block.reserve(kBlock + 256);
  for (;;) {
    // Row 0 lies behind address FF; the sequencer runs address 00 there.
    const int row = s.phases.CurrentRow;
    const int address = row >= 1 && row <= MpsStore::kRows ? row - 1 : 0;
    const uint8_t writeAddress = m.Regs[AR];
    const uint8_t writeValue = m.Regs[DR];
    s.phases.OutputPhase();
    // At this display level the output gates stay open through the input phase.
    const uint16_t gates = m.OpenMask;
    const uint8_t alu = m.Regs[AL];
    s.phases.InputPhase();
    ++run.clocks;
    AppendTraceLine(block, run.clocks, address, gates, m, alu, (gates & GateBit(0xB)) != 0,
                    writeAddress, writeValue);
    if (block.size() >= kBlock) {
      std::fwrite(block.data(), 1, block.size(), out);
      block.clear();
    }
    if (RunIsOver(mode, s.machine)) {
      run.stop = mode != "clock" && s.phases.HaltSeen ? StopReason::Halt : StopReason::ModeEnd;
      break;
    }
    const StopHit hit = s.breakpoints.Check(m, run.clocks, ClockEndsRun(m, kInstructionEndRow));
    if (hit) {
      run.stop = StopReason::Break;
      run.stopText = s.breakpoints.Reason(hit);
      break;
    }
    if (run.clocks >= maxClocks) {
      run.stop = StopReason::Limit;
      break;
    }
  }
  std::fwrite(block.data(), 1, block.size(), out);
  s.run.EndRun();
  return run;
}

}  // namespace vellar::cli
