#pragma once

#include <QPushButton>
#include <chrono>
#include <functional>

#include "window_fixture.h"

// The run that only the pause button ends: the teaching firmware with the endless loop of
// schleife.ras, "Automatisch aus MPS", "bis Halt" at "zu schnell". Shared by the test on the
// offscreen platform and the one under a real X server, which differ only in where the key
// presses and clicks come from.
namespace vellar::ui::testing {

class RunStopTest : public WindowTest {
 protected:
  using Clock = std::chrono::steady_clock;

  void SetUp() override;

  // From now on runReturned is set whenever a click on ">||" has come back, that is when the
  // run it started is over.
  void WatchRunReturn();
  // Starts the run with a click on ">||" and returns when the run is over. during runs as soon
  // as the run is going.
  void RunUntilPaused(const std::function<void()>& during);
  // Stops the run directly, past every guard, should the pause button not do it: the test
  // then fails on its figures instead of hanging.
  void StopAfter(int ms);

  // After the pause: reset, a single instruction and the file commands all answer. key
  // sends a function key the way the test's user presses keys.
  void ExpectEveryCommandWorks(const std::function<void(Qt::Key)>& key);

  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }

  Clock::time_point pausePressed{};  // set by the test when it presses "||"
  Clock::time_point runReturned{};   // when the click on ">||" came back
  int spacePresses = 0;              // space key presses the application saw
  int repeatedPresses = 0;           // of them, those that key repeat made
};

}  // namespace vellar::ui::testing
