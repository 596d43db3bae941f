// Clicks, the wheel and keys on the editing surfaces as a user gives them, with the focus
// coming from elsewhere: each edit lands in the cell under the pointer, and the store, the
// memory and the saved files say so.
#include <QFile>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
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
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"firmware.mpd", "bubble.ras"}) {
      ASSERT_TRUE(QFile::copy(QStringLiteral(VELLAR_EXAMPLES "/") + QLatin1String(name),
                              dir.filePath(QLatin1String(name))));
    }
    Create({dir.filePath(QStringLiteral("firmware.mpd")).toStdString(),
            dir.filePath(QStringLiteral("bubble.ras")).toStdString()});
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

  QByteArray Saved(const QString& name) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir{QStringLiteral(VELLAR_TEST_TMP "/pointer-XXXXXX")};
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
  answers.ExpectFileDialog(dir.filePath(QStringLiteral("firmware.mpd")));
  answers.Expect(QMessageBox::Yes);  // overwrite
  window->MeSaveMpsClick();
  Settle();
  const QByteArray mpd = Saved(QStringLiteral("firmware.mpd"));
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

  answers.ExpectFileDialog(dir.filePath(QStringLiteral("neu.mpd")));
  window->MeSaveMpsClick();
  Settle();
  const QByteArray mpd = Saved(QStringLiteral("neu.mpd"));
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

  answers.ExpectFileDialog(dir.filePath(QStringLiteral("neu.ras")));
  window->MeSaveRamClick();
  Settle();
  const QByteArray ras = Saved(QStringLiteral("neu.ras"));
  EXPECT_TRUE(ras.contains("\r\nE0  07 05")) << ras.data();
  EXPECT_TRUE(ras.contains("\r\nVAR\r\nE0 getauscht\r\nE1 X\r\n")) << ras.data();
}

}  // namespace
}  // namespace vellar::ui::testing
