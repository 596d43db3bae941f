#include "app/task_check.h"

#include "app/run_report.h"
#include "app/run_setup.h"
#include "support/session_fixture.h"
#include "support/test_paths.h"

// "Prüfen" checks the student's work as it stands, in slices, with grade's words, and leaves
// the work, the registers and the undo history as they were.
namespace vellar::testing {
namespace {

class TaskCheckTest : public SessionTest {
 protected:
  TaskCheckTest() {
    EXPECT_TRUE(session.files.LoadMpsFile(ExamplePath("firmware.mpd")));
    EXPECT_TRUE(session.files.LoadRamFile(ExamplePath("bubble.ras")));
  }
  // The clocks and the first difference of the case run plainly, as vellar-cli grade runs it.
  std::pair<uint64_t, std::optional<std::string>> PlainRun(const GradeCase& c, uint64_t limit) {
    QuietFrontend quiet;
    Session plain(quiet);
    plain.FormCreate({});
    plain.mps.RestoreRows(session.mps.AllRows());
    for (int a = 0; a < kRamSize; ++a) plain.memory.WriteRam(a, m.Ram[a]);
    BeginCase(plain, m.Ram, c, limit);
    plain.run.RunToEnd();
    return {plain.run.ClocksThisRun(), CaseDifference(plain, c, limit)};
  }
};

TEST_F(TaskCheckTest, EveryCaseInSlicesAsGradeWouldRunIt) {
  // The student has sorted from F1 on by mistake, and has run and edited before checking.
  session.ramEditor.GrRamSetEditText(2, 1, "F1");
  session.run.BuTaktClick(RunButton::BuBefehl);
  Slices();
  const auto ram = m.Ram;
  const auto regs = m.Regs;
  const size_t undo = session.history.UndoCount();
  ASSERT_GT(undo, 0u);

  const Task task = ReadTask(
      "Grenze: 100000\n"
      "gegeben: => [F0]=00 [F1]=01 [FF]=7F STOP=halt\n"
      "zweites: => [F0]=42\n"
      "startwert: --set AX=55 => AX=FF STOP=halt\n"
      "halt: --mem 00=FE => STOP=halt CLOCKS=1\n");
  ASSERT_EQ(task.errors, std::vector<std::string>{});
  TaskCheck check;
  check.Start(session, task);
  int slices = 0;
  while (check.Advance(1)) ++slices;
  EXPECT_GT(slices, 10);
  EXPECT_FALSE(check.Running());

  const std::vector<CaseCheck>& results = check.Results();
  ASSERT_EQ(results.size(), 4u);
  EXPECT_EQ(results[0].difference, "[F0]=00 erwartet, [F0]=42 erhalten.");
  EXPECT_EQ(results[1].difference, std::nullopt);
  EXPECT_EQ(results[3].difference, "CLOCKS=1 erwartet, CLOCKS=8 erhalten.");
  for (size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].name, task.cases[i].name);
    const auto [clocks, difference] = PlainRun(task.cases[i], 100000);
    EXPECT_EQ(results[i].clocks, clocks) << i;
    EXPECT_EQ(results[i].difference, difference) << i;
    EXPECT_FALSE(results[i].limitReached) << i;
  }

  EXPECT_EQ(m.Ram, ram);
  EXPECT_EQ(m.Regs, regs);
  EXPECT_EQ(session.history.UndoCount(), undo);
}

TEST_F(TaskCheckTest, ACaseAtTheClockLimitSaysSo) {
  session.ramEditor.GrRamSetEditText(1, 1, "70");  // JMP 00: never halts
  session.ramEditor.GrRamSetEditText(2, 1, "00");
  TaskCheck check;
  check.Start(session, ReadTask("Grenze: 300\nschleife: => STOP=halt\nnoch: => AX=00\n"));
  while (check.Advance(4)) {
  }
  ASSERT_EQ(check.Results().size(), 2u);
  for (const CaseCheck& c : check.Results()) {
    EXPECT_TRUE(c.limitReached);
    EXPECT_EQ(c.clocks, 300u);
    EXPECT_EQ(c.difference, "Taktgrenze erreicht (300 ALU-Takte).");
  }
}

}  // namespace
}  // namespace vellar::testing
