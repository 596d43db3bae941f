// vellar-cli run: a run exactly as the window's run button performs it, unpaced.
#include <charconv>
#include <iostream>

#include "app/run_report.h"
#include "app/run_setup.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "cli/run_trace.h"
#include "core/file_io.h"
#include "core/hex.h"
#include "core/text.h"

namespace vellar::cli {

namespace {

struct RunOptions {
  std::optional<std::string> mps;
  std::optional<std::string> ram;
  std::string mode = "halt";
  uint64_t maxClocks = kDefaultClockLimit;
  RunSetup setup;
  bool trace = false;
  uint64_t back = 0;  // ALU clocks taken back after the run
  bool dump = false;
  std::optional<std::string> saveRam;
  std::vector<Expectation> expectations;
  Breakpoints breakpoints;  // --break and --until
  bool stats = false;
  std::optional<std::string> statsCsv;
};

// "mps:5E" or "ram:20"; false for anything else.
bool ParseBreak(std::string_view value, Breakpoints& breakpoints) {
  const size_t colon = value.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string kind = ToLowerAscii(value.substr(0, colon));
  const std::string_view address = value.substr(colon + 1);
  if (address.empty() || address.size() > 2 || !IsHexNumber(address)) return false;
  if (kind == "mps") {
    breakpoints.SetMps(static_cast<int>(ParseHex(address)), true);
  } else if (kind == "ram") {
    breakpoints.SetRam(static_cast<int>(ParseHex(address)), true);
  } else {
    return false;
  }
  return true;
}

// Parses the options; the exit code for bad arguments when they are not all valid.
std::optional<int> ParseRunOptions(const Args& args, RunOptions& o) {
  const auto take = [&o](std::string_view option, const std::string& value) -> std::optional<int> {
    std::string error;
    if (option == "--mps") {
      o.mps = value;
    } else if (option == "--ram") {
      o.ram = value;
    } else if (option == "--mode") {
      o.mode = value;
    } else if (option == "--max-clocks") {
      if (!ParseClockLimit(value, o.maxClocks, error)) return UsageError(error);
    } else if (option == "--set") {
      if (!ParseSetItem(value, o.setup, error)) return UsageError(error);
    } else if (option == "--mem") {
      if (!ParseMemItem(value, o.setup, error)) return UsageError(error);
    } else if (option == "--save-ram") {
      o.saveRam = value;
    } else if (option == "--expect") {
      const auto items = ParseExpectations(value, error);
      if (!items) return UsageError(error);
      o.expectations.insert(o.expectations.end(), items->begin(), items->end());
    } else if (option == "--back") {
      const char* end = value.data() + value.size();
      const auto [ptr, ec] = std::from_chars(value.data(), end, o.back);
      if (value.empty() || ec != std::errc() || ptr != end) {
        return UsageError("--back erwartet eine ganze Zahl ab 0, nicht „" + value + "“.");
      }
    } else if (option == "--break") {
      if (!ParseBreak(value, o.breakpoints)) {
        return UsageError("--break erwartet mps:AA oder ram:AA mit einer Adresse in Hex, nicht „" +
                          value + "“.");
      }
    } else if (option == "--until") {
      if (const auto message = o.breakpoints.AddCondition(value)) {
        return UsageError("--until: " + *message);
      }
    } else if (option == "--stats") {
      o.stats = true;
    } else if (option == "--stats-csv") {
      o.statsCsv = value;
    } else if (option == "--trace") {
      o.trace = true;
    } else if (option == "--dump") {
      o.dump = true;
    } else {
      return UnhandledOption(option);
    }
    return std::nullopt;
  };
  std::vector<std::string> none;  // the table gives run no positional arguments
  if (const auto exit = ReadArgs("run", args, none, take)) return exit;
  if (o.trace && o.back > 0) {
    return UsageError("--back geht nicht zusammen mit --trace.");
  }
  // Any other extension is written as a data listing, as the window saves it.
  if (o.saveRam && KindOf(*o.saveRam) == FileKind::Mps) {
    return UsageError("--save-ram: „" + *o.saveRam +
                      "“ ist ein Mikroprogramm-Name; der RAM braucht .ras, .rad, .ram, .erm "
                      "oder eine Textdatei.");
  }
  return std::nullopt;
}

}  // namespace

int RunCommand(const Args& args) {
  RunOptions o;
  if (const auto exit = ParseRunOptions(args, o)) return *exit;
  // Over its own --ram file the RAM may be saved: that is the program, run.
  if (o.saveRam && o.mps && !SparesInputs(*o.saveRam, {{"das Mikroprogramm", *o.mps}})) {
    return kExitUsage;
  }
  if (o.statsCsv) {
    std::vector<NamedInput> inputs;
    if (o.mps) inputs.push_back({"das Mikroprogramm", *o.mps});
    if (o.ram) inputs.push_back({"der RAM", *o.ram});
    if (o.saveRam) inputs.push_back({"die RAM-Ausgabe", *o.saveRam});
    if (!SparesInputs(*o.statsCsv, inputs)) return kExitUsage;
  }
  std::vector<NamedInput> outputs;
  if (o.saveRam) outputs.push_back({"Die RAM-Ausgabe", *o.saveRam});
  if (o.statsCsv) outputs.push_back({"die Statistik", *o.statsCsv});
  if (!OutputsWritable(outputs)) return kExitUsage;
  CliSession cs;
  Session& s = cs.session;
  if (!LoadMpsOption(s, o.mps)) return kExitUsage;
  if (o.ram && !LoadFile(s, *o.ram, FileKind::Ram)) return kExitUsage;
  ApplySetup(s, o.setup);
  s.breakpoints = o.breakpoints;
  s.breakpoints.SetCounting(o.stats || o.statsCsv);
  s.runHistory.SetKeeping(o.back > 0);
  std::optional<TracedRun> traced;
  if (o.trace) {
    traced = RunTraced(s, o.mode, o.maxClocks, stdout);
  } else {
    StartRun(s, o.mode, o.maxClocks);
  }
  RunResult result = ResultOf(s);
  if (traced) {
    result = ResultOf(s, traced->clocks, traced->stop);
    result.stopText = traced->stopText;
  }
  if (o.back > 0) {
    // As a run of that many fewer clocks, which its clock limit would have ended.
    s.stepBack.StepBackClocks(o.back);
    const uint64_t clocks = result.clocks > o.back ? result.clocks - o.back : 0;
    result = ResultOf(s, clocks, StopReason::Limit);
  }
  if (o.saveRam && !s.files.SaveRamFile(*o.saveRam)) return kExitUsage;

  if (o.statsCsv) {
    const FileStatus written = WriteFileReplacing(*o.statsCsv, s.breakpoints.CsvText(s.mps));
    if (!written.ok()) {
      Complain("Die Statistik lässt sich nicht nach „" + *o.statsCsv +
               "“ schreiben: " + written.error);
      return kExitUsage;
    }
  }

  std::cout << StatusLine(result) << '\n';
  if (!result.stopText.empty()) std::cout << result.stopText << '\n';
  if (o.stats) PrintLines(s.breakpoints.SummaryLines(s.mps));
  if (o.dump) PrintLines(DumpLines(result));
  std::cout.flush();
  const std::vector<std::string> failures = CheckExpectations(o.expectations, result);
  for (const std::string& failure : failures) Complain(failure);
  if (!failures.empty()) return kExitExpectation;
  return result.stop == "limit" ? kExitLimit : kExitOk;
}

}  // namespace vellar::cli
