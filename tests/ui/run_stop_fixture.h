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

  // From now on runReturned is set when a run is over, seen between two slices: a watch of its
  // own that the event loop runs as often as it runs the slices. It also notes the ALU
  // clocks of the run whenever a space press arrives.
  void WatchRunReturn();
  // Starts the run with a click on ">||" and returns when the run is over. during runs as soon
  // as the run is going.
  void RunUntilPaused(const std::function<void()>& during);
  // Stops the run directly, should the pause button not do it: the test then fails on its
  // figures instead of hanging.
  void StopAfter(int ms);

  // The pause ended the run within 50 ms of the click on "||", and none of the key presses
  // started the run anew. Returns the milliseconds.
  long long ExpectPausedInTime();

  // After the pause: reset, a single instruction and the file commands all answer. key
  // sends a function key the way the test's user presses keys.
  void ExpectEveryCommandWorks(const std::function<void(Qt::Key)>& key);

  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }

  Clock::time_point pausePressed{};  // set by the test when it presses "||"
  Clock::time_point runReturned{};   // when the click on ">||" came back
  int spacePresses = 0;              // space key presses the application saw
  int repeatedPresses = 0;           // of them, those that key repeat made
  uint64_t clocksAtLastPress = 0;    // ALU clocks of the run when the last of them arrived

 private:
  bool running_ = false;  // what the watch of WatchRunReturn saw last
};

}  // namespace vellar::ui::testing
