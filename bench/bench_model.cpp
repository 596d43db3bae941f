// ALU clocks per second of the same endless loop, measured four ways: a minimal C loop of the
// micro-steps, the model's bare run loop, the clock phases one by one, and a whole unpaced
// run through the run control with a frontend that does nothing. The ratios at the end put
// the model beside what the machine allows, in one run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "app/quiet_frontend.h"
#include "app/session.h"
#include "c_loop.h"
#include "support/mps_rows.h"

namespace vellar {
namespace {

constexpr uint64_t kClocksPerRun = 10'000'000;

// The loop the window's speed test runs too, at "zu schnell" under the micro-program's gates.
void LoadLoop(Session& s) {
  s.FormCreate();
  testing::LoadEndlessLoop(s);
  s.run.SetGatesAutomatic(true);
  s.run.SetSliderPosition(RunControl::kMinPosition);
}

struct CLoop {
  c_loop_row rows[MicroProgram::kRows];
  c_loop_state state{};
};

void LoadCLoop(const Session& s, CLoop& c) {
  for (int a = 0; a < MicroProgram::kRows; ++a) {
    c.rows[a] = {s.mps.GateMask(a), s.mps.NextAddress(a)};
  }
  for (int r = 0; r < kRegCount; ++r) c.state.regs[r] = s.machine.Regs[r];
  for (int a = 0; a < kRamSize; ++a) c.state.ram[a] = s.machine.Ram[a];
  c.state.row = s.machine.CurrentRow;
}

void ClocksPerSecond(benchmark::State& state, uint64_t clocks) {
  state.counters["ALU-Takte/s"] =
      benchmark::Counter(static_cast<double>(clocks), benchmark::Counter::kIsRate);
}

void BM_CLoop(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  CLoop c;
  LoadCLoop(s, c);
  uint64_t total = 0;
  for (auto _ : state) total += c_loop_run(c.rows, &c.state, kClocksPerRun, 0);
  benchmark::DoNotOptimize(c.state);
  ClocksPerSecond(state, total);
}
BENCHMARK(BM_CLoop)->Unit(benchmark::kMillisecond);

void BM_RunClocks(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  RamWrites written;
  uint64_t total = 0;
  for (auto _ : state) {
    total += RunClocks(s.machine, s.mps.Program(), kClocksPerRun, 0, written).clocks;
  }
  benchmark::DoNotOptimize(s.machine);
  ClocksPerSecond(state, total);
}
BENCHMARK(BM_RunClocks)->Unit(benchmark::kMillisecond);

void BM_ClockPhases(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  for (auto _ : state) {
    s.phases.OutputPhase();
    s.phases.InputPhase();
  }
  benchmark::DoNotOptimize(s.machine.Regs);
  ClocksPerSecond(state, state.iterations());
}
BENCHMARK(BM_ClockPhases);

// Argument 1: the past is kept for stepping back (as in the window); 0: it is not. The run
// takes the window's path: the button's handler, whole stretches of clocks through the core.
// Runs "bis Halt" of kClocksPerRun clocks each, as the window's button starts them.
void UnpacedRuns(benchmark::State& state, Session& s) {
  s.run.SetClockLimit(kClocksPerRun);
  uint64_t total = 0;
  for (auto _ : state) {
    s.run.BuTaktClick(RunButton::BuBisHalt);
    s.run.RunToEnd();
    total += s.run.ClocksThisRun();
  }
  ClocksPerSecond(state, total);
}

void BM_UnpacedRun(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  s.runHistory.SetKeeping(state.range(0) != 0);
  UnpacedRuns(state, s);
  state.counters["Vergangenheit_MB"] =
      static_cast<double>(s.runHistory.MemoryBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_UnpacedRun)->ArgName("past")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The window's unpaced run as above (with its past), watching more and more: nothing, the
// statistics, and besides them one MPS breakpoint or one condition that never fire. The
// condition is on the row, which changes with every clock: the loop checks a condition only
// after clocks that change what it reads, and this one it must check after each.
enum Watched { kNothing, kStatistics, kMpsBreakpoint, kCondition };

void BM_WatchedRun(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  const auto watched = static_cast<Watched>(state.range(0));
  s.breakpoints.SetCounting(watched != kNothing);
  if (watched == kMpsBreakpoint) s.breakpoints.SetMps(0x80, true);
  if (watched == kCondition && s.breakpoints.SetConditions("ROW=200")) {
    state.SkipWithError("ROW=200");
  }
  UnpacedRuns(state, s);
  if (s.run.LastStopReason() != StopReason::Limit) state.SkipWithError("stopped early");
}
BENCHMARK(BM_WatchedRun)
    ->ArgName("watch")
    ->DenseRange(kNothing, kCondition)
    ->Unit(benchmark::kMillisecond);

// One ALU clock back, and then one million at once, after a run of the given length.
void BM_StepBack(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  const auto clocks = static_cast<uint64_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    s.run.SetClockLimit(clocks);
    s.run.BuTaktClick(RunButton::BuBisHalt);
    s.run.RunToEnd();
    s.run.SetClockMode(ClockMode::AluClock);
    state.ResumeTiming();
    s.stepBack.StepBackClick();
    s.stepBack.StepBackClocks(1'000'000);
  }
  state.counters["Vergangenheit_MB"] =
      static_cast<double>(s.runHistory.MemoryBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_StepBack)->Arg(2'000'000)->Unit(benchmark::kMillisecond);

// The longest past the bounds allow: a run far beyond them, and how far back it still reaches.
void BM_LongestPast(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  s.run.SetClockLimit(static_cast<uint64_t>(state.range(0)));
  for (auto _ : state) {
    s.run.BuTaktClick(RunButton::BuBisHalt);
    s.run.RunToEnd();
  }
  state.counters["Vergangenheit_MB"] =
      static_cast<double>(s.runHistory.MemoryBytes()) / (1024.0 * 1024.0);
  state.counters["Takte_zurueck"] =
      static_cast<double>(s.runHistory.Position() - s.runHistory.BasePosition()) / 2.0;
}
BENCHMARK(BM_LongestPast)->Arg(2'500'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The C loop and the model must do the same work, or the ratio means nothing.
bool SameMicroSteps() {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  CLoop c;
  LoadCLoop(s, c);
  const uint64_t clocks = 1'000'003;
  RamWrites written;
  const uint64_t model = RunClocks(s.machine, s.mps.Program(), clocks, 0, written).clocks;
  const uint64_t loop = c_loop_run(c.rows, &c.state, clocks, 0);
  bool same = model == loop && c.state.row == s.machine.CurrentRow;
  for (int r = 0; r < kRegCount; ++r) same = same && c.state.regs[r] == s.machine.Regs[r];
  return same;
}

// The value of a flag "--name=value" among the arguments, or the fallback.
std::string FlagValue(int argc, char** argv, std::string_view name, std::string fallback) {
  const std::string prefix = "--" + std::string(name) + "=";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with(prefix)) fallback = arg.substr(prefix.size());
  }
  return fallback;
}

// The reporter the library would show the results with for --benchmark_format and
// --benchmark_color; a reporter of our own replaces it, so it is made here as the library
// makes it. None for a format the library does not know.
std::unique_ptr<benchmark::BenchmarkReporter> DisplayReporter(const std::string& format,
                                                              const std::string& color) {
  if (format == "json") return std::make_unique<benchmark::JSONReporter>();
  if (format == "csv") {
    // The library keeps CSV for the scripts that read it, though it calls it outdated.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return std::make_unique<benchmark::CSVReporter>();
#pragma GCC diagnostic pop
  }
  if (format != "console") return nullptr;
  const bool colored = color == "auto" ? ::isatty(STDOUT_FILENO) != 0
                                       : color == "true" || color == "yes" || color == "1";
  return std::make_unique<benchmark::ConsoleReporter>(
      colored ? benchmark::ConsoleReporter::OO_ColorTabular
              : benchmark::ConsoleReporter::OO_Tabular);
}

// Keeps the rates for the ratios printed after the results: of each benchmark with its
// arguments, the median where it is repeated, else its one run. What to show goes on to the
// reporter of the chosen format.
class RateReporter : public benchmark::BenchmarkReporter {
 public:
  explicit RateReporter(std::unique_ptr<BenchmarkReporter> display)
      : display_(std::move(display)) {}

  bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
  void Finalize() override { display_->Finalize(); }

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto it = run.counters.find("ALU-Takte/s");
      if (it == run.counters.end()) continue;
      const benchmark::BenchmarkName& n = run.run_name;
      const std::string name = n.function_name + (n.args.empty() ? "" : "/" + n.args);
      if (run.run_type == Run::RT_Iteration && medians_.count(name) == 0) {
        rates[name] = it->second.value;
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        rates[name] = it->second.value;
        medians_.insert(name);
      }
    }
    display_->ReportRuns(runs);
  }
  std::map<std::string, double> rates;

 private:
  std::unique_ptr<BenchmarkReporter> display_;
  std::set<std::string> medians_;
};

double Rate(const RateReporter& r, const std::string& name) {
  const auto it = r.rates.find(name);
  return it == r.rates.end() ? 0 : it->second;
}

void PrintRatio(std::FILE* out, const RateReporter& r, const char* name) {
  const double c = Rate(r, "BM_CLoop");
  const double m = Rate(r, name);
  if (c <= 0 || m <= 0) return;
  std::fprintf(out, "Zeit %-16s / C-Schleife: %.2f\n", name, c / m);
}

// What keeping the past costs the unpaced run, in per cent of its speed without.
void PrintPastCost(std::FILE* out, const RateReporter& r) {
  const double without = Rate(r, "BM_UnpacedRun/past:0");
  const double with = Rate(r, "BM_UnpacedRun/past:1");
  if (without <= 0 || with <= 0) return;
  std::fprintf(out, "Unbegrenzter Lauf mit Vergangenheit: %.1f %% langsamer als ohne\n",
               100.0 * (1.0 - with / without));
}

// What the statistics cost the unpaced run, and the speed with a breakpoint or a condition.
void PrintWatchCost(std::FILE* out, const RateReporter& r) {
  const double without = Rate(r, "BM_WatchedRun/watch:0");
  const double stats = Rate(r, "BM_WatchedRun/watch:1");
  if (without <= 0 || stats <= 0) return;
  std::fprintf(out, "Unbegrenzter Lauf mit Statistik: %.1f %% langsamer als ohne\n",
               100.0 * (1.0 - stats / without));
  std::fprintf(out, "Mit einem MPS-Haltepunkt: %.0f M ALU-Takte/s, mit einer Bedingung: %.0f M\n",
               Rate(r, "BM_WatchedRun/watch:2") / 1e6, Rate(r, "BM_WatchedRun/watch:3") / 1e6);
}

}  // namespace
}  // namespace vellar

int main(int argc, char** argv) {
  if (!vellar::SameMicroSteps()) {
    std::fprintf(stderr, "C-Schleife und Modell rechnen verschieden.\n");
    return 1;
  }
  // Read before Initialize, which takes the library's flags out of argv.
  const std::string format = vellar::FlagValue(argc, argv, "benchmark_format", "console");
  auto display =
      vellar::DisplayReporter(format, vellar::FlagValue(argc, argv, "benchmark_color", "auto"));
  if (!display) {
    std::fprintf(stderr, "Unbekanntes Format „%s“: console, json oder csv.\n", format.c_str());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vellar::RateReporter reporter(std::move(display));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // Below the table; beside JSON or CSV on stdout they would spoil what a script reads.
  std::FILE* ratios = format == "console" ? stdout : stderr;
  std::fflush(stdout);
  vellar::PrintRatio(ratios, reporter, "BM_RunClocks");
  vellar::PrintRatio(ratios, reporter, "BM_UnpacedRun/past:1");
  vellar::PrintPastCost(ratios, reporter);
  vellar::PrintWatchCost(ratios, reporter);
  benchmark::Shutdown();
  return 0;
}
