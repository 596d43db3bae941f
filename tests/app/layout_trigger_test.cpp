#include <functional>

#include "support/session_fixture.h"
#include "support/temp_dir.h"

// The window lays itself out only when the model asks for it; it keeps no copies of model
// values to compare. So every change the layout depends on must ask, and nothing else.
namespace vellar::testing {
namespace {

class LayoutTriggerTest : public SessionTest {
 protected:
  bool AsksForLayout(const std::function<void()>& step) {
    fe.invalidated = 0;
    step();
    return (fe.invalidated & kRedrawLayout) != 0;
  }
  // A right click on the RAM cell of the address (data view), then the popup's command.
  void Define(int address) {
    ASSERT_TRUE(
        session.inspector.GrRamMouseDown(address % 16 + 1, address / 16 + 1, MouseButton::Right));
    session.inspector.alsVariabledefinieren1Click();
  }
  void Remove(int address) {
    ASSERT_TRUE(
        session.inspector.GrRamMouseDown(address % 16 + 1, address / 16 + 1, MouseButton::Right));
    session.inspector.Variablendefinitionzurcknehmen1Click();
  }
  TempDir dir;
};

TEST_F(LayoutTriggerTest, TheCreationAsks) {
  EXPECT_TRUE(AsksForLayout([&] { session.FormCreate(); }));
}

TEST_F(LayoutTriggerTest, TheRamViewSwitchAsksOnlyWhenTheViewChanges) {
  EXPECT_TRUE(AsksForLayout([&] { session.ramView.SelectItem(RamView::kAssemblerItem); }));
  EXPECT_TRUE(session.ramGrid.AssemblerView());
  EXPECT_FALSE(AsksForLayout([&] { session.ramView.SelectItem(RamView::kAssemblerItem); }));
  EXPECT_TRUE(AsksForLayout([&] { session.ramView.SelectItem(RamView::kDataItem); }));
  EXPECT_FALSE(session.ramGrid.AssemblerView());
}

TEST_F(LayoutTriggerTest, TheInspectorCommandsAsk) {
  EXPECT_TRUE(AsksForLayout([&] { session.inspector.MeVariablenClick(); }));
  EXPECT_TRUE(AsksForLayout([&] { Define(0x20); }));
  EXPECT_TRUE(AsksForLayout([&] { Define(0x21); }));
  EXPECT_TRUE(AsksForLayout([&] { Remove(0x20); }));
  EXPECT_TRUE(AsksForLayout([&] { session.inspector.MeVariablenClick(); }));
}

// The inspector always has one column, the placeholder or the one variable.
TEST_F(LayoutTriggerTest, ClearingTheRamAsksOnlyWhenTheInspectorNarrows) {
  EXPECT_FALSE(AsksForLayout([&] { session.files.MeClrRamClick(); }));
  session.inspector.MeVariablenClick();
  Define(0x10);
  EXPECT_FALSE(AsksForLayout([&] { session.files.MeClrRamClick(); }));
  EXPECT_FALSE(session.variables.HasVariables());
  Define(0x10);
  Define(0x11);
  ASSERT_EQ(session.variables.ColumnCount(), 2);
  EXPECT_TRUE(AsksForLayout([&] { session.files.MeClrRamClick(); }));
  EXPECT_EQ(session.variables.ColumnCount(), 1);
  EXPECT_FALSE(session.variables.HasVariables());
}

TEST_F(LayoutTriggerTest, ClearingTheMpsAsksForItsFirstColumnWidths) {
  EXPECT_TRUE(AsksForLayout([&] { session.mpsEditor.MeClrMpsClick(); }));
}

TEST_F(LayoutTriggerTest, ARamTextAsksACompactRamFileDoesNot) {
  WriteBytes(dir / "p.ras", "RAS\r\n00  0A 05\r\n");
  EXPECT_TRUE(AsksForLayout([&] { ASSERT_TRUE(session.files.LoadRamFile(dir / "p.ras")); }));
  EXPECT_TRUE(session.ramGrid.AssemblerView());
  WriteBytes(dir / "p.erm", "\x0A\x05");
  EXPECT_FALSE(AsksForLayout([&] { ASSERT_TRUE(session.files.LoadRamFile(dir / "p.erm")); }));
}

TEST_F(LayoutTriggerTest, NothingElseAsks) {
  CountingLoop();
  session.ramView.SelectItem(RamView::kAssemblerItem);
  session.inspector.MeVariablenClick();
  Define(0x00);
  // Writing memory, typing into a register, the menu's options, the gates and the clock.
  EXPECT_FALSE(AsksForLayout([&] { session.memory.WriteRam(0x00, 0x0A); }));
  EXPECT_FALSE(AsksForLayout([&] { session.registers.EdRegChange(AX, "7F"); }));
  EXPECT_FALSE(AsksForLayout([&] { session.MeBus_8Click(); }));
  EXPECT_FALSE(AsksForLayout([&] { session.MeKonflClick(); }));
  EXPECT_FALSE(AsksForLayout([&] { session.MePfeilClick(); }));
  EXPECT_FALSE(AsksForLayout([&] { session.MeTorKzClick(); }));
  EXPECT_FALSE(AsksForLayout([&] { session.TorClick(2); }));
  EXPECT_FALSE(AsksForLayout([&] { run.SetSliderPosition(3); }));
  EXPECT_FALSE(AsksForLayout([&] { Automatic(1); }));
  EXPECT_FALSE(AsksForLayout([&] {
    run.SetClockMode(ClockMode::AluClock);
    run.RaTaktClick();
    run.BuTaktClick(RunButton::BuTakt);
    TickUntilIdle();
  }));
  EXPECT_FALSE(AsksForLayout([&] { run.MeClrRegClick(); }));
}

}  // namespace
}  // namespace vellar::testing
