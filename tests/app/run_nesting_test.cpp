#include <algorithm>
#include <functional>

#include "support/session_fixture.h"

// Runs started while a run is going on: the space bar held, a run button clicked, a start
// with the timer. None of them may stack a run inside another.
namespace vellar::testing {
namespace {

class RunNestingTest : public SessionTest {
 protected:
  // Calls during with the number of the event processing, each time the run lets the window
  // handle its events, and records how deeply these calls nest. Should a run never end, the
  // pause at call 5000 ends it, so that the test fails instead of hanging.
  void DuringRun(std::function<void(int)> during) {
    fe.onEvents = [this, during] {
      ++depth_;
      deepest = std::max(deepest, depth_);
      during(fe.processEventsCalls);
      if (fe.processEventsCalls == 5000) run.BuStoppClick();
      --depth_;
    };
  }

  int deepest = 0;
  int& row = session.phases.CurrentRow;

 private:
  int depth_ = 0;
};

TEST_F(RunNestingTest, SpaceBarHeldDuringAnUnpacedRunLetsItGoOnUndisturbed) {
  CountingLoop();
  Automatic(-3);
  run.SetClockMode(kUntilHalt);
  // Without any presses, paused after 1000 phases.
  DuringRun([&](int call) {
    if (call == 1000) run.BuStoppClick();
  });
  run.BuTaktClick(std::nullopt);
  const uint8_t ax = m.Regs[AX];
  const uint64_t clocks = run.ClocksThisRun();

  run.MeClrRegClick();
  fe.processEventsCalls = 0;
  DuringRun([&](int call) {
    if (call < 1000) run.BuTaktClick(std::nullopt);  // a press at every phase
    if (call == 1000) run.BuStoppClick();
  });
  run.BuTaktClick(std::nullopt);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(fe.processEventsCalls, 1001);  // the pause ends the run at the next phase
  EXPECT_EQ(run.LastStopReason(), StopReason::Pause);
  EXPECT_EQ(m.Regs[AX], ax);
  EXPECT_EQ(run.ClocksThisRun(), clocks);
}

TEST_F(RunNestingTest, RunButtonDuringAnUnpacedRunRestartsItInTheLoopAlreadyGoing) {
  CountingLoop();
  Automatic(-3);
  DuringRun([&](int call) {
    if (call == 11) run.BuTaktClick(RunButton::BuBefehl);
  });
  run.BuTaktClick(RunButton::BuBisHalt);
  EXPECT_EQ(deepest, 1);
  // The click starts "1 Befehl" at once with an output phase; it ends back at address 0.
  EXPECT_EQ(run.ClockMode(), kOneInstruction);
  EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(row, 1);
  EXPECT_LT(fe.processEventsCalls, 20);
  EXPECT_FALSE(fe.timerEnabled);
  EXPECT_EQ(m.OpenMask, 0);
}

TEST_F(RunNestingTest, RunButtonBetweenTheTwoPhasesOfAClockLosesNoRegisterLoad) {
  CountingLoop();
  Automatic(-2);
  // A level that shows the registers runs phase by phase and handles events after every
  // phase; the twelfth call follows the output phase of the third increment, whose input
  // phase is still to come.
  DuringRun([&](int call) {
    if (call == 12) {
      EXPECT_EQ(m.Regs[AX], 3);
      run.BuTaktClick(RunButton::BuBefehl);
    }
  });
  run.BuTaktClick(RunButton::BuBisHalt);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(m.Regs[AX], 4);
  EXPECT_EQ(row, 1);

  // The same with the ALU-clock button: the clock going on is completed, then one more runs.
  run.MeClrRegClick();
  fe.processEventsCalls = 0;
  DuringRun([&](int call) {
    if (call == 12) run.Bu2PhasenClick();
  });
  run.BuTaktClick(RunButton::BuBisHalt);
  EXPECT_EQ(m.Regs[AX], 4);
}

TEST_F(RunNestingTest, StartWithTheTimerDuringAnUnpacedRunHandsItToTheTimer) {
  CountingLoop();
  Automatic(-3);
  DuringRun([&](int call) {
    if (call != 10) return;
    run.SetSliderPosition(1);
    run.BuTaktClick(RunButton::BuBisHalt);
  });
  run.BuTaktClick(RunButton::BuBisHalt);
  EXPECT_EQ(fe.processEventsCalls, 10);  // the loop stopped at once
  EXPECT_TRUE(fe.timerEnabled);
  EXPECT_TRUE(run.RunGoingOn());
  const uint8_t ax = m.Regs[AX];
  // Four ticks are two ALU clocks, whichever of the two rows the hand-over met: the counting
  // row runs exactly once.
  for (int tick = 0; tick < 4; ++tick) run.TimerTimer();
  EXPECT_EQ(m.Regs[AX], static_cast<uint8_t>(ax + 1));
  run.BuStoppClick();
  TickUntilIdle();
  EXPECT_FALSE(run.RunGoingOn());
}

TEST_F(RunNestingTest, BusPhaseClickedDuringAnUnpacedRunEndsTheLoop) {
  CountingLoop();
  Automatic(-3);
  DuringRun([&](int call) {
    if (call != 10) return;
    // "Manuell", whose run buttons hold no pause, and then ">".
    run.SetGatesAutomatic(false);
    run.BuPhaseClick();
  });
  run.BuTaktClick(RunButton::BuBisHalt);
  EXPECT_EQ(fe.processEventsCalls, 10);
  EXPECT_EQ(run.ClockMode(), kBusClock);
  EXPECT_TRUE(fe.timerEnabled);
  run.TimerTimer();  // the tick that finishes the bus phase
  EXPECT_FALSE(fe.timerEnabled);
}

TEST_F(RunNestingTest, SpaceBarDuringAPacedRunLosesNoPhaseAndStartsTheNextRunAfterIt) {
  CountingLoop();
  Automatic(5);
  run.BuTaktClick(RunButton::BuBefehl);  // output phase of address 0
  run.BuTaktClick(std::nullopt);
  EXPECT_TRUE(run.InputPhaseNext());
  run.TimerTimer();  // its input phase: the increment is not lost
  EXPECT_EQ(m.Regs[AX], 1);
  run.TimerTimer();
  run.BuTaktClick(std::nullopt);
  run.TimerTimer();  // address 1 returns to 0: the instruction is over
  EXPECT_TRUE(run.StopRequested());
  // Once the run has reached its end, the next press starts the next instruction.
  run.BuTaktClick(std::nullopt);
  EXPECT_TRUE(run.RunGoingOn());
  TickUntilIdle();
  EXPECT_EQ(m.Regs[AX], 2);
  EXPECT_EQ(row, 1);
}

}  // namespace
}  // namespace vellar::testing
