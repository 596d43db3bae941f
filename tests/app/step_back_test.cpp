#include <functional>
#include <random>
#include <sstream>

#include "core/hex.h"
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
// that every instruction ends; random memory, registers and two variables.
void RandomStart(Session& s, unsigned seed, bool assemblerView) {
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int a = 0; a < 16; ++a) {
    // Any gates but F, whose jump by OP could run back into a loop; nor E where the row
    // returns to 0, which E would turn into address 1.
    auto mask = static_cast<uint16_t>(rng() & 0x7FFF);
    const int next = pick(4) == 0 ? 0 : (pick(8) == 0 ? a : a + 1 + pick(4));
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
void Forward(Session& s, FakeFrontend& fe, int mode) {
  switch (mode) {
    case kBusClock:
      s.run.BuPhaseClick();
      while (fe.timerEnabled) s.run.TimerTimer();
      break;
    case kAluClock:
      s.run.Bu2PhasenClick();
      break;
    default:
      s.run.BuTaktClick(RunButton::BuBefehl);
      break;
  }
}

struct Case {
  int mode;
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
                         ::testing::Values(Case{kBusClock, 5, false}, Case{kAluClock, 0, false},
                                           Case{kAluClock, -3, true},
                                           Case{kOneInstruction, -1, false},
                                           Case{kOneInstruction, 0, true},
                                           Case{kAluClock, -3, false, 20000, 3},
                                           Case{kOneInstruction, -3, false, 6000, 3}));

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
  }
};

TEST_F(LongRunTest, AMillionClocksBackAndTheWholeRunBack) {
  RunClocks(session, 1'100'000);
  ASSERT_EQ(run.ClocksThisRun(), 1'100'000u);
  EXPECT_LT(session.runHistory.MemoryBytes(), 1u << 20);
  run.SetClockMode(kAluClock);
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
  fresh.run.SetClockMode(kAluClock);
  EXPECT_EQ(Shown(session), Shown(fresh));

  // "bis Halt": the whole last run goes; once more, and there is nothing left.
  run.SetClockMode(kUntilHalt);
  session.stepBack.StepBackClick();
  EXPECT_EQ(m.Regs[AX], 0);
  EXPECT_FALSE(session.stepBack.CanStepBack());
}

TEST_F(LongRunTest, AHandChangeIsWhereTheKeptPastBegins) {
  RunClocks(session, 50);
  session.registers.EdRegChange(BX, "42");
  RunClocks(session, 20);
  run.SetClockMode(kUntilHalt);
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
  run.SetClockMode(kAluClock);
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
  run.SetClockMode(kAluClock);
  session.stepBack.StepBackClick();
  EXPECT_EQ(m.Regs[AX], ax - 1);
}

}  // namespace
}  // namespace vellar::testing
