#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

class RunControlTest : public SessionTest {
 protected:
  int& row = session.phases.CurrentRow;
};

TEST_F(RunControlTest, StartStateIsManualAluClockAtHalfASecond) {
  EXPECT_FALSE(run.GatesAutomatic());
  EXPECT_EQ(run.Mode(), ClockMode::AluClock);
  EXPECT_EQ(run.ClockModeItems(), 2);
  EXPECT_EQ(run.SliderPosition(), 8);
  EXPECT_EQ(run.LabelText(), "Takt&zeit:  0,5 s");
  EXPECT_EQ(run.TimerInterval(), 500);
  EXPECT_TRUE(run.ButtonVisible(RunButton::BuReset));
  EXPECT_TRUE(run.ButtonVisible(RunButton::BuPhase));
  EXPECT_TRUE(run.ButtonVisible(RunButton::Bu2Phasen));
  EXPECT_FALSE(run.ButtonVisible(RunButton::BuTakt));
  EXPECT_FALSE(run.ButtonVisible(RunButton::BuBisHalt));
  EXPECT_FALSE(session.gates.Button(0xF).enabled);
  EXPECT_EQ(row, 1);
}

TEST_F(RunControlTest, SliderLabelsTimesAndDisplayLevels) {
  EXPECT_EQ(RunControl::LabelText(-3), "&Zeit:  zu schnell");
  EXPECT_EQ(RunControl::LabelText(-2), "&Zeit:  sehr schnell");
  EXPECT_EQ(RunControl::LabelText(-1), "&Zeit:  schneller");
  EXPECT_EQ(RunControl::LabelText(0), "&Zeit:  schnell");
  EXPECT_EQ(RunControl::LabelText(1), "Takt&zeit:  0,01 s");
  EXPECT_EQ(RunControl::LabelText(9), "Takt&zeit:  1 s");
  EXPECT_EQ(RunControl::LabelText(13), "Takt&zeit:  10 s");
  // Every clock time, with the separator the system uses.
  const char* const seconds[] = {"0.01", "0.02", "0.03", "0.05", "0.1", "0.2", "0.3",
                                 "0.5",  "1",    "2",    "3",    "5",   "10"};
  for (int position = 1; position <= 13; ++position) {
    EXPECT_EQ(RunControl::LabelText(position, "."),
              std::string("Takt&zeit:  ") + seconds[position - 1] + " s");
  }
  EXPECT_EQ(RunControl::ClockTime(4), 50);
  EXPECT_EQ(RunControl::ClockTime(12), 5000);

  Automatic(-2);
  EXPECT_FALSE(session.flags.ShowBus);
  EXPECT_FALSE(session.flags.ShowCursors);
  EXPECT_TRUE(session.flags.ShowRegisters);
  EXPECT_EQ(run.TimerInterval(), 500);  // unpaced positions keep the last interval
  run.SetSliderPosition(20);
  EXPECT_EQ(run.SliderPosition(), 13);
  EXPECT_EQ(run.TimerInterval(), 10000);

  // Under manual gate control every display stays on, at every position.
  run.SetGatesAutomatic(false);
  run.SetSliderPosition(-3);
  EXPECT_TRUE(session.flags.ShowBus && session.flags.ShowCursors && session.flags.ShowRegisters);
}

TEST_F(RunControlTest, PacedRunAlternatesPhasesOneTickEach) {
  CountingLoop();
  Automatic(5);
  run.Bu2PhasenClick();  // output phase at the click
  EXPECT_TRUE(fe.timerEnabled);
  EXPECT_EQ(fe.timerInterval, 100);
  EXPECT_EQ(m.Regs[AL], 1);
  EXPECT_EQ(m.Regs[AX], 0);
  run.TimerTimer();  // input phase, which ends an ALU-clock run
  EXPECT_EQ(m.Regs[AX], 1);
  EXPECT_TRUE(run.StopRequested());
  EXPECT_TRUE(fe.timerEnabled);
  run.TimerTimer();  // one more interval, then the end of the run
  EXPECT_FALSE(fe.timerEnabled);
  EXPECT_EQ(m.OpenMask, 0);
  EXPECT_EQ(m.Regs[AL], 0);
  EXPECT_EQ(session.registers.Text(AX), "01");
  EXPECT_EQ(row, 2);
}

TEST_F(RunControlTest, OneInstructionRunsUntilTheSequenceIsBackAtAddressZero) {
  CountingLoop();
  Automatic(1);
  run.BuTaktClick(RunButton::BuBefehl);
  TickUntilIdle();
  EXPECT_EQ(run.Mode(), ClockMode::OneInstruction);
  EXPECT_EQ(m.Regs[AX], 1);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(run.ClocksThisRun(), 2u);
  EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
}

TEST_F(RunControlTest, UntilHaltStopsOnTheHaltRowAndRepeatsItOnTheNextStart) {
  SetRow(0, {1, 7, 0}, "01");
  SetRow(1, {1, 7, 0}, "02");
  SetRow(2, {1, 7, 0}, "02");  // halt
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  // The button only starts the run, with its first output phase; the frontend asks for the
  // rest, slice by slice.
  EXPECT_EQ(fe.sliceRequests, 1);
  EXPECT_TRUE(run.Running());
  EXPECT_EQ(m.Regs[AL], 1);
  EXPECT_EQ(m.Regs[AX], 0);
  Slices();
  EXPECT_FALSE(run.Running());
  EXPECT_FALSE(fe.timerEnabled);
  EXPECT_EQ(m.Regs[AX], 3);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(session.registers.Text(AX), "03");
  run.BuTaktClick(RunButton::BuBisHalt);
  Slices();
  EXPECT_EQ(m.Regs[AX], 4);
  EXPECT_EQ(run.ClocksThisRun(), 1u);
}

TEST_F(RunControlTest, NextAddressFFEndsUntilHalt) {
  SetRow(0, {1, 7, 0}, "FF");
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  Slices();
  EXPECT_EQ(row, 0);
  EXPECT_EQ(run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(m.Regs[AX], 1);
}

TEST_F(RunControlTest, PauseWithPendingInputPhaseCompletesTheClock) {
  CountingLoop();
  Automatic(3);
  run.BuTaktClick(RunButton::BuBisHalt);  // output phase of address 0
  run.BuStoppClick();
  run.TimerTimer();
  EXPECT_FALSE(fe.timerEnabled);
  EXPECT_EQ(m.Regs[AX], 1);  // the increment was not lost
  EXPECT_EQ(row, 2);
  run.BuTaktClick(RunButton::BuBisHalt);  // continues at address 1
  run.BuStoppClick();
  TickUntilIdle();
  EXPECT_EQ(row, 1);
  EXPECT_EQ(m.Regs[AX], 1);
}

TEST_F(RunControlTest, PauseEndsAnUnpacedEndlessRun) {
  CountingLoop();
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  // The pause, between two slices, ends the run with the next one.
  EXPECT_EQ(Slices([&](int slice) {
              if (slice == 1000) run.BuStoppClick();
            }),
            1001);
  EXPECT_EQ(run.LastStopReason(), StopReason::Pause);
  EXPECT_EQ(m.OpenMask, 0);
}

TEST_F(RunControlTest, ResetDuringAPacedRunRestartsAtAddressZero) {
  CountingLoop();
  SetRow(1, {3, 7, 2}, "00");
  Automatic(2);
  run.BuTaktClick(RunButton::BuBisHalt);
  run.TimerTimer();
  run.TimerTimer();  // output phase of address 1
  EXPECT_EQ(row, 1);
  run.MeClrRegClick();
  EXPECT_EQ(m.Regs[AX], 0);
  EXPECT_TRUE(fe.timerEnabled);  // reset does not stop the timer
  EXPECT_EQ(row, 1);
  run.TimerTimer();  // an input phase with every gate closed
  run.TimerTimer();  // output phase of address 0
  run.TimerTimer();
  EXPECT_EQ(m.Regs[AX], 1);
  EXPECT_EQ(m.Regs[BX], 0);
}

TEST_F(RunControlTest, FourBusPhasesWithGatesOpenedByHand) {
  m.Regs[AX] = 0x05;
  session.TorClick(1);
  session.TorClick(7);
  session.TorClick(0);
  run.BuPhaseClick();
  EXPECT_EQ(m.Regs[AL], 0x06);
  EXPECT_TRUE(fe.timerEnabled);
  run.TimerTimer();
  EXPECT_EQ(m.OpenMask, GateBit(0));
  EXPECT_FALSE(fe.timerEnabled);
  run.BuPhaseClick();
  EXPECT_EQ(m.Regs[AX], 0x06);
  run.TimerTimer();
  EXPECT_EQ(m.OpenMask, 0);
  run.BuPhaseClick();
  run.TimerTimer();
  run.BuPhaseClick();
  run.TimerTimer();
  EXPECT_EQ(m.Regs[AX], 0x06);
  EXPECT_EQ(session.registers.Text(AX), "06");
}

TEST_F(RunControlTest, SpaceBarInBusClockModeGivesOneBusPhase) {
  m.Regs[AX] = 0x05;
  session.TorClick(1);
  session.TorClick(7);
  session.TorClick(0);
  run.BuPhaseClick();
  run.TimerTimer();
  run.SetSliderPosition(-3);  // no timer: an ALU-clock loop would never end here
  run.BuTaktClick(std::nullopt);
  EXPECT_EQ(m.Regs[AX], 0x06);
  EXPECT_EQ(run.Mode(), ClockMode::BusClock);
  run.TimerTimer();
  EXPECT_EQ(m.OpenMask, 0);
}

TEST_F(RunControlTest, SliderSnapsBackToTheFastestClockTimeDuringAPacedAutomaticRun) {
  CountingLoop();
  Automatic(8);
  run.BuTaktClick(RunButton::BuBisHalt);
  run.SetSliderPosition(0);
  EXPECT_EQ(run.SliderPosition(), 1);
  EXPECT_EQ(run.LabelText(), "Takt&zeit:  0,01 s");
  EXPECT_EQ(fe.timerInterval, 10);
  EXPECT_TRUE(session.flags.ShowBus);
}

TEST_F(RunControlTest, ClockModeChangesRunTheHandlerOnlyOnARealChange) {
  // The handler shows in the phase flags it resets. Bus clock: after the output phase's tick
  // the next press is the input phase.
  run.BuPhaseClick();
  run.TimerTimer();
  ASSERT_TRUE(run.BusPhaseInput());
  run.SetClockMode(ClockMode::BusClock);  // the mode it has: nothing runs
  EXPECT_TRUE(run.BusPhaseInput());
  run.SetClockMode(ClockMode::AluClock);
  EXPECT_FALSE(run.BusPhaseInput());

  // A paced run after its input phase: the next tick is an output phase.
  CountingLoop();
  Automatic(8);
  run.BuTaktClick(RunButton::BuBisHalt);
  run.TimerTimer();
  ASSERT_FALSE(run.InputPhaseNext());
  run.SetClockMode(ClockMode::UntilHalt);
  EXPECT_FALSE(run.InputPhaseNext());
  run.SetClockMode(ClockMode::OneInstruction);
  EXPECT_TRUE(run.InputPhaseNext());
  run.SetClockMode(ClockMode::UntilHalt);
  // Switching to manual removes the two automatic items, without the handler.
  run.SetGatesAutomatic(false);
  EXPECT_EQ(run.Mode(), ClockMode::AluClock);
  EXPECT_EQ(run.ClockModeItems(), 2);
  run.SetClockMode(ClockMode::UntilHalt);  // not an item under manual control
  EXPECT_EQ(run.Mode(), ClockMode::AluClock);
}

TEST_F(RunControlTest, SwitchingGateControlResetsRowButtonsAndGates) {
  session.TorClick(1);
  row = 9;
  run.SetGatesAutomatic(true);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(m.OpenMask, 0);
  EXPECT_TRUE(session.gates.Button(0xF).enabled);
  EXPECT_TRUE(run.ButtonVisible(RunButton::BuBisHalt));
  EXPECT_FALSE(run.ButtonVisible(RunButton::BuPhase));
  EXPECT_FALSE(session.mpsGrid.editorAlwaysShown);
  EXPECT_EQ(session.mpsGrid.current, (GridCell{1, 1}));
  // Ctrl+F switches back to manual and changes no gate.
  session.TorClick(0xF);
  EXPECT_FALSE(run.GatesAutomatic());
  EXPECT_EQ(m.OpenMask, 0);
  EXPECT_FALSE(session.gates.Button(0xF).enabled);
}

}  // namespace
}  // namespace vellar::testing
