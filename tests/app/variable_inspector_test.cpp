#include "core/hex.h"
#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

class VariableInspectorTest : public SessionTest {
 protected:
  VariableInspectorTest() { session.inspector.MeVariablenClick(); }
  // A right click on the RAM cell of the address (data view), then the menu command.
  void Define(int address) {
    ASSERT_TRUE(inspector.GrRamMouseDown(address % 16 + 1, address / 16 + 1, MouseButton::Right));
    inspector.alsVariabledefinieren1Click();
  }
  void Remove(int address) {
    ASSERT_TRUE(inspector.GrRamMouseDown(address % 16 + 1, address / 16 + 1, MouseButton::Right));
    inspector.Variablendefinitionzurcknehmen1Click();
  }
  std::string Cell(int col, int row) const { return inspector.CellText(col, row); }
  void Type(int col, int row, const std::string& text) {
    inspector.RamInspectorSetEditText(col, row, text);
  }
  VariableInspector& inspector = session.inspector;
};

TEST_F(VariableInspectorTest, CaptionsAndTheEmptyInspector) {
  EXPECT_EQ(Cell(0, 0), "Speicherstelle");
  EXPECT_EQ(Cell(0, 1), "Variablenname");
  EXPECT_EQ(Cell(0, 2), "Wert");
  EXPECT_EQ(VariableInspector::ColWidth(0), 140);
  EXPECT_EQ(inspector.ColCount(), 2);
  EXPECT_EQ(Cell(1, 0), "?");
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(Cell(1, 2), "");
}

TEST_F(VariableInspectorTest, DefiningReusesThePlaceholderThenAddsColumns) {
  m.Ram[0x3F] = 0xA5;
  fe.invalidated = 0;
  Define(0x3F);
  EXPECT_EQ(inspector.ClickedAddress(), 0x3F);
  EXPECT_EQ(inspector.ColCount(), 2);
  EXPECT_EQ(Cell(1, 0), "3F");
  EXPECT_EQ(Cell(1, 1), "?");
  EXPECT_EQ(Cell(1, 2), "A5");
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);
  EXPECT_EQ(session.ramEditor.GrRamDrawCell(16, 4).fill, kVariableBlue);
  Define(0x00);
  EXPECT_EQ(inspector.ColCount(), 3);
  EXPECT_EQ(Cell(2, 0), "00");
  Remove(0x3F);
  Remove(0x00);
  EXPECT_EQ(inspector.ColCount(), 2);
  EXPECT_EQ(Cell(1, 0), "?");
  EXPECT_EQ(Cell(1, 2), "");
  EXPECT_FALSE(session.ramEditor.GrRamDrawCell(16, 4).fill);
}

TEST_F(VariableInspectorTest, TheMenuOpensOnlyOnARightClickWhileTheInspectorIsShown) {
  EXPECT_FALSE(inspector.GrRamMouseDown(2, 1, MouseButton::Left));
  EXPECT_TRUE(inspector.GrRamMouseDown(2, 1, MouseButton::Right));
  session.ramGrid.current = {5, 5};
  session.ramGrid.ShowRamAssembler(m.Ram);
  EXPECT_TRUE(inspector.GrRamMouseDown(3, 4, MouseButton::Right));  // "Befehl": no address
  EXPECT_EQ(inspector.ClickedAddress(), -1);
  inspector.alsVariabledefinieren1Click();
  EXPECT_FALSE(session.variables.HasVariables());
  EXPECT_EQ(session.ramGrid.current, (GridCell{3, 5}));  // the click moved no cursor
  inspector.MeVariablenClick();
  EXPECT_FALSE(inspector.GrRamMouseDown(2, 1, MouseButton::Right));
  EXPECT_EQ(inspector.ClickedAddress(), -1);
}

TEST_F(VariableInspectorTest, TypingIntoThePlaceholderAsksForADefinitionFirst) {
  fe.ExpectMessage("Sie müssen zuerst eine Speicherstelle im RAM als Variable definieren",
                   "Hinweis");
  Type(1, 1, "x");
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(inspector.Editor().text, "");
  Type(1, 2, "");  // emptying asks nothing
  EXPECT_EQ(Cell(1, 0), "?");
}

TEST_F(VariableInspectorTest, NamesAndValuesAreTyped) {
  Define(0x20);
  Focus(Control::RamInspector);
  Type(1, 1, "summe");
  EXPECT_EQ(Cell(1, 1), "summe");
  Type(1, 2, "4");
  EXPECT_EQ(m.Ram[0x20], 0x04);
  EXPECT_EQ(session.ramGrid.CellText(1, 3), "04");
  EXPECT_TRUE(session.memory.RamChanged());
  Type(1, 2, "4c");
  EXPECT_EQ(Cell(1, 2), "4C");
  EXPECT_TRUE(inspector.Editor().textSelected);
  fe.ExpectMessage(std::string(kInvalidEntryMessage));
  Type(1, 2, "4x");
  EXPECT_EQ(Cell(1, 2), "4");
  EXPECT_EQ(m.Ram[0x20], 0x04);
}

TEST_F(VariableInspectorTest, SelectingAnotherCellEndsTheEditingOfThePreviousOne) {
  Define(0x20);
  Define(0x21);
  Focus(Control::RamInspector);
  inspector.RamInspectorSelectCell(2, 1);
  Type(2, 1, "x");
  ASSERT_TRUE(inspector.Editor().open);
  inspector.RamInspectorSelectCell(2, 2);
  EXPECT_FALSE(inspector.Editor().open);
  EXPECT_EQ(inspector.Current(), (GridCell{2, 2}));
  // The same cell again, a header or a column beyond the last: nothing changes.
  Type(2, 2, "5");
  inspector.RamInspectorSelectCell(2, 2);
  inspector.RamInspectorSelectCell(0, 2);
  inspector.RamInspectorSelectCell(3, 1);
  EXPECT_TRUE(inspector.Editor().open);
  EXPECT_EQ(inspector.Current(), (GridCell{2, 2}));
  EXPECT_EQ(Cell(2, 1), "x");
  EXPECT_EQ(m.Ram[0x21], 0x05);
  // Removing the column under the cursor leaves it on the last one.
  Remove(0x21);
  EXPECT_EQ(inspector.Current(), (GridCell{1, 2}));
}

TEST_F(VariableInspectorTest, ASecondVariableOfTheSameAddressFollowsOnlyFromOutside) {
  Define(0x20);
  Define(0x20);
  Focus(Control::RamInspector);
  Type(2, 2, "77");
  EXPECT_EQ(Cell(2, 2), "77");
  EXPECT_EQ(Cell(1, 2), "00");
  Focus(Control::RamGrid);
  session.ramEditor.GrRamSetEditText(1, 3, "78");
  EXPECT_EQ(Cell(1, 2), "78");
  EXPECT_EQ(Cell(2, 2), "78");
}

TEST_F(VariableInspectorTest, AMemoryWriteOfTheProcessorUpdatesTheValue) {
  Define(0x05);
  m.Regs[AR] = 0x05;
  m.Regs[DR] = 0x99;
  session.TorClick(0xB);
  run.Bu2PhasenClick();
  TickUntilIdle();
  EXPECT_EQ(Cell(1, 2), "99");
}

TEST_F(VariableInspectorTest, FocusKeepsTheEditingFlagAndTheMenuItemTogglesTheLayout) {
  Focus(Control::RamInspector);
  EXPECT_TRUE(session.flags.GridEditing);
  EXPECT_TRUE(inspector.EditorAlwaysShown());
  Focus(Control::Slider);
  EXPECT_FALSE(session.flags.GridEditing);
  EXPECT_FALSE(inspector.EditorAlwaysShown());
  fe.invalidated = 0;
  inspector.MeVariablenClick();
  EXPECT_FALSE(session.menu.MeVariablen);
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);
}

}  // namespace
}  // namespace vellar::testing
