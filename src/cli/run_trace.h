#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/session.h"

// vellar-cli run --trace: the run clock by clock, one line per ALU clock,
//   T=<n> ADR=<hh> TORE=<gates> AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d [W[hh]=hh]
// with the registers after the clock's input phase, AL the ALU value of its output phase and
// W the memory write of gate B. The run drives the session's own clock phases, so it is the
// run the window would make; only the stop rule of the mode is applied here.
namespace vellar::cli {

struct TracedRun {
  uint64_t clocks = 0;
  StopReason stop = StopReason::None;
  std::string stopText;  // at a breakpoint or condition: why
};

// Runs until the mode ("clock", "instruction", "halt") ends, a breakpoint or condition of the
// session stops it, or maxClocks clocks are done,
// writing the lines to out in large blocks; a million clocks must not mean a million writes.
TracedRun RunTraced(Session& session, std::string_view mode, uint64_t maxClocks, std::FILE* out);

// The line of one clock, appended to line (exposed for its tests).
void AppendTraceLine(std::string& line, uint64_t clock, int address, uint16_t gates,
                     const Machine& after, uint8_t alu, bool wrote, uint8_t writeAddress,
                     uint8_t writeValue);

}  // namespace vellar::cli
