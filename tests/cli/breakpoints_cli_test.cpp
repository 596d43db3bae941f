#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/form_menus.h"
#include "app/quiet_frontend.h"
#include "app/session.h"
#include "cli/cli_fixture.h"
#include "core/hex.h"
#include "core/text.h"

// vellar-cli run --break, --until and --stats against the --trace of the same run: a random
// micro-program and memory, a breakpoint or condition chosen from the trace, and the stopped
// state compared with a run of --max-clocks that many clocks.
namespace vellar::testing {
namespace {

// What one line of --trace says.
struct TraceLine {
  std::string adr;
  std::map<std::string, std::string> regs;  // "AX" .. "DR" after the clock
};

std::vector<TraceLine> ParseTrace(const std::string& out) {
  std::vector<TraceLine> lines;
  for (const std::string& line : SplitLines(out)) {
    if (!line.starts_with("T=")) continue;
    TraceLine t;
    for (const std::string field : {"ADR", "AX", "BX", "IP", "OP", "AR", "DR"}) {
      const size_t at = line.find(" " + field + "=");
      t.regs[field] = line.substr(at + field.size() + 2, 2);
    }
    t.adr = t.regs["ADR"];
    lines.push_back(t);
  }
  return lines;
}

class BreakpointCliTest : public CliTest {
 protected:
  // Rows 00 to 1F with any gates and any next address among them, and any memory.
  void WriteRandomProgram(unsigned seed) {
    std::mt19937 rng(seed);
    QuietFrontend fe;
    Session s(fe);
    s.FormCreate();
    for (int a = 0; a < 32; ++a) {
      for (int g = 0; g < kGateCount; ++g) s.mps.SetMpsGate(g, a, (rng() >> g) & 1);
      s.mps.SetNextAddressText(a, HexByte(rng() % 32));
    }
    ASSERT_TRUE(s.files.SaveMpsFile(mps));
    std::string bytes(kRamSize, '\0');
    for (char& b : bytes) b = static_cast<char>(rng());
    WriteBytes(ram, bytes);
  }
  std::vector<std::string> Run(std::vector<std::string> more) {
    std::vector<std::string> args = {"run", "--mps", mps, "--ram", ram};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  const std::string mps = dir / "zufall.mpd";
  const std::string ram = dir / "zufall.erm";
};

TEST_F(BreakpointCliTest, ABreakpointOrConditionFromTheTraceStopsAsMaxClocksWould) {
  int compared = 0;
  for (unsigned seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    WriteRandomProgram(seed);
    const std::vector<TraceLine> t = ParseTrace(Cli(Run({"--trace", "--max-clocks", "400"})).out);
    const int n = static_cast<int>(t.size());
    if (n < 4) continue;
    std::mt19937 rng(seed);
    const int k = 1 + static_cast<int>(rng() % static_cast<unsigned>(n - 2));  // clock 1 .. n-2
    // line j (from 1) is clock j; the row it selected is the address of line j + 1.
    const auto line = [&](int j) -> const TraceLine& { return t[static_cast<size_t>(j - 1)]; };
    std::vector<std::pair<std::vector<std::string>, std::string>> cases;
    const std::string adr = line(k + 1).adr;
    cases.push_back({{"--break", "mps:" + ToLowerAscii(adr)}, "Haltepunkt MPS " + adr});
    for (int j = 1; j < n; ++j) {
      if (line(j + 1).adr != "00") continue;
      const std::string ip = line(j).regs.at("IP");
      cases.push_back({{"--break", "ram:" + ip}, "Haltepunkt RAM " + ip});
      break;
    }
    const std::string reg = std::string(kRegNames[rng() % 6]);
    const std::string value = line(k).regs.at(reg);
    cases.push_back({{"--until", reg + "=" + value}, "Bedingung " + reg + "=" + value});
    cases.push_back({{"--until", reg + "!=" + value}, "Bedingung " + reg + "≠" + value});

    for (const auto& [option, reason] : cases) {
      SCOPED_TRACE(option[0] + " " + option[1]);
      std::vector<std::string> args = Run(option);
      args.push_back("--dump");
      const CliResult stopped = Cli(args);
      const std::vector<std::string> out = SplitLines(stopped.out);
      ASSERT_GE(out.size(), 2u) << stopped.err;
      if (out[0].find("STOP=break") == std::string::npos) continue;  // ended before
      EXPECT_EQ(stopped.exit, 0);
      EXPECT_EQ(out[1], reason);
      const uint64_t clocks = std::stoull(out[0].substr(out[0].find("CLOCKS=") + 7));
      // The first clock of the trace after which the thing watched holds.
      int first = 0;
      for (int j = 1; j < n && first == 0; ++j) {
        bool hit = false;
        if (option[1].starts_with("mps:")) hit = line(j + 1).adr == adr;
        if (option[1].starts_with("ram:")) {
          hit = line(j + 1).adr == "00" && "ram:" + line(j).regs.at("IP") == option[1];
        }
        if (option[0] == "--until") {
          const std::string before = j == 1 ? "00" : line(j - 1).regs.at(reg);
          const bool equal = option[1].find("!=") == std::string::npos;
          hit = (line(j).regs.at(reg) == value) == equal && (before == value) != equal;
        }
        if (hit) first = j;
      }
      EXPECT_EQ(clocks, static_cast<uint64_t>(first));
      std::vector<std::string> limited =
          SplitLines(Cli(Run({"--max-clocks", std::to_string(clocks), "--dump"})).out);
      ASSERT_FALSE(limited.empty());
      const size_t stop = limited[0].find("STOP=limit");
      ASSERT_NE(stop, std::string::npos) << limited[0];
      limited[0].replace(stop, 10, "STOP=break");
      limited.insert(limited.begin() + 1, reason);
      EXPECT_EQ(out, limited);
      ++compared;
    }
  }
  EXPECT_GT(compared, 40);
}

TEST_F(BreakpointCliTest, TheHeatMapCountsWhatTheTraceShows) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    WriteRandomProgram(seed);
    const std::vector<TraceLine> t = ParseTrace(Cli(Run({"--trace", "--max-clocks", "5000"})).out);
    std::map<std::string, int> rows;
    for (const TraceLine& line : t) ++rows[line.adr];
    // With and without the trace: the counts of the clock phases and of the bare run agree.
    for (const bool trace : {true, false}) {
      const std::string csv = dir / "zahlen.csv";
      std::vector<std::string> args = Run({"--max-clocks", "5000", "--stats-csv", csv, "--stats"});
      if (trace) args.push_back("--trace");
      const CliResult r = Cli(args);
      ASSERT_NE(r.out.find("ALU-Takte: " + std::to_string(t.size()) + "\n"), std::string::npos)
          << r.out;
      std::map<std::string, int> counted;
      const std::vector<std::string> lines = SplitLines(ReadBytes(csv));
      ASSERT_FALSE(lines.empty());
      EXPECT_EQ(lines[0], "Art;Adresse;Anzahl oder Befehl;Anzahl;Takte im Mittel");
      for (const std::string& line : lines) {
        if (line.starts_with("MPS;")) counted[line.substr(4, 2)] = std::stoi(line.substr(7));
      }
      EXPECT_EQ(counted, rows);
    }
    // The heat map beside the MPS grid after the same run in the window's session.
    QuietFrontend fe;
    Session s(fe);
    s.FormCreate();
    s.files.OpenMpsFile(mps);
    s.files.OpenRamFile(ram);
    ASSERT_TRUE(RunMenuCommand(s, "MeStatistik"));
    ASSERT_GT(s.mpsEditing.SideWidth(), 0);
    EXPECT_EQ(s.mpsEditing.SideCell(0).text, "Anzahl");
    s.run.SetGatesAutomatic(true);
    s.run.SetSliderPosition(RunControl::kMinPosition);
    s.run.SetClockLimit(5000);
    s.run.BuTaktClick(RunButton::BuBisHalt);
    s.run.RunToEnd();
    std::map<std::string, int> shown;
    uint64_t most = 0;
    for (const auto& [adr, n] : rows) most = std::max(most, static_cast<uint64_t>(n));
    for (int row = 1; row <= 256; ++row) {
      const CellLook look = s.mpsEditing.SideCell(row);
      if (!look.text.empty()) shown[HexByte(static_cast<unsigned>(row - 1))] = std::stoi(look.text);
      const auto it = rows.find(HexByte(static_cast<unsigned>(row - 1)));
      EXPECT_EQ(look.fill, Breakpoints::HeatShade(it == rows.end() ? 0 : it->second, most)) << row;
    }
    EXPECT_EQ(shown, rows);
  }
}

TEST_F(BreakpointCliTest, BadBreakpointsAndConditionsAreRefused) {
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--break", "mps:100"},
                                              {"--break", "rom:20"},
                                              {"--break", "20"},
                                              {"--until", "AX=1FF"},
                                              {"--until", "STOP=halt"},
                                              {"--until", "AX=00 QX=1"}}) {
    const CliResult r = Cli(Run(bad));
    EXPECT_EQ(r.exit, 2) << bad[1];
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(bad[0]), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace vellar::testing
