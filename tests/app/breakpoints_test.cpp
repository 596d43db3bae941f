#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/session.h"
#include "core/condition.h"
#include "core/hex.h"
#include "support/fake_frontend.h"
#include "support/session_fixture.h"

// Breakpoints, conditions and the statistics against a plain run of the same random
// micro-program: where a run must stop is read off the plain run's trace, and the stopped
// state must be the state a clock limit of that many clocks leaves.
namespace vellar::testing {
namespace {

TEST(ConditionTest, ItemsAreReadAsTheCommandLineWritesThem) {
  struct Case {
    const char* item;
    const char* canonical;  // "" when the item is no condition
  };
  const Case cases[] = {
      {"AX=00", "AX=00"},
      {"ax=7", "AX=07"},
      {"[f0]=7F", "[F0]=7F"},
      {"[5]!=1", "[05]≠01"},
      {"BX≠03", "BX≠03"},
      {"SF=1", "SF=1"},
      {"ROW=12", "ROW=12"},
      {"CLOCKS!=40", "CLOCKS≠40"},
      {"STOP=Break", "STOP=break"},
      {"AL=FF", "AL=FF"},
      {"AX=", ""},
      {"AX=100", ""},
      {"XX=01", ""},
      {"SF=2", ""},
      {"[100]=01", ""},
      {"[]=01", ""},
      {"AX", ""},
      {"STOP=weiter", ""},
      {"ROW=-1", ""},
      {"AX!!=01", ""},
      {"AX==01", ""},
  };
  for (const Case& c : cases) {
    const auto parsed = ParseCondition(c.item);
    EXPECT_EQ(parsed ? parsed->Canonical() : "", c.canonical) << c.item;
  }
}

// The machine after each clock of a plain run; after[0] is the start.
std::vector<Machine> PlainTrace(Machine m, const MicroProgram& program, int clocks) {
  m.HaltSeen = false;
  std::vector<Machine> after = {m};
  for (int i = 0; i < clocks; ++i) {
    ClockStep(m, program);
    m.OpenMask = 0;
    after.push_back(m);
  }
  return after;
}

int AddressOf(int row) {
  return row == 0 ? 0 : row - 1;
}
bool EndsInstruction(const Machine& m) {
  return m.CurrentRow <= 1 || m.HaltSeen;
}

// A random micro-program in rows 00 to 1F, any gates, any next address among them (so some
// rows halt and some jump by OP into the empty rows), random memory and registers.
void RandomStart(Session& s, unsigned seed) {
  std::mt19937 rng(seed);
  for (int a = 0; a < 32; ++a) {
    for (int g = 0; g < kGateCount; ++g) s.mps.SetMpsGate(g, a, (rng() >> g) & 1);
    s.mps.SetNextAddressText(a, HexByte(rng() % 32));
  }
  for (int a = 0; a < kRamSize; ++a) s.memory.WriteRam(a, static_cast<uint8_t>(rng()));
  for (int reg = AX; reg <= DR; ++reg) s.machine.Regs[reg] = static_cast<uint8_t>(rng());
  s.run.SetGatesAutomatic(true);
}

constexpr int kLimit = 3000;

// Until halt (or one instruction), at the slider position, as the window gives the run its
// slices and ticks.
void RunUntilHalt(Session& s, FakeFrontend& fe, int slider, uint64_t limit = kLimit,
                  RunButton button = RunButton::BuBisHalt) {
  s.run.SetSliderPosition(slider);
  s.run.SetClockLimit(limit);
  s.run.BuTaktClick(button);
  s.run.RunToEnd();
  while (fe.timerEnabled) s.run.TimerTimer();
}

struct Stop {
  int clock;  // counted from the run's start
  bool byBreak;
};

// The rule, read plainly: after each clock the run ends by halt first, then stops where the
// watched thing is hit, then at the limit. held: whether the condition held at the start.
template <class Hit>
Stop ExpectedStop(const std::vector<Machine>& trace, int from, Hit hit) {
  for (int j = from + 1; j < static_cast<int>(trace.size()); ++j) {
    if (trace[j].CurrentRow == 0 || trace[j].HaltSeen) return {j - from, false};
    if (hit(j)) return {j - from, true};
  }
  return {static_cast<int>(trace.size()) - 1 - from, false};
}

enum class Kind { Mps, Ram, Register, Memory, Sign, Row };
constexpr Kind kKinds[] = {Kind::Mps,    Kind::Ram,  Kind::Register,
                           Kind::Memory, Kind::Sign, Kind::Row};

// What a run watches, picked from the plain run's trace near clock k, set in the session;
// hit(j) says whether the run must stop after clock j, reason is the hint it must give.
struct Watched {
  std::function<bool(int)> hit;
  std::string reason;
};

Watched Watch(Session& s, const std::vector<Machine>& trace, Kind kind, int k, std::mt19937& rng) {
  if (kind == Kind::Mps) {
    const int address = AddressOf(trace[k].CurrentRow);
    s.breakpoints.SetMps(address, true);
    return {[&trace, address](int j) { return AddressOf(trace[j].CurrentRow) == address; },
            "Haltepunkt MPS " + HexByte(static_cast<unsigned>(address))};
  }
  if (kind == Kind::Ram) {
    const uint8_t ip = trace[k].Regs[IP];
    s.breakpoints.SetRam(ip, true);
    return {[&trace, ip](int j) { return EndsInstruction(trace[j]) && trace[j].Regs[IP] == ip; },
            "Haltepunkt RAM " + HexByte(ip)};
  }
  const bool equal = rng() % 2 == 0;
  const std::string relation = equal ? "=" : "!=";
  std::string item;
  if (kind == Kind::Memory) {
    // A byte the run writes, with the value it gets; a register where the run writes none.
    for (size_t j = 1; j < trace.size() && item.empty(); ++j) {
      for (int a = 0; a < kRamSize && item.empty(); ++a) {
        if (trace[j].Ram[a] != trace[j - 1].Ram[a]) {
          item =
              "[" + HexByte(static_cast<unsigned>(a)) + "]" + relation + HexByte(trace[j].Ram[a]);
        }
      }
    }
  } else if (kind == Kind::Sign) {
    item = "SF" + relation + (trace[k].SignFlag() ? "1" : "0");
  } else if (kind == Kind::Row) {
    item = "ROW" + relation + std::to_string(trace[k].CurrentRow);
  }
  if (item.empty()) {
    const int reg = static_cast<int>(rng() % 6);
    item = std::string(kRegNames[reg]) + relation + HexByte(trace[k].Regs[reg]);
  }
  EXPECT_FALSE(s.breakpoints.SetConditions(item)) << item;
  const Condition c = *ParseCondition(item);
  return {[&trace, c](int j) { return c.HoldsFor(trace[j], 0) && !c.HoldsFor(trace[j - 1], 0); },
          "Bedingung " + c.Canonical()};
}

TEST(BreakpointTest, ARunStopsWhereThePlainRunsTraceSaysAsAClockLimitWouldStopIt) {
  int breaks = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    for (Kind kind : kKinds) {
      for (int slider : {RunControl::kMinPosition, 0, 1}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " kind " +
                     std::to_string(static_cast<int>(kind)) + " slider " + std::to_string(slider));
        FakeFrontend fe;
        Session s(fe);
        s.FormCreate();
        RandomStart(s, seed);
        const std::vector<Machine> trace = PlainTrace(s.machine, s.mps.Program(), kLimit);
        std::mt19937 rng(seed * 31 + static_cast<unsigned>(kind));
        const int k = 1 + static_cast<int>(rng() % 200);
        const auto [hit, reason] = Watch(s, trace, kind, k, rng);
        // Twice: the second start goes on from the stop, and stops again only where the
        // rule says so from there.
        int done = 0;
        for (int start = 0; start < 2; ++start) {
          const Stop expected = ExpectedStop(trace, done, hit);
          RunUntilHalt(s, fe, slider, static_cast<uint64_t>(kLimit - done));
          ASSERT_EQ(s.run.ClocksThisRun(), static_cast<uint64_t>(expected.clock)) << start;
          ASSERT_EQ(s.run.LastStopReason() == StopReason::Break, expected.byBreak);
          ASSERT_EQ(s.run.StopText(), expected.byBreak ? reason : "");
          done += expected.clock;
          const Machine& want = trace[static_cast<size_t>(done)];
          for (int reg = AX; reg <= DR; ++reg) ASSERT_EQ(s.machine.Regs[reg], want.Regs[reg]);
          ASSERT_EQ(s.machine.Ram, want.Ram);
          ASSERT_EQ(s.machine.CurrentRow, want.CurrentRow);
          if (!expected.byBreak) break;
          ++breaks;
        }
        // As a run of so many clocks without breakpoints.
        FakeFrontend limitFe;
        Session limited(limitFe);
        limited.FormCreate();
        RandomStart(limited, seed);
        RunUntilHalt(limited, limitFe, slider, static_cast<uint64_t>(done));
        ASSERT_EQ(limited.machine.Regs, s.machine.Regs);
        ASSERT_EQ(limited.machine.CurrentRow, s.machine.CurrentRow);
      }
    }
  }
  // The programs must stop at breakpoints often enough for the comparison to mean something.
  EXPECT_GT(breaks, 150);
}

// "1 Befehl" pressed again and again and "bis Halt" at every speed of the slider stop at the
// same clock: "1 Befehl" stops at each instruction's end besides, and a breakpoint hit just
// there ends the instruction rather than breaking it.
TEST(BreakpointTest, EveryButtonAndEverySpeedStopsAtTheSameClock) {
  int breaks = 0;
  for (unsigned seed = 1; seed <= 17; ++seed) {
    for (Kind kind : kKinds) {
      const int slider =
          RunControl::kMinPosition + static_cast<int>(seed + static_cast<unsigned>(kind)) %
                                         (RunControl::kMaxPosition - RunControl::kMinPosition + 1);
      for (RunButton button : {RunButton::BuBisHalt, RunButton::BuBefehl}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " kind " +
                     std::to_string(static_cast<int>(kind)) + " slider " + std::to_string(slider) +
                     (button == RunButton::BuBefehl ? " 1 Befehl" : " bis Halt"));
        FakeFrontend fe;
        Session s(fe);
        s.FormCreate();
        RandomStart(s, seed);
        constexpr int kShortLimit = 400;
        const std::vector<Machine> trace = PlainTrace(s.machine, s.mps.Program(), kShortLimit);
        std::mt19937 rng(seed * 17 + static_cast<unsigned>(kind));
        const int k = 1 + static_cast<int>(rng() % 100);
        const auto [hit, reason] = Watch(s, trace, kind, k, rng);
        const Stop expected = ExpectedStop(trace, 0, hit);
        int done = 0;
        for (int presses = 0; done < expected.clock && presses < kShortLimit; ++presses) {
          RunUntilHalt(s, fe, slider, static_cast<uint64_t>(kShortLimit - done), button);
          done += static_cast<int>(s.run.ClocksThisRun());
          if (s.run.LastStopReason() == StopReason::Break) break;
        }
        ASSERT_EQ(done, expected.clock);
        const bool atInstructionEnd =
            button == RunButton::BuBefehl && EndsInstruction(trace[static_cast<size_t>(done)]);
        const bool byBreak = expected.byBreak && !atInstructionEnd;
        ASSERT_EQ(s.run.LastStopReason() == StopReason::Break, byBreak);
        ASSERT_EQ(s.run.StopText(), byBreak ? reason : "");
        const Machine& want = trace[static_cast<size_t>(done)];
        for (int reg = AX; reg <= DR; ++reg) ASSERT_EQ(s.machine.Regs[reg], want.Regs[reg]);
        ASSERT_EQ(s.machine.Ram, want.Ram);
        ASSERT_EQ(s.machine.CurrentRow, want.CurrentRow);
        if (byBreak) ++breaks;
      }
    }
  }
  EXPECT_GT(breaks, 50);
}

TEST(BreakpointTest, StatisticsCountEachRowAndInstructionOfThePlainRunAtEverySpeed) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    for (int slider : {RunControl::kMinPosition, 0, 1}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " slider " + std::to_string(slider));
      FakeFrontend fe;
      Session s(fe);
      s.FormCreate();
      RandomStart(s, seed);
      const std::vector<Machine> trace = PlainTrace(s.machine, s.mps.Program(), 2 * kLimit);
      // Two runs, split by a breakpoint, count as one.
      s.breakpoints.SetMps(AddressOf(trace[7].CurrentRow), true);
      RunUntilHalt(s, fe, slider);
      const uint64_t first = s.run.ClocksThisRun();
      s.breakpoints.ClearAll();
      RunUntilHalt(s, fe, slider);
      const size_t clocks = first + s.run.ClocksThisRun();
      RunStats want;
      for (size_t j = 1; j <= clocks; ++j) {
        want.CountClock(AddressOf(trace[j - 1].CurrentRow), EndsInstruction(trace[j]),
                        trace[j].Regs[OP]);
      }
      const RunStats& got = s.breakpoints.Stats();
      ASSERT_EQ(got.clocks, want.clocks);
      ASSERT_EQ(got.rows, want.rows);
      ASSERT_EQ(got.opCount, want.opCount);
      ASSERT_EQ(got.opClocks, want.opClocks);
      ASSERT_EQ(got.instructionClocks, want.instructionClocks);
    }
  }
}

TEST(BreakpointTest, SteppingBackAcrossABreakpointRebuildsThePlainRun) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    FakeFrontend fe;
    Session s(fe);
    s.FormCreate();
    RandomStart(s, seed);
    const std::vector<Machine> trace = PlainTrace(s.machine, s.mps.Program(), kLimit);
    s.breakpoints.SetMps(AddressOf(trace[20].CurrentRow), true);
    RunUntilHalt(s, fe, RunControl::kMinPosition);
    const uint64_t first = s.run.ClocksThisRun();
    s.breakpoints.ClearAll();
    RunUntilHalt(s, fe, RunControl::kMinPosition, 30);
    const uint64_t total = first + s.run.ClocksThisRun();
    const uint64_t back = 1 + seed % total;
    s.stepBack.StepBackClocks(back);
    const Machine& want = trace[static_cast<size_t>(total - back)];
    for (int reg = AX; reg <= DR; ++reg) ASSERT_EQ(s.machine.Regs[reg], want.Regs[reg]);
    ASSERT_EQ(s.machine.Ram, want.Ram);
    ASSERT_EQ(s.machine.CurrentRow, want.CurrentRow);
  }
}

TEST(BreakpointTest, BadConditionsAreRefusedInGermanAndKeepTheOldOnes) {
  Breakpoints b;
  ASSERT_FALSE(b.SetConditions("AX=00  [f0]!=7f"));
  EXPECT_EQ(b.ConditionsText(), "AX=00 [F0]≠7F");
  for (const char* bad : {"AX=00 QX=1", "STOP=halt", "AX=0x1"}) {
    const auto message = b.SetConditions(bad);
    ASSERT_TRUE(message) << bad;
    EXPECT_NE(message->find("keine gültige Bedingung"), std::string::npos) << *message;
  }
  EXPECT_EQ(b.ConditionsText(), "AX=00 [F0]≠7F");
  b.SetMps(0x5E, true);
  b.SetRam(0x20, true);
  EXPECT_EQ(b.List(),
            (std::vector<std::string>{"MPS 5E", "RAM 20", "Bedingung AX=00", "Bedingung [F0]≠7F"}));
  b.ClearAll();
  EXPECT_TRUE(b.Empty());
  // The heat map: white for none, the strong colour for the busiest, never white for a row
  // that ran, darker with every count.
  EXPECT_EQ(Breakpoints::HeatShade(0, 9), (Rgb{255, 255, 255}));
  EXPECT_EQ(Breakpoints::HeatShade(9, 9), (Rgb{200, 30, 30}));
  EXPECT_NE(Breakpoints::HeatShade(1, 1000000), (Rgb{255, 255, 255}));
  for (uint64_t c = 1; c < 9; ++c) {
    EXPECT_GT(Breakpoints::HeatShade(c, 9).g, Breakpoints::HeatShade(c + 1, 9).g) << c;
  }
  EXPECT_EQ(Breakpoints::Ratio(17, 2), "8,50");
  EXPECT_EQ(Breakpoints::Ratio(2, 3), "0,67");
  EXPECT_EQ(Breakpoints::Ratio(5, 0), "-");
}

class BreakpointSessionTest : public SessionTest {};

// The margin left of the address and F8, in both grids; neither is an edit that undo takes
// back, and a press on the address itself still selects the row.
TEST_F(BreakpointSessionTest, TheMarginAndTheKeySetAndClearBreakpointsOutsideTheUndoHistory) {
  Breakpoints& b = session.breakpoints;
  MpsGridEditing& mps = session.mpsEditing;
  const int y = GridEditing::kRowHeight + GridEditing::kLineWidth + 5;  // the first row
  ASSERT_TRUE(mps.MarginPress(2, y, MouseButton::Left));
  EXPECT_TRUE(b.HasMps(mps.TopRow() - 1));
  EXPECT_TRUE(mps.RowMarked(mps.TopRow()));
  EXPECT_FALSE(mps.MarginPress(2, y, MouseButton::Right));
  EXPECT_FALSE(mps.MarginPress(GridEditing::kMarginWidth, y, MouseButton::Left));
  EXPECT_FALSE(mps.MarginPress(2, 5, MouseButton::Left));  // the header
  EXPECT_FALSE(session.history.CanUndo());
  session.history.Undo();
  EXPECT_TRUE(b.HasMps(mps.TopRow() - 1));
  ASSERT_TRUE(mps.MarginPress(2, y, MouseButton::Left));
  EXPECT_TRUE(b.Empty());
  // Beside the margin, the address selects the row as ever.
  mps.Press(mps.CellAt(14, y + 21), MouseButton::Left);
  EXPECT_EQ(session.phases.CurrentRow, mps.TopRow() + 1);
  EXPECT_TRUE(b.Empty());

  // F8: the current row of the RAM grid while it has the focus, in the assembler view by the
  // address of its line; else the current row of the MPS grid.
  session.ramView.SelectItem(RamView::kAssemblerItem);
  session.ramEditing.FocusIn(false);
  session.ramGrid.current = {1, 0x11};
  session.ToggleBreakpointHere();
  EXPECT_TRUE(b.HasRam(0x20));
  EXPECT_TRUE(session.ramEditing.RowMarked(0x11));
  session.ramEditing.FocusOut();
  session.mpsGrid.current = {1, 0x5F};
  session.ToggleBreakpointHere();
  EXPECT_EQ(b.List(), (std::vector<std::string>{"MPS 5E", "RAM 20"}));
  session.ClearBreakpoints();
  EXPECT_TRUE(b.Empty());
}

}  // namespace
}  // namespace vellar::testing
