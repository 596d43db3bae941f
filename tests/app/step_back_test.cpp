#include <algorithm>
#include <functional>
#include <random>
#include <sstream>

#include "core/hex.h"
#include "support/mps_rows.h"
#include "support/session_fixture.h"

// Stepping back N steps and comparing with a session that never went so far: random
// micro-programs and memories, by bus phase, ALU clock and instruction.
namespace vellar::testing {
namespace {

// Everything the window shows of the processor and the memory, and what the next step uses.
std::string Shown(Session& s) {
  std::ostringstream o;
  const Machine& m = s.machine;
  o << "regs";
  for (uint8_t r : m.Regs) o << ' ' << HexByte(r);
  o << " gates " << m.OpenMask << " row " << s.phases.CurrentRow << " halt " << s.phases.HaltSeen;
  o << "\nfields";
  for (int r = 0; r < kRegCount; ++r) o << ' ' << s.registers.Text(r);
  o << " sign " << s.registers.SignText() << "\nbuttons";
  for (int g = 0; g < kGateCount; ++g) {
    const GateButton& b = s.gates.Button(g);
    o << ' ' << b.shownOpen << b.enabled;
  }
  o << "\npicture";
  for (int i = 0; i < s.picture.DrawCount(); ++i) {
    const PathDraw& d = s.picture.Draw(i);
    o << " [" << d.gate << d.active << d.sign;
    for (uint8_t r : d.regs) o << ' ' << HexByte(r);
    o << ']';
  }
  o << "\nmps " << s.mpsGrid.current.col << ',' << s.mpsGrid.current.row << " ram "
    << s.ramGrid.current.col << ',' << s.ramGrid.current.row << "\nnext bus phase input "
    << s.run.BusPhaseInput() << " buttons";
  for (int b = 0; b < kRunButtonCount; ++b) o << s.run.ButtonVisible(static_cast<RunButton>(b));
  o << "\nvariables";
  for (int c = 1; c <= s.variables.ColumnCount(); ++c) {
    const VariableColumn& v = s.variables.Column(c);
    o << ' ' << v.address << '=' << v.value;
  }
  o << "\nmemory";
  for (int a = 0; a < kRamSize; ++a) o << ' ' << HexByte(m.Ram[a]);
  o << "\ngrid";
  for (int row = 0; row < s.ramGrid.RowCount(); ++row) {
    for (int col = 0; col < s.ramGrid.ColCount(); ++col) o << ' ' << s.ramGrid.CellText(col, row);
  }
  return o.str();
}

// A random micro-program in rows 00 to 0F whose rows run on to higher rows or back to 0, so
// that every instruction ends; random memory, registers and two variables. An endless one
// jumps anywhere in rows 00 to 0F and never halts, so that a run goes on until its limit.
void RandomStart(Session& s, unsigned seed, bool assemblerView, bool endless = false) {
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int a = 0; a < 16; ++a) {
    // Any gates but F, whose jump by OP could run back into a loop; nor E where the row
    // returns to 0, which E would turn into address 1.
    auto mask = static_cast<uint16_t>(rng() & 0x7FFF);
    int next = pick(4) == 0 ? 0 : (pick(8) == 0 ? a : a + 1 + pick(4));
    if (endless && seed % 2 == 1) {
      // On to higher rows, from row 0F back to 0: instructions of a few clocks.
      next = std::min(a + 1 + pick(4), 16) % 16;
    } else if (endless) {
      // Anywhere but the row itself: loops that may never return to 0.
      next = pick(16);
      if (next == a) next = (a + 1) % 16;
    }
    // E would lead from row 0F into the empty rows, and through them to the end of the run.
    if (endless && next == 15) mask &= static_cast<uint16_t>(~GateBit(0xE));
    if (next == 0) mask &= static_cast<uint16_t>(~GateBit(0xE));
    for (int g = 0; g < kGateCount; ++g) s.mps.SetMpsGate(g, a, (mask >> g) & 1);
    s.mps.SetNextAddressText(a, HexByte(next & 0xFF));
    s.mps.SetDescription(a, "R" + HexByte(a));
  }
  for (int a = 0; a < kRamSize; ++a) s.memory.WriteRam(a, pick(256));
  for (int reg = AX; reg <= DR; ++reg) s.registers.EdRegChange(reg, HexByte(pick(256)));
  s.inspector.MeVariablenClick();
  for (int address : {0x10, 0x80}) {
    s.inspector.GrRamMouseDown(address % 16 + 1, address / 16 + 1, MouseButton::Right);
    s.inspector.alsVariabledefinieren1Click();
  }
  if (assemblerView) s.ramView.SelectItem(RamView::kAssemblerItem);
  s.run.SetGatesAutomatic(true);
  s.run.SetClockLimit(5000);
}

// One step of the mode, as the buttons and the timer give it.
void Forward(Session& s, FakeFrontend& fe, ClockMode mode) {
  switch (mode) {
    case ClockMode::BusClock:
      s.run.BuPhaseClick();
      while (fe.timerEnabled) s.run.TimerTimer();
      break;
    case ClockMode::AluClock:
      s.run.Bu2PhasenClick();
      s.run.RunToEnd();
      break;
    default:
      s.run.BuTaktClick(RunButton::BuBefehl);
      s.run.RunToEnd();
      break;
  }
}

struct Case {
  ClockMode mode;
  int slider;
  bool assembler;
  int maxSteps = 40;  // enough steps, with some cases, to pass several copies of the past
  unsigned seeds = 12;
};

class StepBackTest : public ::testing::TestWithParam<Case> {};

TEST_P(StepBackTest, BackMStepsIsAFreshRunOfNMinusMStepsAndGoesOnAlike) {
  const Case c = GetParam();
  for (unsigned seed = 1; seed <= c.seeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    FakeFrontend backFe;
    Session back(backFe);
    FakeFrontend freshFe;
    Session fresh(freshFe);
    for (Session* s : {&back, &fresh}) {
      s->FormCreate();
      RandomStart(*s, seed, c.assembler);
      s->run.SetSliderPosition(c.slider);
    }
    std::mt19937 rng(seed * 7);
    const int n = 1 + static_cast<int>(rng() % static_cast<unsigned>(c.maxSteps));
    const int m = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
    for (int i = 0; i < n; ++i) Forward(back, backFe, c.mode);
    for (int i = 0; i < m; ++i) back.stepBack.StepBackClick();
    for (int i = 0; i < n - m; ++i) Forward(fresh, freshFe, c.mode);
    ASSERT_EQ(Shown(back), Shown(fresh)) << n << " forward, " << m << " back";
    for (int i = 0; i < 5; ++i) {
      Forward(back, backFe, c.mode);
      Forward(fresh, freshFe, c.mode);
    }
    ASSERT_EQ(Shown(back), Shown(fresh)) << "forward again";
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, StepBackTest,
                         ::testing::Values(Case{ClockMode::BusClock, 5, false},
                                           Case{ClockMode::AluClock, 0, false},
                                           Case{ClockMode::AluClock, -3, true},
                                           Case{ClockMode::OneInstruction, -1, false},
                                           Case{ClockMode::OneInstruction, 0, true},
                                           Case{ClockMode::AluClock, -3, false, 20000, 3},
                                           Case{ClockMode::OneInstruction, -3, false, 6000, 3}));

// "bis Halt" at "zu schnell" runs whole stretches of clocks through the core, each kept as one
// entry of the past; steps back of every kind land inside them.
class BareStretchBackTest : public ::testing::TestWithParam<unsigned> {
 protected:
  struct Run {
    explicit Run(unsigned seed) {
      s.FormCreate();
      RandomStart(s, seed, false, true);
      s.run.SetSliderPosition(RunControl::kMinPosition);
    }
    void Clocks(uint64_t clocks) {
      if (clocks == 0) return;
      s.run.SetClockLimit(clocks);
      s.run.BuTaktClick(RunButton::BuBisHalt);
      s.run.RunToEnd();
    }
    FakeFrontend fe;
    Session s{fe};
  };

  // A session that never went further than so many clocks, in the clock mode given.
  std::string FreshAfter(uint64_t clocks, ClockMode mode) {
    Run fresh(GetParam());
    fresh.Clocks(clocks);
    fresh.s.run.SetClockMode(mode);
    return Shown(fresh.s);
  }

  // The last clock before the given one after which the next row is row 1 (address 00) or
  // row 0: the end of an instruction. 0, the start, when there is none. Counted by the core.
  uint64_t InstructionEndBefore(uint64_t clocks) {
    Run start(GetParam());
    Machine m = start.s.machine;
    uint64_t end = 0;
    for (uint64_t c = 1; c < clocks; ++c) {
      ClockStep(m, start.s.mps.Program());
      if (m.CurrentRow <= 1) end = c;
    }
    return end;
  }
};

TEST_P(BareStretchBackTest, StepsBackLandInsideTheStretchesAsFreshRunsEndThere) {
  std::mt19937 rng(GetParam());
  Run back(GetParam());
  // Several stretches of 16384 clocks, and a part of one.
  const uint64_t n = 40'000 + rng() % 40'000;
  back.Clocks(n);
  ASSERT_EQ(back.s.run.ClocksThisRun(), n) << "the run ended before its limit";

  uint64_t at = n - (1 + rng() % (n / 2));
  back.s.stepBack.StepBackClocks(n - at);
  ASSERT_EQ(Shown(back.s), FreshAfter(at, ClockMode::UntilHalt)) << "clocks at once to " << at;

  back.s.run.SetClockMode(ClockMode::AluClock);
  for (int i = 0; i < 3; ++i) back.s.stepBack.StepBackClick();
  at -= 3;
  ASSERT_EQ(Shown(back.s), FreshAfter(at, ClockMode::AluClock)) << "clock by clock to " << at;

  back.s.run.SetClockMode(ClockMode::OneInstruction);
  for (int i = 0; i < 2; ++i) {
    back.s.stepBack.StepBackClick();
    at = InstructionEndBefore(at);
  }
  ASSERT_EQ(Shown(back.s), FreshAfter(at, ClockMode::OneInstruction)) << "by instruction to " << at;
  // The programs of odd seeds end an instruction every few clocks; the others may loop
  // without, and the way back then leads through every copy to the start.
  if (GetParam() % 2 == 1) {
    ASSERT_GT(at, n / 2);
  }
  if (at == 0) return;

  // One bus phase back, at a level that shows the registers: the output phase of the clock
  // before, as the bus-clock button shows it after a run of the clocks before. That run left
  // the RAM cursor where it was; at this level it would have stood at AR.
  Run fresh(GetParam());
  fresh.Clocks(at - 1);
  fresh.s.memory.MoveRamCursor(fresh.s.machine.Regs[AR]);
  for (Run* r : {&back, &fresh}) r->s.run.SetSliderPosition(5);
  back.s.run.SetClockMode(ClockMode::BusClock);
  back.s.stepBack.StepBackClick();
  Forward(fresh.s, fresh.fe, ClockMode::BusClock);
  ASSERT_EQ(Shown(back.s), Shown(fresh.s)) << "one bus phase back from " << at;

  // Forward again alike: the input phase, then a run through more stretches, which "bis Halt"
  // takes back as a whole.
  for (Run* r : {&back, &fresh}) Forward(r->s, r->fe, ClockMode::BusClock);
  ASSERT_EQ(Shown(back.s), Shown(fresh.s)) << "the input phase";
  const std::string beforeRun = Shown(fresh.s);
  for (Run* r : {&back, &fresh}) {
    r->s.run.SetSliderPosition(RunControl::kMinPosition);
    r->Clocks(50'000);
  }
  ASSERT_EQ(Shown(back.s), Shown(fresh.s)) << "a run forward again";
  back.s.stepBack.StepBackClick();
  EXPECT_EQ(Shown(back.s), beforeRun) << "the whole run back";
}

INSTANTIATE_TEST_SUITE_P(Seeds, BareStretchBackTest, ::testing::Range(1u, 9u));

// An endless counter: AX := AX + 1 on row 00 for ever.
class LongRunTest : public SessionTest {
 protected:
  LongRunTest() {
    SetRow(0, {1, 7, 0}, "00", "INC AX");
    Automatic(-3);
  }
  void RunClocks(Session& s, uint64_t clocks) {
    s.run.SetClockLimit(clocks);
    s.run.BuTaktClick(RunButton::BuBisHalt);
    s.run.RunToEnd();
  }
};

TEST_F(LongRunTest, AMillionClocksBackAndTheWholeRunBack) {
  RunClocks(session, 1'100'000);
  ASSERT_EQ(run.ClocksThisRun(), 1'100'000u);
  EXPECT_LT(session.runHistory.MemoryBytes(), 1u << 20);
  run.SetClockMode(ClockMode::AluClock);
  for (int i = 0; i < 3; ++i) session.stepBack.StepBackClick();
  EXPECT_EQ(m.Regs[AX], (1'100'000 - 3) & 0xFF);
  session.stepBack.StepBackClocks(1'000'000);
  EXPECT_EQ(m.Regs[AX], (100'000 - 3) & 0xFF);
  EXPECT_EQ(session.registers.Text(AX), HexByte((100'000 - 3) & 0xFF));

  FakeFrontend freshFe;
  Session fresh(freshFe);
  fresh.FormCreate();
  fresh.mps.SetMpsGate(0, 0, true);
  fresh.mps.SetMpsGate(1, 0, true);
  fresh.mps.SetMpsGate(7, 0, true);
  fresh.mps.SetNextAddressText(0, "00");
  fresh.mps.SetDescription(0, "INC AX");
  fresh.run.SetGatesAutomatic(true);
  fresh.run.SetSliderPosition(-3);
  RunClocks(fresh, 100'000 - 3);
  fresh.run.SetClockMode(ClockMode::AluClock);
  EXPECT_EQ(Shown(session), Shown(fresh));

  // "bis Halt": the whole last run goes; once more, and there is nothing left.
  run.SetClockMode(ClockMode::UntilHalt);
  session.stepBack.StepBackClick();
  EXPECT_EQ(m.Regs[AX], 0);
  EXPECT_FALSE(session.stepBack.CanStepBack());
}

TEST_F(LongRunTest, AHandChangeIsWhereTheKeptPastBegins) {
  RunClocks(session, 50);
  session.registers.EdRegChange(BX, "42");
  RunClocks(session, 20);
  run.SetClockMode(ClockMode::UntilHalt);
  session.stepBack.StepBackClick();
  EXPECT_EQ(m.Regs[AX], 50);
  EXPECT_EQ(m.Regs[BX], 0x42);
  EXPECT_FALSE(session.stepBack.CanStepBack());
  // A gate toggled by hand, or a changed micro-program, likewise.
  RunClocks(session, 10);
  session.mps.SetDescription(5, "x");
  EXPECT_FALSE(session.stepBack.CanStepBack());
}

TEST_F(LongRunTest, BackspaceStepsBackWhereItErasesNothing) {
  RunClocks(session, 10);
  run.SetClockMode(ClockMode::AluClock);
  EXPECT_TRUE(session.keys.OnAppMessage({true, KeyCode::Backspace}));
  EXPECT_EQ(m.Regs[AX], 9);
  for (Control c :
       {Control::MpsGrid, Control::RamGrid, Control::RamInspector, Control::RegisterField}) {
    Focus(c);
    EXPECT_FALSE(session.keys.OnAppMessage({true, KeyCode::Backspace}));
    EXPECT_EQ(m.Regs[AX], 9);
    Focus(Control::None);
  }
  Focus(Control::Slider);
  EXPECT_TRUE(session.keys.OnAppMessage({true, KeyCode::Backspace}));
  EXPECT_EQ(m.Regs[AX], 8);
}

TEST_F(LongRunTest, DuringARunTheKeyPausesIt) {
  Automatic(1);
  run.BuTaktClick(RunButton::BuBisHalt);
  ASSERT_TRUE(fe.timerEnabled);
  for (int i = 0; i < 9; ++i) run.TimerTimer();
  session.stepBack.StepBackClick();
  EXPECT_TRUE(run.StopRequested());
  TickUntilIdle();
  const uint8_t ax = m.Regs[AX];
  run.SetClockMode(ClockMode::AluClock);
  session.stepBack.StepBackClick();
  EXPECT_EQ(m.Regs[AX], ax - 1);
}

// A micro-program that loses its way: address 00 counts AX up and returns to 00 while AX is
// not negative; after that addresses 01 and 02 count on for ever, never leading back to 00
// (nor halting, as a row naming itself would).
void LostProgram(Session& s, const std::string& ax) {
  s.FormCreate();
  SetMpsRow(s.mps, 0, {1, 7, 0, 0xE}, "00", "INC AX");
  SetMpsRow(s.mps, 1, {1, 7, 0}, "02", "INC AX");
  SetMpsRow(s.mps, 2, {1, 7, 0}, "01", "INC AX");
  s.registers.EdRegChange(AX, ax);
  s.run.SetGatesAutomatic(true);
  s.run.SetSliderPosition(RunControl::kMinPosition);
}

void RunUntilHalt(Session& s, uint64_t clocks) {
  s.run.SetClockLimit(clocks);
  s.run.BuTaktClick(RunButton::BuBisHalt);
  s.run.RunToEnd();
}

// One instruction back after tens of millions of clocks without the end of one: the search
// runs again what follows the newest copy of the state, not the whole kept past, which would
// freeze the window for seconds. Counted in bus phases run again, not in time.
TEST(LostProgramTest, OneInstructionBackRunsOneCopyAgainNotTheWholePast) {
  constexpr uint64_t kLongRun = 50'000'000;
  constexpr uint64_t kBound = 3 * RunHistory::kStretchCheckpointPhases;
  // 7E: the clocks 1 and 2 end on address 00, the third leaves it with AX = 80. 80: not one
  // clock ends an instruction, and the way back leads to the start of the run.
  for (const auto& [ax, lastEnd] : {std::pair{"7E", 2}, std::pair{"80", 0}}) {
    SCOPED_TRACE(std::string("AX ") + ax);
    FakeFrontend fe;
    Session s(fe);
    LostProgram(s, ax);
    RunUntilHalt(s, kLongRun);
    ASSERT_EQ(s.run.ClocksThisRun(), kLongRun);
    // Half the run back and a quarter forward again: the copies taken after the cut must
    // know the end before it as well.
    s.run.SetClockMode(ClockMode::AluClock);
    uint64_t replayed = s.runHistory.ReplayedPhases();
    s.stepBack.StepBackClocks(kLongRun / 2);
    EXPECT_LT(s.runHistory.ReplayedPhases() - replayed, kBound);
    RunUntilHalt(s, kLongRun / 4);
    ASSERT_EQ(s.run.ClocksThisRun(), kLongRun / 4);

    s.run.SetClockMode(ClockMode::OneInstruction);
    replayed = s.runHistory.ReplayedPhases();
    s.stepBack.StepBackClick();
    EXPECT_LT(s.runHistory.ReplayedPhases() - replayed, kBound);

    FakeFrontend freshFe;
    Session fresh(freshFe);
    LostProgram(fresh, ax);
    if (lastEnd > 0) RunUntilHalt(fresh, lastEnd);
    fresh.run.SetClockMode(ClockMode::OneInstruction);
    EXPECT_EQ(Shown(s), Shown(fresh));
  }
}

}  // namespace
}  // namespace vellar::testing
