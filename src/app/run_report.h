#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "core/condition.h"

// What a run left, as vellar-cli prints it and as --expect checks it.
namespace vellar {

struct RunResult {
  std::array<uint8_t, kRegCount> regs{};
  bool sign = false;
  int row = 0;
  uint64_t clocks = 0;
  std::string stop;      // "halt", "end", "limit" or "break"
  std::string stopText;  // after "break": "Haltepunkt MPS 5E"
  std::array<uint8_t, kRamSize> ram{};
};

RunResult ResultOf(const Session& session);
// The same for a run that the session's run control did not count.
RunResult ResultOf(const Session& session, uint64_t clocks, StopReason stop);

// "AX=hh BX=hh IP=hh OP=hh AR=hh DR=hh AL=hh SF=d ROW=n CLOCKS=n STOP=…".
std::string StatusLine(const RunResult& result);
// Sixteen lines "hh: hh hh … hh".
std::vector<std::string> DumpLines(const RunResult& result);

// One item of --expect, such as "AX=07", "[20]=0F", "SF=1", "ROW=12", "CLOCKS=40",
// "STOP=halt", or "AX!=07": the model's conditions, read the same way.
using Expectation = Condition;

// The items of one --expect text; no value (and a message in error) for a malformed item.
std::optional<std::vector<Expectation>> ParseExpectations(std::string_view text,
                                                          std::string& error);

// "AX=07 erwartet, AX=05 erhalten." for the first item the result does not meet; none when
// all are met.
std::optional<std::string> FirstDifference(const std::vector<Expectation>& items,
                                           const RunResult& result);

// The report of each item the result does not meet; empty when all are met.
std::vector<std::string> CheckExpectations(const std::vector<Expectation>& items,
                                           const RunResult& result);

}  // namespace vellar
