#include "core/hex.h"
#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

const std::string kInvalid(kInvalidEntryMessage);
const std::string kRule = " kann man nicht öffnen,\n";

class MpsEditorTest : public SessionTest {
 protected:
  MpsEditorTest() { Focus(Control::MpsGrid); }
  void Type(int col, int row, const std::string& text) {
    session.mpsEditor.GrMpsSetEditText(col, row, text);
  }
  // Gate g of grid row r.
  void TypeGate(int gate, int row, const std::string& text) { Type(2 + gate, row, text); }
  void ClickGate(int gate, int row) { session.mpsEditor.GrMpsMouseDown(2 + gate, row); }
  bool Gate(int gate, int address) const { return session.mps.GetMpsGate(gate, address); }
  const CellEditor& Editor() const { return session.mpsGrid.editor; }
  MpsEditor& editor = session.mpsEditor;
  MpsStore& mps = session.mps;
};

TEST_F(MpsEditorTest, AnyKeySetsTheGateAndASecondCharacterIsRefused) {
  TypeGate(5, 1, "x");
  EXPECT_TRUE(Gate(5, 0));
  EXPECT_EQ(mps.CellText(7, 1), "5");
  EXPECT_FALSE(Editor().open);
  EXPECT_TRUE(mps.MpsModified());
  fe.ExpectMessage(kInvalid);
  TypeGate(5, 1, "5y");
  EXPECT_FALSE(Gate(5, 0));
  EXPECT_FALSE(editor.LastEditEmptiedGate());
  // Crosses instead of digits.
  session.MeTorKzClick();
  TypeGate(2, 3, "q");
  EXPECT_EQ(mps.CellText(4, 3), "X");
}

TEST_F(MpsEditorTest, BackspaceClearsTheGateAndTheBlankAfterItDoesNotSetItAgain) {
  TypeGate(3, 2, "a");
  TypeGate(3, 2, "");
  EXPECT_FALSE(Gate(3, 1));
  EXPECT_TRUE(editor.LastEditEmptiedGate());
  TypeGate(3, 2, " ");
  EXPECT_FALSE(Gate(3, 1));
  EXPECT_FALSE(editor.LastEditEmptiedGate());
  // A blank typed on its own is a key like any other.
  TypeGate(3, 2, " ");
  EXPECT_TRUE(Gate(3, 1));
  // Backspace in an empty cell empties nothing.
  TypeGate(4, 2, "");
  EXPECT_FALSE(editor.LastEditEmptiedGate());
}

TEST_F(MpsEditorTest, TheMarkHandedOverAgainOnClosingChangesNothing) {
  TypeGate(7, 4, "k");
  TypeGate(7, 4, "7");
  EXPECT_TRUE(Gate(7, 3));
  TypeGate(7, 4, "");
  TypeGate(7, 4, "");
  EXPECT_FALSE(Gate(7, 3));
  EXPECT_FALSE(editor.LastEditEmptiedGate());
}

TEST_F(MpsEditorTest, GateRulesRefuseWithTheirMessageAlsoWithTheOptionOff) {
  session.MeKonflClick();
  ASSERT_FALSE(session.menu.MeKonfl);
  TypeGate(0xF, 4, "f");
  fe.ExpectMessage("Tor 3" + kRule + "denn Tor F ist offen.");
  TypeGate(3, 4, "3");
  EXPECT_FALSE(Gate(3, 3));
  EXPECT_EQ(mps.GateMask(3), GateBit(0xF));

  TypeGate(1, 5, "1");
  fe.ExpectMessage("Tor B" + kRule + "denn ein anderes Tor ist offen.");
  TypeGate(0xB, 5, "b");
  fe.ExpectMessage("Tor 3" + kRule + "denn das führt zu einem Buskonflikt.");
  ClickGate(3, 5);
  EXPECT_EQ(mps.GateMask(4), GateBit(1));

  TypeGate(0xC, 6, "c");
  fe.ExpectMessage("Tor 4" + kRule + "denn es erfolgt ein Zugriff aufs RAM.");
  TypeGate(4, 6, "4");
  TypeGate(2, 7, "2");
  fe.ExpectMessage("Tor F" + kRule + "denn ein anderes Tor ist offen.");
  ClickGate(0xF, 7);
  EXPECT_EQ(mps.GateMask(6), GateBit(2));
}

TEST_F(MpsEditorTest, ALoadedConflictStaysAndRefusesTheNextGate) {
  mps.SetGateMaskDirect(9, GateBit(1) | GateBit(3));
  fe.ExpectMessage("Tor 5" + kRule + "denn das führt zu einem Buskonflikt.");
  TypeGate(5, 10, "5");
  EXPECT_EQ(mps.GateMask(9), GateBit(1) | GateBit(3));
}

TEST_F(MpsEditorTest, ClicksToggleGatesAndTheFirstColumnsSelectTheRow) {
  ClickGate(9, 3);
  EXPECT_TRUE(Gate(9, 2));
  ClickGate(9, 3);
  EXPECT_FALSE(Gate(9, 2));
  editor.GrMpsMouseDown(1, 12);
  EXPECT_EQ(session.phases.CurrentRow, 12);
  editor.GrMpsMouseDown(0, 40);
  EXPECT_EQ(session.phases.CurrentRow, 40);
  for (auto [col, row] : {std::pair{1, 0}, {18, 7}, {-1, 7}, {1, 257}, {5, 0}}) {
    editor.GrMpsMouseDown(col, row);
    EXPECT_EQ(session.phases.CurrentRow, 40) << col << "," << row;
  }
  EXPECT_EQ(mps.GateMask(0xFF), 0);
  EXPECT_EQ(session.mpsEditor.GrMpsDrawCell(0, 40).fill, kSoftGreen);
}

TEST_F(MpsEditorTest, DeleteClearsOnlyAGateCell) {
  mps.SetGateMaskDirect(2, 0xFFFF);  // as a file may hold it
  for (int col : {1, 18}) {
    editor.GrMpsSelectCell(col, 3);
    editor.GrMpsKeyDown(KeyCode::Delete);
    EXPECT_EQ(mps.GateMask(2), 0xFFFF) << col;
  }
  editor.GrMpsSelectCell(4, 3);
  editor.GrMpsKeyDown(KeyCode::Other);
  EXPECT_TRUE(Gate(2, 2));
  editor.GrMpsKeyDown(KeyCode::Delete);
  EXPECT_EQ(mps.GateMask(2), 0xFFFB);
}

TEST_F(MpsEditorTest, DescriptionsAreCutToTwentyFiveCharacters) {
  fe.ExpectMessage("Nur 25 Zeichen als Kommentar erlaubt");
  Type(1, 1, "abcdefghijklmnopqrstuvwxyzäöü1");
  EXPECT_EQ(mps.Description(0), "abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(Editor().text, "abcdefghijklmnopqrstuvwxy");
  Type(1, 1, "Größe prüfen äöü ÄÖÜ ßßß");  // 25 characters, more bytes
  EXPECT_EQ(mps.Description(0), "Größe prüfen äöü ÄÖÜ ßßß");
  EXPECT_FALSE(mps.MpsModified());
}

TEST_F(MpsEditorTest, NextAddressEntryAndNormalisingOnLeaving) {
  fe.ExpectMessage(kInvalid);
  Type(18, 1, "g");
  EXPECT_EQ(mps.NextAddressText(0), "");
  Type(18, 1, "a");
  Type(18, 1, "a5");
  EXPECT_EQ(mps.NextAddressText(0), "A5");
  EXPECT_EQ(Editor().text, "A5");
  fe.ExpectMessage(kInvalid);
  Type(18, 2, "1g");
  EXPECT_EQ(mps.NextAddressText(1), "1");
  Type(18, 3, "123");
  Type(18, 0x80, "");
  Type(18, 0x100, "");
  EXPECT_FALSE(mps.MpsModified());
  Focus(Control::Slider);
  EXPECT_EQ(mps.NextAddressText(1), "01");
  EXPECT_EQ(mps.NextAddressText(2), "23");
  EXPECT_EQ(mps.NextAddressText(0x7F), "80");
  EXPECT_EQ(mps.NextAddressText(0xFF), "00");
  EXPECT_FALSE(mps.MpsModified());
  EXPECT_FALSE(editor.MpsGridFocused());
  EXPECT_FALSE(session.mpsGrid.editorAlwaysShown);
}

TEST_F(MpsEditorTest, EnteringTheGridSwitchesToAutomaticControl) {
  Focus(Control::Slider);
  session.TorClick(2);
  ASSERT_FALSE(run.GatesAutomatic());
  session.mpsGrid.current = {0, 0};
  Focus(Control::MpsGrid);
  EXPECT_TRUE(run.GatesAutomatic());
  EXPECT_TRUE(editor.MpsGridFocused());
  EXPECT_EQ(session.mpsGrid.current, (GridCell{1, 1}));
  EXPECT_FALSE(m.GateOpen(2));
  // Already automatic: entering puts a cursor outside the editable cells back on row 1.
  Focus(Control::Slider);
  session.mpsGrid.current = {0, 9};
  Focus(Control::MpsGrid);
  EXPECT_EQ(session.mpsGrid.current, (GridCell{1, 1}));
  Focus(Control::Slider);
  session.mpsGrid.current = {3, 9};
  Focus(Control::MpsGrid);
  EXPECT_EQ(session.mpsGrid.current, (GridCell{3, 9}));
}

TEST_F(MpsEditorTest, ClearingTheStoreLeavesTheGridInAutomaticControl) {
  Focus(Control::Slider);
  session.TorClick(1);
  SetRow(4, {1}, "", "INC AX");
  session.mpsEditor.MeClrMpsClick();
  EXPECT_EQ(mps.Description(4), "");
  EXPECT_EQ(mps.GateMask(4), 0);
  EXPECT_EQ(mps.NextAddressText(4), "05");
  EXPECT_FALSE(mps.MpsModified());
  EXPECT_TRUE(run.GatesAutomatic());
  EXPECT_FALSE(editor.MpsGridFocused());
  EXPECT_EQ(fe.focus, Control::GateControl);
}

TEST_F(MpsEditorTest, EditedDescriptionsReachTheAssemblerView) {
  session.ramGrid.ShowRamAssembler(m.Ram);
  m.Ram[6] = 0x2A;
  m.Ram[7] = 0x3F;
  session.ramGrid.ShowRamAssembler(m.Ram);
  Type(1, 0x2B, "LDA nn");
  EXPECT_EQ(session.ramGrid.CellText(3, 4), "LDA 3F");
  // Moving the rows moves the instruction set with them.
  editor.GrMpsSelectCell(1, 0x2B);
  session.keys.OnAppMessage({true, KeyCode::Control});
  session.keys.OnAppMessage({true, KeyCode::Insert});
  EXPECT_EQ(session.ramGrid.CellText(3, 4), "");
  session.keys.OnAppMessage({true, KeyCode::Delete});
  EXPECT_EQ(session.ramGrid.CellText(3, 4), "LDA 3F");
  session.mpsEditor.MeClrMpsClick();
  EXPECT_EQ(session.ramGrid.CellText(3, 4), "");
}

TEST_F(MpsEditorTest, TogglingCrossesMarksTheStoreModifiedOnlyWithGatesSet) {
  session.MeTorKzClick();
  EXPECT_FALSE(mps.MpsModified());
  TypeGate(0xA, 9, "a");
  mps.SetMpsModified(false);
  session.MeTorKzClick();
  EXPECT_EQ(mps.CellText(12, 9), "A");
  EXPECT_TRUE(mps.MpsModified());
  session.MeTorKzClick();
  EXPECT_EQ(mps.CellText(12, 9), "X");
}

}  // namespace
}  // namespace vellar::testing
