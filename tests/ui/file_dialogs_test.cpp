// The file commands as the window shows them: the dialogs' filters, default extensions and
// start directories, and the questions before a load and before an overwrite.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/qt_frontend.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

class FileDialogsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    session().files.mpsDialogDir = dir.path().toStdString();
    session().files.ramDialogDir = dir.path().toStdString();
  }
  void Key(Qt::Key key) {
    QTest::keyClick(window.get(), key);
    // Shortcuts reach the active window only, and a closed dialog leaves none active here.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Settle();
  }
  QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir{QStringLiteral(VELLAR_TEST_TMP "/files-XXXXXX")};
};

const QStringList kRamFilters = {
    QStringLiteral("Assem(.ras) Daten(.rad); Vellar(.ram); Ombra(.erm) (*.ras *.rad *.ram *.erm)"),
    QStringLiteral("RAM als AssemblerTxt (*.ras)"), QStringLiteral("RAM als DatenByteTxt (*.rad)"),
    QStringLiteral("RAM im Vellar-Format-32 (*-ram) (*.ram)"),
    QStringLiteral("RAM im Ombra-Format-256 (*-erm) (*.erm)")};

TEST_F(FileDialogsTest, LoadingAChangedMpsAnsweredYesSavesInsteadOfLoading) {
  session().mps.SetMpsGate(1, 0, true);
  ASSERT_TRUE(session().mps.MpsModified());
  answers.Expect(QMessageBox::Yes);
  // No extension typed: the dialog's default one is added.
  answers.ExpectFileDialog(dir.filePath(QStringLiteral("prog")));
  Key(Qt::Key_F2);

  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[0], QStringLiteral("Mps speichern ?"));
  // The save dialog, and no open dialog after it.
  ASSERT_EQ(answers.fileDialogs.size(), 1u);
  const auto& seen = answers.fileDialogs[0];
  EXPECT_TRUE(seen.save);
  EXPECT_EQ(seen.filters,
            QStringList({QStringLiteral("MPS -Daten(.mpd) -Vellar(.mps) (*.mpd *.mps)"),
                         QStringLiteral("MPS als Daten zum Druck (*.mpd)"),
                         QStringLiteral("MPS im Vellar-Format (*.mps)")}));
  EXPECT_EQ(seen.selectedFilter, seen.filters.value(0));
  EXPECT_EQ(seen.defaultSuffix, QStringLiteral("mpd"));
  EXPECT_EQ(seen.directory, dir.path());

  const QByteArray saved = Contents(dir.filePath(QStringLiteral("prog.mpd")));
  EXPECT_TRUE(saved.startsWith("; VellarD-Programm-Speicher: \r\n;\r\nAD Befehl")) << saved.data();
  EXPECT_TRUE(saved.contains("\r\n00                           . 1 . .")) << saved.data();
  EXPECT_FALSE(session().mps.MpsModified());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Mikroprozessor Simulation - prog.mpd - "));

  // Nothing changed since: the next load opens the dialog at once.
  answers.ExpectFileDialog();
  Key(Qt::Key_F2);
  ASSERT_EQ(answers.fileDialogs.size(), 2u);
  EXPECT_FALSE(answers.fileDialogs[1].save);
}

TEST_F(FileDialogsTest, SavingOntoAnExistingFileAnsweredNoWritesNothing) {
  const QString path = dir.filePath(QStringLiteral("alt.rad"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alt\r\n");
  }
  session().memory.WriteRam(0x10, 0x42);
  answers.ExpectFileDialog(path);
  answers.Expect(QMessageBox::No);
  Key(Qt::Key_F6);

  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[1], path + QStringLiteral(" überschreiben ?"));
  EXPECT_EQ(Contents(path), QByteArray("alt\r\n"));
  EXPECT_TRUE(session().memory.RamChanged());
  EXPECT_EQ(session().files.RamFileName(), "");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Mikroprozessor Simulation"));
}

TEST_F(FileDialogsTest, RamDialogsOfferTheFormatOfTheView) {
  struct Case {
    int item;
    QString suffix;
    int saveFilter;
  };
  for (const Case& c : {Case{RamView::kDataItem, QStringLiteral("rad"), 2},
                        Case{RamView::kAssemblerItem, QStringLiteral("ras"), 1}}) {
    session().ramView.SelectItem(c.item);
    Settle();
    answers.fileDialogs.clear();
    answers.ExpectFileDialog();
    answers.ExpectFileDialog();
    Key(Qt::Key_F5);
    Key(Qt::Key_F6);
    ASSERT_EQ(answers.fileDialogs.size(), 2u);
    const auto& open = answers.fileDialogs[0];
    const auto& save = answers.fileDialogs[1];
    EXPECT_FALSE(open.save);
    EXPECT_TRUE(save.save);
    for (const auto* seen : {&open, &save}) {
      EXPECT_EQ(seen->filters, kRamFilters);
      EXPECT_EQ(seen->defaultSuffix, c.suffix);
      EXPECT_EQ(seen->directory, dir.path());
    }
    EXPECT_EQ(open.selectedFilter, kRamFilters[0]);
    EXPECT_EQ(save.selectedFilter, kRamFilters[c.saveFilter]) << c.suffix.toStdString();
  }
}

}  // namespace
}  // namespace vellar::ui::testing
