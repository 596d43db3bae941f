// Clicks, the wheel and keys on the editing surfaces as a user gives them, with the focus
// coming from elsewhere: each edit lands in the cell under the pointer, and the store, the
// memory and the saved files say so.
#include <QFile>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "ui/grid_editor.h"
#include "ui/string_grid.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

class PointerEditingTest : public WindowTest {
 protected:
  void SetUp() override {
    for (const char* name : {"firmware.mpd", "bubble.ras"}) {
      ASSERT_TRUE(QFile::copy(QString::fromStdString(ExamplePath(name)), QtFile(dir, name)));
    }
    Create({dir / "firmware.mpd", dir / "bubble.ras"});
  }

  StringGrid* Grid(const char* name) { return Find<StringGrid>(name); }

  // Mouse wheel steps over the grid (negative: down) until its first scrolling row is this one.
  void WheelTo(const char* name, int topRow) {
    StringGrid* grid = Grid(name);
    QWidget* viewport = grid->viewport();
    const QPoint pos = viewport->rect().center();
    for (int i = 0; i < 200 && grid->TopRow() != topRow; ++i) {
      const int step = grid->TopRow() < topRow ? -120 : 120;
      QWheelEvent wheel(pos, viewport->mapToGlobal(pos), {}, {0, step}, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(viewport, &wheel);
      // Three rows a step: the last step may go past, and the next comes back.
      if (std::abs(grid->TopRow() - topRow) < 3 && grid->TopRow() != topRow) {
        grid->verticalScrollBar()->setValue(topRow - 1);
      }
    }
    Settle();
    ASSERT_EQ(grid->TopRow(), topRow) << name;
  }

  // A press and release at the middle of the cell as it stands on the screen now.
  void ClickCell(const char* name, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    StringGrid* grid = Grid(name);
    const QRect cell = grid->CellRect(col, row);
    ASSERT_FALSE(cell.isEmpty()) << name << " " << col << "," << row << " is out of sight";
    // The editor may stand over the cell; the press goes to whatever is under the pointer.
    QWidget* target = grid->viewport();
    const QPoint at = cell.center();
    if (QWidget* child = target->childAt(at)) target = child;
    QTest::mouseClick(target, button, {}, target->mapFrom(grid->viewport(), at));
    Settle();
  }

  // The click that activates the window, while another of the desktop's windows had the focus.
  void ClickFromAnotherWindow(const char* name, int col, int row) {
    {
      QWidget other;
      other.resize(200, 100);
      other.show();
      QApplication::setActiveWindow(&other);
      ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
      ASSERT_FALSE(window->isActiveWindow());
      ClickCell(name, col, row);
    }
    Reactivate();
    Settle();
  }

  void ClickManual() {
    for (auto* radio : Find("RaTor")->findChildren<QRadioButton*>()) {
      // On its caption: the rest of the item's width takes no click.
      if (radio->text() == QStringLiteral("Manuell")) {
        QTest::mouseClick(radio, Qt::LeftButton, {}, {20, radio->height() / 2});
      }
    }
    Settle();
    ASSERT_FALSE(session().run.GatesAutomatic());
  }

  QByteArray Saved(const std::string& name) {
    return QByteArray::fromStdString(ReadBytes(dir / name));
  }

  TempDir dir;
};

TEST_F(PointerEditingTest, DescriptionTypedAfterAFocusChangeLandsInTheClickedRow) {
  ClickCell("GrMps", 1, 0x06);  // the description of 05
  ClickManual();
  WheelTo("GrMps", 0x5B);       // rows 5A .. 65 are shown
  ClickCell("GrMps", 1, 0x60);  // the description of 5F
  EXPECT_TRUE(session().run.GatesAutomatic());
  EXPECT_EQ(Grid("GrMps")->TopRow(), 0x5B) << "the grid jumped";
  EXPECT_EQ(session().mpsGrid.current, (GridCell{1, 0x60}));
  Type(QStringLiteral("XYZ"));

  EXPECT_EQ(session().mps.Description(0x5F), "XYZ");
  EXPECT_EQ(session().mps.Description(0x04), "DR:=Operand");
  EXPECT_EQ(session().mps.Description(0x05), "IP := IP+1");
  answers.ExpectFileDialog(QtFile(dir, "firmware.mpd"));
  answers.Expect(QMessageBox::Yes);  // overwrite
  window->MenuClick("MeSaveMps");
  Settle();
  const QByteArray mpd = Saved("firmware.mpd");
  EXPECT_TRUE(mpd.contains("\r\n5F XYZ                       . . . .")) << mpd.data();
  EXPECT_TRUE(mpd.contains("\r\n04 DR:=Operand               . . .")) << mpd.data();
  EXPECT_TRUE(mpd.contains("\r\n05 IP := IP+1                . . .")) << mpd.data();
}

TEST_F(PointerEditingTest, GateClickedAfterAFocusChangeTogglesTheGateOfTheClickedRow) {
  const uint16_t row06 = session().mps.GateMask(0x06);
  ClickCell("GrMps", 1, 0x06);
  ClickManual();
  WheelTo("GrMps", 0x28);
  ClickCell("GrMps", 2 + 1, 0x2B);  // gate 1 of 2A
  EXPECT_EQ(Grid("GrMps")->TopRow(), 0x28) << "the grid jumped";
  EXPECT_EQ(session().mps.GateMask(0x2A), 1u << 1);
  EXPECT_EQ(session().mps.GateMask(0x06), row06);

  answers.ExpectFileDialog(QtFile(dir, "neu.mpd"));
  window->MenuClick("MeSaveMps");
  Settle();
  const QByteArray mpd = Saved("neu.mpd");
  EXPECT_TRUE(mpd.contains("\r\n2A                           . 1 . .")) << mpd.data();
  EXPECT_TRUE(mpd.contains("\r\n06 Dekodieren                . . . . . . . . . . . . . . . F 00"))
      << mpd.data();
}

TEST_F(PointerEditingTest, InspectorCellsEachTakeTheirOwnTyping) {
  ASSERT_EQ(session().variables.ColumnCount(), 2);
  ASSERT_EQ(session().variables.Column(2).address, "E1");
  const uint8_t e0 = session().machine.Ram[0xE0];

  ClickCell("RamInspector", 2, 1);  // the second variable's name
  Type(QStringLiteral("X"));
  ClickCell("RamInspector", 2, 2);  // its value
  Type(QStringLiteral("5"));
  EXPECT_EQ(session().variables.Column(2).name, "X");
  EXPECT_EQ(session().machine.Ram[0xE1], 0x05);

  // Enter ends the editing; the next cell starts from its own text.
  Press(Qt::Key_Return);
  ClickCell("RamInspector", 1, 2);
  Type(QStringLiteral("7"));
  EXPECT_EQ(session().variables.Column(1).value, "7");
  EXPECT_EQ(session().machine.Ram[0xE0], 0x07) << int{e0};
  EXPECT_EQ(session().machine.Ram[0xE1], 0x05);
  EXPECT_EQ(session().variables.Column(2).name, "X");

  answers.ExpectFileDialog(QtFile(dir, "neu.ras"));
  window->MenuClick("MeSaveRam");
  Settle();
  const QByteArray ras = Saved("neu.ras");
  EXPECT_TRUE(ras.contains("\r\nE0  07 05")) << ras.data();
  EXPECT_TRUE(ras.contains("\r\nVAR\r\nE0 getauscht\r\nE1 X\r\n")) << ras.data();
}

TEST_F(PointerEditingTest, TypingGoesOnInTheCellItBeganIn) {
  // Scrolled out of sight and back by the next key: the text goes on, and the cell is shown.
  ClickCell("GrMps", 1, 0x06);
  Type(QStringLiteral("ab"));
  WheelTo("GrMps", 0x40);
  Type(QStringLiteral("c"));
  EXPECT_EQ(session().mps.Description(0x05), "abc");
  EXPECT_FALSE(Grid("GrMps")->CellRect(1, 0x06).isEmpty());

  // A click on the scroll bar takes the focus from the editor, not the typing.
  QScrollBar* bar = Grid("GrMps")->verticalScrollBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, {bar->width() / 2, bar->height() - 30});
  Settle();
  EXPECT_TRUE(Grid("GrMps")->CellRect(1, 0x06).isEmpty());
  Type(QStringLiteral("d"));
  EXPECT_EQ(session().mps.Description(0x05), "abcd");

  // Esc ends the editing: the next key starts the cell anew. Tab leaves the grid.
  Press(Qt::Key_Escape);
  Type(QStringLiteral("e"));
  EXPECT_EQ(session().mps.Description(0x05), "e");
  Press(Qt::Key_Tab);
  EXPECT_FALSE(session().mpsEditor.MpsGridFocused());
  EXPECT_EQ(session().mps.Description(0x05), "e");

  // The same in the assembler view, and a click on a header cell between two digits.
  ASSERT_TRUE(session().ramGrid.AssemblerView());
  ClickCell("GrRam", 1, 0x02);
  Type(QStringLiteral("1"));
  WheelTo("GrRam", 0x40);
  Type(QStringLiteral("2"));
  EXPECT_EQ(session().machine.Ram[0x02], 0x12);
  ClickCell("GrRam", 0, 0x03);
  Type(QStringLiteral("3"));
  EXPECT_EQ(session().machine.Ram[0x02], 0x23);
  EXPECT_EQ(session().ramGrid.current, (GridCell{1, 0x02}));
}

TEST_F(PointerEditingTest, AClickFromAnotherWindowOrAfterAMessageEditsTheCellUnderThePointer) {
  // A message box had the focus last.
  ClickCell("GrMps", 18, 0x06);
  answers.Expect(QMessageBox::Ok);
  Type(QStringLiteral("g"));
  ClickManual();
  WheelTo("GrMps", 0x5B);
  ClickCell("GrMps", 1, 0x60);
  Type(QStringLiteral("AB"));
  EXPECT_EQ(session().mps.Description(0x5F), "AB");
  EXPECT_EQ(Grid("GrMps")->TopRow(), 0x5B);

  // Another window had the focus: the click activates this one and selects its cell.
  ClickManual();
  WheelTo("GrMps", 0x30);
  ClickFromAnotherWindow("GrMps", 1, 0x33);
  EXPECT_TRUE(session().run.GatesAutomatic());
  EXPECT_EQ(Grid("GrMps")->TopRow(), 0x30);
  Type(QStringLiteral("CD"));
  EXPECT_EQ(session().mps.Description(0x32), "CD");
  EXPECT_EQ(session().mps.Description(0x05), "IP := IP+1");

  WheelTo("GrRam", 0x50);
  ClickFromAnotherWindow("GrRam", 3, 0x55);
  Type(QStringLiteral("mov ax,3f"));
  EXPECT_EQ(session().machine.Ram[0xA8], 0x10);
  EXPECT_EQ(session().machine.Ram[0xA9], 0x3F);
  // The activation comes after the click: the name is still selected, and the key replaces it.
  ClickFromAnotherWindow("RamInspector", 2, 1);
  Type(QStringLiteral("X"));
  EXPECT_EQ(session().variables.Column(2).name, "X");
  ClickFromAnotherWindow("RamInspector", 2, 2);
  Type(QStringLiteral("5"));
  EXPECT_EQ(session().variables.Column(2).value, "5");
  EXPECT_EQ(session().machine.Ram[0xE1], 0x05);
  WheelTo("GrRam", 0x01);
  ClickFromAnotherWindow("GrRam", 2, 0x10);
  Type(QStringLiteral("7"));
  EXPECT_EQ(session().machine.Ram[0x1F], 0x07);

  // A register field the same way; leaving it for a grid cell edits that cell.
  {
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::mouseClick(Find("EdAX"), Qt::LeftButton);
  }
  Reactivate();
  Settle();
  Type(QStringLiteral("5"));
  EXPECT_EQ(session().machine.Regs[AX], 0x05);
  ClickCell("GrRam", 1, 0x11);
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("05"));
  Type(QStringLiteral("8"));
  EXPECT_EQ(session().machine.Ram[0x20], 0x08);
  EXPECT_EQ(session().machine.Regs[AX], 0x05);
}

}  // namespace
}  // namespace vellar::ui::testing
