#include "app/run_report.h"

#include "core/hex.h"
#include "core/text.h"

namespace vellar {

namespace {

std::string_view StopName(StopReason reason) {
  switch (reason) {
    case StopReason::Halt:
      return "halt";
    case StopReason::Limit:
      return "limit";
    case StopReason::Break:
      return "break";
    default:
      return "end";
  }
}

// The item's value as the result has it, in the item's own notation.
std::string Actual(const Expectation& item, const RunResult& r) {
  switch (item.subject) {
    case Condition::Subject::Stop:
      return r.stop;
    case Condition::Subject::Sign:
      return r.sign ? "1" : "0";
    case Condition::Subject::Row:
      return std::to_string(r.row);
    case Condition::Subject::Clocks:
      return std::to_string(r.clocks);
    case Condition::Subject::Memory:
      return HexByte(r.ram[item.index]);
    case Condition::Subject::Register:
      break;
  }
  return HexByte(r.regs[item.index]);
}

std::optional<std::string> DifferenceOf(const Expectation& item, const RunResult& result) {
  const std::string actual = Actual(item, result);
  if ((actual == item.ValueText()) == item.equal) return std::nullopt;
  return item.Canonical() + " erwartet, " + item.key + "=" + actual + " erhalten.";
}

}  // namespace

RunResult ResultOf(const Session& session) {
  return ResultOf(session, session.run.ClocksThisRun(), session.run.LastStopReason());
}

RunResult ResultOf(const Session& session, uint64_t clocks, StopReason stop) {
  RunResult r;
  r.regs = session.machine.Regs;
  r.sign = session.machine.SignFlag();
  r.row = session.phases.CurrentRow;
  r.clocks = clocks;
  r.stop = StopName(stop);
  if (stop == StopReason::Break) r.stopText = session.run.StopText();
  r.ram = session.machine.Ram;
  return r;
}

std::string StatusLine(const RunResult& r) {
  std::string line;
  for (int reg = 0; reg < kRegCount; ++reg) {
    line += std::string(kRegNames[reg]) + "=" + HexByte(r.regs[reg]) + " ";
  }
  line += "SF=" + std::string(r.sign ? "1" : "0");
  line += " ROW=" + std::to_string(r.row);
  line += " CLOCKS=" + std::to_string(r.clocks);
  line += " STOP=" + r.stop;
  return line;
}

std::vector<std::string> DumpLines(const RunResult& r) {
  std::vector<std::string> lines;
  for (int base = 0; base < kRamSize; base += 16) {
    std::string line = HexByte(base) + ":";
    for (int i = 0; i < 16; ++i) line += " " + HexByte(r.ram[base + i]);
    lines.push_back(line);
  }
  return lines;
}

std::optional<std::vector<Expectation>> ParseExpectations(std::string_view text,
                                                          std::string& error) {
  std::string bad;
  auto items = ParseConditions(text, bad);
  if (!items) {
    error = "Ungültige Erwartung „" + bad +
            "“ (Beispiele: AX=07 [20]=0F SF=1 ROW=12 CLOCKS=40 STOP=halt AX!=00).";
  }
  return items;
}

std::optional<std::string> FirstDifference(const std::vector<Expectation>& items,
                                           const RunResult& result) {
  for (const Expectation& item : items) {
    if (auto difference = DifferenceOf(item, result)) return difference;
  }
  return std::nullopt;
}

std::vector<std::string> CheckExpectations(const std::vector<Expectation>& items,
                                           const RunResult& result) {
  std::vector<std::string> reports;
  for (const Expectation& item : items) {
    if (auto difference = DifferenceOf(item, result)) {
      reports.push_back("Erwartung nicht erfüllt: " + *difference);
    }
  }
  return reports;
}

}  // namespace vellar
