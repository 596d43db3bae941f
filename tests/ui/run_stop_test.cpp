#include <QTest>
#include <QTimer>
#include <functional>

#include "run_stop_fixture.h"

namespace vellar::ui::testing {
namespace {

// The space bar held during a run at "zu schnell": every press arrives while the run goes on,
// many more than handlers may ever nest; then "||" is clicked.
TEST_F(RunStopTest, PauseEndsARunThatTheSpaceBarWasPressedIntoManyTimes) {
  constexpr int kPresses = 2 * HandlerGuard::kMaxDepth;
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
  EXPECT_EQ(session().run.LastStopReason(), StopReason::Pause);
  const auto took =
      std::chrono::duration_cast<std::chrono::milliseconds>(runReturned - pausePressed);
  EXPECT_LT(took.count(), 50);
  RecordProperty("pause_ms", static_cast<int>(took.count()));
  // The presses asked for the run that was already going: none of them started another.
  EXPECT_LE(window->Guard().Deepest(), 3);
  ExpectEveryCommandWorks([this](Qt::Key key) { QTest::keyClick(window.get(), key); });
}

// The limit is only a last resort now, but where it holds, the user hears of it, Pause still
// gets through, and a timer tick waits for its next turn.
TEST(HandlerGuardTest, BeyondTheLimitACommandIsRefusedWithAWordButPauseStillRuns) {
  int told = 0;
  HandlerGuard* self = nullptr;
  // The message box lets events in while it shows; a command among them is not told twice.
  HandlerGuard guard([&] {
    ++told;
    (*self)([] {});
  });
  self = &guard;
  int commands = 0;
  int pauses = 0;
  int ticks = 0;
  std::function<void()> nest = [&] {
    ++commands;
    if (guard(nest)) return;
    guard.Always([&] { ++pauses; });
    EXPECT_FALSE(guard.Tick([&] { ++ticks; }));
  };
  EXPECT_TRUE(guard(nest));
  EXPECT_EQ(commands, HandlerGuard::kMaxDepth);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(guard.Busy());
  EXPECT_TRUE(guard([&] { ++commands; }));
  EXPECT_TRUE(guard.Tick([&] { ++ticks; }));
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace vellar::ui::testing
