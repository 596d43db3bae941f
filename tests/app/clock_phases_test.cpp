#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

class ClockPhasesTest : public SessionTest {
 protected:
  // One ALU clock of the current row under automatic gate control, phases called directly.
  void Clock() {
    session.phases.OutputPhase();
    session.phases.InputPhase();
  }
  int& row = session.phases.CurrentRow;
};

TEST_F(ClockPhasesTest, IncrementWrapsAndTheSignIsReadBeforeTheClock) {
  SetRow(0, {1, 7, 0, 0xE}, "10");
  Automatic(8);
  m.Regs[AX] = 0xFF;
  Clock();
  EXPECT_EQ(m.Regs[AX], 0x00);
  EXPECT_EQ(row, 0x12);  // next address 10, plus one for the sign seen by LoadRow
}

TEST_F(ClockPhasesTest, DecodeAddsOpToTheNextAddress) {
  SetRow(0, {0xF}, "30");
  Automatic(8);
  m.Regs[OP] = 0x20;
  Clock();
  EXPECT_EQ(row, 0x51);
}

TEST_F(ClockPhasesTest, SignGateSkipsOneRowOnlyWhenAxIsNegative) {
  SetRow(0, {0xE}, "10");
  Automatic(8);
  m.Regs[AX] = 0x7F;
  Clock();
  EXPECT_EQ(row - 1, 0x10);
  row = 1;
  m.Regs[AX] = 0x80;
  Clock();
  EXPECT_EQ(row - 1, 0x11);
}

TEST_F(ClockPhasesTest, HaltIsARowNamingItselfExceptAddressZero) {
  SetRow(5, {}, "05");
  SetRow(0, {}, "00");
  Automatic(8);
  row = 6;
  Clock();
  EXPECT_TRUE(session.phases.HaltSeen);
  EXPECT_EQ(row, 6);
  row = 1;
  Clock();
  EXPECT_FALSE(session.phases.HaltSeen);
  EXPECT_EQ(row, 1);
}

TEST_F(ClockPhasesTest, NextAddressFFGivesRowZeroWhichRestartsAtAddressZero) {
  SetRow(0, {1, 7, 0}, "FF");
  Automatic(8);
  Clock();
  EXPECT_EQ(row, 0);
  EXPECT_EQ(m.Regs[AX], 1);
  Clock();  // row 0 lies behind address FF: address 0 runs again
  EXPECT_EQ(m.Regs[AX], 2);
  EXPECT_EQ(row, 0);
}

TEST_F(ClockPhasesTest, MemoryWriteUsesTheOldDrAndReadWinsOverGateA) {
  SetRow(0, {0xB}, "01");
  SetRow(1, {9, 0xA, 0xC}, "02");  // only a file can hold this row
  Automatic(8);
  m.Regs[AR] = 0x40;
  m.Regs[DR] = 0x11;
  Clock();
  EXPECT_EQ(m.Ram[0x40], 0x11);
  EXPECT_TRUE(session.memory.RamChanged());
  EXPECT_EQ(session.ramGrid.CellText(1, 5), "11");
  m.Ram[0x40] = 0x99;
  Clock();
  EXPECT_EQ(m.Regs[DR], 0x99);
}

TEST_F(ClockPhasesTest, FastestLevelLeavesTheFieldsUntilTheEndOfTheRun) {
  SetRow(0, {1, 7, 0}, "00");
  Automatic(-3);
  Clock();
  Clock();
  EXPECT_EQ(m.Regs[AX], 2);
  EXPECT_EQ(session.registers.Text(AX), "00");
  session.phases.EndRun();
  EXPECT_EQ(session.registers.Text(AX), "02");
  EXPECT_EQ(m.OpenMask, 0);
  EXPECT_EQ(m.Regs[AL], 0);
}

TEST_F(ClockPhasesTest, OutputPhaseShowsOnlyTheAluAndLeavesAFieldBeingTyped) {
  SetRow(0, {1, 7, 0}, "00");
  Automatic(8);
  session.registers.EdRegChange(AX, "5");  // half typed: the register is already 0x05
  session.registers.EdRegChange(BX, "A");
  session.phases.OutputPhase();
  EXPECT_EQ(session.registers.Text(AL), "06");
  EXPECT_EQ(session.registers.Text(AX), "5");
  EXPECT_EQ(session.registers.Text(BX), "A");
  session.phases.InputPhase();  // now the registers have new values, and all fields show them
  EXPECT_EQ(session.registers.Text(AX), "06");
  EXPECT_EQ(session.registers.Text(BX), "0A");
}

TEST_F(ClockPhasesTest, InputPhaseClosesOutputGatesOnlyWhileTheBusIsShown) {
  SetRow(0, {1, 7, 0}, "00");
  Automatic(8);
  session.phases.OutputPhase();
  session.phases.InputPhase();
  EXPECT_EQ(m.OpenMask, GateBit(0));
  Automatic(-1);
  session.phases.OutputPhase();
  session.phases.InputPhase();
  EXPECT_EQ(m.OpenMask, GateBit(0) | GateBit(1) | GateBit(7));
}

TEST_F(ClockPhasesTest, HighlightsRecordTheValuesOfTheirMoment) {
  SetRow(0, {1, 7, 0}, "00");
  Automatic(8);
  m.Regs[AX] = 0x01;
  session.phases.OutputPhase();
  const DataPathPicture& pic = session.picture;
  ASSERT_EQ(pic.DrawCount(), 2);  // gates 1 and 7 lit
  EXPECT_EQ(pic.Draw(0).gate, 1);
  EXPECT_TRUE(pic.Draw(0).active);
  session.phases.InputPhase();
  // 1 and 7 back to black, then gate 0 lit with the new AX.
  ASSERT_EQ(pic.DrawCount(), 3);
  EXPECT_EQ(pic.Draw(2).gate, 0);
  EXPECT_TRUE(pic.Draw(2).active);
  EXPECT_EQ(pic.Draw(2).regs[AX], 0x02);
  EXPECT_FALSE(pic.Draw(0).active);
}

}  // namespace
}  // namespace vellar::testing
