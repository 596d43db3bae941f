// "Ansicht" -> "Vergrößerung": the option on the command line, the remembered choice, the
// window drawn larger with every position inside it unchanged, and only the levels at which the
// window fits the screen. These tests run on a screen of 1366 x 768, a common projector.
#include <QAction>
#include <QBackingStore>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <algorithm>

#include "ui/gate_pictures.h"
#include "ui/zoom.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

using Args = std::vector<std::string>;

TEST(ZoomArgumentTest, IsTakenOutOfTheArgumentsAndChecked) {
  Args args = {"a.mpd", "--zoom=150", "/S", "b.ras"};
  ZoomArgument zoom = TakeZoomArgument(args);
  EXPECT_EQ(zoom.percent, 150);
  EXPECT_EQ(zoom.error, "");
  EXPECT_EQ(args, (Args{"a.mpd", "/S", "b.ras"}));

  // The value as the next argument; the last one counts.
  args = {"--zoom", "125", "x.ras", "--zoom=200"};
  zoom = TakeZoomArgument(args);
  EXPECT_EQ(zoom.percent, 200);
  EXPECT_EQ(args, (Args{"x.ras"}));

  // No argument: nothing chosen, nothing taken.
  args = {"/12", "--zoomen.ras"};
  zoom = TakeZoomArgument(args);
  EXPECT_EQ(zoom.percent, 0);
  EXPECT_EQ(args, (Args{"/12", "--zoomen.ras"}));
}

TEST(ZoomArgumentTest, AValueThatIsNoLevelIsReportedAndIgnored) {
  for (const Args& given : {Args{"--zoom=130"}, Args{"--zoom=abc"}, Args{"--zoom="}, Args{"--zoom"},
                            Args{"--zoom=150", "--zoom=0"}}) {
    Args args = {"a.mpd"};
    args.insert(args.end(), given.begin(), given.end());
    const ZoomArgument zoom = TakeZoomArgument(args);
    EXPECT_EQ(zoom.percent, given.size() == 2 ? 150 : 0) << given[0];
    EXPECT_NE(zoom.error.find("möglich sind 100, 125, 150 und 200"), std::string::npos) << given[0];
    EXPECT_EQ(args, (Args{"a.mpd"})) << given[0];
  }
  // A valid level after a wrong one clears the complaint.
  Args args = {"--zoom=7", "--zoom=125"};
  EXPECT_EQ(TakeZoomArgument(args).error, "");
}

TEST(ZoomFitTest, ALevelIsOfferedWhereTheSmallestWindowFitsTheScreen) {
  const QSize minimum = TFoSim::kMinimumSize;
  struct Case {
    QSize available;
    int measuredAt;  // the level the area is measured at
    int wanted;
    int fitting;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{1024, 768}, 100, 100, 100},  // the window itself fits 1024 pixels
           {{1024, 768}, 100, 150, 100},
           {{1366, 768}, 100, 200, 125},
           {{1366, 768}, 100, 150, 125},
           {{1366, 768}, 100, 125, 125},
           {{1093, 614}, 125, 150, 125},  // the same screen seen at 125 %
           {{1920, 1080}, 100, 200, 150},
           {{2560, 1440}, 100, 200, 200},
           {{800, 600}, 100, 125, 100},  // nothing fits: 100 % all the same
       }) {
    EXPECT_EQ(FittingZoom(c.wanted, minimum, c.available, c.measuredAt), c.fitting)
        << c.available.width() << "x" << c.available.height() << " at " << c.measuredAt << ", "
        << c.wanted;
  }
  EXPECT_TRUE(ZoomFits(100, minimum, {1024, 768}, 100));
  EXPECT_FALSE(ZoomFits(100, minimum, {1023, 768}, 100));
  EXPECT_FALSE(ZoomFits(150, minimum, {1535, 1080}, 100));
}

class ZoomTest : public WindowTest {
 protected:
  void SetUp() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QtFolder(settingsDir));
    WindowTest::SetUp();
  }
  void TearDown() override {
    // The scale belongs to the whole test program: the next test starts at 100 % again.
    ApplyZoom(100);
    WindowTest::TearDown();
  }
  void ChooseInMenu(int percent) {
    auto* item = window->menuBar()->findChild<QAction*>(QStringLiteral("MeZoom%1").arg(percent));
    ASSERT_NE(item, nullptr) << percent;
    item->trigger();
    QTest::qWait(50);
    Settle();
  }

  TempDir settingsDir;
};

TEST_F(ZoomTest, TheMenuDrawsTheWindowLargerAndRemembersTheChoice) {
  EXPECT_EQ(StoredZoom(), 100);
  const qreal ratioBefore = window->devicePixelRatioF();

  ChooseInMenu(125);
  EXPECT_EQ(CurrentZoom(), 125);
  EXPECT_EQ(StoredZoom(), 125);
  EXPECT_TRUE(window->isVisible());
  EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), ratioBefore * 1.25);
  // Drawn with a quarter more pixels, not enlarged.
  const QSize client = window->centralWidget()->size();
  const QPixmap shot = window->centralWidget()->grab();
  EXPECT_DOUBLE_EQ(shot.devicePixelRatio(), ratioBefore * 1.25);
  EXPECT_EQ(shot.width(), qRound(client.width() * ratioBefore * 1.25));
  auto* item125 = window->menuBar()->findChild<QAction*>(QStringLiteral("MeZoom125"));
  auto* item100 = window->menuBar()->findChild<QAction*>(QStringLiteral("MeZoom100"));
  EXPECT_TRUE(item125->isChecked());
  EXPECT_FALSE(item100->isChecked());
  std::vector<QRect> zoomed;
  for (const char* name : {"GrMps", "PaRegister", "PaBus", "GrRam", "PaControl", "Tor_7"}) {
    zoomed.push_back(InClient(Find(name)));
  }

  // Inside the window every position and size is what it is at 100 % for the same client size.
  ChooseInMenu(100);
  EXPECT_EQ(StoredZoom(), 100);
  EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), ratioBefore);
  EXPECT_TRUE(item100->isChecked());
  ResizeClient(client.width(), client.height());
  ASSERT_EQ(window->centralWidget()->size(), client);
  size_t i = 0;
  for (const char* name : {"GrMps", "PaRegister", "PaBus", "GrRam", "PaControl", "Tor_7"}) {
    EXPECT_EQ(InClient(Find(name)), zoomed[i++]) << name;
  }
}

TEST_F(ZoomTest, TheLargerWindowStaysWithinTheScreenAsFarAsItsMinimumAllows) {
  ChooseInMenu(125);
  const QRect free = window->screen()->availableGeometry();
  const QSize outer = window->size() + TFoSim::kFrame;
  EXPECT_EQ(outer.width(), std::max(std::min(free.width(), TFoSim::kStartSize.width()),
                                    TFoSim::kMinimumSize.width()));
  EXPECT_EQ(outer.height(), std::max(std::min(free.height(), TFoSim::kStartSize.height()),
                                     TFoSim::kMinimumSize.height()));
  EXPECT_GE(window->x(), free.left());
  EXPECT_GE(window->y(), free.top());
}

TEST_F(ZoomTest, OnlyTheLevelsAtWhichTheWindowFitsTheScreenAreOffered) {
  ASSERT_EQ(window->screen()->availableGeometry().size(), QSize(1366, 768));
  for (int percent : kZoomLevels) {
    auto* item = window->menuBar()->findChild<QAction*>(QStringLiteral("MeZoom%1").arg(percent));
    EXPECT_EQ(item->isEnabled(), percent <= 125) << percent;
  }
  window->findChild<QAction*>(QStringLiteral("MeZoom150"))->trigger();
  QTest::qWait(50);
  EXPECT_EQ(CurrentZoom(), 100);
  // A start asked for 200 % (stored or on the command line) comes at the largest that fits.
  EXPECT_EQ(StartZoom(200, TFoSim::kMinimumSize), 125);
  EXPECT_EQ(StartZoom(125, TFoSim::kMinimumSize), 125);
}

TEST_F(ZoomTest, EveryMenuOpensWithThePixelsOfTheNewLevel) {
  const QList<QMenu*> menus = window->menuBar()->findChildren<QMenu*>();
  ASSERT_GE(menus.size(), 6);
  // Each opened once before, as a user does on the way to the level.
  const auto open = [](QMenu* menu) {
    menu->popup(QPoint(10, 10));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(menu)) << menu->title().toStdString();
    QTest::qWait(20);
  };
  for (QMenu* menu : menus) {
    open(menu);
    menu->hide();
  }
  ChooseInMenu(125);
  for (QMenu* menu : menus) {
    open(menu);
    // The pixels it draws into: as many as its size at this level, so no item is cut off.
    const QPaintDevice* pixels = menu->backingStore()->paintDevice();
    EXPECT_EQ(QSize(pixels->width(), pixels->height()),
              (QSizeF(menu->size()) * menu->devicePixelRatioF()).toSize())
        << menu->title().toStdString();
    menu->hide();
  }
}

TEST_F(ZoomTest, AnUnknownStoredLevelCountsAsOneHundred) {
  QSettings(QStringLiteral("VellarD"), QStringLiteral("vellar"))
      .setValue(QStringLiteral("Ansicht/Vergroesserung"), 130);
  EXPECT_EQ(StoredZoom(), 100);
  StoreZoom(125);
  EXPECT_EQ(StoredZoom(), 125);
}

TEST(GatePictureTest, IsDrawnWithMorePixelsForALargerView) {
  for (int p = 0; p < 4; ++p) {
    const auto picture = static_cast<GatePicture>(p);
    const QIcon& icon = GateIcon(picture);
    const QSize size(kGatePictureSize, kGatePictureSize);
    // At 1:1 exactly the picture; larger, a picture of its own with that many pixels.
    EXPECT_EQ(icon.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
              GatePictureImage(picture, false).convertToFormat(QImage::Format_ARGB32));
    const QPixmap large = icon.pixmap(size, 2.0);
    EXPECT_EQ(large.size(), size * 2);
    EXPECT_DOUBLE_EQ(large.devicePixelRatio(), 2.0);
    EXPECT_EQ(large.toImage().convertToFormat(QImage::Format_ARGB32),
              GatePictureImage(picture, false, 2.0).convertToFormat(QImage::Format_ARGB32));
    EXPECT_NE(icon.pixmap(size, 2.0, QIcon::Disabled).toImage(), large.toImage());
  }
}

}  // namespace
}  // namespace vellar::ui::testing
