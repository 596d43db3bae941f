// "Ansicht" -> "Vergrößerung": the option on the command line, the remembered choice, and the
// window drawn larger with every position inside it unchanged.
#include <QAction>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
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

class ZoomTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settingsDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
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

  QTemporaryDir settingsDir;
};

TEST_F(ZoomTest, TheMenuDrawsTheWindowLargerAndRemembersTheChoice) {
  EXPECT_EQ(StoredZoom(), 100);
  const qreal ratioBefore = window->devicePixelRatioF();

  ChooseInMenu(150);
  EXPECT_EQ(CurrentZoom(), 150);
  EXPECT_EQ(StoredZoom(), 150);
  EXPECT_TRUE(window->isVisible());
  EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), ratioBefore * 1.5);
  // Drawn with one and a half times the pixels, not enlarged.
  const QSize client = window->centralWidget()->size();
  const QPixmap shot = window->centralWidget()->grab();
  EXPECT_DOUBLE_EQ(shot.devicePixelRatio(), ratioBefore * 1.5);
  EXPECT_EQ(shot.width(), qRound(client.width() * ratioBefore * 1.5));
  auto* item150 = window->menuBar()->findChild<QAction*>(QStringLiteral("MeZoom150"));
  auto* item100 = window->menuBar()->findChild<QAction*>(QStringLiteral("MeZoom100"));
  EXPECT_TRUE(item150->isChecked());
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
