#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/session.h"

// What is set by hand between loading and running: registers ("--set AX=07") and memory
// bytes ("--mem F0=2A"). vellar-cli run takes them as options, a grading case as words of
// its line.
namespace vellar {

// A run ends after this many ALU clocks unless --max-clocks says otherwise.
inline constexpr uint64_t kDefaultClockLimit = 10'000'000;

// A positive whole number, as a clock limit is written; none for anything else.
std::optional<uint64_t> ParsePositive(std::string_view text);
// The value of --max-clocks: a positive whole number; false and a German message otherwise.
bool ParseClockLimit(std::string_view text, uint64_t& clocks, std::string& error);

struct RunSetup {
  std::vector<std::pair<int, std::string>> registers;  // register, hex text as typed
  std::vector<std::pair<uint8_t, uint8_t>> memory;     // address, byte
};

// "REG=HH" with REG one of AX, BX, IP, OP, AR, DR; false and a German message otherwise.
bool ParseSetItem(std::string_view item, RunSetup& setup, std::string& error);
// "AA=HH"; false and a German message otherwise.
bool ParseMemItem(std::string_view item, RunSetup& setup, std::string& error);

// The registers as typed into their fields, the bytes as written by the processor.
void ApplySetup(Session& session, const RunSetup& setup);

// Starts the run as the button of the mode ("clock", "instruction", "halt") does, under
// automatic gate control at "zu schnell", to end after maxClocks ALU clocks at the latest; the
// caller asks for its slices (RunControl::Advance).
void BeginRun(Session& session, std::string_view mode, uint64_t maxClocks);
// The same, run to its end.
void StartRun(Session& session, std::string_view mode, uint64_t maxClocks);

}  // namespace vellar
