#include "support/session_fixture.h"

#include "support/mps_rows.h"

namespace vellar::testing {

void SessionTest::SetRow(int address, std::initializer_list<int> gates, const std::string& next,
                         const std::string& description) {
  SetMpsRow(session.mps, address, gates, next, description);
}

void SessionTest::CountingLoop() {
  SetRow(0, {1, 7, 0}, "01");
  SetRow(1, {}, "00");
}

int SessionTest::TickUntilIdle(int maxTicks) {
  int ticks = 0;
  while (fe.timerEnabled && ticks < maxTicks) {
    run.TimerTimer();
    ++ticks;
  }
  EXPECT_FALSE(fe.timerEnabled) << "the run did not end within " << maxTicks << " ticks";
  return ticks;
}

int SessionTest::Slices(const std::function<void(int)>& between, int maxSlices) {
  int slices = 0;
  while (run.State().pace == RunPace::Slices) {
    if (slices == maxSlices) {
      ADD_FAILURE() << "the run did not end within " << maxSlices << " slices";
      break;
    }
    run.Advance(1);
    ++slices;
    if (between) between(slices);
  }
  return slices;
}

void SessionTest::Automatic(int sliderPosition) {
  run.SetGatesAutomatic(true);
  run.SetSliderPosition(sliderPosition);
}

void SessionTest::Focus(Control control) {
  EnterOrExit(fe.focus, false);
  fe.focus = control;
  EnterOrExit(control, true);
}

void SessionTest::EnterOrExit(Control control, bool enter) {
  switch (control) {
    case Control::MpsGrid:
      enter ? session.mpsEditor.GrMpsEnter() : session.mpsEditor.GrMpsExit();
      break;
    case Control::RamGrid:
      enter ? session.ramEditor.GrRamEnter() : session.ramEditor.GrRamExit();
      break;
    case Control::RamInspector:
      enter ? session.inspector.RamInspectorEnter() : session.inspector.RamInspectorExit();
      break;
    default:
      break;
  }
}

}  // namespace vellar::testing
