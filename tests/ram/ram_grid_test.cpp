#include <gtest/gtest.h>

#include "ram/ram_grid.h"
#include "ram/variables.h"

namespace vellar {
namespace {

TEST(RamGridTest, DataViewMapsSixteenBytesALine) {
  MpsStore mps;
  RamGrid grid(mps);
  EXPECT_EQ(grid.ColCount(), 17);
  EXPECT_EQ(grid.RowCount(), 17);
  EXPECT_EQ(grid.CellText(0, 0), "RAD");
  EXPECT_EQ(grid.CellText(16, 0), "0F");
  EXPECT_EQ(grid.CellText(0, 16), "F0");
  EXPECT_EQ(grid.CellToAddress(6, 4), 0x35);
  EXPECT_EQ(grid.CellToAddress(0, 4), -1);
  EXPECT_EQ(grid.CellToAddress(3, 0), -1);
  EXPECT_EQ(grid.AddressToCell(0x35), (GridCell{6, 4}));
}

TEST(RamGridTest, AssemblerViewDisassemblesFromTheMpsDescriptions) {
  MpsStore mps;
  mps.SetDescription(0x0A, "MOV AX,nn");
  mps.SetDescription(0x20, "nn JMP nn");
  mps.SetDescription(0x05, "never an instruction");
  RamGrid::Bytes ram{};
  ram[0] = 0x0A;
  ram[1] = 0x3F;
  ram[2] = 0x20;
  ram[3] = 0x04;
  ram[4] = 0x05;
  ram[5] = 0x12;
  ram[6] = 0x30;  // no description
  RamGrid grid(mps);
  grid.ShowRamAssembler(ram);
  EXPECT_EQ(grid.ColCount(), 4);
  EXPECT_EQ(grid.RowCount(), 129);
  EXPECT_EQ(grid.CellText(0, 128), "FE");
  EXPECT_EQ(grid.CellText(3, 1), "MOV AX,3F");
  EXPECT_EQ(grid.CellText(3, 2), "04 JMP nn");  // only the first "nn"
  EXPECT_EQ(grid.CellText(3, 3), "");
  EXPECT_EQ(grid.CellText(3, 4), "");
  EXPECT_EQ(grid.CellToAddress(2, 18), 0x23);
  EXPECT_EQ(grid.CellToAddress(3, 18), -1);
  EXPECT_EQ(grid.AddressToCell(0x35), (GridCell{2, 27}));
  grid.ShowRamByte(1, 0x07);
  EXPECT_EQ(grid.CellText(3, 1), "MOV AX,07");
}

TEST(VariableListTest, PlaceholderIsReusedAndRestored) {
  VariableList vars;
  EXPECT_FALSE(vars.HasVariables());
  EXPECT_EQ(vars.Append("3F", "?"), 1);
  EXPECT_EQ(vars.Append("10", "x"), 2);
  EXPECT_EQ(vars.Append("?", "y"), 0);
  std::array<uint8_t, kRamSize> ram{};
  ram[0x3F] = 0xAB;
  vars.UpdateVariables(ram);
  EXPECT_EQ(vars.Column(1).value, "AB");
  EXPECT_TRUE(vars.IsVariableAddress("3F"));
  EXPECT_EQ(vars.Remove("3F"), 1);
  EXPECT_EQ(vars.ColumnCount(), 1);
  EXPECT_EQ(vars.Remove("10"), 1);
  EXPECT_EQ(vars.ColumnCount(), 1);
  EXPECT_EQ(vars.Column(1).address, "?");
  EXPECT_FALSE(vars.HasVariables());
}

}  // namespace
}  // namespace vellar
