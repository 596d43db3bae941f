#include "run_stop_fixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace vellar::ui::testing {

namespace {

// Counts the space presses on their way to the window, before the key hook sees them.
class SpaceCounter : public QObject {
 public:
  SpaceCounter(QObject* owner, int& presses, int& repeated, std::function<void()> pressed)
      : QObject(owner), presses_(presses), repeated_(repeated), pressed_(std::move(pressed)) {}
  bool eventFilter(QObject* target, QEvent* event) override {
    // A key event passes this filter once for every widget it is offered to; it counts at
    // the focused one, where the key hook takes it.
    if (event->type() != QEvent::KeyPress || target != QApplication::focusWidget()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space) {
      ++presses_;
      if (key->isAutoRepeat()) ++repeated_;
      pressed_();
    }
    return false;
  }

 private:
  int& presses_;
  int& repeated_;
  std::function<void()> pressed_;
};

}  // namespace

void RunStopTest::SetUp() {
  const std::vector<std::string> args = {FixturePath("lehr.mpd"), FixturePath("schleife.ras"),
                                         "/0"};
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
    // Without a window manager nobody hands the new window the focus; xdotool does, as the
    // user's first click on it would.
    window = std::make_unique<TFoSim>();
    window->FormCreate(args);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QString id = QString::number(window->winId());
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), id});
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Settle();
  } else {
    Create(args);
  }
  Find("RaTor")->findChildren<QRadioButton*>().at(0)->click();
  Settle();
  ASSERT_TRUE(session().run.GatesAutomatic());
  ASSERT_EQ(session().run.SliderPosition(), -3);
  // Installed after the key hook, so it sees each key first.
  qApp->installEventFilter(new SpaceCounter(window.get(), spacePresses, repeatedPresses, [this] {
    clocksAtLastPress = session().run.ClocksThisRun();
  }));
  // Space belongs to the run control outside the grids.
  Find<QLineEdit>("EdBX")->setFocus();
  Settle();
}

void RunStopTest::WatchRunReturn() {
  auto* watch = new QTimer(window.get());
  watch->setInterval(0);
  QObject::connect(watch, &QTimer::timeout, window.get(), [this, watch] {
    if (running_ && !session().run.Running()) {
      runReturned = Clock::now();
      watch->stop();
    }
    running_ = session().run.Running();
  });
  watch->start();
}

void RunStopTest::RunUntilPaused(const std::function<void()>& during) {
  WatchRunReturn();
  QTimer::singleShot(0, window.get(), during);
  QTest::mouseClick(Button("BuBisHalt"), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(runReturned != Clock::time_point{}, 30000);
}

void RunStopTest::StopAfter(int ms) {
  QTimer::singleShot(ms, window.get(), [this] { session().run.BuStoppClick(); });
}

long long RunStopTest::ExpectPausedInTime() {
  EXPECT_EQ(session().run.LastStopReason(), StopReason::Pause);
  const auto took =
      std::chrono::duration_cast<std::chrono::milliseconds>(runReturned - pausePressed);
  EXPECT_LT(took.count(), 50);
  RecordProperty("pause_ms", static_cast<int>(took.count()));
  // The presses asked for the run that was already going: none of them started it anew, which
  // would have counted its clocks from 0 again.
  EXPECT_GE(session().run.ClocksThisRun(), clocksAtLastPress);
  return took.count();
}

void RunStopTest::ExpectEveryCommandWorks(const std::function<void(Qt::Key)>& key) {
  EXPECT_FALSE(session().run.Running());
  EXPECT_FALSE(window->frontend().Timer().isActive());
  EXPECT_FALSE(window->frontend().SliceTimer().isActive());
  // The loop ran; reset (F9) clears AX, whatever the loop left there (counting up in long
  // stretches, it may stand at 00 by chance).
  EXPECT_GT(session().run.ClocksThisRun(), 0u);
  session().machine.Regs[AX] = 0x5A;
  key(Qt::Key_F9);
  Settle();
  EXPECT_EQ(session().machine.Regs[AX], 0);
  // One instruction, INC AX, runs and ends.
  QTest::mouseClick(Button("BuBefehl"), Qt::LeftButton);
  Settle();
  EXPECT_EQ(session().run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(session().machine.Regs[AX], 1);
  // Saving the MPS (F3) and the RAM (F6) open their dialogs.
  for (Qt::Key k : {Qt::Key_F3, Qt::Key_F6}) {
    answers.ExpectFileDialog();
    key(k);
    QTRY_VERIFY_WITH_TIMEOUT(answers.AllUsed(), 5000);
    Reactivate();
  }
}

}  // namespace vellar::ui::testing
