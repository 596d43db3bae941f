#include <QRadioButton>

#include "ui/grid_views.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

class LayoutTest : public WindowTest {
 protected:
  // The places every layout gives, whatever the width: the panels end at the control strip.
  void ExpectCommonPlaces(int cw, int ch, int processorWidth) {
    const int work = ch - 73;
    EXPECT_EQ(InClient(Find("PaControl")), QRect(0, work, cw, 73));
    EXPECT_EQ(InClient(Find("PaProzessor")), QRect(0, 0, processorWidth, work));
    EXPECT_EQ(InClient(Find("PaBus")), QRect(processorWidth + 3, work - 225, 193, 225));
    EXPECT_EQ(Find("PaRegister")->geometry(), QRect(4, work - 305 - 4, processorWidth - 8, 305));
    EXPECT_EQ(Find("GrMps")->geometry(), QRect(4, 24, processorWidth - 8, work - 305 - 24 - 8));
    EXPECT_EQ(session().mpsGrid.colWidths[1], processorWidth - 455 + 100);
    EXPECT_EQ(InClient(Find("ImBild")).topLeft(), QPoint(processorWidth + 3, 0));
    EXPECT_EQ(window->Geometry().xexit, processorWidth);
    EXPECT_EQ(window->Geometry().dy, 108);
  }
};

TEST_F(LayoutTest, DataViewAtTwoWidths) {
  ResizeClient(1053, 680);
  ExpectCommonPlaces(1053, 680, 455);
  EXPECT_EQ(InClient(Find("PaRAM")), QRect(654, 0, 399, 607));
  EXPECT_EQ(Find("GrRam")->geometry(), QRect(4, 24, 391, 607 - 28));
  EXPECT_FALSE(Find("RamInspector")->isVisible());

  // Wider: every further pixel goes to the processor panel and the description column.
  ResizeClient(1200, 800);
  ExpectCommonPlaces(1200, 800, 602);
  EXPECT_EQ(InClient(Find("PaRAM")), QRect(801, 0, 399, 727));
}

TEST_F(LayoutTest, NarrowestWindowLeavesTheRamPanelNarrowerThanItsColumns) {
  ResizeClient(1032, 600);
  ExpectCommonPlaces(1032, 600, 455);
  EXPECT_EQ(InClient(Find("PaRAM")), QRect(654, 0, 378, 527));
}

TEST_F(LayoutTest, OnAScreenOf1024PixelsTheStripsRightGroupsMoveLeftAndStayWhole) {
  // At the design width and wider they stand where they always stood.
  ResizeClient(1032, 600);
  EXPECT_EQ(Find("RaRam")->x(), 672);
  EXPECT_EQ(Find("Hinweis")->x(), 848);
  ResizeClient(TFoSim::kMinimumSize.width() - TFoSim::kFrame.width(), 600);
  const QWidget* hint = Find("Hinweis");
  EXPECT_EQ(hint->geometry().right() + 1 + 7, Find("PaControl")->width());
  EXPECT_EQ(Find("RaRam")->geometry().right() + 1 + 7, hint->x());
  EXPECT_LT(Find("LaZeit")->geometry().right(), Find("RaRam")->x());
}

TEST_F(LayoutTest, AssemblerViewMovesSeventyFourPixelsToTheProcessor) {
  ResizeClient(1053, 680);
  Find("RaRam")->findChildren<QRadioButton*>().at(1)->click();
  Settle();
  EXPECT_TRUE(session().ramGrid.AssemblerView());
  ExpectCommonPlaces(1053, 680, 529);
  EXPECT_EQ(InClient(Find("PaRAM")), QRect(728, 0, 325, 607));
  EXPECT_EQ(Find("GrRam")->geometry(), QRect(4, 24, 317, 607 - 28));
}

TEST_F(LayoutTest, InspectorShortensTheRamGridAndGrowsWhenItsColumnsNoLongerFit) {
  ResizeClient(1032, 640);
  window->MenuClick("MeVariablen");
  Settle();
  const int ram = 640 - 73;
  EXPECT_TRUE(Find("RamInspector")->isVisible());
  EXPECT_EQ(Find("RamInspector")->geometry(), QRect(4, ram - 66 - 4, 370, 66));
  EXPECT_EQ(Find("GrRam")->geometry(), QRect(4, 24, 370, ram - 24 - 4 - 66 - 4));

  // 140 + 8 x 32 = 396 > 370: room for a scroll bar.
  // Defined through the RAM grid's popup command, which asks for the new layout.
  for (int a = 0; a < 8; ++a) {
    ASSERT_TRUE(session().inspector.GrRamMouseDown(a + 1, 1, MouseButton::Right));
    session().inspector.alsVariabledefinieren1Click();
  }
  Settle();
  EXPECT_EQ(Find("RamInspector")->geometry(), QRect(4, ram - 83 - 4, 370, 83));

  window->MenuClick("MeVariablen");
  Settle();
  EXPECT_FALSE(Find("RamInspector")->isVisible());
  EXPECT_EQ(Find("GrRam")->geometry(), QRect(4, 24, 370, ram - 28));
}

}  // namespace
}  // namespace vellar::ui::testing
