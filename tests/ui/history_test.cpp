#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "ui/grid_editor.h"
#include "ui/string_grid.h"
#include "window_fixture.h"

// The menu "Bearbeiten" and its keys reach the session's history from wherever the focus is,
// also from an edit field that would otherwise keep Ctrl+Z for its own undo.
namespace vellar::ui::testing {
namespace {

class HistoryTest : public WindowTest {
 protected:
  QAction* Item(const char* name) { return Find<QAction>(name); }
};

TEST_F(HistoryTest, BearbeitenStandsBetweenDateiAndZuruecksetzen) {
  QStringList titles;
  for (QAction* menu : window->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, QStringList({QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"),
                                 QStringLiteral("&Zurücksetzen"), QStringLiteral("&Ansicht"),
                                 QStringLiteral("&Hilfe")}));
  EXPECT_EQ(Item("MeUndo")->text(), QStringLiteral("&Rückgängig"));
  EXPECT_EQ(Item("MeUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(Item("MeRedo")->text(), QStringLiteral("&Wiederholen"));
  EXPECT_EQ(Item("MeRedo")->shortcuts(),
            QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
  EXPECT_FALSE(Item("MeUndo")->isEnabled());
  EXPECT_FALSE(Item("MeRedo")->isEnabled());
}

TEST_F(HistoryTest, CtrlZInTheOpenCellEditorUndoesTheByteAndCtrlYRedoesIt) {
  auto* grid = Find<StringGrid>("GrRam");
  grid->setFocus();
  Settle();
  Type(QStringLiteral("3f"));
  Settle();  // the menu follows the history once the window has refreshed
  ASSERT_EQ(session().machine.Ram[0], 0x3F);
  EXPECT_TRUE(Item("MeUndo")->isEnabled());
  ASSERT_EQ(Focused(), grid->Editor());
  Press(Qt::Key_Z, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(session().machine.Ram[0], 0x00);
  EXPECT_EQ(grid->Editor()->text(), QStringLiteral("00"));
  Settle();
  EXPECT_TRUE(Item("MeRedo")->isEnabled());
  Press(Qt::Key_Y, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(session().machine.Ram[0], 0x3F);
  Settle();
  Press(Qt::Key_Z, Qt::ControlModifier);
  Settle();
  Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  Settle();
  EXPECT_EQ(session().machine.Ram[0], 0x3F);
}

TEST_F(HistoryTest, CtrlZInARegisterFieldUndoesTheTypedValue) {
  auto* edBX = Find<QLineEdit>("EdBX");
  edBX->setFocus();
  Settle();
  Type(QStringLiteral("7"));
  Settle();
  ASSERT_EQ(session().machine.Regs[BX], 0x07);
  Press(Qt::Key_Z, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(session().machine.Regs[BX], 0x00);
  EXPECT_EQ(edBX->text(), QStringLiteral("00"));
}

TEST_F(HistoryTest, BackspaceOutsideTheFieldsTakesBackAClock) {
  EXPECT_EQ(Item("MeStepBack")->text(), QStringLiteral("Schritt &zurück\tRücktaste"));
  // Offered when the menu opens, and only with a clock to go back to.
  QMenu* edit = nullptr;
  for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) {
    if (menu->title() == QStringLiteral("&Bearbeiten")) edit = menu;
  }
  ASSERT_NE(edit, nullptr);
  const auto offered = [&] {
    emit edit->aboutToShow();
    return Item("MeStepBack")->isEnabled();
  };
  EXPECT_FALSE(offered());
  session().TorClick(1);
  session().TorClick(7);
  session().TorClick(0);  // AX := AX + 1
  session().run.SetSliderPosition(0);
  Find<QPushButton>("Bu2Phasen")->click();
  Settle();
  ASSERT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("01"));
  EXPECT_TRUE(offered());
  Find("TrZeit")->setFocus();
  Press(Qt::Key_Backspace);
  Settle();
  EXPECT_EQ(session().machine.Regs[AX], 0);
  EXPECT_FALSE(offered());
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("00"));
  // In a register field the key erases a character, as ever.
  auto* edBX = Find<QLineEdit>("EdBX");
  edBX->setFocus();
  Settle();
  Type(QStringLiteral("12"));
  Press(Qt::Key_Backspace);
  Settle();
  EXPECT_EQ(edBX->text(), QStringLiteral("1"));
}

TEST_F(HistoryTest, AfterARunAtZuSchnellTheKeyStepsBackInsideIt) {
  session().mps.SetMpsGate(1, 0, true);
  session().mps.SetMpsGate(7, 0, true);
  session().mps.SetMpsGate(0, 0, true);
  session().mps.SetNextAddressText(0, "00");  // AX := AX + 1 for ever
  session().run.SetGatesAutomatic(true);
  session().run.SetSliderPosition(RunControl::kMinPosition);
  session().run.SetClockLimit(100'003);  // several stretches of clocks run bare
  Settle();
  Find<QPushButton>("BuBisHalt")->click();
  Settle();
  ASSERT_EQ(session().run.ClocksThisRun(), 100'003u);
  ASSERT_EQ(session().machine.Regs[AX], 100'003 & 0xFF);
  session().run.SetClockMode(ClockMode::AluClock);
  Find("TrZeit")->setFocus();
  for (int i = 0; i < 5; ++i) Press(Qt::Key_Backspace);
  Settle();
  EXPECT_EQ(session().machine.Regs[AX], (100'003 - 5) & 0xFF);
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("9E"));
  // "bis Halt": the whole run, back to the start.
  session().run.SetClockMode(ClockMode::UntilHalt);
  Item("MeStepBack")->trigger();
  Settle();
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("00"));
}

}  // namespace
}  // namespace vellar::ui::testing
