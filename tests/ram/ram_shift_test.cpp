#include <gtest/gtest.h>

#include <array>

#include "ram/ram_shift.h"

namespace vellar {
namespace {

class Bytes : public RamAccess {
 public:
  uint8_t ReadRam(int a) const override { return b[a & 0xFF]; }
  void WriteRam(int a, int v) override { b[a & 0xFF] = static_cast<uint8_t>(v); }
  void Line(int l, uint8_t op, uint8_t nn) {
    b[2 * l] = op;
    b[2 * l + 1] = nn;
  }
  std::array<uint8_t, 256> b{};
};

// Lines 0 to 5 are instructions, line 6 is empty, lines 7 and 8 hold data.
class RamShiftTest : public ::testing::Test {
 protected:
  RamShiftTest() {
    mps.SetDescription(0x20, "LDA [nn]");
    mps.SetDescription(0x21, "JMP nn");
    mps.SetDescription(0x22, "ADD nn");
    mps.SetDescription(0x23, "jump nn");  // lower-case j: no address
    ram.Line(0, 0x20, 0x0E);              // data at 0E
    ram.Line(1, 0x21, 0x04);
    ram.Line(2, 0x22, 0x05);
    ram.Line(3, 0x21, 0x0A);
    ram.Line(4, 0x23, 0x06);
    ram.Line(5, 0x21, 0x02);
    ram.Line(7, 0x05, 0x55);
    ram.Line(8, 0x06, 0x66);
  }
  MpsStore mps;
  Bytes ram;
};

TEST_F(RamShiftTest, InsertAtLineTwoMovesTheCodeBlockOnly) {
  InsertRamLine(ram, mps, 2);
  EXPECT_EQ(ram.b[4], 0x00);
  EXPECT_EQ(ram.b[5], 0x00);
  EXPECT_EQ(ram.b[6], 0x22);   // old line 2 now line 3
  EXPECT_EQ(ram.b[3], 0x06);   // JMP 04 -> 06
  EXPECT_EQ(ram.b[9], 0x0C);   // JMP 0A -> 0C (old line 3, now 4)
  EXPECT_EQ(ram.b[11], 0x06);  // lower-case jump keeps 06
  EXPECT_EQ(ram.b[13], 0x02);  // JMP 02 points below the cursor line
  EXPECT_EQ(ram.b[1], 0x0E);   // data address 0E stays
  EXPECT_EQ(ram.b[14], 0x05);  // data at 0E stays
}

TEST_F(RamShiftTest, DeleteAtLineTwoMovesTheBlockUp) {
  DeleteRamLine(ram, mps, 2);
  EXPECT_EQ(ram.b[4], 0x21);   // old line 3 now line 2
  EXPECT_EQ(ram.b[5], 0x08);   // JMP 0A -> 08
  EXPECT_EQ(ram.b[3], 0x02);   // JMP 04 (the deleted line) -> 02
  EXPECT_EQ(ram.b[10], 0x00);  // line 5 cleared
  EXPECT_EQ(ram.b[11], 0x00);
  EXPECT_EQ(ram.b[14], 0x05);  // data unmoved
}

TEST_F(RamShiftTest, InsertOnTheEmptyLineMovesTheData) {
  InsertRamLine(ram, mps, 6);
  EXPECT_EQ(ram.b[16], 0x05);  // line 7 -> 8
  EXPECT_EQ(ram.b[18], 0x06);  // line 8 -> 9
  EXPECT_EQ(ram.b[14], 0x00);
  EXPECT_EQ(ram.b[1], 0x10);  // LDA [0E] -> [10]
  EXPECT_EQ(ram.b[7], 0x0A);  // JMP 0A is below 0C: unchanged
}

TEST_F(RamShiftTest, DeleteOnTheLastCodeLineMovesTheRestOfMemory) {
  ram.b[254] = 0x77;
  DeleteRamLine(ram, mps, 5);
  EXPECT_EQ(ram.b[10], 0x00);  // old line 6 (empty) now line 5
  EXPECT_EQ(ram.b[12], 0x05);  // data moved up
  EXPECT_EQ(ram.b[252], 0x77);
  EXPECT_EQ(ram.b[254], 0x00);
  EXPECT_EQ(ram.b[1], 0x0C);  // LDA [0E] -> [0C]
  EXPECT_EQ(ram.b[7], 0x08);  // JMP 0A -> 08
}

TEST_F(RamShiftTest, DeleteWithoutCodeMovesEverythingAndCorrectsNothing) {
  Bytes plain;
  plain.Line(1, 0x21, 0x04);
  plain.b[255] = 0x99;
  DeleteRamLine(plain, mps, 0);
  EXPECT_EQ(plain.b[0], 0x21);
  EXPECT_EQ(plain.b[1], 0x04);
  EXPECT_EQ(plain.b[253], 0x99);
}

}  // namespace
}  // namespace vellar
