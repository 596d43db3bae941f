// Which value each bus of the picture carries, without a window.
#include <gtest/gtest.h>

#include "app/path_values.h"

namespace vellar {
namespace {

// AX .. DR and the ALU value all different, sign flag set.
constexpr std::array<uint8_t, kRegCount> kRegs = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6, 0x17};

struct Shown {
  PathPicture picture;
  uint8_t value;
  int lines;
};

std::vector<Shown> BusesOf(int gate, int busLines) {
  const GatePath& path = GatePathOf(gate);
  std::vector<Shown> shown;
  for (int i = 0; i < path.count; ++i) {
    const PathBus& bus = path.buses[i];
    shown.push_back({bus.picture, PathValue(bus.source, kRegs, true), PathLines(bus, busLines)});
  }
  return shown;
}

TEST(PathValuesTest, LoadingGatesShowTheAluValueAndOutputGatesTheirRegister) {
  const uint8_t expected[] = {0x17, 0xA1, 0x17, 0xB2, 0x17, 0xC3, 0x17};  // gates 0 to 6
  for (int g = 0; g <= 6; ++g) {
    const auto buses = BusesOf(g, 8);
    ASSERT_EQ(buses.size(), 1u) << g;
    EXPECT_EQ(buses[0].picture, PathPicture::Register) << g;
    EXPECT_EQ(buses[0].value, expected[g]) << g;
    EXPECT_EQ(buses[0].lines, 8) << g;
  }
  EXPECT_EQ(BusesOf(0xF, 8)[0].value, 0xD4);  // OP to the sequencer
}

TEST(PathValuesTest, GateAShowsTheAluOnTheRegisterSideAndDrOnTheBusSide) {
  const auto a = BusesOf(0xA, 8);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].picture, PathPicture::Register);
  EXPECT_EQ(a[0].value, 0x17);
  EXPECT_EQ(a[1].picture, PathPicture::Bus);
  EXPECT_EQ(a[1].value, 0xF6);
  // Gate 8 shows AR on both sides, gate 9 DR on both.
  const auto eight = BusesOf(8, 8);
  EXPECT_EQ(eight[0].value, 0xE5);
  EXPECT_EQ(eight[1].value, 0xE5);
  const auto nine = BusesOf(9, 8);
  EXPECT_EQ(nine[0].value, 0xF6);
  EXPECT_EQ(nine[1].value, 0xF6);
}

TEST(PathValuesTest, MemoryGatesShowDrThenArOnTheBusPicture) {
  for (int g : {0xB, 0xC}) {
    const auto buses = BusesOf(g, 1);
    ASSERT_EQ(buses.size(), 2u);
    EXPECT_EQ(buses[0].picture, PathPicture::Bus);
    EXPECT_EQ(buses[0].value, 0xF6);
    EXPECT_EQ(buses[1].picture, PathPicture::Bus);
    EXPECT_EQ(buses[1].value, 0xE5);
    EXPECT_EQ(buses[1].lines, 1);
  }
}

TEST(PathValuesTest, ConstantsAndTheSignFlag) {
  // Gate 7 carries 1 and follows BusLines; D carries 1 and E the sign, always on one line.
  EXPECT_EQ(BusesOf(7, 8)[0].value, 1);
  EXPECT_EQ(BusesOf(7, 8)[0].lines, 8);
  EXPECT_EQ(BusesOf(0xD, 8)[0].value, 1);
  EXPECT_EQ(BusesOf(0xD, 8)[0].lines, 1);
  EXPECT_EQ(BusesOf(0xE, 8)[0].value, 1);
  EXPECT_EQ(BusesOf(0xE, 8)[0].lines, 1);
  EXPECT_EQ(PathValue(GatePathOf(0xE).buses[0].source, kRegs, false), 0);
}

}  // namespace
}  // namespace vellar
