#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "app/session.h"
#include "support/fake_frontend.h"

// A freshly created session on a fake frontend, with helpers to write micro-programs and to
// fire the timer.
namespace vellar::testing {

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() { session.FormCreate(); }

  // Writes an MPS row: the gates given, the next address as text, and a description.
  void SetRow(int address, std::initializer_list<int> gates, const std::string& next,
              const std::string& description = {});

  // A loop: address 0 increments AX and continues at 1, which returns to 0, so that "bis
  // Halt" never ends.
  void CountingLoop();

  // Fires the timer until it is off; fails after maxTicks.
  int TickUntilIdle(int maxTicks = 100000);
  // Gives an unpaced run its slices as the window does, one tick each, until the run wants no
  // more; between(n) runs after slice n, as a command of the user between two slices. Returns
  // the number of slices; a run still going after maxSlices fails the test.
  int Slices(const std::function<void(int)>& between = {}, int maxSlices = 1'000'000);

  // Switches to automatic gate control and sets the slider.
  void Automatic(int sliderPosition);

  // Moves the focus as the window does: the exit handler of the control that had it, then
  // the enter handler of the new one.
  void Focus(Control control);
  void EnterOrExit(Control control, bool enter);

  FakeFrontend fe;
  Session session{fe};
  Machine& m = session.machine;
  RunControl& run = session.run;
};

}  // namespace vellar::testing
