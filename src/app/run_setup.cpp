#include "app/run_setup.h"

#include <charconv>

#include "app/run_report.h"
#include "core/hex.h"

namespace vellar {

namespace {

bool IsByteText(std::string_view text) {
  return !text.empty() && text.size() <= 2 && IsHexNumber(text);
}

}  // namespace

std::optional<uint64_t> ParsePositive(std::string_view text) {
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value == 0) return std::nullopt;
  return value;
}

bool ParseClockLimit(std::string_view text, uint64_t& clocks, std::string& error) {
  const std::optional<uint64_t> value = ParsePositive(text);
  if (!value) {
    error = "--max-clocks erwartet eine positive ganze Zahl, nicht „" + std::string(text) + "“.";
    return false;
  }
  clocks = *value;
  return true;
}

bool ParseSetItem(std::string_view item, RunSetup& setup, std::string& error) {
  const size_t eq = item.find('=');
  const int reg = eq == std::string_view::npos ? -1 : RegisterIndex(item.substr(0, eq));
  const std::string_view hex = eq == std::string_view::npos ? "" : item.substr(eq + 1);
  if (reg < 0 || reg == AL || !IsByteText(hex)) {
    error = "--set erwartet REG=HH mit REG aus AX, BX, IP, OP, AR, DR, nicht „" +
            std::string(item) + "“.";
    return false;
  }
  setup.registers.emplace_back(reg, std::string(hex));
  return true;
}

bool ParseMemItem(std::string_view item, RunSetup& setup, std::string& error) {
  const size_t eq = item.find('=');
  const std::string_view address = eq == std::string_view::npos ? "" : item.substr(0, eq);
  const std::string_view value = eq == std::string_view::npos ? "" : item.substr(eq + 1);
  if (!IsByteText(address) || !IsByteText(value)) {
    error =
        "--mem erwartet AA=HH (Adresse und Byte hexadezimal), nicht „" + std::string(item) + "“.";
    return false;
  }
  setup.memory.emplace_back(static_cast<uint8_t>(ParseHex(address)),
                            static_cast<uint8_t>(ParseHex(value)));
  return true;
}

void ApplySetup(Session& session, const RunSetup& setup) {
  for (const auto& [reg, hex] : setup.registers) session.registers.EdRegChange(reg, hex);
  for (const auto& [address, value] : setup.memory) session.memory.WriteRam(address, value);
}

void BeginRun(Session& session, std::string_view mode, uint64_t maxClocks) {
  RunControl& run = session.run;
  run.SetGatesAutomatic(true);
  run.SetSliderPosition(RunControl::kMinPosition);
  run.SetClockLimit(maxClocks);
  if (mode == "clock") {
    run.Bu2PhasenClick();
  } else if (mode == "instruction") {
    run.BuTaktClick(RunButton::BuBefehl);
  } else {
    run.BuTaktClick(RunButton::BuBisHalt);
  }
}

void StartRun(Session& session, std::string_view mode, uint64_t maxClocks) {
  BeginRun(session, mode, maxClocks);
  session.run.RunToEnd();
}

}  // namespace vellar
