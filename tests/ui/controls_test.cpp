#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <chrono>

#include "ui/key_hook_filter.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

using ControlsTest = WindowTest;

QRgb Centre(QWidget* button) {
  return button->grab().toImage().pixel(11, 11);
}

TEST_F(ControlsTest, GateButtonClickOpensTheGateAndChangesPictureAndHint) {
  auto* tor1 = Find<QPushButton>("Tor_1");
  EXPECT_EQ(tor1->toolTip(), QStringLiteral("Tor öffnen"));
  EXPECT_EQ(qGreen(Centre(tor1)), 0);  // the red arrow
  QTest::mouseClick(tor1, Qt::LeftButton);
  Settle();
  EXPECT_TRUE(session().machine.GateOpen(1));
  EXPECT_EQ(tor1->toolTip(), QStringLiteral("Tor schließen"));
  EXPECT_EQ(qRed(Centre(tor1)), 0);  // the green arrow
  EXPECT_GT(qGreen(Centre(tor1)), 100);

  // Gate D turns the ALU's plus into a minus; gate B greys every other button.
  for (const char* gate : {"Tor_1", "Tor_D"}) {
    QTest::mouseClick(Find<QPushButton>(gate), Qt::LeftButton);
    Settle();
  }
  EXPECT_FALSE(Find("ShPlus")->isVisible());
  for (const char* gate : {"Tor_D", "Tor_B"}) {
    QTest::mouseClick(Find<QPushButton>(gate), Qt::LeftButton);
    Settle();
  }
  EXPECT_TRUE(Find("ShPlus")->isVisible());
  EXPECT_FALSE(Find("Tor_0")->isEnabled());
  EXPECT_FALSE(Find("Tor_F")->isEnabled());
  EXPECT_TRUE(Find("Tor_B")->isEnabled());
}

TEST_F(ControlsTest, SliderKeysChangeTheLabel) {
  auto* slider = Find<QSlider>("TrZeit");
  auto* label = Find<QLabel>("LaZeit");
  // The system's decimal separator, though the window's own language is German; the tests
  // run with the C locale, whose separator is a point.
  const QString separator = QLocale::system().decimalPoint();
  EXPECT_EQ(label->text(), QStringLiteral("Takt&zeit:  0") + separator + QStringLiteral("5 s"));
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Home);
  Settle();
  EXPECT_EQ(label->text(), QStringLiteral("&Zeit:  zu schnell"));
  QTest::keyClick(slider, Qt::Key_PageDown);
  EXPECT_EQ(label->text(), QStringLiteral("&Zeit:  schneller"));
  QTest::keyClick(slider, Qt::Key_Up);
  EXPECT_EQ(label->text(), QStringLiteral("&Zeit:  sehr schnell"));
  QTest::keyClick(slider, Qt::Key_PageDown);
  QTest::keyClick(slider, Qt::Key_PageDown);
  EXPECT_EQ(label->text(), QStringLiteral("Takt&zeit:  0") + separator + QStringLiteral("02 s"));
  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_EQ(label->text(), QStringLiteral("Takt&zeit:  10 s"));
  EXPECT_EQ(session().run.TimerInterval(), 10000);
}

TEST_F(ControlsTest, GateControlShowsTheButtonsOfItsMode) {
  EXPECT_TRUE(Find("BuPhase")->isVisible());
  EXPECT_FALSE(Find("BuBisHalt")->isVisible());
  Find("RaTor")->findChildren<QRadioButton*>().at(0)->click();
  Settle();
  EXPECT_TRUE(session().run.GatesAutomatic());
  EXPECT_FALSE(Find("BuPhase")->isVisible());
  EXPECT_TRUE(Find("BuBisHalt")->isVisible());
  EXPECT_TRUE(Find("Tor_F")->isEnabled());
}

// Counts the key presses a widget receives.
class KeyCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) ++presses;
    return false;
  }
  int presses = 0;
};

TEST_F(ControlsTest, CtrlWithADigitOpensTheGateAndTheGridStillGetsTheKey) {
  Find("GrRam")->setFocus();
  QWidget* grid = Focused();  // the cell editor
  KeyCounter counter;
  grid->installEventFilter(&counter);
  // QTest presses and releases Ctrl around the digit.
  QTest::keyClick(grid, Qt::Key_5, Qt::ControlModifier);
  EXPECT_TRUE(session().machine.GateOpen(5));
  EXPECT_EQ(counter.presses, 2);  // Ctrl and 5
}

TEST(KeyHookFilterTest, CtrlWithADigitKeyIsThatDigitWhateverShiftMakesOfIt) {
  struct Case {
    const char* platform;
    Qt::Key key;  // the symbol the layout gives
    quint32 scanCode;
    quint32 virtualKey;
    Qt::KeyboardModifiers modifiers;
    int digit;  // -1: no gate key
  };
  const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
  for (const Case& c : {
           Case{"xcb", Qt::Key_Exclam, 10, '!', ctrlShift, 1},       // Shift+1
           Case{"xcb", Qt::Key_section, 12, 0xa7, ctrlShift, 3},     // German Shift+3
           Case{"xcb", Qt::Key_Equal, 19, '=', ctrlShift, 0},        // German Shift+0
           Case{"xcb", Qt::Key_7, 16, '7', Qt::ControlModifier, 7},  // no Shift
           Case{"xcb", Qt::Key_1, 87, '1', Qt::KeypadModifier, -1},  // the keypad's 1
           Case{"xcb", Qt::Key_Exclam, 0, 0, ctrlShift, -1},         // no key number
           Case{"wayland", Qt::Key_Dollar, 13, '$', ctrlShift, 4},   // Shift+4
           Case{"windows", Qt::Key_Slash, 8, '7', ctrlShift, 7},     // German Shift+7
           Case{"windows", Qt::Key_1, 79, 0x61, Qt::KeypadModifier, -1},
           Case{"offscreen", Qt::Key_9, 0, 0, Qt::ControlModifier, 9},
           Case{"xcb", Qt::Key_C, 54, 'C', ctrlShift, 0xC},  // letters with Shift
       }) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, c.virtualKey, 0);
    const KeyMessage m = KeyHookFilter::Translate(event, QString::fromLatin1(c.platform));
    SCOPED_TRACE(std::string(c.platform) + " " + std::to_string(c.scanCode));
    EXPECT_EQ(m.key, c.digit < 0 ? KeyCode::Other : KeyCode::HexDigit);
    if (c.digit >= 0) {
      EXPECT_EQ(m.hexDigit, c.digit);
    }
  }
}

TEST_F(ControlsTest, SpaceRunsAClockButNotInTheGrids) {
  session().TorClick(1);
  session().TorClick(7);
  session().TorClick(0);
  session().run.SetSliderPosition(0);
  auto* edBX = Find<QLineEdit>("EdBX");
  edBX->setFocus();
  Settle();  // entering the field selects its text, so a blank would replace it
  QTest::keyClick(edBX, Qt::Key_Space);
  Settle();
  EXPECT_EQ(session().machine.Regs[AX], 1);
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("01"));
  EXPECT_EQ(edBX->text(), QStringLiteral("00"));  // the field never saw the blank

  session().TorClick(1);
  session().TorClick(7);
  session().TorClick(0);
  Find("GrMps")->setFocus();
  QTest::keyClick(Find("GrMps"), Qt::Key_Space);
  EXPECT_EQ(session().machine.Regs[AX], 1);
}

TEST_F(ControlsTest, AltLetterFocusesTheRegisterField) {
  QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Find("EdIP"));
  QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Find("EdAR"));
  QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Find("EdBX"));
  QTest::keyClick(window.get(), Qt::Key_M, Qt::AltModifier);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->parentWidget(), Find("RaRam"));
}

TEST_F(ControlsTest, PortraitAndItsTextSwapOnAClickAndInfoShowsItsText) {
  auto* portrait = Find<QLabel>("ImBild");
  EXPECT_FALSE(portrait->pixmap().isNull());
  EXPECT_FALSE(Find("MoBild")->isVisible());
  QTest::mouseClick(portrait, Qt::LeftButton);
  EXPECT_FALSE(portrait->isVisible());
  EXPECT_TRUE(Find("MoBild")->isVisible());
  QTest::mouseClick(Find("MoBild"), Qt::LeftButton);
  EXPECT_TRUE(portrait->isVisible());

  answers.Expect(QMessageBox::Ok);
  window->MenuClick("MeInfo");
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(
      answers.texts[0].startsWith(QStringLiteral("Mikroprozessor Simulation mit Torsteuerung.\n")));
  EXPECT_TRUE(answers.texts[0].endsWith(QStringLiteral("\nVersion " VELLAR_VERSION)))
      << answers.texts[0].toStdString();
}

TEST_F(ControlsTest, FunctionKeysReachTheirCommands) {
  session().registers.EdRegChange(BX, "42");
  QTest::keyClick(window.get(), Qt::Key_F9);
  Settle();
  EXPECT_EQ(session().machine.Regs[BX], 0);
  EXPECT_EQ(Find<QLineEdit>("EdBX")->text(), QStringLiteral("00"));

  // F1 opens the help; F2, F3, F5 and F6 open the file dialogs.
  QString help;
  answers.ExpectDialog([&](QDialog* dialog) {
    help = dialog->windowTitle();
    dialog->reject();
  });
  for (int i = 0; i < 4; ++i) answers.ExpectFileDialog();
  for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F6}) {
    QTest::keyClick(window.get(), key);
    // Shortcuts reach the active window only.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  EXPECT_EQ(help, QStringLiteral("VellarD Hilfe"));
  ASSERT_EQ(answers.texts.size(), 4u);
  for (int i : {0, 1}) EXPECT_TRUE(answers.texts[i].contains(QStringLiteral("*.mpd"))) << i;
  for (int i : {2, 3}) EXPECT_TRUE(answers.texts[i].contains(QStringLiteral("*.ras"))) << i;
}

TEST_F(ControlsTest, InvalidEntryMessageIsAnsweredAndTheCharacterGoes) {
  auto* edAX = Find<QLineEdit>("EdAX");
  edAX->setFocus();
  edAX->clear();
  answers.Expect(QMessageBox::Ok);
  QTest::keyClick(edAX, Qt::Key_G);
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], QStringLiteral("Eingabe ist ungültig\nEingabe wiederholen"));
  EXPECT_EQ(edAX->text(), QString());
  EXPECT_EQ(session().machine.Regs[AX], 0);
  QTest::keyClick(edAX, Qt::Key_A);
  EXPECT_EQ(edAX->text(), QStringLiteral("A"));
  EXPECT_EQ(session().machine.Regs[AX], 0x0A);
}

TEST_F(ControlsTest, QuestionsAreAnsweredYesOrNo) {
  answers.Expect(QMessageBox::No);
  EXPECT_FALSE(window->frontend().AskYesNo("Mps speichern ?"));
  answers.Expect(QMessageBox::Yes);
  EXPECT_TRUE(window->frontend().AskYesNo("Ram speichern ?"));
  EXPECT_EQ(answers.texts.back(), QStringLiteral("Ram speichern ?"));
  ASSERT_EQ(answers.boxes.size(), 2u);
  for (const auto& box : answers.boxes) {
    EXPECT_EQ(box.buttons, QStringList({QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_FALSE(box.hasPixmap);
  }
}

TEST_F(ControlsTest, PacedRunGoesOnTheTimerAndEndsWithTheInstruction) {
  // One instruction: AX := AX + 1 at address 0, then back to address 0.
  for (int g : {1, 7, 0}) session().mps.SetMpsGate(g, 0, true);
  session().mps.SetNextAddressText(1, "00");
  session().run.SetGatesAutomatic(true);
  session().run.SetSliderPosition(1);  // 10 ms
  Settle();
  QTest::mouseClick(Find<QPushButton>("BuBefehl"), Qt::LeftButton);
  EXPECT_TRUE(window->frontend().Timer().isActive());
  EXPECT_EQ(window->frontend().Timer().interval(), 10);
  QTRY_VERIFY_WITH_TIMEOUT(!window->frontend().Timer().isActive(), 2000);
  Settle();
  EXPECT_EQ(session().machine.Regs[AX], 1);
  EXPECT_EQ(Find<QLineEdit>("EdAX")->text(), QStringLiteral("01"));
  EXPECT_EQ(session().phases.CurrentRow, 1);
}

TEST_F(ControlsTest, ClosingDuringAnUnpacedRunEndsTheRunAsPauseDoes) {
  // Address 0 continues at 0 for ever: "bis Halt" never halts.
  session().mps.SetNextAddressText(0, "00");
  session().mps.SetDescription(0, "Schleife");
  session().run.SetGatesAutomatic(true);
  session().run.SetSliderPosition(-3);
  Settle();
  const auto start = std::chrono::steady_clock::now();
  QTest::mouseClick(Find<QPushButton>("BuBisHalt"), Qt::LeftButton);
  // The click only starts the run; its slices come from the event loop.
  EXPECT_TRUE(session().run.Running());
  EXPECT_TRUE(window->frontend().SliceTimer().isActive());
  // Once the run has ended, the close asks about the edited micro-program.
  answers.Expect(QMessageBox::No);
  QTimer::singleShot(50, window.get(), [this] { window->close(); });
  QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 1000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_FALSE(session().run.Running());
  EXPECT_EQ(session().run.LastStopReason(), StopReason::Pause);
  EXPECT_GT(session().run.ClocksThisRun(), 0u);
  EXPECT_FALSE(window->frontend().SliceTimer().isActive());
  EXPECT_EQ(answers.texts, std::vector<QString>({QStringLiteral("Mps speichern ?")}));
}

// Saving as .ras shows the assembler view, as .rad the data view: the radio buttons follow.
TEST_F(ControlsTest, TheRamViewButtonsFollowTheViewASaveSwitchesTo) {
  TempDir dir;
  auto* raRam = Find("RaRam");
  const auto checked = [&] {
    for (auto* item : raRam->findChildren<QRadioButton*>()) {
      if (item->isChecked()) return item->text();
    }
    return QString();
  };
  EXPECT_EQ(checked(), QStringLiteral("Daten"));
  for (const char* name : {"a.ras", "a.rad", "b.ras"}) {
    ASSERT_TRUE(session().files.SaveRamFile(dir / name));
    Settle();
    EXPECT_EQ(checked(), name[4] == 's' ? QStringLiteral("Assembler") : QStringLiteral("Daten"))
        << name;
  }
}

TEST_F(ControlsTest, ClosingWithUnsavedWorkAsksAndMayBeCalledOff) {
  window->show();
  Settle();
  session().mpsEditor.GrMpsSetEditText(MpsStore::kDescriptionColumn, 4, "neu");
  session().ramEditor.GrRamSetEditText(1, 1, "7F");
  answers.Expect(QMessageBox::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0].buttons, QStringList({QStringLiteral("&Ja"), QStringLiteral("&Nein"),
                                                   QStringLiteral("Abbrechen")}));
  EXPECT_EQ(answers.boxes[0].icon, QMessageBox::NoIcon);
  answers.Expect(QMessageBox::No);
  answers.Expect(QMessageBox::No);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(answers.texts, std::vector<QString>({QStringLiteral("Mps speichern ?"),
                                                 QStringLiteral("Mps speichern ?"),
                                                 QStringLiteral("Ram speichern ?")}));
}

}  // namespace
}  // namespace vellar::ui::testing
