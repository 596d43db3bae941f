#include "app/task_panel.h"

#include "app/form_menus.h"
#include "app/link_content.h"
#include "app/shared_link.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

// "Aufgabe öffnen…" loads a task's start files as the load commands do and shows the task;
// "Prüfen" fills the panel's table from a check of the work as it stands, which stays
// untouched; a faulty task or a link loads nothing.
namespace vellar::testing {
namespace {

class TaskPanelTest : public SessionTest {
 protected:
  TaskPanelTest() {
    WriteBytes(dir / "firmware.mpd", ReadBytes(ExamplePath("firmware.mpd")));
    WriteBytes(dir / "bubble.ras", ReadBytes(ExamplePath("bubble.ras")));
  }
  std::string WriteTask(const std::string& text) {
    WriteBytes(dir / "t.aufgabe", text);
    return dir / "t.aufgabe";
  }
  // Checks in slices as a frontend drives them; the number of slices.
  int CheckToEnd() {
    int slices = 0;
    while (panel.Advance(1)) ++slices;
    return slices;
  }

  TaskPanel& panel = session.Task();
  TempDir dir;
};

// Both questions come first: a save called off at the RAM's leaves the MPS as it was too.
TEST_F(TaskPanelTest, ASaveCalledOffAtTheSecondQuestionLoadsNeitherStartFile) {
  SetRow(0, {1}, "01");
  session.ramEditor.GrRamSetEditText(1, 1, "7F");
  const auto ram = m.Ram;
  const std::string path = WriteTask("MPS: firmware.mpd\nRAM: bubble.ras\nfall: => STOP=halt\n");
  fe.ExpectOpenFile(path);
  fe.ExpectQuestion("Mps speichern ?", false);
  fe.ExpectQuestion("Ram speichern ?", true);
  fe.ExpectSaveFile(std::nullopt);
  EXPECT_TRUE(RunMenuCommand(session, "MeAufgabe"));
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_EQ(session.files.MpsFileName(), "");
  EXPECT_TRUE(session.mps.GetMpsGate(1, 0));
  EXPECT_TRUE(session.mps.MpsModified());
  EXPECT_EQ(m.Ram, ram);
  EXPECT_FALSE(panel.View().shown);
}

// A cases file chosen alone is a task under any name; a micro-program chosen alone is none.
TEST_F(TaskPanelTest, AFileChosenAloneIsTheTaskUnlessItIsAProgram) {
  WriteBytes(dir / "faelle.liste", "MPS: firmware.mpd\nfall: => STOP=halt\n");
  fe.ExpectOpenFile(dir / "faelle.liste");
  EXPECT_TRUE(RunMenuCommand(session, "MeAufgabe"));
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_TRUE(panel.View().shown);
  EXPECT_EQ(session.files.MpsFileName(), "firmware.mpd");

  panel.Close();
  fe.ExpectOpenFile(dir / "firmware.mpd");
  fe.ExpectError("keine Aufgabe (.aufgabe)");
  EXPECT_TRUE(RunMenuCommand(session, "MeAufgabe"));
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_FALSE(panel.View().shown);
}

TEST_F(TaskPanelTest, OpeningAsksAboutUnsavedWorkLoadsTheStartFilesAndShowsTheText) {
  session.ramEditor.GrRamSetEditText(1, 1, "7F");
  const std::string path = WriteTask(
      "Titel: Sortieren\nText: Erste Zeile\nText: und weiter.\nText:\nText: Zweiter.\n"
      "MPS: firmware.mpd\nRAM: bubble.ras\nfall: => STOP=halt\n");
  fe.ExpectOpenFile(path, FileDialogOptions{std::string(kTaskFilter), 1, "AUFGABE", {}, {}});
  fe.ExpectQuestion("Ram speichern ?", false);
  EXPECT_TRUE(RunMenuCommand(session, "MeAufgabe"));
  EXPECT_TRUE(fe.AllUsed());

  EXPECT_EQ(session.files.MpsFileName(), "firmware.mpd");
  EXPECT_EQ(session.files.RamFileName(), "bubble.ras");
  EXPECT_FALSE(session.files.HasUnsavedWork());
  EXPECT_TRUE(fe.invalidated & kRedrawTask);
  const TaskPanelView v = panel.View();
  EXPECT_TRUE(v.shown);
  EXPECT_EQ(v.caption, "Aufgabe");
  EXPECT_EQ(v.title, "Sortieren");
  EXPECT_EQ(v.paragraphs, (std::vector<std::string>{"Erste Zeile und weiter.", "Zweiter."}));
  EXPECT_EQ(v.button, "Prüfen");
  EXPECT_TRUE(v.rows.empty());
  EXPECT_EQ(panel.TaskFileBytes(), ReadBytes(path));
  EXPECT_EQ(panel.dialogDir, dir.path());
}

// vellar sortieren.aufgabe, as the desktop starts it for a task: the same as the menu.
TEST_F(TaskPanelTest, ATaskOnTheCommandLineOpensAsFromTheMenu) {
  FakeFrontend startFe;
  Session started(startFe);
  started.FormCreate({ExamplePath("sortieren.aufgabe")});
  EXPECT_TRUE(startFe.AllUsed());
  EXPECT_EQ(started.files.MpsFileName(), "firmware.mpd");
  EXPECT_TRUE(started.Task().View().shown);
  EXPECT_EQ(started.Task().View().title, "Bubblesort");
}

TEST_F(TaskPanelTest, AFaultyTaskOrStartFileLoadsNothing) {
  WriteBytes(dir / "kurz.mps", std::string(10, 'x'));
  struct Case {
    const char* text;
    const char* message;  // a part of the message
  };
  const Case cases[] = {
      {"Titel: A\nBearbeiten: Papier\nfall: => STOP=halt\n", "Zeile 2: „Bearbeiten:“"},
      {"fall: => STOP=halt\nTitel: spät\n", "Zeile 2: „Titel:“ gehört vor den ersten Fall."},
      {"Titel: ohne Fälle\n", "keinen Fall"},
      {"MPS: fehlt.mpd\nfall: => STOP=halt\n", "fehlt.mpd"},
      {"MPS: firmware.mpd\nRAM: kurz.mps\nfall: => STOP=halt\n", "RAM:"},
      {"MPS: kurz.mps\nRAM: bubble.ras\nfall: => STOP=halt\n", "kurz.mps"},
  };
  session.memory.WriteRam(0x10, 0x42);
  const auto ram = m.Ram;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    fe.ExpectError(c.message);
    panel.OpenTaskFile(WriteTask(c.text));
    EXPECT_TRUE(fe.AllUsed());
    EXPECT_FALSE(panel.HasTask());
    EXPECT_EQ(m.Ram, ram);
    EXPECT_EQ(session.files.MpsFileName(), "");
    EXPECT_FALSE(RunMenuCommand(session, "MePruefen"));
  }
}

TEST_F(TaskPanelTest, PruefenFillsTheTableAndLeavesTheWorkAsItWas) {
  fe.ExpectOpenFile(ExamplePath("sortieren.aufgabe"));
  panel.MeAufgabeClick();
  ASSERT_TRUE(panel.HasTask());
  ASSERT_TRUE(session.files.LoadRamFile(ExamplePath("bubble.ras")));
  // An edit that the undo history keeps, and registers that a check must not clear.
  session.ramEditor.GrRamSetEditText(2, 1, "F1");
  session.registers.EdRegChange(AX, "5A");
  session.registers.EdRegExit(AX);
  const auto ram = m.Ram;
  const auto regs = m.Regs;
  const size_t undo = session.history.UndoCount();

  fe.ResetCollected();
  EXPECT_TRUE(RunMenuCommand(session, "MePruefen"));
  EXPECT_TRUE(fe.invalidated & kRedrawTask);
  EXPECT_TRUE(panel.View().checking);
  EXPECT_EQ(panel.View().status, "Prüfe Fall 1 von 3 …");
  EXPECT_GT(CheckToEnd(), 3);

  const TaskPanelView v = panel.View();
  EXPECT_FALSE(v.checking);
  ASSERT_EQ(v.rows.size(), 3u);
  TaskCheck plain;
  plain.Start(session, *panel.CurrentTask());
  while (plain.Advance(1000)) {
  }
  int passed = 0;
  for (size_t i = 0; i < v.rows.size(); ++i) {
    const CaseCheck& c = plain.Results()[i];
    EXPECT_EQ(v.rows[i][0], c.name);
    EXPECT_EQ(v.rows[i][1], c.difference ? "✗" : "✓");
    EXPECT_EQ(v.rows[i][2], c.difference.value_or(""));
    EXPECT_EQ(v.rows[i][3], std::to_string(c.clocks));
    passed += c.difference ? 0 : 1;
  }
  // The edit broke the sort: not every case passes, and the status counts them.
  EXPECT_LT(passed, 3);
  EXPECT_EQ(v.status, std::to_string(passed) + " von 3 Fällen bestanden.");
  EXPECT_EQ(m.Ram, ram);
  EXPECT_EQ(m.Regs, regs);
  EXPECT_EQ(session.history.UndoCount(), undo);
}

TEST_F(TaskPanelTest, ACaseThatReachesTheLimitSaysSoInTheTable) {
  WriteTask("Grenze: 200\nMPS: firmware.mpd\nschleife: => STOP=halt\n");
  panel.OpenTaskFile(dir / "t.aufgabe");
  session.ramEditor.GrRamSetEditText(1, 1, "70");  // JMP 00: never halts
  session.ramEditor.GrRamSetEditText(2, 1, "00");
  panel.PruefenClick();
  CheckToEnd();
  const TaskPanelView v = panel.View();
  ASSERT_EQ(v.rows.size(), 1u);
  EXPECT_EQ(v.rows[0][1], "✗");
  EXPECT_EQ(v.rows[0][2], "Taktgrenze erreicht (200 ALU-Takte).");
  EXPECT_EQ(v.status, "0 von 1 Fall bestanden.");
}

// As the page answers: each question later. A link with a task asks about both stores in turn,
// loads both, and shows the task; its link carries the task again.
TEST_F(TaskPanelTest, ALinkWithATaskAsksAboutEachStoreThenShowsTheTask) {
  const std::string taskText = "Titel: Verlinkt\nText: Aus dem Link.\nfall: => STOP=halt\n";
  const std::string content =
      PackLinkContent({{LinkKind::Task, "l.aufgabe", taskText},
                       {LinkKind::Mps, "firmware.mpd", ReadBytes(ExamplePath("firmware.mpd"))},
                       {LinkKind::Ram, "bubble.ras", ReadBytes(ExamplePath("bubble.ras"))}});
  SetRow(0, {1}, "01");
  session.ramEditor.GrRamSetEditText(1, 1, "7F");
  fe.answerLater = true;
  ASSERT_TRUE(OpenLinkContent(session, content, dir.folder()));
  for (const char* question : {"Mps speichern ?", "Ram speichern ?"}) {
    ASSERT_NE(session.asking.Pending(), nullptr) << question;
    EXPECT_EQ(session.asking.Pending()->text, question);
    EXPECT_FALSE(panel.View().shown);
    ASSERT_TRUE(session.asking.Respond({Answer::No, std::nullopt}));
  }
  EXPECT_EQ(session.asking.Pending(), nullptr);
  EXPECT_EQ(session.files.RamFileName(), "bubble.ras");
  EXPECT_EQ(session.files.MpsFileName(), "firmware.mpd");
  const TaskPanelView v = panel.View();
  EXPECT_TRUE(v.shown);
  EXPECT_EQ(v.title, "Verlinkt");
  EXPECT_EQ(v.paragraphs, std::vector<std::string>{"Aus dem Link."});

  const auto again = UnpackLinkContent(CurrentLinkContent(session).value_or(""));
  ASSERT_TRUE(again.has_value());
  ASSERT_EQ(again->size(), 3u);
  EXPECT_EQ((*again)[0].name, "l.aufgabe");
  EXPECT_EQ((*again)[0].bytes, taskText);

  // A link whose task is faulty is damaged: nothing of it loads.
  fe.answerLater = false;
  const auto ram = m.Ram;
  fe.ExpectMessage(std::string(kDamagedLinkMessage));
  EXPECT_FALSE(OpenLinkContent(
      session, PackLinkContent({{LinkKind::Task, "b.aufgabe", "Titel: x\n"}, (*again)[2]}),
      dir.folder()));
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_EQ(m.Ram, ram);
  EXPECT_EQ(panel.View().title, "Verlinkt");
}

}  // namespace
}  // namespace vellar::testing
