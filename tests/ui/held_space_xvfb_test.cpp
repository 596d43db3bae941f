// The held space bar as the user holds it: under a real X server, with xdotool pressing the
// keys and clicking the buttons, and the server's own key repeat. Run by held_space_xvfb.sh
// inside Xvfb, without a window manager.
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>

#include "run_stop_fixture.h"

namespace vellar::ui::testing {
namespace {

// Notes when the pause button gets its click, that is when the mouse button goes up on it.
class ReleaseClock : public QObject {
 public:
  ReleaseClock(QObject* owner, std::chrono::steady_clock::time_point& when)
      : QObject(owner), when_(when) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) when_ = std::chrono::steady_clock::now();
    return false;
  }

 private:
  std::chrono::steady_clock::time_point& when_;
};

QString Centre(QWidget* w) {
  const QPoint p = w->mapToGlobal(w->rect().center());
  return QStringLiteral("%1 %2").arg(p.x()).arg(p.y());
}

using HeldSpaceXvfbTest = RunStopTest;

TEST_F(HeldSpaceXvfbTest, PauseEndsTheRunAfterTheSpaceBarWasHeldForFourSeconds) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
    GTEST_SKIP() << "needs an X server: run held_space_xvfb.sh";
  }
  QPushButton* pause = Button("BuPause");
  pause->installEventFilter(new ReleaseClock(pause, pausePressed));
  WatchRunReturn();
  StopAfter(20000);
  // Start, hold the bar, let go, pause: each step waits for the one before to take effect.
  const QString script =
      QStringLiteral(
          "xdotool mousemove %1 click 1 && sleep 0.5 && xdotool keydown space && sleep 4 && "
          "xdotool keyup space && sleep 0.3 && xdotool mousemove %2 click 1")
          .arg(Centre(Button("BuBisHalt")), Centre(pause));
  QProcess user;
  user.start(QStringLiteral("sh"), {QStringLiteral("-c"), script});
  ASSERT_TRUE(user.waitForStarted(5000));
  // The run goes on in the slices that the waiting below lets in.
  QTRY_VERIFY_WITH_TIMEOUT(user.state() == QProcess::NotRunning, 30000);
  QTRY_VERIFY_WITH_TIMEOUT(runReturned != Clock::time_point{}, 30000);
  EXPECT_EQ(user.exitCode(), 0) << user.readAllStandardError().toStdString();

  // The bar was held down: the server repeated it, some thirty times a second.
  EXPECT_GT(spacePresses, 64);
  EXPECT_GT(repeatedPresses, 0);
  ASSERT_NE(pausePressed, Clock::time_point{});
  const long long took = ExpectPausedInTime();
  std::printf("Leertaste: %d Anschläge (%d durch Wiederholung), Pause nach %lld ms wirksam\n",
              spacePresses, repeatedPresses, took);

  ExpectEveryCommandWorks([](Qt::Key key) {
    const QString name = key == Qt::Key_F9   ? QStringLiteral("F9")
                         : key == Qt::Key_F3 ? QStringLiteral("F3")
                                             : QStringLiteral("F6");
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), name}), 0);
    QTest::qWait(300);
  });
}

}  // namespace
}  // namespace vellar::ui::testing
