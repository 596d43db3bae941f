// The help dialog: its size and place when it opens, its text, its buttons and how they keep
// to the bottom when the dialog is resized; and "&Ende", which closes the window.
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "ui/help_dialog.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

class HelpTest : public WindowTest {
 protected:
  // Opens the help with F1 and hands it to the check, which must close it.
  void OpenHelp(const std::function<void(TDlgHelp&)>& check) {
    bool seen = false;
    answers.ExpectDialog([&](QDialog* dialog) {
      seen = true;
      auto* help = dynamic_cast<TDlgHelp*>(dialog);
      if (help == nullptr) {
        ADD_FAILURE() << "not the help dialog";
        dialog->reject();
        return;
      }
      check(*help);
      if (help->isVisible()) help->reject();
    });
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_TRUE(seen);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
};

TEST_F(HelpTest, OpensAtItsSizeOverTheWindowWithTheTextAtTheTop) {
  OpenHelp([&](TDlgHelp& help) {
    EXPECT_EQ(help.windowTitle(), QStringLiteral("VellarD Hilfe"));
    EXPECT_EQ(help.size() + TFoSim::kFrame, QSize(480, 500));
    const QPoint offset = help.geometry().center() - window->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 40) << offset.x() << "," << offset.y();
    QPlainTextEdit* memo = help.Memo1();
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("Hilfe für VellarD ")));
    EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("\nAutoren\n-------\n")));
    EXPECT_EQ(memo->verticalScrollBar()->value(), 0);
    EXPECT_GT(memo->verticalScrollBar()->maximum(), 0);
    // The offscreen platform does not activate a new dialog by itself.
    QApplication::setActiveWindow(&help);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    EXPECT_EQ(QApplication::focusWidget(), help.OKBtn());
  });
}

TEST_F(HelpTest, ButtonsKeepToTheBottomWhenResized) {
  OpenHelp([&](TDlgHelp& help) {
    for (const QSize size : {QSize(472, 469), QSize(700, 620), QSize(400, 180)}) {
      help.resize(size);
      QCoreApplication::processEvents();
      ASSERT_EQ(help.size(), size);
      for (const QPushButton* button : {help.OKBtn(), help.CancelBtn()}) {
        EXPECT_EQ(button->y(), size.height() - 30) << size.height();
        EXPECT_EQ(button->size(), QSize(75, 25));
      }
      EXPECT_EQ(help.OKBtn()->x(), 143);
      EXPECT_EQ(help.CancelBtn()->x(), 227);
      EXPECT_EQ(help.Panel1()->geometry(), QRect(0, 0, size.width(), size.height() - 40));
      EXPECT_EQ(help.Memo1()->geometry(), QRect(QPoint(0, 0), help.Panel1()->size()));
    }
  });
}

TEST_F(HelpTest, EnterClosesThroughOkAndEscThroughCancel) {
  for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted},
                                    std::pair{Qt::Key_Escape, QDialog::Rejected}}) {
    OpenHelp([&](TDlgHelp& help) {
      QTest::keyClick(&help, key);
      EXPECT_FALSE(help.isVisible());
      EXPECT_EQ(help.result(), result);
    });
  }
}

TEST_F(HelpTest, EndeAsksAboutUnsavedWorkAndThenCloses) {
  session().mps.SetMpsGate(1, 0, true);
  session().memory.WriteRam(0, 0x42);
  auto* ende = window->findChild<QAction*>(QStringLiteral("MeEnde"));
  ASSERT_NE(ende, nullptr);
  answers.Expect(QMessageBox::No);
  answers.Expect(QMessageBox::No);
  ende->trigger();
  Settle();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(answers.texts, std::vector<QString>({QStringLiteral("Mps speichern ?"),
                                                 QStringLiteral("Ram speichern ?")}));
}

}  // namespace
}  // namespace vellar::ui::testing
