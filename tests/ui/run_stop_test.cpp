#include <QTest>
#include <QTimer>
#include <functional>

#include "run_stop_fixture.h"

namespace vellar::ui::testing {
namespace {

// The space bar held during a run at "zu schnell": every press arrives between two slices of
// the run going on, 128 of them; then "||" is clicked.
TEST_F(RunStopTest, PauseEndsARunThatTheSpaceBarWasPressedIntoManyTimes) {
  constexpr int kPresses = 128;
  StopAfter(10000);
  int sent = 0;
  // A fresh timer for each press, since a timer does not fire again inside its own handler.
  std::function<void()> press = [&] {
    if (++sent > kPresses) {
      pausePressed = Clock::now();
      QTest::mouseClick(Button("BuPause"), Qt::LeftButton);
      return;
    }
    QTimer::singleShot(1, window.get(), press);
    // The key goes where the user's would: to the focus, which the click gave ">||".
    QTest::keyClick(Focused(), Qt::Key_Space);
  };
  RunUntilPaused(press);

  EXPECT_EQ(spacePresses, kPresses);
  ExpectPausedInTime();
  ExpectEveryCommandWorks([this](Qt::Key key) { QTest::keyClick(window.get(), key); });
}

}  // namespace
}  // namespace vellar::ui::testing
