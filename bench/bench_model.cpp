// ALU clocks per second: of the clock phases alone, and of a whole unpaced run through the
// run control, both at the fastest display level with a frontend that does nothing; the run
// with and without keeping its past for "Schritt zurück", what a step back costs, and how
// much memory the kept past takes.
#include <benchmark/benchmark.h>

#include "app/quiet_frontend.h"
#include "app/session.h"

namespace vellar {
namespace {

void Row(Session& s, int address, std::initializer_list<int> gates, const char* next) {
  for (int g : gates) s.mps.SetMpsGate(g, address, true);
  s.mps.SetNextAddressText(address, next);
}

// Fetch, decode and two instructions, INC AX (10) and JMP 00 (11), looping for ever:
// twelve ALU clocks a round.
void LoadLoop(Session& s) {
  s.FormCreate();
  Row(s, 0x00, {5, 8}, "01");     // AR := IP
  Row(s, 0x01, {0xC}, "02");      // DR := RAM[AR]
  Row(s, 0x02, {9, 6}, "03");     // OP := DR
  Row(s, 0x03, {5, 7, 4}, "04");  // IP := IP + 1
  Row(s, 0x04, {0xF}, "00");      // decode
  Row(s, 0x10, {1, 7, 0}, "00");  // INC AX
  Row(s, 0x11, {4}, "00");        // JMP 00: IP := 0
  s.machine.Ram[0] = 0x10;
  s.machine.Ram[1] = 0x11;
  s.run.SetGatesAutomatic(true);
  s.run.SetSliderPosition(-3);
}

void BM_ClockPhases(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  for (auto _ : state) {
    s.phases.OutputPhase();
    s.phases.InputPhase();
  }
  benchmark::DoNotOptimize(s.machine.Regs);
  state.counters["ALU-Takte/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClockPhases);

// Argument 1: the past is kept for stepping back (as in the window); 0: it is not.
void BM_UnpacedRun(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  s.runHistory.SetKeeping(state.range(0) != 0);
  const uint64_t clocks = 10'000'000;
  s.run.SetClockLimit(clocks);
  uint64_t total = 0;
  for (auto _ : state) {
    s.run.BuTaktClick(RunButton::BuBisHalt);
    total += s.run.ClocksThisRun();
  }
  state.counters["ALU-Takte/s"] =
      benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
  state.counters["Vergangenheit_MB"] =
      static_cast<double>(s.runHistory.MemoryBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_UnpacedRun)->ArgName("past")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
    s.run.SetClockMode(kAluClock);
    state.ResumeTiming();
    s.stepBack.StepBackClick();
    s.stepBack.StepBackClocks(1'000'000);
  }
  state.counters["Vergangenheit_MB"] =
      static_cast<double>(s.runHistory.MemoryBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_StepBack)->Arg(2'000'000)->Unit(benchmark::kMillisecond);

// The longest past the bounds allow: a run far beyond them.
void BM_LongestPast(benchmark::State& state) {
  QuietFrontend fe;
  Session s(fe);
  LoadLoop(s);
  s.run.SetClockLimit(static_cast<uint64_t>(state.range(0)));
  for (auto _ : state) s.run.BuTaktClick(RunButton::BuBisHalt);
  state.counters["Vergangenheit_MB"] =
      static_cast<double>(s.runHistory.MemoryBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LongestPast)->Arg(400'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellar

BENCHMARK_MAIN();
