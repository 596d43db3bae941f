#include <QImage>
#include <QPushButton>
#include <QTest>

#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kPanel = qRgb(192, 220, 192);

class PictureTest : public WindowTest {
 protected:
  // AX = 01, gates 1 and 0 opened by hand, two bus phases: the input phase leaves gate 0's
  // path highlighted with the ALU value 01 that went into AX.
  void HighlightGateZero() {
    session().registers.EdRegChange(AX, "01");
    QTest::mouseClick(Find<QPushButton>("Tor_1"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("Tor_0"), Qt::LeftButton);
    auto* busClock = Find<QPushButton>("BuPhase");
    QTest::mouseClick(busClock, Qt::LeftButton);
    session().run.TimerTimer();  // the tick that closes the output gates
    QTest::mouseClick(busClock, Qt::LeftButton);
    ASSERT_EQ(session().machine.Regs[AX], 0x01);
    ASSERT_TRUE(session().machine.GateOpen(0));
    Settle();
  }
  QImage Picture() { return Find("PaRegister")->grab().toImage(); }
};

TEST_F(PictureTest, EightLinesShowTheBitsOfTheValue) {
  HighlightGateZero();
  const QImage image = Picture();
  // The bit-0 line runs (113, 197), (35, 197), (35, 282), (280, 282), (280, 265).
  EXPECT_EQ(image.pixel(50, 197), kYellow);
  EXPECT_EQ(image.pixel(35, 240), kYellow);
  EXPECT_EQ(image.pixel(200, 282), kYellow);
  EXPECT_EQ(image.pixel(280, 270), kYellow);
  // Bit 1 lies two pixels inside, bit 7 on the other edge of the bus; between them the panel.
  EXPECT_EQ(image.pixel(50, 195), kRed);
  EXPECT_EQ(image.pixel(50, 183), kRed);
  EXPECT_EQ(image.pixel(50, 196), kPanel);
  // Gate 1's path, un-highlighted after its output phase, is black again.
  EXPECT_EQ(image.pixel(200, 197), kBlack);
}

TEST_F(PictureTest, OneLineModeDrawsOneThickLineAndTheToggleLeavesItBlack) {
  window->MenuClick("MeBus_8");
  Settle();
  EXPECT_EQ(Picture().pixel(50, 190), kBlack);
  HighlightGateZero();
  const QImage image = Picture();
  for (int y = 189; y <= 191; ++y) EXPECT_EQ(image.pixel(50, y), kYellow) << y;
  EXPECT_EQ(image.pixel(50, 187), kPanel);
  EXPECT_EQ(image.pixel(50, 193), kPanel);
  EXPECT_EQ(image.pixel(50, 197), kPanel);

  window->MenuClick("MeBus_8");
  Settle();
  EXPECT_EQ(Picture().pixel(50, 197), kBlack);
}

TEST_F(PictureTest, ArrowsTakeTheColourOfTheLastLine) {
  window->MenuClick("MePfeil");  // arrows on
  HighlightGateZero();
  // Arrow 1 points right at (Xout + 50, Yres); the last line drawn was bit 7, red.
  EXPECT_EQ(Picture().pixel(342, 289), kRed);
  window->MenuClick("MePfeil");
  Settle();
  EXPECT_EQ(Picture().pixel(342, 289), kPanel);
}

}  // namespace
}  // namespace vellar::ui::testing
