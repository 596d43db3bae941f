#include <QAbstractScrollArea>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include "ui/grid_editor.h"
#include "ui/grid_views.h"
#include "window_fixture.h"

// Typing, clicking and the row keys in the three grids, one path of each kind, through the
// real widgets. What the rules do with a text is the session's, and tested there.
namespace vellar::ui::testing {
namespace {

const QString kInvalid = QStringLiteral("Eingabe ist ungültig\nEingabe wiederholen");

class EditingTest : public WindowTest {
 protected:
  StringGrid* Grid(const char* name) { return Find<StringGrid>(name); }

  void Click(const char* grid, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    StringGrid* view = Grid(grid);
    const QRect cell = view->CellRect(col, row);
    ASSERT_FALSE(cell.isEmpty()) << grid << " " << col << "," << row;
    QTest::mouseClick(view->viewport(), button, {}, cell.center());
    Settle();
  }

  // The cell editor, where it stands and what it shows.
  GridEditor* Editor(const char* grid) { return Grid(grid)->Editor(); }
  QRect EditorCell(const char* grid) { return Editor(grid)->geometry(); }
  QString LastMessage() const { return answers.texts.empty() ? QString() : answers.texts.back(); }
};

TEST_F(EditingTest, MpsCellsTakeTypedTextKeyByKey) {
  // At start the editor stands open over the first description; entering the grid ends it.
  EXPECT_TRUE(Editor("GrMps")->isVisible());
  EXPECT_EQ(EditorCell("GrMps"), Grid("GrMps")->CellRect(1, 1));

  Click("GrMps", 18, 3);  // the next address of 02
  EXPECT_FALSE(Editor("GrMps")->isVisible());
  EXPECT_EQ(session().mpsGrid.current, (GridCell{18, 3}));
  answers.Expect(QMessageBox::Ok);
  Type(QStringLiteral("1g"));
  EXPECT_EQ(LastMessage(), kInvalid);
  EXPECT_EQ(Focused(), Editor("GrMps"));
  EXPECT_EQ(EditorCell("GrMps"), Grid("GrMps")->CellRect(18, 3));
  EXPECT_EQ(Editor("GrMps")->text(), QStringLiteral("1"));
  Type(QStringLiteral("f"));
  EXPECT_EQ(Editor("GrMps")->text(), QStringLiteral("1F"));
  EXPECT_EQ(session().mps.NextAddressText(2), "1F");
  Press(Qt::Key_Escape);
  EXPECT_FALSE(Editor("GrMps")->isVisible());
  EXPECT_EQ(Focused(), Grid("GrMps"));

  // Any key sets a gate and closes the editor; Delete clears it again.
  Press(Qt::Key_Left);
  EXPECT_EQ(session().mpsGrid.current, (GridCell{17, 3}));
  Type(QStringLiteral("x"));
  EXPECT_TRUE(session().mps.GetMpsGate(0xF, 2));
  EXPECT_FALSE(Editor("GrMps")->isVisible());
  EXPECT_EQ(Focused(), Grid("GrMps"));
  Press(Qt::Key_Delete);
  EXPECT_FALSE(session().mps.GetMpsGate(0xF, 2));

  // A description too long is cut with the length message.
  Press(Qt::Key_Home);
  EXPECT_EQ(session().mpsGrid.current, (GridCell{1, 3}));
  answers.Expect(QMessageBox::Ok);
  Type(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Nur 25 Zeichen als Kommentar erlaubt"));
  EXPECT_EQ(Editor("GrMps")->text(), QStringLiteral("abcdefghijklmnopqrstuvwxy"));
  EXPECT_EQ(session().mps.Description(2), "abcdefghijklmnopqrstuvwxy");
}

TEST_F(EditingTest, MouseOnTheMpsGridTogglesGatesAndSelectsRows) {
  Click("GrMps", 2 + 5, 4);
  EXPECT_TRUE(session().mps.GetMpsGate(5, 3));
  Click("GrMps", 2 + 5, 4, Qt::RightButton);
  EXPECT_FALSE(session().mps.GetMpsGate(5, 3));
  Click("GrMps", 0, 5);
  EXPECT_EQ(session().phases.CurrentRow, 5);
  Click("GrMps", 1, 0);  // the header "Befehl"
  EXPECT_EQ(session().phases.CurrentRow, 5);
}

TEST_F(EditingTest, InstructionTypedIntoTheBefehlColumnBecomesItsBytes) {
  session().mps.SetDescription(0x10, "MOV AX,nn");
  session().ramView.SelectItem(RamView::kAssemblerItem);
  Settle();
  Click("GrRam", 3, 2);  // the line of 02
  Type(QStringLiteral("mov ax,3f"));
  EXPECT_EQ(session().machine.Ram[2], 0x10);
  EXPECT_EQ(session().machine.Ram[3], 0x3F);
  EXPECT_EQ(Editor("GrRam")->text(), QStringLiteral("MOV AX,3F"));
  EXPECT_EQ(Editor("GrRam")->selectedText(), QStringLiteral("MOV AX,3F"));
  EXPECT_EQ(EditorCell("GrRam"), Grid("GrRam")->CellRect(3, 2));

  // Two digits in a byte cell become upper case and selected.
  Press(Qt::Key_Left);  // all of the text is selected: the key leaves the cell
  EXPECT_EQ(session().ramGrid.current, (GridCell{2, 2}));
  Type(QStringLiteral("c4"));
  EXPECT_EQ(session().machine.Ram[3], 0xC4);
  EXPECT_EQ(Editor("GrRam")->selectedText(), QStringLiteral("C4"));
}

TEST_F(EditingTest, CtrlInsertAndCtrlDeleteShiftTheRowsOfTheFocusedGrid) {
  session().mps.SetDescription(1, "eins");
  Click("GrMps", 1, 2);
  Press(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(session().mps.Description(1), "");
  EXPECT_EQ(session().mps.Description(2), "eins");
  Press(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(session().mps.Description(1), "eins");

  session().mps.SetDescription(0x10, "MOV AX,nn");
  session().ramView.SelectItem(RamView::kAssemblerItem);
  session().memory.WriteRam(0, 0x10);
  session().memory.WriteRam(1, 0x3F);
  Settle();
  Click("GrRam", 1, 1);
  EXPECT_EQ(Focused(), Editor("GrRam"));
  EXPECT_EQ(Editor("GrRam")->text(), QStringLiteral("10"));
  Press(Qt::Key_Insert, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(session().machine.Ram[0], 0x00);
  // The editor shows the emptied line, not the opcode that moved away.
  EXPECT_EQ(Editor("GrRam")->text(), QStringLiteral("00"));
  EXPECT_EQ(session().machine.Ram[2], 0x10);
  EXPECT_EQ(session().machine.Ram[3], 0x3F);
  // The MPS kept its rows.
  EXPECT_EQ(session().mps.Description(1), "eins");
  Press(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(session().machine.Ram[0], 0x10);
}

TEST_F(EditingTest, RightClickDefinesAVariableWithoutMovingTheCursor) {
  window->MenuClick("MeVariablen");
  Settle();
  const GridCell cursor = session().ramGrid.current;
  session().memory.WriteRam(0x23, 0x5A);
  Click("GrRam", 4, 3, Qt::RightButton);  // 23
  EXPECT_EQ(session().ramGrid.current, cursor);
  auto* popup = Find<QMenu>("PopupMenu1");
  ASSERT_TRUE(popup->isVisible());
  auto* define = popup->findChild<QAction*>("alsVariabledefinieren1");
  ASSERT_NE(define, nullptr);
  QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(define).center());
  Settle();
  ASSERT_EQ(session().variables.ColumnCount(), 1);
  EXPECT_EQ(session().variables.Column(1).address, "23");

  // Its value cell writes the memory.
  Click("RamInspector", 1, 2);
  Type(QStringLiteral("7e"));
  EXPECT_EQ(session().machine.Ram[0x23], 0x7E);
  EXPECT_EQ(Editor("RamInspector")->selectedText(), QStringLiteral("7E"));
  // All three rows stay in sight: the inspector is exactly three cells high.
  EXPECT_EQ(Find<QAbstractScrollArea>("RamInspector")->verticalScrollBar()->value(), 0);
}

}  // namespace
}  // namespace vellar::ui::testing
