#include "app/run_report.h"

#include <charconv>

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
    default:
      return "end";
  }
}

bool ParseDecimal(std::string_view text, uint64_t& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end;
}

// One or two hex digits.
bool ParseHexByte(std::string_view text, uint64_t& value) {
  if (text.empty() || text.size() > 2 || !IsHexNumber(text)) return false;
  value = ParseHex(text);
  return true;
}

// The item's value as the result has it, in the item's own notation.
std::string Actual(const Expectation& item, const RunResult& r) {
  if (item.key == "STOP") return r.stop;
  if (item.key == "SF") return r.sign ? "1" : "0";
  if (item.key == "ROW") return std::to_string(r.row);
  if (item.key == "CLOCKS") return std::to_string(r.clocks);
  if (item.key.front() == '[') return HexByte(r.ram[ParseHex(item.key.substr(1, 2))]);
  return HexByte(r.regs[RegisterIndex(item.key)]);
}

std::string Expected(const Expectation& item) {
  if (item.key == "STOP") return item.stop;
  if (item.key == "SF" || item.key == "ROW" || item.key == "CLOCKS") {
    return std::to_string(item.value);
  }
  return HexByte(static_cast<unsigned>(item.value));
}

bool ParseItem(std::string_view item, Expectation& e) {
  const size_t eq = item.find('=');
  if (eq == std::string_view::npos) return false;
  const std::string_view value = item.substr(eq + 1);
  e.text = item;
  e.key = ToUpperAscii(item.substr(0, eq));
  if (e.key == "STOP") {
    e.stop = ToLowerAscii(value);
    return e.stop == "halt" || e.stop == "end" || e.stop == "limit";
  }
  if (e.key == "SF") return (value == "0" || value == "1") && ParseDecimal(value, e.value);
  if (e.key == "ROW" || e.key == "CLOCKS") return ParseDecimal(value, e.value);
  if (e.key.size() >= 3 && e.key.front() == '[' && e.key.back() == ']') {
    uint64_t address = 0;
    if (!ParseHexByte(std::string_view(e.key).substr(1, e.key.size() - 2), address)) return false;
    e.key = "[" + HexByte(static_cast<unsigned>(address)) + "]";
    return ParseHexByte(value, e.value);
  }
  return RegisterIndex(e.key) >= 0 && ParseHexByte(value, e.value);
}

std::optional<std::string> DifferenceOf(const Expectation& item, const RunResult& result) {
  const std::string actual = Actual(item, result);
  const std::string expected = Expected(item);
  if (actual == expected) return std::nullopt;
  return item.key + "=" + expected + " erwartet, " + item.key + "=" + actual + " erhalten.";
}

}  // namespace

int RegisterIndex(std::string_view name) {
  const std::string upper = ToUpperAscii(name);
  for (int r = 0; r < kRegCount; ++r) {
    if (upper == kRegNames[r]) return r;
  }
  return -1;
}

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
  std::vector<Expectation> items;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = std::min(text.find(' ', pos), text.size());
    const std::string_view item = text.substr(pos, end - pos);
    pos = end + 1;
    if (item.empty()) continue;
    Expectation e;
    if (!ParseItem(item, e)) {
      error = "Ungültige Erwartung „" + std::string(item) +
              "“ (Beispiele: AX=07 [20]=0F SF=1 ROW=12 CLOCKS=40 STOP=halt).";
      return std::nullopt;
    }
    items.push_back(std::move(e));
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
