#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

using ViewSwitchTest = SessionTest;

TEST_F(ViewSwitchTest, RamViewSwitchKeepsTheCursorOnItsByte) {
  RamGrid& grid = session.ramGrid;
  grid.current = grid.AddressToCell(0x35);
  fe.invalidated = 0;
  session.RaRamClick(1);
  EXPECT_TRUE(grid.AssemblerView());
  EXPECT_EQ(grid.ColCount(), RamGrid::kAsmCols);
  EXPECT_EQ(grid.CellText(0, grid.current.row), "34");
  EXPECT_EQ(grid.CellText(grid.current.col, 0), "nn");
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);

  session.RaRamClick(0);
  EXPECT_FALSE(grid.AssemblerView());
  EXPECT_EQ(grid.CellText(0, grid.current.row), "30");
  EXPECT_EQ(grid.CellText(grid.current.col, 0), "05");
}

TEST_F(ViewSwitchTest, RamViewSwitchFromTheInstructionColumnGoesToTheFirstLine) {
  session.mps.SetDescription(0x0A, "MOV AX,nn");
  m.Ram[0x20] = 0x0A;
  m.Ram[0x21] = 0x3F;
  session.RaRamClick(1);
  RamGrid& grid = session.ramGrid;
  EXPECT_EQ(grid.CellText(RamGrid::kInstructionColumn, 0x11), "MOV AX,3F");
  grid.current = {RamGrid::kInstructionColumn, 0x11};
  session.RaRamClick(0);
  EXPECT_EQ(grid.current.row, 1);
}

TEST_F(ViewSwitchTest, SelectingTheShownViewAgainRunsNothing) {
  session.ramGrid.current = {4, 3};
  fe.invalidated = 0;
  session.RaRamClick(0);
  EXPECT_EQ(fe.invalidated, 0u);
  EXPECT_EQ(session.ramGrid.current, (GridCell{4, 3}));
}

TEST_F(ViewSwitchTest, InspectorMenuTogglesAndAsksForALayout) {
  EXPECT_FALSE(session.menu.MeVariablen);
  fe.invalidated = 0;
  session.MeVariablenClick();
  EXPECT_TRUE(session.menu.MeVariablen);
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);
  session.MeVariablenClick();
  EXPECT_FALSE(session.menu.MeVariablen);
}

}  // namespace
}  // namespace vellar::testing
