// vellar-cli run: a run exactly as the window's run button performs it, unpaced.
#include <charconv>
#include <iostream>

#include "cli/commands.h"
#include "cli/run_report.h"
#include "cli/run_setup.h"
#include "cli/run_trace.h"

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
};

// Parses the options; the exit code for bad arguments when they are not all valid.
std::optional<int> ParseRunOptions(const Args& args, RunOptions& o) {
  ArgReader reader(args);
  std::string value;
  while (reader.Next()) {
    if (reader.Value("--mps", value)) {
      o.mps = value;
    } else if (reader.Value("--ram", value)) {
      o.ram = value;
    } else if (reader.Value("--mode", value)) {
      if (value != "clock" && value != "instruction" && value != "halt") {
        return UsageError("--mode erwartet clock, instruction oder halt, nicht „" + value + "“.");
      }
      o.mode = value;
    } else if (reader.Value("--max-clocks", value)) {
      std::string error;
      if (!ParseClockLimit(value, o.maxClocks, error)) return UsageError(error);
    } else if (reader.Value("--set", value)) {
      std::string error;
      if (!ParseSetItem(value, o.setup, error)) return UsageError(error);
    } else if (reader.Value("--mem", value)) {
      std::string error;
      if (!ParseMemItem(value, o.setup, error)) return UsageError(error);
    } else if (reader.Value("--save-ram", value)) {
      o.saveRam = value;
    } else if (reader.Value("--expect", value)) {
      std::string error;
      const auto items = ParseExpectations(value, error);
      if (!items) return UsageError(error);
      o.expectations.insert(o.expectations.end(), items->begin(), items->end());
    } else if (reader.Value("--back", value)) {
      const char* end = value.data() + value.size();
      const auto [ptr, ec] = std::from_chars(value.data(), end, o.back);
      if (value.empty() || ec != std::errc() || ptr != end) {
        return UsageError("--back erwartet eine ganze Zahl ab 0, nicht „" + value + "“.");
      }
    } else if (reader.Flag("--trace")) {
      o.trace = true;
    } else if (reader.Flag("--dump")) {
      o.dump = true;
    } else if (!reader.error()) {
      return UsageError("Unbekanntes Argument „" + reader.Current() + "“ für run.");
    }
    if (reader.error()) return kExitUsage;
  }
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
  CliSession cs;
  Session& s = cs.session;
  if (!LoadMpsOption(s, o.mps)) return kExitUsage;
  if (o.ram && !LoadFile(s, *o.ram, FileKind::Ram)) return kExitUsage;
  ApplySetup(s, o.setup);
  s.runHistory.SetKeeping(o.back > 0);
  std::optional<TracedRun> traced;
  if (o.trace) {
    traced = RunTraced(s, o.mode, o.maxClocks, stdout);
  } else {
    StartRun(s, o.mode, o.maxClocks);
  }
  RunResult result = ResultOf(s);
  if (traced) result = ResultOf(s, traced->clocks, traced->stop);
  if (o.back > 0) {
    // As a run of that many fewer clocks, which its clock limit would have ended.
    s.stepBack.StepBackClocks(o.back);
    const uint64_t clocks = result.clocks > o.back ? result.clocks - o.back : 0;
    result = ResultOf(s, clocks, StopReason::Limit);
  }
  if (o.saveRam && !SaveRam(s, *o.saveRam)) return kExitUsage;

  std::cout << StatusLine(result) << '\n';
  if (o.dump) PrintLines(DumpLines(result));
  std::cout.flush();
  const std::vector<std::string> failures = CheckExpectations(o.expectations, result);
  for (const std::string& failure : failures) Complain(failure);
  if (!failures.empty()) return kExitExpectation;
  return result.stop == "limit" ? kExitLimit : kExitOk;
}

}  // namespace vellar::cli
