// Speed of a run in the window, measured as the user meets it: a run started by its button,
// ended by a click on the pause button. Prints the figures; run alone (ctest runs it
// serially), since a second busy core would halve them.
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "support/mps_rows.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

using Clock = std::chrono::steady_clock;

class SpeedTest : public WindowTest {
 protected:
  struct Figures {
    double clocksPerSecond = 0;
    // Per second of processor time: what the run reaches on a machine busy with other work.
    double clocksPerCpuSecond = 0;
    double pauseMs = 0;
  };

  // Runs "bis Halt" at a slider position and clicks the pause button after the span.
  Figures Run(int position, std::chrono::milliseconds span) {
    vellar::testing::LoadEndlessLoop(session());
    session().run.SetGatesAutomatic(true);
    session().run.SetSliderPosition(position);
    Settle();
    auto* pause = Find<QPushButton>("BuPause");
    QTimer::singleShot(span, window.get(), [pause] { QTest::mouseClick(pause, Qt::LeftButton); });
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    QTest::mouseClick(Find<QPushButton>("BuBisHalt"), Qt::LeftButton);
    // The run goes on in the slices that the event loop asks for, until the pause.
    const Clock::time_point latest = start + span + std::chrono::seconds(10);
    while (session().run.Running() && Clock::now() < latest) {
      QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const std::clock_t cpuEnd = std::clock();
    const Clock::time_point end = Clock::now();
    EXPECT_EQ(session().run.LastStopReason(), StopReason::Pause);
    Figures f;
    const double seconds = std::chrono::duration<double>(end - start).count();
    f.clocksPerSecond = static_cast<double>(session().run.ClocksThisRun()) / seconds;
    const double cpuSeconds = static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC;
    if (cpuSeconds > 0) {
      f.clocksPerCpuSecond = static_cast<double>(session().run.ClocksThisRun()) / cpuSeconds;
    }
    f.pauseMs = std::chrono::duration<double, std::milli>(end - (start + span)).count();
    return f;
  }

  void Report(const char* level, const Figures& f) {
    std::printf("%-12s %12.0f ALU-Takte/s (%.0f je Sekunde Rechenzeit), Pause nach %.1f ms\n",
                level, f.clocksPerSecond, f.clocksPerCpuSecond, f.pauseMs);
    RecordProperty("clocks_per_second", std::to_string(f.clocksPerSecond));
    RecordProperty("pause_ms", std::to_string(f.pauseMs));
  }
};

TEST_F(SpeedTest, ZuSchnell) {
  const Figures f = Run(-3, std::chrono::milliseconds(1500));
  Report("zu schnell", f);
  // Bounds far below what we measure (over 100 million, a few ms), so that a busy machine
  // passes and a run that repaints every clock does not.
  EXPECT_GE(f.clocksPerSecond, 5e6);
  EXPECT_LE(f.pauseMs, 100);
}

TEST_F(SpeedTest, Schnell) {
  const Figures f = Run(0, std::chrono::milliseconds(1500));
  Report("schnell", f);
  EXPECT_GE(f.clocksPerSecond, 20e3);
  EXPECT_LE(f.pauseMs, 100);
}

}  // namespace
}  // namespace vellar::ui::testing
