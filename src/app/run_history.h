#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/clock_mode.h"
#include "core/machine.h"
#include "core/micro_step.h"
#include "mps/mps_store.h"

// The past of the processor since the last load, reset or hand change, for "Schritt zurück".
// The processor is deterministic, so the past is not stored clock by clock: we keep the state
// at the start (the base), a log of what the run control did to the machine (runs of whole
// ALU clocks count as one entry, a stretch that the core ran by itself too), and a copy of the
// whole state every few thousand bus phases. A moment of the past is rebuilt by running the
// core forward from the nearest copy.
namespace vellar {

// The machine state that the clock phases change, the sequencer's row included.
struct Moment {
  Machine machine;
  bool SameAs(const Moment& other) const;
};

class RunHistory {
 public:
  // What the run control does to the machine.
  enum class Op : uint8_t {
    OutputAuto,    // output phase, the gates from the MPS row
    OutputManual,  // output phase with the gates open by hand
    Input,
    ClockAuto,  // an output phase and its input phase
    ClockManual,
    EndRun,        // ALU value 0, all gates closed
    CloseOutputs,  // the bus-clock tick after an output phase
    RunStart,      // HaltSeen cleared
  };
  // How the moment reached by a step back is to be shown.
  enum class Finish { None, EndRun, BusOutput };

  // A copy every so many bus phases, taken before the next output phase: rebuilding a moment
  // runs at most this far. Stretches of clocks run bare take one before them only every
  // kStretchCheckpointPhases: the core rebuilds that many in a few milliseconds, while a copy
  // after every stretch cost the fast run some 5 % of its speed.
  static constexpr uint64_t kCheckpointPhases = 8192;
  static constexpr uint64_t kStretchCheckpointPhases = uint64_t{1} << 17;
  // Bounds of the memory (about 11 MB of copies, 16 MB of log, with the vectors' spare room
  // at most twice that); beyond them the oldest part of the past is given up.
  static constexpr size_t kMaxCheckpoints = 1u << 15;
  static constexpr size_t kMaxEntries = 1u << 20;

  RunHistory(const MpsStore& mps, const Machine& machine);

  // Called by the run control before it changes the machine; costs next to nothing.
  void Record(Op op) {
    if (Prepare(op <= Op::OutputManual ? kCheckpointPhases : UINT64_MAX)) Append(op);
  }
  // Around a stretch of whole ALU clocks that the core runs by itself under automatic gate
  // control, from the end of a clock: before it, a copy of its start if one is due; after it,
  // the clocks it ran, as one entry of the log, and the last of them that ended an
  // instruction (counted from 1, 0 for none), as the core reports them.
  void BeforeClocks() { Prepare(kStretchCheckpointPhases); }
  void AfterClocks(uint64_t clocks, uint64_t lastInstructionEnd);
  // Called after EndRun and after the bus-clock tick: the machine rests here until the next
  // step, and anything that changes it meanwhile was done by hand.
  void Idle();
  // The MPS or the machine changed by hand; the next step starts a new past.
  void Invalidate() { dirty_ = true; }
  // Without keeping the past (for measuring what keeping it costs); on by default.
  void SetKeeping(bool keeping) {
    keeping_ = keeping;
    dirty_ = true;
  }

  // Bus phases since the start of the kept past, and where that past begins.
  uint64_t Position() const { return position_; }
  uint64_t BasePosition() const { return checkpoints_.front().position; }
  // Where one step back in the clock mode leads; Position() when there is nothing to go
  // back to.
  uint64_t Target(ClockMode mode);

  // The moment before the step that leads to target, rebuilt; the past is cut there.
  struct Rebuilt {
    Moment moment;
    Finish finish = Finish::None;
  };
  Rebuilt Rebuild(uint64_t target);
  // Where going back so many whole ALU clocks leads.
  uint64_t ClocksBack(uint64_t clocks) {
    Flush();
    return PreviousClockEnd(position_, clocks);
  }
  // Before a step back: anything changed by hand since the last step starts a new past.
  void Sync() {
    if (dirty_ || idle_) CheckLiveState();
  }

  // The memory the kept past takes.
  size_t MemoryBytes() const;
  // Bus phases run again so far to search or rebuild the past: what a step back costs.
  uint64_t ReplayedPhases() const { return replayedPhases_; }

 private:
  struct Entry {
    Op op;
    uint64_t count;
  };
  struct Snapshot {
    uint64_t position;
    size_t entry;  // the first entry after the copy
    Moment moment;
    // The last end of an instruction up to the copy (the base's position when there was none
    // since): a step back by one instruction need not run the copies' stretches again to
    // find it, however long a micro-program has run without one.
    uint64_t lastInstructionEnd;
  };
  static_assert(2 * (kMaxCheckpoints * sizeof(Snapshot) + kMaxEntries * sizeof(Entry)) <
                    (size_t{64} << 20),
                "the longest past must stay under 64 MB");

  static uint64_t Length(Op op) { return op <= Op::Input ? 1 : (op <= Op::ClockManual ? 2 : 0); }
  // A clock that leaves the machine so has ended an instruction: the next row is address 00
  // or the one behind FF, or the halt rule fired.
  static bool EndsInstruction(const Machine& m) { return ClockEndsRun(m, kInstructionEndRow); }
  // Whether the past is kept; a hand change since the last step starts a new one, and a copy
  // is taken first when so many bus phases have passed since the last.
  bool Prepare(uint64_t copyEvery) {
    if (dirty_ || idle_ || !keeping_) [[unlikely]] {
      if (!keeping_) return false;
      CheckLiveState();
      idle_ = false;
    }
    if (phasesSinceSnapshot_ >= copyEvery) [[unlikely]] {
      Checkpoint();
    }
    return true;
  }
  Moment Live() const;
  void CheckLiveState();
  void Rebase();
  void Checkpoint();
  void Append(Op op);
  // Enters an output phase held back by Append.
  void Flush();
  // One op of the log, performed by the processor's own steps.
  void Apply(Op op, Machine& m) const;
  // Runs the log from a copy forward to the position; with zeroOpsAtEnd the entries of no
  // length standing at the position are run too. onClock sees each completed ALU clock.
  template <class OnClock>
  Moment Replay(const Snapshot& from, uint64_t position, bool zeroOpsAtEnd,
                OnClock&& onClock) const;
  // Cuts the log at the position, as Replay with the same arguments stops.
  void Cut(uint64_t position, bool zeroOpsAtEnd);
  // Visits the entries from the newest with their start and end; stops when visit says so.
  template <class Visit>
  bool WalkBack(Visit&& visit) const;
  // The count-th end of an input phase before the position (the base when there are fewer).
  uint64_t PreviousClockEnd(uint64_t position, uint64_t count = 1) const;
  uint64_t PreviousInstructionEnd(uint64_t position) const;
  uint64_t PreviousRunStart(uint64_t position) const;
  // Whether the bus phase that ends at the position is an output phase.
  bool EndsWithOutput(uint64_t position) const;
  void DropOldest();

  const MpsStore& mps_;
  const Machine& machine_;
  std::vector<Entry> entries_;
  std::vector<Snapshot> checkpoints_;  // the base first, ascending
  uint64_t position_ = 0;
  uint64_t phasesSinceSnapshot_ = 0;
  uint64_t lastInstructionEnd_ = 0;  // as Snapshot::lastInstructionEnd, up to position_
  mutable uint64_t replayedPhases_ = 0;
  bool dirty_ = true;
  bool idle_ = false;
  bool keeping_ = true;
  bool heldOutput_ = false;  // an output phase counted in position_, not yet in entries_
  Moment idleMoment_;
};

}  // namespace vellar
