// The processor's step on its own: plain state in, plain state out. The expected values are
// worked out by hand from the gate table, not taken from a run.
#include <gtest/gtest.h>

#include <initializer_list>

#include "core/micro_step.h"

namespace vellar {
namespace {

uint16_t Gates(std::initializer_list<int> gates) {
  uint16_t mask = 0;
  for (int g : gates) mask |= GateBit(g);
  return mask;
}

// Registers AX .. DR distinct and recognisable, so that a wrong source shows.
Machine Distinct() {
  Machine m;
  m.Regs = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x00};
  for (int a = 0; a < kRamSize; ++a) m.Ram[a] = static_cast<uint8_t>(a ^ 0xA5);
  return m;
}

// One ALU clock of a single row at address 0x20.
struct OneRow {
  explicit OneRow(std::initializer_list<int> gates, uint8_t next = 0x21) {
    program.SetRow(0x20, Gates(gates), next);
    m.CurrentRow = 0x21;
  }
  StepResult Clock() { return ClockStep(m, program); }

  MicroProgram program;
  Machine m = Distinct();
};

TEST(MicroStepTest, EachLoadingGateLoadsItsRegisterWithTheAluValue) {
  // Gates 0, 2, 4, 6, 8, A load AX, BX, IP, OP, AR, DR; the ALU adds IP (5) and 1 (7).
  const int loads[] = {0x0, 0x2, 0x4, 0x6, 0x8, 0xA};
  for (int reg = AX; reg <= DR; ++reg) {
    OneRow t({5, 7, loads[reg]});
    const StepResult r = t.Clock();
    Machine expected = Distinct();
    expected.Regs[reg] = 0x34;
    expected.Regs[AL] = 0x34;
    EXPECT_EQ(t.m.Regs, expected.Regs) << "gate " << loads[reg];
    EXPECT_EQ(r.loaded, 1u << reg);
  }
}

TEST(MicroStepTest, EachOutputGateFeedsItsAluInput) {
  struct Case {
    std::initializer_list<int> gates;
    uint8_t alu;
  };
  const Case cases[] = {
      {{1}, 0x11},          // AX on input A
      {{3}, 0x22},          // BX
      {{5}, 0x33},          // IP
      {{7}, 0x01},          // the constant 1 on input B
      {{9}, 0x66},          // DR
      {{1, 9}, 0x77},       // AX + DR
      {{3, 7, 0xD}, 0x21},  // BX - 1
      {{7, 0xD}, 0xFF},     // 0 - 1
      {{}, 0x00},           // nothing open: 0 + 0
      {{1, 3, 5}, 0x33},    // several sources of A (only from a file): 5 wins
      {{1, 3}, 0x22},       // 3 over 1
      {{7, 9}, 0x66},       // 9 over 7
  };
  for (const Case& c : cases) {
    OneRow t(c.gates);
    t.Clock();
    EXPECT_EQ(t.m.Regs[AL], c.alu) << "gates " << Gates(c.gates);
    EXPECT_EQ(t.m.Regs[AX], 0x11);  // nothing loaded
  }
}

TEST(MicroStepTest, TheAluWrapsAtOneByte) {
  OneRow t({1, 7, 0});
  t.m.Regs[AX] = 0xFF;
  t.Clock();
  EXPECT_EQ(t.m.Regs[AX], 0x00);
  OneRow u({1, 9, 0xD, 0});
  u.m.Regs[AX] = 0x10;
  u.m.Regs[DR] = 0x20;
  u.Clock();
  EXPECT_EQ(u.m.Regs[AX], 0xF0);
}

TEST(MicroStepTest, MemoryWriteTakesDrBeforeTheClockAndComesBeforeTheAlu) {
  // B writes DR at AR; in the same clock A loads DR with AX + DR, which the write must not see.
  OneRow t({0xB, 1, 9, 0xA});  // only a file can hold this row
  const StepResult r = t.Clock();
  EXPECT_TRUE(r.wrote);
  EXPECT_EQ(r.writeAddress, 0x55);
  EXPECT_EQ(t.m.Ram[0x55], 0x66);
  EXPECT_EQ(t.m.Regs[DR], 0x77);
}

TEST(MicroStepTest, MemoryReadComesAfterTheLoadsAndBeatsGateA) {
  OneRow t({1, 9, 0xA, 0xC});  // only a file can hold this row
  const StepResult r = t.Clock();
  EXPECT_TRUE(r.read);
  EXPECT_EQ(t.m.Regs[DR], 0x55 ^ 0xA5);  // RAM[AR], not AX + DR
  EXPECT_EQ(t.m.Regs[AL], 0x77);
}

TEST(MicroStepTest, ReadUsesTheArLoadedInTheSameClock) {
  // The read happens in the input phase after the loads: AR already holds the new value.
  OneRow t({5, 8, 0xC});
  t.Clock();
  EXPECT_EQ(t.m.Regs[AR], 0x33);
  EXPECT_EQ(t.m.Regs[DR], 0x33 ^ 0xA5);
}

TEST(MicroStepTest, NextRowIsTheNextAddressPlusOne) {
  OneRow t({}, 0x30);
  const StepResult r = t.Clock();
  EXPECT_TRUE(r.rowLoaded);
  EXPECT_EQ(r.row, 0x21);
  EXPECT_EQ(t.m.CurrentRow, 0x31);
  EXPECT_EQ(r.nextRow, 0x31);
  EXPECT_FALSE(t.m.HaltSeen);
}

TEST(MicroStepTest, DecodeAddsOpAndWrapsTheRow) {
  OneRow t({0xF}, 0x30);
  t.m.Regs[OP] = 0x20;
  t.Clock();
  EXPECT_EQ(t.m.CurrentRow, 0x51);
  OneRow u({0xF}, 0x30);
  u.m.Regs[OP] = 0xE0;  // 0x31 + 0xE0 = 0x111: row 0x11
  u.Clock();
  EXPECT_EQ(u.m.CurrentRow, 0x11);
}

TEST(MicroStepTest, SignTestSkipsOneRowWhileAxIsNegativeBeforeTheClock) {
  OneRow t({0xE}, 0x10);
  t.m.Regs[AX] = 0x7F;
  t.Clock();
  EXPECT_EQ(t.m.CurrentRow, 0x11);
  OneRow u({0xE}, 0x10);
  u.m.Regs[AX] = 0x80;
  u.Clock();
  EXPECT_EQ(u.m.CurrentRow, 0x12);
  // The row that makes AX negative in the same clock still tests the old AX.
  OneRow v({1, 7, 0, 0xE}, 0x10);
  v.m.Regs[AX] = 0x7F;
  v.Clock();
  EXPECT_EQ(v.m.Regs[AX], 0x80);
  EXPECT_EQ(v.m.CurrentRow, 0x11);
}

TEST(MicroStepTest, DecodeAndSignTestTogetherAddBoth) {
  OneRow t({0xF, 0xE}, 0x00);  // only a file can hold this row
  t.m.Regs[OP] = 0x40;
  t.m.Regs[AX] = 0x90;
  t.Clock();
  EXPECT_EQ(t.m.CurrentRow, 0x42);
}

TEST(MicroStepTest, HaltIsARowNamingItsOwnAddressExceptAddressZero) {
  OneRow t({}, 0x20);
  const StepResult r = t.Clock();
  EXPECT_TRUE(r.halt);
  EXPECT_TRUE(t.m.HaltSeen);
  EXPECT_EQ(t.m.CurrentRow, 0x21);
  // The halt rule looks at the next address alone, before the decode adds OP.
  OneRow u({0xF}, 0x20);
  u.m.Regs[OP] = 0x05;
  u.Clock();
  EXPECT_TRUE(u.m.HaltSeen);
  EXPECT_EQ(u.m.CurrentRow, 0x26);

  MicroProgram program;
  program.SetRow(0, 0, 0x00);
  Machine m;
  ClockStep(m, program);
  EXPECT_FALSE(m.HaltSeen);
  EXPECT_EQ(m.CurrentRow, 1);
}

TEST(MicroStepTest, NextAddressFFGivesRowZeroWhichRunsAddressZero) {
  MicroProgram program;
  program.SetRow(0, Gates({1, 7, 0}), 0xFF);
  Machine m;
  ClockStep(m, program);
  EXPECT_EQ(m.CurrentRow, 0);
  EXPECT_EQ(m.Regs[AX], 1);
  const StepResult r = ClockStep(m, program);
  EXPECT_EQ(r.row, 1);
  EXPECT_EQ(m.Regs[AX], 2);
  EXPECT_EQ(m.CurrentRow, 0);
}

TEST(MicroStepTest, TheLastAddressRunsWhenItsRowIsSetAndItsFollowerIsAddressZero) {
  MicroProgram program;  // a new store: every row continues at the next address, FF at 00
  program.SetRow(0xFF, Gates({1, 7, 0}), 0x00);
  Machine m;
  m.CurrentRow = 256;
  const StepResult r = ClockStep(m, program);
  EXPECT_EQ(r.row, 256);
  EXPECT_EQ(m.Regs[AX], 1);
  EXPECT_EQ(m.CurrentRow, 1);
}

TEST(MicroStepTest, ARowLoadSetsEveryGate) {
  OneRow t({1, 7, 0});
  t.m.OpenMask = Gates({3, 0xB, 0xC});  // left open by hand
  t.Clock();
  EXPECT_EQ(t.m.OpenMask, Gates({1, 7, 0}));
  EXPECT_EQ(t.m.Regs[AX], 0x12);
}

TEST(MicroStepTest, WithoutARowTheOpenGatesAct) {
  MicroProgram program;
  Machine m = Distinct();
  m.OpenMask = Gates({3, 7, 2});
  m.CurrentRow = 9;
  const StepResult out = OutputStep(m, program, false);
  EXPECT_FALSE(out.rowLoaded);
  EXPECT_EQ(m.CurrentRow, 9);
  EXPECT_EQ(m.Regs[AL], 0x23);
  EXPECT_EQ(m.Regs[BX], 0x22);  // loads wait for the input phase
  // The input phase works with the gates open then: here the output gates were closed.
  m.OpenMask = Gates({2});
  const StepResult in = InputStep(m);
  EXPECT_EQ(in.loaded, 1u << BX);
  EXPECT_EQ(m.Regs[BX], 0x23);
}

TEST(MicroStepTest, RunClocksStopsOnTheEndRowOnHaltOrAfterItsClocks) {
  // 0: AX := AX + 1, on to 1; 1: on to 0. An endless loop of two clocks a round.
  MicroProgram program;
  program.SetRow(0, Gates({1, 7, 0}), 0x01);
  program.SetRow(1, 0, 0x00);
  Machine m;
  RamWrites written;
  RunOutcome out = RunClocks(m, program, 7, 0, written);
  EXPECT_EQ(out.clocks, 7u);
  EXPECT_FALSE(out.ended);
  EXPECT_EQ(m.Regs[AX], 4);
  EXPECT_EQ(m.CurrentRow, 2);
  // "bis Halt" runs on through the ends of instructions (clocks 2, 4, 6); the last is kept.
  EXPECT_EQ(out.lastInstructionEnd, 6u);
  // One instruction ends when the next row is address 0's.
  out = RunClocks(m, program, 100, 1, written);
  EXPECT_EQ(out.clocks, 1u);
  EXPECT_TRUE(out.ended);
  EXPECT_EQ(out.lastInstructionEnd, 1u);
  Machine fromRow1 = m;
  EXPECT_EQ(RunClocks(fromRow1, program, 1, 1, written).lastInstructionEnd, 0u)
      << "address 0 leads on to 1";
  // A row naming itself ends the run on it.
  program.SetRow(1, Gates({0xB}), 0x01);
  m.Regs[AR] = 0x80;
  m.Regs[DR] = 0x42;
  out = RunClocks(m, program, 100, 0, written);
  EXPECT_EQ(out.clocks, 2u);
  EXPECT_TRUE(out.ended);
  EXPECT_TRUE(m.HaltSeen);
  EXPECT_EQ(out.lastInstructionEnd, 2u) << "the halt ends an instruction too";
  EXPECT_EQ(m.CurrentRow, 2);
  EXPECT_EQ(m.Ram[0x80], 0x42);
  EXPECT_EQ(written.count(), 1u);
  EXPECT_TRUE(written[0x80]);
}

TEST(MicroStepTest, RunClocksEqualsClockStepsOneByOne) {
  // A fetch, decode and two instructions as in the examples: INC AX at 10, JMP 00 at 11.
  MicroProgram program;
  program.SetRow(0x00, Gates({5, 8}), 0x01);
  program.SetRow(0x01, Gates({0xC}), 0x02);
  program.SetRow(0x02, Gates({9, 6}), 0x03);
  program.SetRow(0x03, Gates({5, 7, 4}), 0x04);
  program.SetRow(0x04, Gates({0xF}), 0x00);
  program.SetRow(0x10, Gates({1, 7, 0, 2}), 0x00);  // AX, BX := AX + 1
  program.SetRow(0x11, Gates({4, 0xB}), 0x00);
  Machine a;
  a.Ram[0] = 0x10;
  a.Ram[1] = 0x11;
  Machine b = a;
  RamWrites written;
  RunClocks(a, program, 1000, -1, written);
  for (int i = 0; i < 1000; ++i) ClockStep(b, program);
  EXPECT_EQ(a.Regs, b.Regs);
  EXPECT_EQ(a.Ram, b.Ram);
  EXPECT_EQ(a.CurrentRow, b.CurrentRow);
  EXPECT_EQ(a.OpenMask, b.OpenMask);
  // Twelve clocks a round: 83 rounds in 996 clocks, then four clocks of the next fetch.
  EXPECT_EQ(a.Regs[AX], 83);
  EXPECT_EQ(a.Regs[BX], 83);
}

TEST(MicroStepTest, ChangingARowChangesWhatItDoes) {
  MicroProgram program;
  program.SetRow(0, Gates({1, 7, 0}), 0x00);
  Machine m;
  ClockStep(m, program);
  program.SetRow(0, Gates({1, 7, 0xD, 0}), 0x00);
  ClockStep(m, program);
  ClockStep(m, program);
  EXPECT_EQ(m.Regs[AX], 0xFF);
}

}  // namespace
}  // namespace vellar
