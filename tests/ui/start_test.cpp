#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QTreeView>

#include <algorithm>
#include <vector>

#include "app/quiet_frontend.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

class StartTest : public WindowTest {
 protected:
  void SetUp() override {}
};

TEST_F(StartTest, WithoutArgumentsGatesAreManualAtHalfASecond) {
  Create({});
  EXPECT_FALSE(session().run.GatesAutomatic());
  EXPECT_EQ(session().run.SliderPosition(), 8);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Mikroprozessor Simulation"));
  EXPECT_FALSE(window->frontend().Timer().isActive());
}

TEST_F(StartTest, QtsOwnDialogsSpeakGerman) {
  // The file and print dialogs take their button texts from Qt's translations.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

TEST_F(StartTest, QtsOwnDialogsShowGermanSizesAndDates) {
  // The file dialog's size and date columns in German, whatever the desktop's language.
  TempDir dir;
  WriteBytes(dir / "prog.rad", std::string(1003, 'x'));
  {
    QFile file(QtFile(dir, "prog.rad"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 8), QTime(9, 30)),
                                 QFileDevice::FileModificationTime));
  }
  Create({});
  session().files.ramDialogDir = dir.folder();
  QStringList columns;
  answers.ExpectFileDialog({}, [&](QFileDialog* dialog) {
    auto* view = dialog->findChild<QTreeView*>();
    ASSERT_NE(view, nullptr);
    // The folder is read in the background.
    QDeadlineTimer deadline(2000);
    while (columns.isEmpty() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      const QAbstractItemModel* model = view->model();
      for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        const QModelIndex name = model->index(row, 0, view->rootIndex());
        if (name.data().toString() != QStringLiteral("prog.rad")) continue;
        for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
          columns << name.siblingAtColumn(c).data().toString();
        }
      }
    }
  });
  session().files.MeLoadRamClick();
  ASSERT_EQ(columns.size(), 4);
  EXPECT_EQ(columns[1], QStringLiteral("1.003 Bytes"));
  EXPECT_EQ(columns[3], QStringLiteral("8. Dez. 2026 09:30"));
  EXPECT_EQ(QLocale().language(), QLocale::German);
}

TEST_F(StartTest, StartOptionRunsOnlyOnceTheWindowShows) {
  // An endless program at an unpaced level must not run before there is a window to pause.
  TFoSim hidden;
  hidden.FormCreate({"/S", "/0"});
  QCoreApplication::processEvents();
  EXPECT_FALSE(hidden.session().run.GatesAutomatic());
  EXPECT_EQ(hidden.session().run.ClocksThisRun(), 0u);
}

TEST_F(StartTest, StartOptionRunsToTheEndWhenTheWindowShows) {
  // A fresh store counts through the addresses; its next address FF ends "bis Halt".
  Create({"/S", "/0"});
  EXPECT_TRUE(session().run.GatesAutomatic());
  EXPECT_EQ(session().run.SliderPosition(), -3);
  EXPECT_EQ(session().run.LastStopReason(), StopReason::ModeEnd);
  EXPECT_EQ(session().run.ClocksThisRun(), 255u);
  EXPECT_FALSE(window->frontend().Timer().isActive());
  EXPECT_EQ(Find<QLineEdit>("EdAL")->text(), QStringLiteral("00"));
}

TEST_F(StartTest, FilesAndStartOptionRunTheProgramToItsHalt) {
  const std::vector<std::string> files = {ExamplePath("firmware.mpd"), ExamplePath("bubble.ras")};
  // The bytes the program sorts, as the file brings them.
  QuietFrontend quiet;
  Session loaded(quiet);
  loaded.FormCreate(files);
  std::vector<uint8_t> want(loaded.machine.Ram.begin() + 0xF0, loaded.machine.Ram.end());
  std::sort(want.begin(), want.end());
  ASSERT_NE(std::vector<uint8_t>(loaded.machine.Ram.begin() + 0xF0, loaded.machine.Ram.end()),
            want);

  Create({files[0], files[1], "/S", "/0"});
  EXPECT_EQ(session().run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(std::vector<uint8_t>(session().machine.Ram.begin() + 0xF0, session().machine.Ram.end()),
            want);
  // As many clocks as the same start takes without a window.
  Session headless(quiet);
  headless.FormCreate({files[0], files[1], "/S", "/0"});
  headless.run.RunToEnd();
  EXPECT_EQ(headless.run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(session().run.ClocksThisRun(), headless.run.ClocksThisRun());
  EXPECT_GT(session().run.ClocksThisRun(), 1000u);
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("FF"));
  EXPECT_EQ(Find<QLineEdit>("EdIP")->text(), QStringLiteral("34"));
  EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("firmware.mpd")));
  EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("bubble.ras")));
}

TEST_F(StartTest, StartOptionWithAClockTimeRunsOnTheTimer) {
  Create({"/S", "/4"});  // 10 ms
  EXPECT_TRUE(window->frontend().Timer().isActive());
  EXPECT_EQ(window->frontend().Timer().interval(), 10);
}

}  // namespace
}  // namespace vellar::ui::testing
