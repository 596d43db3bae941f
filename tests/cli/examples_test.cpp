#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/hex.h"
#include "core/text.h"
#include "support/example_runs.h"

// The examples as a teacher checks them: the built vellar-cli on the files of examples/ as
// they are shipped.
namespace vellar::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRegNames[] = {"AX", "BX", "IP", "OP", "AR", "DR"};

std::string Example(const std::string& name) {
  return std::string(VELLAR_EXAMPLES) + "/" + name;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

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

class ExamplesCliTest : public ::testing::Test {
 protected:
  struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
  };

  ExamplesCliTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("vellar-examples-" + std::to_string(getpid()) + "-" + test->name());
    fs::create_directories(dir_);
  }
  ~ExamplesCliTest() override { fs::remove_all(dir_); }

  Result Cli(const std::vector<std::string>& args) {
    std::string command = ShellQuote(VELLAR_CLI);
    for (const std::string& arg : args) command += " " + ShellQuote(arg);
    const fs::path err = dir_ / "stderr";
    command += " 2>" + ShellQuote(err.string());
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer;
    for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
      result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFile(err);
    return result;
  }

  // The shipped program with other data: converted by the tool itself into the 256-byte
  // image, and the input bytes patched in.
  std::string WithData(const ExampleRun& example) {
    const fs::path image = dir_ / "eingabe.erm";
    EXPECT_EQ(Cli({"convert", Example(example.program), image.string()}).exitCode, 0);
    std::string bytes = ReadFile(image);
    EXPECT_EQ(bytes.size(), 256u);
    bytes.resize(256);
    for (auto [address, value] : example.memory) bytes[address] = static_cast<char>(value);
    std::ofstream(image, std::ios::binary) << bytes;
    return image.string();
  }

  fs::path dir_;
};

TEST_F(ExamplesCliTest, EveryProgramGivesItsResultOnEveryInput) {
  for (const ExampleRun& example : ExampleRuns()) {
    SCOPED_TRACE(example.title);
    const std::string ram = example.memory.empty() ? Example(example.program) : WithData(example);
    std::vector<std::string> args = {"run", "--mps", Example("firmware.mpd"), "--ram", ram};
    for (auto [reg, value] : example.registers) {
      args.push_back("--set");
      args.push_back(std::string(kRegNames[reg]) + "=" + HexByte(value));
    }
    args.push_back("--expect");
    args.push_back(ExpectText(example));
    const Result result = Cli(args);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("STOP=halt"), std::string::npos) << result.out;
  }
}

// Both forms of the micro-program hold the same rows: the tool's conversion of the text form
// is the compact file byte for byte.
TEST_F(ExamplesCliTest, TheCompactFileIsTheConvertedTextFile) {
  const fs::path converted = dir_ / "firmware.mps";
  ASSERT_EQ(Cli({"convert", Example("firmware.mpd"), converted.string()}).exitCode, 0);
  EXPECT_EQ(ReadFile(converted), ReadFile(Example("firmware.mps")));
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
    const fs::path made = dir_ / (name + ".ras");
    const Result r =
        Cli({"asm", "--mps", Example("firmware.mpd"), Example(name + ".asm"), made.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(made), ReadFile(Example(name + ".ras")))
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
  Result listed = Cli({"list", Example("firmware.mpd")});
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(SplitLines(listed.out), lines(ReadFile(Example("firmware.mpd"))));
  for (const char* name : {"bubble.ras", "betrag.ras", "mult.ras", "summe.ras", "zaehler.ras"}) {
    SCOPED_TRACE(name);
    std::vector<std::string> file = lines(ReadFile(Example(name)));
    ASSERT_GT(file.size(), 3u);
    const auto header = std::find(file.begin(), file.end(), "RAS OP nn Befehl");
    ASSERT_NE(header, file.end());
    file.erase(file.begin() + 2, header);
    listed = Cli({"list", Example(name), "--mps", Example("firmware.mpd")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(SplitLines(listed.out), file);
  }
}

}  // namespace
}  // namespace vellar::testing
