#include <functional>

#include "core/hex.h"
#include "ram/batch_assembler.h"
#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

const std::string kInvalid(kInvalidEntryMessage);

class RamEditorTest : public SessionTest {
 protected:
  RamEditorTest() { Focus(Control::RamGrid); }
  void Type(int col, int row, const std::string& text) {
    session.ramEditor.GrRamSetEditText(col, row, text);
  }
  void AssemblerView() { session.ramGrid.ShowRamAssembler(m.Ram); }
  const std::string& Cell(int col, int row) const { return session.ramGrid.CellText(col, row); }
  const CellEditor& Editor() const { return session.ramGrid.editor; }
};

TEST_F(RamEditorTest, TwoDigitsAreStoredNormalisedAndSelected) {
  Type(5, 2, "3");
  EXPECT_EQ(m.Ram[0x14], 0x03);
  EXPECT_FALSE(Editor().textSelected);
  Type(5, 2, "3f");
  EXPECT_EQ(m.Ram[0x14], 0x3F);
  EXPECT_EQ(Cell(5, 2), "3F");
  EXPECT_EQ(Editor().text, "3F");
  EXPECT_TRUE(Editor().textSelected);
  EXPECT_TRUE(session.memory.RamChanged());
}

TEST_F(RamEditorTest, InvalidCharactersAreRefusedWithTheMessage) {
  fe.ExpectMessage(kInvalid);
  Type(1, 1, "g");
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(m.Ram[0], 0x00);
  Type(2, 1, "1");
  fe.ExpectMessage(kInvalid);
  Type(2, 1, "1g");
  EXPECT_EQ(Cell(2, 1), "1");
  EXPECT_EQ(m.Ram[1], 0x01);
  EXPECT_TRUE(Editor().textSelected);
}

TEST_F(RamEditorTest, ThreeDigitsStoreTheLowByteAndAreDrawnAsIt) {
  Type(3, 1, "1");
  Type(3, 1, "12");
  Type(3, 1, "123");
  EXPECT_EQ(m.Ram[2], 0x23);
  EXPECT_EQ(Cell(3, 1), "123");
  EXPECT_EQ(session.ramEditor.GrRamDrawCell(3, 1).text, "23");
}

TEST_F(RamEditorTest, CellsAreDrawnAsBytesWithTheMarksInTheirColours) {
  const RamEditor& e = session.ramEditor;
  session.ramGrid.SetCellText(3, 1, "7");
  session.ramGrid.SetCellText(4, 1, "");
  EXPECT_EQ(e.GrRamDrawCell(3, 1).text, "07");
  EXPECT_EQ(e.GrRamDrawCell(4, 1).text, "00");
  EXPECT_EQ(e.GrRamDrawCell(0, 0).text, "RAD");
  EXPECT_EQ(e.GrRamDrawCell(5, 0).text, "04");
  EXPECT_EQ(e.GrRamDrawCell(3, 1).align, CellAlign::Centre);
  EXPECT_FALSE(e.GrRamDrawCell(3, 1).fill);
  session.variables.Append("3F", "x");
  EXPECT_EQ(e.GrRamDrawCell(16, 4).fill, kVariableBlue);
  EXPECT_EQ(e.GrRamDrawCell(16, 4).textColour, kBlack);
  session.mps.SetDescription(0x20, "LDA nn");
  m.Ram[0x3E] = 0x20;
  AssemblerView();
  m.Regs[IP] = 0x3F;
  EXPECT_EQ(e.GrRamDrawCell(2, 32).fill, kIpBlue);  // the IP line wins over the variable
  EXPECT_EQ(e.GrRamDrawCell(3, 32).text, "LDA 00");
  EXPECT_EQ(e.GrRamDrawCell(3, 32).align, CellAlign::Left);
  EXPECT_EQ(e.GrRamDrawCell(3, 0).text, "Befehl");
  EXPECT_EQ(e.GrRamDrawCell(3, 0).align, CellAlign::Left);
  EXPECT_EQ(e.GrRamDrawCell(1, 0).text, "OP");
}

TEST_F(RamEditorTest, OpAndOperandCellsRewriteTheInstructionAsTyped) {
  session.mps.SetDescription(0x20, "JMP nn");
  AssemblerView();
  Type(1, 3, "20");
  EXPECT_EQ(Cell(3, 3), "JMP 00");
  Type(2, 3, "4");
  EXPECT_EQ(Cell(3, 3), "JMP 4");
  EXPECT_EQ(m.Ram[5], 0x04);
  EXPECT_TRUE(session.memory.RamChanged());
}

TEST_F(RamEditorTest, EveryEditEndsWithFreshVariableValues) {
  session.variables.Append("10", "x");
  Type(1, 2, "7e");
  EXPECT_EQ(session.variables.Column(1).value, "7E");
}

class AssembleLineTest : public RamEditorTest {
 protected:
  AssembleLineTest() {
    SetRow(0x0A, {}, "0B", "MOV AX,nn");
    SetRow(0x0C, {}, "0D", "HALT");
    SetRow(0x30, {}, "31", "JMP nn");
    SetRow(0x40, {}, "41", "jmp nn");
    AssemblerView();
  }
};

TEST_F(AssembleLineTest, AMatchingTextBecomesTheCanonicalInstruction) {
  Type(3, 2, "mov ax,3f");
  EXPECT_EQ(m.Ram[2], 0x0A);
  EXPECT_EQ(m.Ram[3], 0x3F);
  EXPECT_EQ(Cell(1, 2), "0A");
  EXPECT_EQ(Cell(2, 2), "3F");
  EXPECT_EQ(Cell(3, 2), "MOV AX,3F");
  EXPECT_EQ(Editor().text, "MOV AX,3F");
  EXPECT_TRUE(Editor().textSelected);
  // The assembler input is no change of memory for the save prompt.
  EXPECT_FALSE(session.memory.RamChanged());
}

TEST_F(AssembleLineTest, TheHighestMatchingAddressStays) {
  Type(3, 1, "JMP 10");
  EXPECT_EQ(m.Ram[0], 0x40);
  EXPECT_EQ(Cell(3, 1), "jmp 10");
}

TEST_F(AssembleLineTest, ExtraTokensAndTheHaltNowCase) {
  Type(3, 1, "halt 05");
  EXPECT_EQ(m.Ram[0], 0x0C);
  EXPECT_EQ(m.Ram[1], 0x05);
  EXPECT_EQ(Cell(3, 1), "HALT");
  fe.ExpectMessage(kInvalid);
  Type(3, 2, "halt now");
  EXPECT_EQ(m.Ram[2], 0x0C);
  EXPECT_EQ(Cell(2, 2), "no");
  EXPECT_EQ(m.Ram[3], 0x00);
  // A one-digit operand is no replacement: the operand byte keeps its value.
  m.Ram[5] = 0x77;
  Type(3, 3, "halt 5");
  EXPECT_EQ(m.Ram[4], 0x0C);
  EXPECT_EQ(m.Ram[5], 0x77);
}

TEST_F(AssembleLineTest, NoMatchLeavesTheTextAndTheBytes) {
  m.Ram[8] = 0x12;
  Type(3, 5, "mov ax 3");
  EXPECT_EQ(Cell(3, 5), "mov ax 3");
  EXPECT_EQ(m.Ram[8], 0x12);
  EXPECT_FALSE(Editor().textSelected);
}

TEST_F(AssembleLineTest, AnEmptyInstructionClearsTheLine) {
  Type(3, 4, "mov ax 3f");
  Type(3, 4, "");
  EXPECT_EQ(m.Ram[6], 0x00);
  EXPECT_EQ(m.Ram[7], 0x00);
  EXPECT_EQ(Cell(1, 4), "00");
  EXPECT_EQ(Cell(2, 4), "00");
  EXPECT_EQ(Cell(3, 4), "");
}

TEST_F(AssembleLineTest, AnInvalidOperandIsReportedForEachMatchingDescription) {
  fe.ExpectMessage(kInvalid);
  fe.ExpectMessage(kInvalid);
  Type(3, 1, "jmp 1x");
  EXPECT_EQ(m.Ram[0], 0x40);
  EXPECT_EQ(m.Ram[1], 0x01);
  EXPECT_EQ(Cell(3, 1), "jmp 1");
}

TEST_F(AssembleLineTest, TheBatchAssemblerEntersEachLineAsTheGridDoes) {
  const std::vector<std::string> lines = {"mov ax,3f", "halt 05", "HALT",       "JMP 10",
                                          "halt 5",    "halt []", "mov ax , 7e"};
  std::string source;
  for (size_t i = 0; i < lines.size(); ++i) {
    Type(3, static_cast<int>(i) + 1, lines[i]);
    source += lines[i] + "\n";
  }
  const BatchAssembly batch = AssembleSource(session.mps, source);
  EXPECT_TRUE(batch.errors.empty());
  EXPECT_EQ(batch.bytes, m.Ram);
}

TEST_F(RamEditorTest, FocusKeepsTheEditingFlagAndTheAlwaysShownEditor) {
  EXPECT_TRUE(session.flags.GridEditing);
  EXPECT_TRUE(session.ramGrid.editorAlwaysShown);
  Focus(Control::RamInspector);
  EXPECT_TRUE(session.flags.GridEditing);
  EXPECT_FALSE(session.ramGrid.editorAlwaysShown);
  EXPECT_FALSE(session.ramEditor.GridFocused());
  Focus(Control::Other);
  EXPECT_FALSE(session.flags.GridEditing);
}

// Lines 0 to 5 are instructions, line 6 is empty, lines 7 and 8 hold data; the cursor is
// moved with the keys the user presses.
class RamLineShiftTest : public RamEditorTest {
 protected:
  RamLineShiftTest() {
    SetRow(0x20, {}, "21", "LDA [nn]");
    SetRow(0x21, {}, "22", "JMP nn");
    SetRow(0x22, {}, "23", "ADD nn");
    const uint8_t bytes[] = {0x20, 0x0E, 0x21, 0x04, 0x22, 0x05, 0x21, 0x0A, 0x22,
                             0x06, 0x21, 0x02, 0x00, 0x00, 0x05, 0x55, 0x06, 0x66};
    for (int a = 0; a < 18; ++a) session.memory.WriteRam(a, bytes[a]);
    session.memory.SetRamChanged(false);
    AssemblerView();
    session.keys.OnAppMessage({true, KeyCode::Control});
  }
  void At(int line, KeyCode key) {
    session.ramEditor.GrRamSelectCell(3, line + 1);
    EXPECT_TRUE(session.keys.OnAppMessage({true, key}));
  }
};

TEST_F(RamLineShiftTest, CtrlInsertAndDeleteInTheAssemblerView) {
  At(2, KeyCode::Insert);
  EXPECT_EQ(Cell(3, 3), "");
  EXPECT_EQ(Cell(3, 2), "JMP 06");
  EXPECT_EQ(Cell(3, 5), "JMP 0C");
  EXPECT_TRUE(session.memory.RamChanged());
  At(2, KeyCode::Delete);
  EXPECT_EQ(Cell(3, 2), "JMP 04");
  EXPECT_EQ(Cell(3, 3), "ADD 05");
  At(6, KeyCode::Insert);
  EXPECT_EQ(m.Ram[16], 0x05);
  EXPECT_EQ(Cell(3, 1), "LDA [10]");
  At(5, KeyCode::Delete);
  EXPECT_EQ(m.Ram[12], 0x00);
  EXPECT_EQ(m.Ram[14], 0x05);
  EXPECT_EQ(Cell(3, 1), "LDA [0E]");
  EXPECT_EQ(session.ramGrid.current.row, 6);
}

TEST_F(RamLineShiftTest, TheDataViewIgnoresTheKeys) {
  session.ramGrid.ShowRamData(m.Ram);
  session.ramEditor.GrRamSelectCell(3, 1);
  const auto before = m.Ram;
  EXPECT_TRUE(session.keys.OnAppMessage({true, KeyCode::Insert}));
  EXPECT_TRUE(session.keys.OnAppMessage({true, KeyCode::Delete}));
  EXPECT_EQ(m.Ram, before);
  EXPECT_FALSE(session.memory.RamChanged());
}

// A press beside the cells of any grid leaves no cell to type into: typing edits nothing
// until a cell is chosen again, by a press on it or a key that moves.
TEST_F(RamEditorTest, TypingAfterAPressBesideTheCellsEditsNothing) {
  session.variables.Append("E0", "wert");
  session.mps.SetDescription(0, "null");
  struct Grid {
    const char* name;
    std::function<void(int, int)> select;
    std::function<void(int, int, std::string_view)> type;
    std::function<std::string()> shown;  // what the typing would have changed
  };
  const Grid grids[] = {
      {"MPS", [&](int c, int r) { session.mpsEditor.GrMpsSelectCell(c, r); },
       [&](int c, int r, std::string_view t) { session.mpsEditor.GrMpsSetEditText(c, r, t); },
       [&] { return session.mps.Description(0); }},
      {"RAM", [&](int c, int r) { session.ramEditor.GrRamSelectCell(c, r); },
       [&](int c, int r, std::string_view t) { session.ramEditor.GrRamSetEditText(c, r, t); },
       [&] { return HexByte(m.Ram[0]); }},
      {"Inspektor", [&](int c, int r) { session.inspector.RamInspectorSelectCell(c, r); },
       [&](int c, int r, std::string_view t) {
         session.inspector.RamInspectorSetEditText(c, r, t);
       },
       [&] { return session.inspector.CellText(1, 1); }},
  };
  for (const Grid& g : grids) {
    const std::string before = g.shown();
    g.select(1, 1);
    g.select(-1, -1);
    g.type(1, 1, "99");
    EXPECT_EQ(g.shown(), before) << g.name;
    g.select(1, 1);
    g.type(1, 1, "99");
    EXPECT_EQ(g.shown(), "99") << g.name;
  }
  EXPECT_EQ(session.history.UndoCount(), 3u);
}

}  // namespace
}  // namespace vellar::testing
