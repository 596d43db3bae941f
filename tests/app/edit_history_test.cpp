#include <functional>

#include "core/hex.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace vellar::testing {
namespace {

// Everything a hand edit may change, as the user sees it.
struct Picture {
  MpsStore::Rows rows;
  bool mpsModified;
  std::array<uint8_t, kRamSize> ram;
  bool ramChanged;
  VariableList variables;
  std::array<uint8_t, kRegCount> regs;
  std::array<std::string, kRegCount> fields;
  std::vector<std::string> ramCells;
  friend bool operator==(const Picture&, const Picture&) = default;
};

// Names the parts that differ, so that a failure says where.
void PrintTo(const Picture& p, std::ostream* os) {
  *os << "MPS modified " << p.mpsModified << ", RAM changed " << p.ramChanged << ", bytes";
  for (int a = 0; a < kRamSize; ++a) {
    if (p.ram[a] != 0) *os << " " << HexByte(a) << "=" << HexByte(p.ram[a]);
  }
  *os << ", registers";
  for (const std::string& f : p.fields) *os << " " << f;
  *os << ", variables";
  for (int c = 1; c <= p.variables.ColumnCount(); ++c) {
    const VariableColumn& v = p.variables.Column(c);
    *os << " [" << v.address << "|" << v.name << "|" << v.value << "]";
  }
  *os << ", RAM cells";
  for (const std::string& cell : p.ramCells) *os << " " << cell;
  *os << ", rows";
  for (int a = 0; a < MpsStore::kRows; ++a) {
    const MpsRow& r = p.rows[a];
    if (r.Description().empty() && r.GateMask() == 0) continue;
    *os << " [" << HexByte(a) << " " << r.Description() << " " << r.GateMask() << " "
        << r.NextAddress() << "]";
  }
}

class EditHistoryTest : public SessionTest {
 protected:
  Picture Take() const {
    Picture p{session.mps.AllRows(),
              session.mps.MpsModified(),
              m.Ram,
              session.memory.RamChanged(),
              session.variables,
              m.Regs,
              {},
              {}};
    for (int r = 0; r < kRegCount; ++r) p.fields[r] = session.registers.Text(r);
    const RamGrid& grid = session.ramGrid;
    for (int row = 0; row < grid.RowCount(); ++row) {
      for (int col = 0; col < grid.ColCount(); ++col) p.ramCells.push_back(grid.CellText(col, row));
    }
    return p;
  }

  // The edit is one step: undone, everything is as before it; redone, as after it.
  void ExpectOneStep(const std::function<void()>& edit) {
    const size_t steps = history.UndoCount();
    const Picture before = Take();
    edit();
    const Picture after = Take();
    ASSERT_NE(before, after) << "the edit changed nothing";
    ASSERT_EQ(history.UndoCount(), steps + 1);
    history.Undo();
    EXPECT_EQ(Take(), before);
    EXPECT_TRUE(history.CanRedo());
    history.Redo();
    EXPECT_EQ(Take(), after);
    EXPECT_EQ(history.UndoCount(), steps + 1);
  }

  void TypeMps(int col, int row, const std::string& text) {
    session.mpsEditor.GrMpsSetEditText(col, row, text);
  }
  void TypeRam(int col, int row, const std::string& text) {
    session.ramEditor.GrRamSetEditText(col, row, text);
  }
  void RightClickRam(int address) {
    ASSERT_TRUE(
        session.inspector.GrRamMouseDown(address % 16 + 1, address / 16 + 1, MouseButton::Right));
  }

  EditHistory& history = session.history;
  MpsStore& mps = session.mps;
};

TEST_F(EditHistoryTest, KeystrokesInOneCellAreOneStepAndUndoShowsTheCell) {
  Focus(Control::MpsGrid);
  ExpectOneStep([&] {
    TypeMps(1, 5, "M");
    TypeMps(1, 5, "MO");
    TypeMps(1, 5, "MOV");
  });
  EXPECT_EQ(mps.Description(4), "MOV");
  session.mpsEditor.GrMpsSelectCell(1, 9);
  history.Undo();
  EXPECT_EQ(mps.Description(4), "");
  EXPECT_EQ(session.mpsGrid.current, (GridCell{1, 5}));
  EXPECT_FALSE(session.mpsGrid.editor.open);
  // Leaving the cell and coming back starts a new step.
  history.Redo();
  session.mpsEditor.GrMpsSelectCell(1, 9);
  session.mpsEditor.GrMpsSelectCell(1, 5);
  TypeMps(1, 5, "MOV A");
  EXPECT_EQ(history.UndoCount(), 2u);
  history.Undo();
  EXPECT_EQ(mps.Description(4), "MOV");
}

// The space bar in a description cell whose text is selected replaces it by a blank.
TEST_F(EditHistoryTest, ADescriptionErasedByTheSpaceBarComesBack) {
  SetRow(0x30, {}, "31", "MOV AX,nn");
  Focus(Control::MpsGrid);
  session.mpsEditor.GrMpsSelectCell(1, 0x31);
  TypeMps(1, 0x31, " ");
  ASSERT_EQ(mps.Description(0x30), " ");
  history.Undo();
  EXPECT_EQ(mps.Description(0x30), "MOV AX,nn");
  EXPECT_EQ(session.mpsGrid.current, (GridCell{1, 0x31}));
}

TEST_F(EditHistoryTest, GatesTypedClickedAndDeletedAreStepsEachAndARefusalIsNone) {
  Focus(Control::MpsGrid);
  ExpectOneStep([&] { TypeMps(2 + 5, 3, "x"); });
  ExpectOneStep([&] { session.mpsEditor.GrMpsMouseDown(2 + 0, 3); });
  ExpectOneStep([&] {
    session.mpsEditor.GrMpsSelectCell(2 + 5, 3);
    session.mpsEditor.GrMpsKeyDown(KeyCode::Delete);
  });
  EXPECT_EQ(mps.GateMask(2), GateBit(0));
  // Gate F conflicts with gate 0: refused, nothing to undo. The mark handed over again when
  // the editor closes is no step either.
  const size_t steps = history.UndoCount();
  fe.ExpectMessage("Tor F kann man nicht öffnen,\ndenn ein anderes Tor ist offen.");
  TypeMps(2 + 0xF, 3, "f");
  TypeMps(2 + 0, 3, "0");
  EXPECT_EQ(history.UndoCount(), steps);
  EXPECT_TRUE(fe.AllUsed());
}

TEST_F(EditHistoryTest, NextAddressesAndTheMpsClearing) {
  Focus(Control::MpsGrid);
  ExpectOneStep([&] {
    TypeMps(18, 2, "4");
    TypeMps(18, 2, "4a");
  });
  EXPECT_EQ(mps.NextAddressText(1), "4A");
  SetRow(7, {1, 7, 0}, "07", "INC");
  ExpectOneStep([&] { session.mpsEditor.MeClrMpsClick(); });
  history.Undo();
  EXPECT_EQ(mps.Description(7), "INC");
  EXPECT_EQ(mps.GateMask(7), GateBit(0) | GateBit(1) | GateBit(7));
}

TEST_F(EditHistoryTest, MpsRowsInsertedAndDeletedComeBackWithTheirNextAddresses) {
  for (int a = 0; a <= 5; ++a) SetRow(a, {a}, HexByte(a == 5 ? 0 : a + 1), "R" + HexByte(a));
  SetRow(0x10, {2}, "FF", "letzte");
  Focus(Control::MpsGrid);
  session.mpsEditor.GrMpsSelectCell(1, 3);
  ExpectOneStep([&] { session.mpsEditor.InsertMpsRow(); });
  EXPECT_EQ(mps.Description(3), "R02");
  EXPECT_EQ(mps.NextAddressText(3), "04");
  EXPECT_EQ(mps.NextAddressText(0x11), "00");  // FF moved down
  session.mpsEditor.GrMpsSelectCell(1, 4);
  ExpectOneStep([&] { session.mpsEditor.DeleteMpsRow(); });
  EXPECT_EQ(mps.Description(3), "R03");
  EXPECT_EQ(mps.NextAddressText(3), "04");
  history.Undo();
  history.Undo();
  EXPECT_EQ(mps.Description(2), "R02");
  EXPECT_EQ(mps.NextAddressText(2), "03");
  EXPECT_EQ(mps.NextAddressText(0x10), "FF");
  EXPECT_EQ(session.mpsGrid.current, (GridCell{1, 3}));
}

TEST_F(EditHistoryTest, RamBytesAssembledLinesAndLinesShifted) {
  Focus(Control::RamGrid);
  ExpectOneStep([&] {
    TypeRam(5, 2, "3");
    TypeRam(5, 2, "3f");
  });
  EXPECT_EQ(m.Ram[0x14], 0x3F);
  SetRow(0x20, {}, "21", "LDA [nn]");
  SetRow(0x21, {}, "22", "JMP nn");
  session.ramView.SelectItem(RamView::kAssemblerItem);
  ExpectOneStep([&] {
    for (const std::string text : {"j", "jm", "jmp", "jmp ", "jmp 0", "jmp 02"}) {
      TypeRam(3, 1, text);
    }
  });
  EXPECT_EQ(session.ramGrid.CellText(3, 1), "JMP 02");
  ExpectOneStep([&] { TypeRam(3, 2, "lda [10]"); });
  session.ramGrid.current = {3, 2};
  history.Undo();
  EXPECT_EQ(session.ramGrid.current, (GridCell{3, 2}));
  history.Redo();
  // Inserting a line at line 1 moves line 1 and corrects the jump into the moved stretch.
  session.ramEditor.GrRamSelectCell(3, 2);
  ExpectOneStep([&] { session.ramEditor.InsertRamLine(); });
  EXPECT_EQ(m.Ram[1], 0x04);
  EXPECT_EQ(m.Ram[4], 0x20);
  ExpectOneStep([&] { session.ramEditor.DeleteRamLine(); });
  EXPECT_EQ(m.Ram[1], 0x02);
  ExpectOneStep([&] { session.files.MeClrRamClick(); });
}

TEST_F(EditHistoryTest, VariablesDefinedRenamedValuedAndRemoved) {
  session.inspector.MeVariablenClick();
  session.memory.WriteRam(0x3F, 0x11);
  RightClickRam(0x3F);
  ExpectOneStep([&] { session.inspector.alsVariabledefinieren1Click(); });
  ExpectOneStep([&] {
    session.inspector.RamInspectorSetEditText(1, 1, "z");
    session.inspector.RamInspectorSetEditText(1, 1, "zä");
  });
  ExpectOneStep([&] { session.inspector.RamInspectorSetEditText(1, 2, "7f"); });
  EXPECT_EQ(m.Ram[0x3F], 0x7F);
  RightClickRam(0x3F);
  ExpectOneStep([&] { session.inspector.Variablendefinitionzurcknehmen1Click(); });
  history.Undo();
  EXPECT_EQ(session.variables.Column(1).name, "zä");
  EXPECT_EQ(session.variables.Column(1).value, "7F");
}

TEST_F(EditHistoryTest, RegistersTypedMergeUntilTheFieldIsLeft) {
  RegisterFields& fields = session.registers;
  ExpectOneStep([&] {
    fields.EdRegChange(AX, "8");
    fields.EdRegChange(AX, "80");
  });
  EXPECT_EQ(fields.SignText(), "1");
  history.Undo();
  EXPECT_EQ(fields.Text(AX), "00");
  EXPECT_EQ(fields.SignText(), "0");
  history.Redo();
  fields.EdRegChange(BX, "5");
  fields.EdRegExit(BX);  // 05
  fields.EdRegChange(BX, "7");
  EXPECT_EQ(history.UndoCount(), 3u);
  history.Undo();
  EXPECT_EQ(fields.Text(BX), "05");
  EXPECT_EQ(m.Regs[BX], 0x05);
}

TEST_F(EditHistoryTest, ANewEditDropsTheRedoAndTheHistoryIsBounded) {
  Focus(Control::RamGrid);
  TypeRam(1, 1, "11");
  TypeRam(2, 1, "22");
  history.Undo();
  EXPECT_TRUE(history.CanRedo());
  TypeRam(3, 1, "33");
  EXPECT_FALSE(history.CanRedo());
  for (int i = 0; i < static_cast<int>(EditHistory::kMaxSteps) + 20; ++i) {
    TypeRam(1 + i % 16, 5, HexByte(i & 0xFF));
  }
  EXPECT_EQ(history.UndoCount(), EditHistory::kMaxSteps);
  while (history.CanUndo()) history.Undo();
  // The oldest steps are gone: byte 00 stays 11.
  EXPECT_EQ(m.Ram[0], 0x11);
}

// A run between an edit and its undo keeps what the run did to other bytes and registers.
TEST_F(EditHistoryTest, UndoAfterARunTakesBackOnlyTheEdit) {
  SetRow(0, {1, 7, 0}, "01", "INC AX");  // AX := AX + 1
  SetRow(1, {3, 0xA}, "02");             // DR := BX
  SetRow(2, {0xB}, "02");                // RAM[AR] := DR, halt
  Focus(Control::RamGrid);
  TypeRam(2, 1, "99");
  session.registers.EdRegChange(BX, "42");
  session.registers.EdRegChange(AR, "30");
  Focus(Control::None);
  Automatic(-3);
  run.BuTaktClick(RunButton::BuBisHalt);
  run.RunToEnd();
  ASSERT_EQ(m.Ram[0x30], 0x42);
  ASSERT_EQ(m.Regs[AX], 0x01);
  history.Undo();  // AR typed
  history.Undo();  // BX typed
  history.Undo();  // the byte 99
  EXPECT_EQ(m.Ram[1], 0x00);
  EXPECT_EQ(m.Ram[0x30], 0x42);
  EXPECT_EQ(m.Regs[AX], 0x01);
  EXPECT_EQ(m.Regs[BX], 0x00);
  EXPECT_EQ(m.Regs[AR], 0x00);
  // The run's write is no saved state.
  EXPECT_TRUE(session.memory.RamChanged());
}

TEST_F(EditHistoryTest, ALoadEmptiesTheHistoryAndTheFlagsFollowTheSavedState) {
  TempDir dir;
  Focus(Control::MpsGrid);
  TypeMps(2, 1, "0");
  ASSERT_TRUE(session.files.SaveMpsFile(dir / "a.mpd"));
  ASSERT_TRUE(session.files.LoadMpsFile(dir / "a.mpd"));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(mps.MpsModified());
  TypeMps(2 + 4, 2, "4");
  EXPECT_TRUE(mps.MpsModified());
  history.Undo();
  EXPECT_FALSE(mps.MpsModified());  // back at the loaded file: no question before a load
  history.Redo();
  EXPECT_TRUE(mps.MpsModified());
  ASSERT_TRUE(session.files.SaveMpsFile(dir / "b.mpd"));
  EXPECT_FALSE(mps.MpsModified());
  history.Undo();
  EXPECT_TRUE(mps.MpsModified());  // differs from what was saved
  history.Redo();
  EXPECT_FALSE(mps.MpsModified());
  // A description alone never counts as a modification, undone or not.
  TypeMps(1, 9, "x");
  history.Undo();
  history.Redo();
  EXPECT_FALSE(mps.MpsModified());

  // The memory likewise; a failed load keeps the history.
  Focus(Control::RamGrid);
  TypeRam(1, 1, "12");
  ASSERT_TRUE(session.files.SaveRamFile(dir / "r.rad"));
  TypeRam(1, 1, "13");
  EXPECT_TRUE(session.memory.RamChanged());
  history.Undo();
  EXPECT_FALSE(session.memory.RamChanged());
  history.Undo();
  EXPECT_TRUE(session.memory.RamChanged());
  fe.ExpectError();
  EXPECT_FALSE(session.files.LoadRamFile(dir / "fehlt.rad"));
  EXPECT_TRUE(history.CanRedo());
  ASSERT_TRUE(session.files.LoadRamFile(dir / "r.rad"));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.CanUndo());
}

}  // namespace
}  // namespace vellar::testing
