#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_fixture.h"
#include "core/hex.h"
#include "core/text.h"
#include "support/example_runs.h"

// The examples as a teacher checks them: the built vellar-cli on the files of examples/ as
// they are shipped.
namespace vellar::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRegNames[] = {"AX", "BX", "IP", "OP", "AR", "DR"};

// The --expect text of a run: every cell and register it must leave, on the HLT row.
std::string ExpectText(const ExampleRun& example) {
  std::string text = "STOP=halt ROW=" + std::to_string(0xFE + 1);
  for (auto [address, value] : example.wantMemory)
    text += " [" + HexByte(address) + "]=" + HexByte(value);
  for (auto [reg, value] : example.wantRegisters)
    text += std::string(" ") + kRegNames[reg] + "=" + HexByte(value);
  if (example.wantClocks != 0) text += " CLOCKS=" + std::to_string(example.wantClocks);
  return text;
}

class ExamplesCliTest : public CliTest {
 protected:
  // The shipped program with other data: converted by the tool itself into the 256-byte
  // image, and the input bytes patched in.
  std::string WithData(const ExampleRun& example) {
    const std::string image = dir / "eingabe.erm";
    EXPECT_EQ(Cli({"convert", ExamplePath(example.program), image}).exit, 0);
    std::string bytes = ReadBytes(image);
    EXPECT_EQ(bytes.size(), 256u);
    bytes.resize(256);
    for (auto [address, value] : example.memory) bytes[address] = static_cast<char>(value);
    WriteBytes(image, bytes);
    return image;
  }
};

TEST_F(ExamplesCliTest, EveryProgramGivesItsResultOnEveryInput) {
  for (const ExampleRun& example : ExampleRuns()) {
    SCOPED_TRACE(example.title);
    const std::string ram =
        example.memory.empty() ? ExamplePath(example.program) : WithData(example);
    std::vector<std::string> args = {"run", "--mps", firmware, "--ram", ram};
    for (auto [reg, value] : example.registers) {
      args.push_back("--set");
      args.push_back(std::string(kRegNames[reg]) + "=" + HexByte(value));
    }
    args.push_back("--expect");
    args.push_back(ExpectText(example));
    const CliResult result = Cli(args);
    EXPECT_EQ(result.exit, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("STOP=halt"), std::string::npos) << result.out;
  }
}

// Both forms of the micro-program hold the same rows: the tool's conversion of the text form
// is the compact file byte for byte.
TEST_F(ExamplesCliTest, TheCompactFileIsTheConvertedTextFile) {
  const std::string converted = dir / "firmware.mps";
  ASSERT_EQ(Cli({"convert", firmware, converted}).exit, 0);
  EXPECT_EQ(ReadBytes(converted), ReadBytes(ExamplePath("firmware.mps")));
}

// examples/firmware.mpd is the instruction set and every NAME.asm a program's source; the
// compact firmware and the NAME.ras files are what vellar-cli makes of them, byte for byte,
// so that a change of the assembler or the writers shows in the examples at once
// (tools/make_examples.sh renews them).
TEST_F(ExamplesCliTest, ExamplesAreWhatTheToolMakesOfTheirSources) {
  std::vector<std::string> sources;
  for (const auto& entry : fs::directory_iterator(VELLAR_EXAMPLES)) {
    if (entry.path().extension() == ".asm") sources.push_back(entry.path().stem().string());
  }
  std::sort(sources.begin(), sources.end());
  EXPECT_EQ(sources, (std::vector<std::string>{"betrag", "bubble", "mult", "summe", "zaehler"}));
  for (const std::string& name : sources) {
    SCOPED_TRACE(name);
    const std::string made = dir / (name + ".ras");
    const CliResult r = Cli({"asm", "--mps", firmware, ExamplePath(name + ".asm"), made});
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(ReadBytes(made), ReadBytes(ExamplePath(name + ".ras")))
        << "examples/ ist nicht aktuell: tools/make_examples.sh ausführen";
  }
  // No listing without its source.
  for (const auto& entry : fs::directory_iterator(VELLAR_EXAMPLES)) {
    if (entry.path().extension() != ".ras") continue;
    EXPECT_TRUE(fs::exists(fs::path(entry.path()).replace_extension(".asm"))) << entry.path();
  }
}

// What the program writes for the loaded files is the files themselves, but for the comment
// block that explains an example.
TEST_F(ExamplesCliTest, ListingsOfTheLoadedFilesAreTheFiles) {
  const auto lines = [](const std::string& contents) { return SplitLines(Cp1252ToUtf8(contents)); };
  CliResult listed = Cli({"list", firmware});
  ASSERT_EQ(listed.exit, 0) << listed.err;
  EXPECT_EQ(SplitLines(listed.out), lines(ReadBytes(firmware)));
  for (const char* name : {"bubble.ras", "betrag.ras", "mult.ras", "summe.ras", "zaehler.ras"}) {
    SCOPED_TRACE(name);
    std::vector<std::string> file = lines(ReadBytes(ExamplePath(name)));
    ASSERT_GT(file.size(), 3u);
    const auto header = std::find(file.begin(), file.end(), "RAS OP nn Befehl");
    ASSERT_NE(header, file.end());
    file.erase(file.begin() + 2, header);
    listed = Cli({"list", ExamplePath(name), "--mps", firmware});
    ASSERT_EQ(listed.exit, 0) << listed.err;
    EXPECT_EQ(SplitLines(listed.out), file);
  }
}

}  // namespace
}  // namespace vellar::testing
