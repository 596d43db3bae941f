#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "app/frontend.h"
#include "app/memory.h"
#include "core/grid.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// "Rückgängig" and "Wiederholen": every change the user makes by hand to the micro-program,
// the memory, the variables or the registers. Each editing entry point opens an Edit scope
// before it changes anything; the history keeps the editable state before and after it.
// Keystrokes into one cell while its editor stays open make one step. A load empties the
// history; the modified flags follow the steps back to the state last loaded or saved.
namespace vellar {

class RegisterFields;
class RunHistory;

enum class EditTarget { Mps, Ram, Inspector, Register };

// Where an edit happens, so that undoing it can show the place again.
struct EditPlace {
  EditTarget target = EditTarget::Mps;
  // The grid cell typed into or acted on (MPS, inspector); -1 when the edit has no cell.
  GridCell cell{-1, -1};
  // The memory address whose cell the RAM grid shows afterwards; -1 for none.
  int address = -1;
  // Keystrokes into one cell: a grid's editor, open on the cell while the user types there...
  const CellEditor* editor = nullptr;
  // ...or a register field's text, unchanged since the last keystroke.
  const std::string* field = nullptr;
};

class EditHistory {
 public:
  // Enough for a lesson's slips; a step of the micro-program costs some 30 KB at most.
  static constexpr size_t kMaxSteps = 400;

  struct Parts {
    MpsStore& mps;
    MpsGrid& mpsGrid;
    RamGrid& ramGrid;
    VariableList& variables;
    Machine& machine;
    Memory& memory;
    Frontend& frontend;
  };

  // Open while one hand edit changes the state; nested edits belong to the outermost.
  class Scope {
   public:
    explicit Scope(EditHistory* history) : history_(history) {}
    Scope(Scope&& other) noexcept : history_(other.history_) { other.history_ = nullptr; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    Scope& operator=(Scope&&) = delete;
    ~Scope() {
      if (history_ != nullptr) history_->EndEdit();
    }

   private:
    EditHistory* history_;
  };

  explicit EditHistory(const Parts& parts);
  // The register fields show restored values; they are made after the history.
  void SetRegisterFields(RegisterFields* fields) { registers_ = fields; }
  // A hand change starts a new past for stepping back.
  void SetRunHistory(RunHistory* past) { past_ = past; }

  // An edit at this place is about to happen.
  [[nodiscard]] Scope Edit(const EditPlace& place);

  void Undo();
  void Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  size_t UndoCount() const { return undo_.size(); }

  // A file was loaded into the store(s): the history is emptied and the state is the one the
  // modified flags compare with.
  void Loaded(bool mps, bool ram);
  // The store(s) were saved: that state is now the one without unsaved changes.
  void Saved(bool mps, bool ram);
  // The stores hold other contents than were last loaded or saved. The modified flags do not
  // tell: descriptions and instructions typed into the "Befehl" column leave them alone.
  bool MpsDiffersFromSaved() const;
  bool RamDiffersFromSaved() const;

 private:
  using Rows = MpsStore::Rows;
  struct State {
    std::shared_ptr<const Rows> rows;
    bool mpsModified = false;
    std::array<uint8_t, kRamSize> ram{};
    bool ramChanged = false;
    VariableList variables;
    std::array<uint8_t, kRegCount> regs{};
    bool SameContents(const State& other) const;
  };
  struct Step {
    EditPlace place;
    State before;
    State after;
    std::string fieldText;  // the register field's text after the step
    uint64_t mpsEpoch = 0;  // the saves and loads the step has seen
    uint64_t ramEpoch = 0;
  };

  void EndEdit();
  State Capture();
  std::shared_ptr<const Rows> CaptureRows();
  bool CanMerge(const EditPlace& place) const;
  // Puts the state `to` back, where the step had left `from`; only what the step changed.
  void Restore(const Step& step, const State& to, const State& from);
  void ShowPlace(const EditPlace& place);

  Parts p_;
  RegisterFields* registers_ = nullptr;
  RunHistory* past_ = nullptr;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  int depth_ = 0;
  bool merging_ = false;  // the newest step takes further keystrokes at its place
  std::shared_ptr<const Rows> lastRows_;
  std::shared_ptr<const Rows> mpsBaseline_;
  std::array<uint8_t, kRamSize> ramBaseline_{};
  VariableList variablesBaseline_;
  uint64_t mpsEpoch_ = 0;
  uint64_t ramEpoch_ = 0;
};

}  // namespace vellar
