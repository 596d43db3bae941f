#include "core/hex.h"
#include "support/example_files.h"
#include "support/example_runs.h"
#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

// Every example program on the firmware, run until halt as the window runs it, on each of
// its inputs.
class ExamplesTest : public SessionTest {
 protected:
  ExamplesTest() { LoadExampleMps(session, "firmware.mpd"); }
};

TEST_F(ExamplesTest, EveryProgramGivesItsResultOnEveryInput) {
  for (const ExampleRun& example : ExampleRuns()) {
    SCOPED_TRACE(example.title);
    run.MeClrRegClick();
    m.Ram = ReadExampleRas(example.program);
    for (auto [address, value] : example.memory) m.Ram[address] = value;
    for (auto [reg, value] : example.registers) m.Regs[reg] = value;
    Automatic(-3);
    run.SetClockLimit(1000000);
    run.BuTaktClick(RunButton::BuBisHalt);
    run.RunToEnd();
    EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
    EXPECT_EQ(session.phases.CurrentRow - 1, 0xFE);  // on the HLT row
    for (auto [address, value] : example.wantMemory)
      EXPECT_EQ(HexByte(m.Ram[address]), HexByte(value)) << "at " << HexByte(address);
    for (auto [reg, value] : example.wantRegisters)
      EXPECT_EQ(HexByte(m.Regs[reg]), HexByte(value)) << "register " << reg;
    if (example.wantClocks != 0) {
      EXPECT_EQ(run.ClocksThisRun(), example.wantClocks);
    }
  }
}

}  // namespace
}  // namespace vellar::testing
