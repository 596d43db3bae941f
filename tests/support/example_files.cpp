#include "support/example_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string_view>

#include "core/hex.h"
#include "core/text.h"

namespace vellar::testing {
namespace {

std::vector<std::string> ReadLines(const std::string& name) {
  return SplitLines(Cp1252ToUtf8(ReadExampleBytes(name)));
}

bool IsComment(std::string_view line) {
  return line.empty() || line.front() == ';';
}

}  // namespace

std::string ExamplePath(const std::string& name) {
  return std::string(VELLAR_EXAMPLES) + "/" + name;
}

std::string ReadExampleBytes(const std::string& name) {
  std::ifstream in(ExamplePath(name), std::ios::binary);
  EXPECT_TRUE(in) << "missing " << ExamplePath(name);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

void LoadExampleMps(Session& session, const std::string& name) {
  // Columns of a row line: description 4-29, gate g in column 30 + 2g, next address 62-63.
  constexpr size_t kLineLength = 63;
  int address = -1;  // the header line comes first
  for (const std::string& line : ReadLines(name)) {
    if (IsComment(line)) continue;
    if (address >= 0) {
      ASSERT_EQ(line.size(), kLineLength) << line;
      ASSERT_LT(address, MpsStore::kRows);
      for (int g = 0; g < kGateCount; ++g)
        session.mps.SetMpsGate(g, address, line[29 + 2 * g] != '.');
      session.mps.SetDescription(address, TrimBlanks(line.substr(3, 26)));
      session.mps.SetNextAddressText(address, line.substr(61));
    }
    ++address;
  }
}

std::array<uint8_t, kRamSize> ReadExampleRas(const std::string& name) {
  std::array<uint8_t, kRamSize> ram{};
  size_t address = 0;
  bool variables = false;
  for (const std::string& line : ReadLines(name)) {
    if (IsComment(line) || line.rfind("RAS", 0) == 0) continue;
    if (line.rfind("VAR", 0) == 0) variables = true;
    if (variables) continue;
    EXPECT_GE(line.size(), 10u) << line;
    EXPECT_LT(address, ram.size()) << line;
    if (line.size() < 10 || address >= ram.size()) break;
    ram[address++] = static_cast<uint8_t>(ParseHex(line.substr(4, 2)));
    ram[address++] = static_cast<uint8_t>(ParseHex(line.substr(7, 2)));
  }
  return ram;
}

}  // namespace vellar::testing
