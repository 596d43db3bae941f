#include "app/edit_history.h"

#include "app/register_fields.h"
#include "app/run_history.h"

namespace vellar {

bool EditHistory::State::SameContents(const State& other) const {
  // The modified flags alone make no step: a refused gate sets MpsModified and nothing else.
  return (rows == other.rows || *rows == *other.rows) && ram == other.ram &&
         variables == other.variables && regs == other.regs;
}

EditHistory::EditHistory(const Parts& parts) : p_(parts) {}

EditHistory::Scope EditHistory::Edit(const EditPlace& place) {
  if (depth_++ > 0) return Scope(this);
  if (!CanMerge(place)) {
    Step step;
    step.place = place;
    step.before = Capture();
    step.mpsEpoch = mpsEpoch_;
    step.ramEpoch = ramEpoch_;
    undo_.push_back(std::move(step));
    merging_ = false;
  }
  return Scope(this);
}

// Keystrokes merge while the user goes on typing into the same cell: its editor is still open
// there, or the register field still holds what the last keystroke left.
bool EditHistory::CanMerge(const EditPlace& place) const {
  if (!merging_ || undo_.empty()) return false;
  const Step& last = undo_.back();
  if (last.place.target != place.target || last.place.cell != place.cell ||
      last.place.address != place.address) {
    return false;
  }
  if (place.editor != nullptr) return place.editor->open && place.editor->cell == place.cell;
  return place.field != nullptr && last.place.field == place.field &&
         *place.field == last.fieldText;
}

void EditHistory::EndEdit() {
  if (--depth_ > 0 || undo_.empty()) return;
  Step& step = undo_.back();
  step.after = Capture();
  if (step.place.field != nullptr) step.fieldText = *step.place.field;
  if (step.before.SameContents(step.after)) {
    // Nothing changed, or the keystrokes took back what the step had done.
    undo_.pop_back();
    merging_ = false;
  } else {
    redo_.clear();
    merging_ = step.place.editor != nullptr || step.place.field != nullptr;
    if (past_ != nullptr) past_->Invalidate();
    if (undo_.size() > kMaxSteps) undo_.pop_front();
  }
  p_.frontend.Invalidate(kRedrawMenus);
}

EditHistory::State EditHistory::Capture() {
  State s;
  s.rows = CaptureRows();
  s.mpsModified = p_.mps.MpsModified();
  s.ram = p_.machine.Ram;
  s.ramChanged = p_.memory.RamChanged();
  s.variables = p_.variables;
  s.regs = p_.machine.Regs;
  return s;
}

// Most steps leave the micro-program alone; they share one copy of it.
std::shared_ptr<const EditHistory::Rows> EditHistory::CaptureRows() {
  if (lastRows_ == nullptr || *lastRows_ != p_.mps.AllRows()) {
    lastRows_ = std::make_shared<const Rows>(p_.mps.AllRows());
  }
  return lastRows_;
}

void EditHistory::Undo() {
  if (undo_.empty()) return;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  Restore(step, step.before, step.after);
  redo_.push_back(std::move(step));
  merging_ = false;
}

void EditHistory::Redo() {
  if (redo_.empty()) return;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  Restore(step, step.after, step.before);
  undo_.push_back(std::move(step));
  merging_ = false;
}

// A run may have changed memory and registers since the step; only the bytes and registers
// the step itself changed go back, the rest of the run's work stays.
void EditHistory::Restore(const Step& step, const State& to, const State& from) {
  uint32_t redraw = kRedrawMpsGrid | kRedrawRamGrid | kRedrawInspector | kRedrawMenus;
  if (*to.rows != p_.mps.AllRows()) {
    p_.mps.RestoreRows(*to.rows);
    // The instruction texts of the assembler view come from the descriptions.
    if (p_.ramGrid.AssemblerView()) p_.ramGrid.ShowRamAssembler(p_.machine.Ram);
  }
  const bool mpsSaved = mpsBaseline_ != nullptr && *mpsBaseline_ == p_.mps.AllRows();
  p_.mps.SetMpsModified(!mpsSaved && (step.mpsEpoch != mpsEpoch_ || to.mpsModified));

  for (int a = 0; a < kRamSize; ++a) {
    if (from.ram[a] == to.ram[a]) continue;
    p_.machine.Ram[a] = to.ram[a];
    p_.ramGrid.ShowRamByte(a, to.ram[a]);
  }
  const bool ramSaved = p_.machine.Ram == ramBaseline_;
  const bool ranSince = p_.machine.Ram != to.ram;
  p_.memory.SetRamChanged(!ramSaved && (step.ramEpoch != ramEpoch_ || to.ramChanged || ranSince));

  if (!(from.variables == to.variables)) {
    p_.variables = to.variables;
    redraw |= kRedrawLayout;
  }
  p_.memory.UpdateVariables();

  bool regsChanged = false;
  for (int r = 0; r < kRegCount; ++r) {
    if (from.regs[r] == to.regs[r]) continue;
    p_.machine.Regs[r] = to.regs[r];
    regsChanged = true;
  }
  if (regsChanged && registers_ != nullptr) registers_->ShowRegs();

  ShowPlace(step.place);
  if (past_ != nullptr) past_->Invalidate();
  p_.frontend.Invalidate(redraw);
}

void EditHistory::ShowPlace(const EditPlace& place) {
  // A text being typed belongs to the state just left.
  p_.mpsGrid.editor.Close();
  p_.ramGrid.editor.Close();
  if (place.target == EditTarget::Mps && place.cell.row >= 1) p_.mpsGrid.current = place.cell;
  if (place.target == EditTarget::Ram && place.address >= 0) {
    // The cell typed into, while the grid still shows the address there; else the address.
    const RamGrid& grid = p_.ramGrid;
    const GridCell c = place.cell;
    const bool inGrid =
        c.col >= 1 && c.row >= 1 && c.col < grid.ColCount() && c.row < grid.RowCount();
    const bool instruction = grid.AssemblerView() && c.col == RamGrid::kInstructionColumn;
    const int shown = instruction ? 2 * (c.row - 1) : grid.CellToAddress(c.col, c.row);
    p_.ramGrid.current = inGrid && shown == place.address ? c : grid.AddressToCell(place.address);
  }
}

bool EditHistory::MpsDiffersFromSaved() const {
  return mpsBaseline_ == nullptr || *mpsBaseline_ != p_.mps.AllRows();
}

bool EditHistory::RamDiffersFromSaved() const {
  return p_.machine.Ram != ramBaseline_ || !(p_.variables == variablesBaseline_);
}

void EditHistory::Loaded(bool mps, bool ram) {
  undo_.clear();
  redo_.clear();
  merging_ = false;
  Saved(mps, ram);
}

void EditHistory::Saved(bool mps, bool ram) {
  // Typing on after saving is a new step, one that undo takes back to the saved state.
  merging_ = false;
  if (mps) {
    mpsBaseline_ = CaptureRows();
    ++mpsEpoch_;
  }
  if (ram) {
    ramBaseline_ = p_.machine.Ram;
    variablesBaseline_ = p_.variables;
    ++ramEpoch_;
  }
  p_.frontend.Invalidate(kRedrawMenus);
}

}  // namespace vellar
