#include "app/ram_view.h"

#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

class RamViewTest : public SessionTest {
 protected:
  RamGrid& grid = session.ramGrid;
  RamView& view = session.ramView;
};

TEST_F(RamViewTest, CursorStaysOnTheSameByte) {
  session.memory.MoveRamCursor(0x35);
  fe.invalidated = 0;
  view.RaRamClick(RamView::kAssemblerItem);
  EXPECT_TRUE(grid.AssemblerView());
  EXPECT_EQ(grid.current, (GridCell{RamGrid::kOperandColumn, 27}));
  EXPECT_EQ(grid.CellText(0, 27), "34");
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);
  view.RaRamClick(RamView::kDataItem);
  EXPECT_EQ(grid.current, (GridCell{6, 4}));
  EXPECT_EQ(grid.CellText(0, 4), "30");
  EXPECT_EQ(grid.CellText(6, 0), "05");
}

TEST_F(RamViewTest, FromTheInstructionColumnToTheFirstLine) {
  m.Ram[0x41] = 0x99;
  view.RaRamClick(RamView::kAssemblerItem);
  EXPECT_EQ(grid.CellText(RamGrid::kOperandColumn, 0x21), "99");  // built from memory
  grid.current = {RamGrid::kInstructionColumn, 40};
  view.RaRamClick(RamView::kDataItem);
  EXPECT_EQ(grid.current.row, 1);
  EXPECT_EQ(grid.CellText(2, 5), "99");
}

TEST_F(RamViewTest, SelectingTheShownItemRunsNothing) {
  grid.current = {3, 3};
  fe.invalidated = 0;
  view.SelectItem(RamView::kDataItem);
  EXPECT_EQ(fe.invalidated, 0u);
  view.SelectItem(RamView::kAssemblerItem);
  EXPECT_EQ(view.RaRamItem(), RamView::kAssemblerItem);
  EXPECT_EQ(grid.current, (GridCell{1, 18}));  // address 0x22
}

TEST_F(RamViewTest, VariableAndInstructionPointerMarks) {
  session.variables.Append("3F", "?");
  session.variables.Append("3f", "klein");  // does not match the upper-case cell address
  session.variables.Append("12", "x");
  m.Regs[IP] = 0x05;
  EXPECT_EQ(view.CellMark(16, 4), RamCellMark::Variable);  // data view: 3F
  EXPECT_EQ(view.CellMark(3, 2), RamCellMark::Variable);   // 12
  EXPECT_EQ(view.CellMark(6, 1), RamCellMark::None);       // no IP line in the data view
  EXPECT_EQ(view.CellMark(0, 4), RamCellMark::None);
  view.RaRamClick(RamView::kAssemblerItem);
  EXPECT_EQ(view.CellMark(2, 32), RamCellMark::Variable);  // 3F
  for (int col = 0; col < 4; ++col) {
    EXPECT_EQ(view.CellMark(col, 3), RamCellMark::InstructionPointer);  // the line labelled 04
  }
  EXPECT_EQ(grid.CellText(0, 3), "04");
  EXPECT_EQ(view.CellMark(1, 0), RamCellMark::None);
  m.Regs[IP] = 0xFF;
  EXPECT_EQ(grid.CellText(0, 128), "FE");
  EXPECT_EQ(view.CellMark(3, 128), RamCellMark::InstructionPointer);
  m.Regs[IP] = 0x12;
  EXPECT_EQ(view.CellMark(1, 10), RamCellMark::InstructionPointer);  // wins over the variable 12
}

}  // namespace
}  // namespace vellar::testing
