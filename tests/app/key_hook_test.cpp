#include "support/session_fixture.h"

namespace vellar::testing {
namespace {

class KeyHookTest : public SessionTest {
 protected:
  bool Key(KeyCode key, bool down = true, int digit = 0, bool alt = false) {
    return session.keys.OnAppMessage({down, key, digit, alt});
  }
};

TEST_F(KeyHookTest, CtrlWithADigitTogglesTheGateAndPassesTheKeyOn) {
  Focus(Control::RamGrid);
  Key(KeyCode::Control);
  EXPECT_FALSE(Key(KeyCode::HexDigit, true, 5));
  EXPECT_TRUE(m.GateOpen(5));
}

TEST_F(KeyHookTest, ReleasingAltClearsTheHeldCtrl) {
  Key(KeyCode::Control);
  Key(KeyCode::Alt);
  Key(KeyCode::Alt, false);
  Key(KeyCode::HexDigit, true, 3);
  EXPECT_FALSE(m.GateOpen(3));
  Key(KeyCode::Control);
  Key(KeyCode::HexDigit, true, 3, /*alt=*/true);
  EXPECT_FALSE(m.GateOpen(3));
}

TEST_F(KeyHookTest, SpaceClocksExceptInTheGridsAndTheInspector) {
  session.TorClick(1);
  session.TorClick(7);
  session.TorClick(0);
  run.SetSliderPosition(0);
  Focus(Control::RamGrid);
  EXPECT_FALSE(Key(KeyCode::Space));
  Focus(Control::RamInspector);
  EXPECT_FALSE(Key(KeyCode::Space));
  EXPECT_EQ(m.Regs[AX], 0);
  Focus(Control::Slider);
  EXPECT_TRUE(Key(KeyCode::Space));
  Slices();
  EXPECT_EQ(m.Regs[AX], 1);
  // Entering the MPS grid switches to automatic control; the space bar then types a blank.
  SetRow(0, {1, 7, 0}, "00");
  Focus(Control::MpsGrid);
  EXPECT_FALSE(Key(KeyCode::Space));
  EXPECT_EQ(m.Regs[AX], 1);
}

TEST_F(KeyHookTest, CtrlInsertGoesToTheFocusedGrid) {
  session.mps.SetDescription(4, "moved");
  Focus(Control::MpsGrid);
  session.mpsEditor.GrMpsSelectCell(1, 3);
  Key(KeyCode::Control);
  EXPECT_TRUE(Key(KeyCode::Insert));
  EXPECT_EQ(session.mps.Description(5), "moved");
  EXPECT_TRUE(Key(KeyCode::Delete));
  EXPECT_EQ(session.mps.Description(4), "moved");
  Focus(Control::Slider);
  EXPECT_FALSE(Key(KeyCode::Insert));
  // Without Ctrl the keys pass.
  Key(KeyCode::Control, false);
  Focus(Control::MpsGrid);
  EXPECT_FALSE(Key(KeyCode::Insert));
}

// The RAM grid was left for a file dialog, whose focus change the grid's exit handler never
// saw; then the user clicked into the MPS. Ctrl+Entf goes where the focus is, and is one step.
TEST_F(KeyHookTest, CtrlDeleteActsOnlyWhereTheFocusIsAndIsOneStep) {
  session.mps.SetDescription(3, "Zeile 03");
  session.mps.SetDescription(4, "Zeile 04");
  session.ramView.RaRamClick(RamView::kAssemblerItem);
  for (int a = 0; a < 6; ++a) session.memory.WriteRam(a, 0x02 + a);
  const auto ram = m.Ram;
  Focus(Control::RamGrid);
  session.ramEditor.GrRamSelectCell(RamGrid::kInstructionColumn, 2);
  fe.focus = Control::Other;  // the dialog: no exit handler ran
  Focus(Control::MpsGrid);
  session.mpsEditor.GrMpsSelectCell(1, 4);
  Key(KeyCode::Control);
  EXPECT_TRUE(Key(KeyCode::Delete));
  EXPECT_EQ(session.mps.Description(3), "Zeile 04");
  EXPECT_EQ(m.Ram, ram);
  EXPECT_EQ(session.history.UndoCount(), 1u);
  session.history.Undo();
  EXPECT_EQ(session.mps.Description(3), "Zeile 03");
  EXPECT_EQ(m.Ram, ram);
  // Where no grid has the focus, the keys pass and change nothing.
  fe.focus = Control::Other;
  EXPECT_FALSE(Key(KeyCode::Insert));
  EXPECT_EQ(session.mps.Description(4), "Zeile 04");
  EXPECT_EQ(m.Ram, ram);
}

}  // namespace
}  // namespace vellar::testing
