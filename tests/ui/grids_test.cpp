#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "ui/string_grid.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

class GridsTest : public WindowTest {
 protected:
  // The colour in the middle of a cell, a few pixels below its text.
  QRgb CellColour(const char* grid, int col, int row) {
    auto* view = Find<StringGrid>(grid);
    const QRect cell = view->CellRect(col, row);
    const QImage image = view->viewport()->grab().toImage();
    return image.pixel(cell.left() + 2, cell.bottom() - 1);
  }
};

TEST_F(GridsTest, EnteringTheMpsGridSwitchesToAutomaticAndItsRowTurnsGreen) {
  EXPECT_FALSE(session().run.GatesAutomatic());
  EXPECT_NE(QApplication::focusWidget(), Find("GrMps"));
  EXPECT_EQ(CellColour("GrMps", 5, 1), qRgb(255, 255, 255));
  Find("GrMps")->setFocus();
  Settle();
  EXPECT_TRUE(session().run.GatesAutomatic());
  EXPECT_TRUE(session().mpsEditor.MpsGridFocused());
  EXPECT_EQ(CellColour("GrMps", 5, 1), qRgb(139, 190, 139));
  EXPECT_EQ(CellColour("GrMps", 5, 2), qRgb(255, 255, 255));

  // The space bar stays with the grid.
  QTest::keyClick(Find("GrMps"), Qt::Key_Space);
  EXPECT_EQ(session().run.ClocksThisRun(), 0u);
  Find("EdAX")->setFocus();
  EXPECT_FALSE(session().mpsEditor.MpsGridFocused());
}

TEST_F(GridsTest, RamGridAndInspectorKeepTheSpaceBarWhileTheyHaveTheFocus) {
  for (const char* grid : {"GrRam", "RamInspector"}) {
    if (std::string(grid) == "RamInspector") {
      window->MenuClick("MeVariablen");
      Settle();
    }
    Find(grid)->setFocus();
    EXPECT_TRUE(session().flags.GridEditing) << grid;
    // The blank is typed into the cell: no hex digit in the RAM, no variable in the inspector.
    answers.Expect(QMessageBox::Ok);
    Press(Qt::Key_Space);
    EXPECT_EQ(session().run.ClocksThisRun(), 0u) << grid;
    Find("EdAX")->setFocus();
    EXPECT_FALSE(session().flags.GridEditing) << grid;
  }
}

// A dialog took the focus from the RAM grid, which a grid takes for a window switch, and the
// focus came back to another control of the window: the grid is left all the same, and
// Ctrl+Entf in the MPS then deletes the MPS row only, as one step.
TEST_F(GridsTest, TheFocusComingBackElsewhereAfterADialogLeavesTheGrid) {
  window->show();
  Reactivate();
  session().ramView.SelectItem(RamView::kAssemblerItem);
  for (int a = 0; a < 8; ++a) session().memory.WriteRam(a, 0x10 + a);
  session().mps.SetDescription(3, "drei");
  session().mps.SetDescription(4, "vier");
  Settle();
  Find("GrRam")->setFocus();
  Settle();
  ASSERT_TRUE(session().ramEditor.GridFocused());
  QDialog dialog(window.get());
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  Settle();
  ASSERT_NE(QApplication::activeWindow(), window.get());
  // Meanwhile the window's focus moves on to the gate control.
  auto* manual = Find("RaTor")->findChildren<QRadioButton*>().back();
  manual->setFocus();
  dialog.hide();
  Reactivate();
  Settle();
  EXPECT_EQ(QApplication::focusWidget(), manual);
  EXPECT_FALSE(session().ramEditor.GridFocused());
  EXPECT_FALSE(session().flags.GridEditing);

  const auto ram = session().machine.Ram;
  Find("GrMps")->setFocus();
  Settle();
  session().mpsEditor.GrMpsSelectCell(1, 4);
  Press(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(session().mps.Description(3), "vier");
  EXPECT_EQ(session().machine.Ram, ram);
  EXPECT_EQ(session().history.UndoCount(), 1u);
}

TEST_F(GridsTest, AssemblerViewMarksTheLineOfIp) {
  session().ramView.SelectItem(RamView::kAssemblerItem);
  session().registers.EdRegChange(IP, "05");
  Settle();
  EXPECT_EQ(CellColour("GrRam", 3, 3), qRgb(109, 167, 231));  // the line labelled 04
  EXPECT_EQ(CellColour("GrRam", 3, 4), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace vellar::ui::testing
