#include <functional>

#include "support/session_fixture.h"

// Runs started while a run is going on: the space bar held, a run button clicked, a start
// with the timer, each between two slices of an unpaced run. None of them may start a second
// run beside the one going, nor lose a phase.
namespace vellar::testing {
namespace {

class RunNestingTest : public SessionTest {
 protected:
  // The slices of the run, with during(n) after slice n. Should a run never end, the pause
  // after slice 5000 ends it, so that the test fails instead of hanging.
  int SlicesWith(const std::function<void(int)>& during) {
    return Slices([&](int slice) {
      during(slice);
      if (slice == 5000) run.BuStoppClick();
    });
  }

  int& row = session.phases.CurrentRow;
};

TEST_F(RunNestingTest, SpaceBarHeldDuringAnUnpacedRunLetsItGoOnUndisturbed) {
  CountingLoop();
  Automatic(-3);
  run.SetClockMode(ClockMode::UntilHalt);
  // Without any presses, paused after 1000 slices.
  run.BuTaktClick(std::nullopt);
  SlicesWith([&](int slice) {
    if (slice == 1000) run.BuStoppClick();
  });
  const uint8_t ax = m.Regs[AX];
  const uint64_t clocks = run.ClocksThisRun();

  run.MeClrRegClick();
  fe.sliceRequests = 0;
  run.BuTaktClick(std::nullopt);
  const int slices = SlicesWith([&](int slice) {
    if (slice < 1000) run.BuTaktClick(std::nullopt);  // a press between every two slices
    if (slice == 1000) run.BuStoppClick();
  });
  EXPECT_EQ(fe.sliceRequests, 1);
  EXPECT_EQ(slices, 1001);  // the pause ends the run with the next slice
  EXPECT_EQ(run.LastStopReason(), StopReason::Pause);
  EXPECT_EQ(m.Regs[AX], ax);
  EXPECT_EQ(run.ClocksThisRun(), clocks);
}

TEST_F(RunNestingTest, RunButtonDuringAnUnpacedRunRestartsItInTheSlicesAlreadyGoing) {
  CountingLoop();
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  const int slices = SlicesWith([&](int slice) {
    if (slice == 11) run.BuTaktClick(RunButton::BuBefehl);
  });
  EXPECT_EQ(fe.sliceRequests, 1);
  // The click starts "1 Befehl" at once with an output phase; it ends back at address 0.
  EXPECT_EQ(run.Mode(), ClockMode::OneInstruction);
  EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(row, 1);
  EXPECT_LT(slices, 20);
  EXPECT_FALSE(fe.timerEnabled);
  EXPECT_EQ(m.OpenMask, 0);
}

TEST_F(RunNestingTest, RunButtonBetweenTheTwoPhasesOfAClockLosesNoRegisterLoad) {
  CountingLoop();
  Automatic(-2);
  // A level that shows the registers runs phase by phase, one phase a tick; the twelfth
  // slice is the output phase of the third increment, whose input phase is still to come.
  run.BuTaktClick(RunButton::BuBisHalt);
  SlicesWith([&](int slice) {
    if (slice == 12) {
      EXPECT_EQ(m.Regs[AX], 3);
      run.BuTaktClick(RunButton::BuBefehl);
    }
  });
  EXPECT_EQ(fe.sliceRequests, 1);
  EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(m.Regs[AX], 4);
  EXPECT_EQ(row, 1);

  // The same with the ALU-clock button: the clock going on is completed, then one more runs.
  run.MeClrRegClick();
  run.BuTaktClick(RunButton::BuBisHalt);
  SlicesWith([&](int slice) {
    if (slice == 12) run.Bu2PhasenClick();
  });
  EXPECT_EQ(m.Regs[AX], 4);
}

TEST_F(RunNestingTest, StartWithTheTimerDuringAnUnpacedRunHandsItToTheTimer) {
  CountingLoop();
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  const int slices = SlicesWith([&](int slice) {
    if (slice != 10) return;
    run.SetSliderPosition(1);
    run.BuTaktClick(RunButton::BuBisHalt);
  });
  EXPECT_EQ(slices, 10);  // no slice after the start with the timer
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

TEST_F(RunNestingTest, BusPhaseClickedDuringAnUnpacedRunEndsTheSlices) {
  CountingLoop();
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  const int slices = SlicesWith([&](int slice) {
    if (slice != 10) return;
    // "Manuell", whose run buttons hold no pause, and then ">".
    run.SetGatesAutomatic(false);
    run.BuPhaseClick();
  });
  EXPECT_EQ(slices, 10);
  EXPECT_EQ(run.Mode(), ClockMode::BusClock);
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
