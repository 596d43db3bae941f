#include <gtest/gtest.h>

#include "ram/ram_cell_look.h"

namespace vellar {
namespace {

class RamCellLookTest : public ::testing::Test {
 protected:
  RamCellLookTest() {
    ram[0x3F] = 0x12;
    grid.ShowRamData(ram);
    variables.Append("3F", "zaehler");
  }
  CellLook Look(int col, int row, uint8_t ip = 0) const {
    return RamCellLook(grid, variables, ip, col, row);
  }
  MpsStore mps;
  RamGrid grid{mps};
  RamGrid::Bytes ram{};
  VariableList variables;
};

TEST_F(RamCellLookTest, VariablesAreMarkedInBothViewsAndIpOnlyInTheAssemblerView) {
  EXPECT_EQ(Look(16, 4).fill, kVariableBlue);  // 3F in the data view
  EXPECT_EQ(Look(16, 4).textColour, kBlack);
  EXPECT_FALSE(Look(15, 4).fill);
  EXPECT_FALSE(Look(0, 4).fill);
  EXPECT_FALSE(Look(1, 1, 0x00).fill);  // no IP line in the data view
  grid.ShowRamAssembler(ram);
  EXPECT_EQ(Look(2, 32).fill, kVariableBlue);  // 3F: line 3E, column "nn"
  EXPECT_FALSE(Look(1, 32).fill);
  // IP = 05 marks the line labelled 04, every column; it wins over the variable colour.
  for (int col = 0; col < 4; ++col) EXPECT_EQ(Look(col, 3, 0x05).fill, kIpBlue) << col;
  EXPECT_EQ(Look(2, 32, 0x3E).fill, kIpBlue);
  EXPECT_EQ(Look(0, 128, 0xFF).fill, kIpBlue);
  EXPECT_FALSE(Look(0, 0, 0xFF).fill);
}

TEST_F(RamCellLookTest, TextsAndAlignment) {
  grid.SetCellText(3, 1, "7");
  grid.SetCellText(4, 1, "");
  grid.SetCellText(5, 1, "123");
  EXPECT_EQ(Look(3, 1).text, "07");
  EXPECT_EQ(Look(4, 1).text, "00");
  EXPECT_EQ(Look(5, 1).text, "23");
  EXPECT_EQ(Look(0, 0).text, "RAD");
  EXPECT_EQ(Look(0, 2).text, "10");
  EXPECT_EQ(Look(3, 0).align, CellAlign::Centre);
  mps.SetDescription(0x20, "LDA nn");
  ram[0] = 0x20;
  ram[1] = 0x07;
  grid.ShowRamAssembler(ram);
  EXPECT_EQ(Look(3, 1).text, "LDA 07");
  EXPECT_EQ(Look(3, 1).align, CellAlign::Left);
  EXPECT_EQ(Look(3, 0).text, "Befehl");
  EXPECT_EQ(Look(3, 0).align, CellAlign::Left);
  EXPECT_EQ(Look(1, 0).text, "OP");
  EXPECT_EQ(Look(2, 1).align, CellAlign::Centre);
}

}  // namespace
}  // namespace vellar
