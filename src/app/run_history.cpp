#include "app/run_history.h"

#include <algorithm>

#include "core/micro_step.h"

namespace vellar {

bool Moment::SameAs(const Moment& o) const {
  const Machine& a = machine;
  const Machine& b = o.machine;
  return a.CurrentRow == b.CurrentRow && a.HaltSeen == b.HaltSeen && a.Regs == b.Regs &&
         a.OpenMask == b.OpenMask && a.Ram == b.Ram && a.ConflictMask == b.ConflictMask;
}

RunHistory::RunHistory(const MpsStore& mps, const Machine& machine) : mps_(mps), machine_(machine) {
  Rebase();
}

Moment RunHistory::Live() const {
  return Moment{machine_};
}

void RunHistory::CheckLiveState() {
  if (dirty_ || (idle_ && !Live().SameAs(idleMoment_))) {
    Rebase();
    if (idle_) idleMoment_ = checkpoints_.front().moment;
  }
  dirty_ = false;
}

void RunHistory::Rebase() {
  heldOutput_ = false;
  entries_.clear();
  checkpoints_.clear();
  checkpoints_.push_back({position_, 0, Live(), position_});
  phasesSinceSnapshot_ = 0;
  lastInstructionEnd_ = position_;
  dirty_ = false;
}

void RunHistory::Idle() {
  idleMoment_ = Live();
  idle_ = true;
}

void RunHistory::Checkpoint() {
  Flush();
  checkpoints_.push_back({position_, entries_.size(), Live(), lastInstructionEnd_});
  phasesSinceSnapshot_ = 0;
  if (checkpoints_.size() > kMaxCheckpoints) DropOldest();
}

void RunHistory::Flush() {
  if (!heldOutput_) return;
  heldOutput_ = false;
  const Op clock = entries_.back().op;
  entries_.push_back({clock == Op::ClockAuto ? Op::OutputAuto : Op::OutputManual, 1});
}

void RunHistory::Append(Op op) {
  position_ += Length(op);
  phasesSinceSnapshot_ += Length(op);
  // The input phase changes neither the row nor the halt flag: the clock it ends ends an
  // instruction if the machine shows so now.
  if (op == Op::Input && EndsInstruction(machine_)) lastInstructionEnd_ = position_;
  if (heldOutput_) {
    // The usual case: the input phase completes one more clock of the run of clocks.
    if (op == Op::Input) {
      heldOutput_ = false;
      ++entries_.back().count;
      return;
    }
    Flush();
  }
  // Entries before the newest copy stay as they are: the copy points behind them.
  const size_t floor = checkpoints_.back().entry;
  const auto extendable = [&] { return entries_.size() > floor; };
  if (op <= Op::OutputManual && extendable() &&
      entries_.back().op == (op == Op::OutputAuto ? Op::ClockAuto : Op::ClockManual)) {
    // Held back until its input phase comes, instead of an entry of its own meanwhile.
    heldOutput_ = true;
    return;
  }
  if (op == Op::Input && extendable() && entries_.back().op <= Op::OutputManual) {
    const Op clock = entries_.back().op == Op::OutputAuto ? Op::ClockAuto : Op::ClockManual;
    if (--entries_.back().count == 0) entries_.pop_back();
    if (extendable() && entries_.back().op == clock) {
      ++entries_.back().count;
    } else {
      entries_.push_back({clock, 1});
    }
  } else if (extendable() && entries_.back().op == op) {
    ++entries_.back().count;
  } else {
    entries_.push_back({op, 1});
    if (entries_.size() > kMaxEntries) DropOldest();
  }
}

void RunHistory::AfterClocks(uint64_t clocks, uint64_t lastInstructionEnd) {
  if (!keeping_ || clocks == 0) return;
  Flush();
  if (lastInstructionEnd != 0) lastInstructionEnd_ = position_ + 2 * lastInstructionEnd;
  position_ += 2 * clocks;
  phasesSinceSnapshot_ += 2 * clocks;
  // Whole clocks under automatic gate control are what ClockAuto entries count, so the
  // stretch joins the clocks before it unless a copy stands between them.
  if (entries_.size() > checkpoints_.back().entry && entries_.back().op == Op::ClockAuto) {
    entries_.back().count += clocks;
    return;
  }
  entries_.push_back({Op::ClockAuto, clocks});
  if (entries_.size() > kMaxEntries) DropOldest();
}

void RunHistory::Apply(Op op, Machine& m) const {
  switch (op) {
    case Op::ClockAuto: {
      // As the bare run loop does it, with the row's gates worked out beforehand.
      const MicroRow& r = step::LoadRow(m, mps_.Program());
      step::Output(m, r);
      step::Input(m, r);
      m.OpenMask &= kInputGates;
      return;
    }
    case Op::ClockManual:
      OutputStep(m, mps_.Program(), false);
      Apply(Op::Input, m);
      return;
    case Op::OutputAuto:
    case Op::OutputManual:
      OutputStep(m, mps_.Program(), op == Op::OutputAuto);
      return;
    case Op::Input:
      InputStep(m);
      // As the input phase does wherever the gates are shown; where they are not (automatic
      // gate control at the fast levels), the next row sets every gate anyway, and a moment
      // shown at the end of its clock has all gates closed.
      m.OpenMask &= kInputGates;
      return;
    case Op::EndRun:
      m.Regs[AL] = 0;
      m.OpenMask = 0;
      return;
    case Op::CloseOutputs:
      m.OpenMask &= kInputGates;
      return;
    case Op::RunStart:
      m.HaltSeen = false;
      return;
  }
}

template <class OnClock>
Moment RunHistory::Replay(const Snapshot& from, uint64_t position, bool zeroOpsAtEnd,
                          OnClock&& onClock) const {
  Moment m = from.moment;
  uint64_t pos = from.position;
  for (size_t i = from.entry; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const uint64_t length = Length(e.op);
    if (length == 0) {
      if (pos > position || (pos == position && !zeroOpsAtEnd)) break;
      Apply(e.op, m.machine);
      continue;
    }
    if (pos >= position) break;
    const uint64_t units = std::min(e.count, (position - pos) / length);
    for (uint64_t u = 0; u < units; ++u) {
      Apply(e.op, m.machine);
      pos += length;
      if (e.op != Op::OutputAuto && e.op != Op::OutputManual) onClock(pos, m);
    }
    if (units < e.count) {
      // The position lies inside a clock: its output phase only.
      if (pos < position) {
        Apply(e.op == Op::ClockAuto ? Op::OutputAuto : Op::OutputManual, m.machine);
      }
      break;
    }
  }
  replayedPhases_ += pos - from.position;
  return m;
}

void RunHistory::Cut(uint64_t position, bool zeroOpsAtEnd) {
  const Snapshot& base = checkpoints_.front();
  uint64_t pos = base.position;
  size_t keep = 0;  // entries kept whole
  std::optional<Entry> partial;
  for (; keep < entries_.size(); ++keep) {
    const Entry& e = entries_[keep];
    const uint64_t length = Length(e.op);
    if (length == 0) {
      if (pos > position || (pos == position && !zeroOpsAtEnd)) break;
      continue;
    }
    if (pos >= position) break;
    const uint64_t units = std::min(e.count, (position - pos) / length);
    if (units < e.count) {
      partial = Entry{e.op, units};
      pos += units * length;
      break;
    }
    pos += units * length;
  }
  const Op clockOp = partial ? partial->op : Op::EndRun;
  entries_.resize(keep);
  if (partial) {
    if (partial->count > 0) entries_.push_back(*partial);
    if (pos < position) {
      entries_.push_back({clockOp == Op::ClockAuto ? Op::OutputAuto : Op::OutputManual, 1});
    }
  }
  // Copies behind the cut, or standing where entries were cut away, are of no use any more.
  while (checkpoints_.size() > 1) {
    const Snapshot& last = checkpoints_.back();
    if (last.position < position ||
        (last.position == position && zeroOpsAtEnd && last.entry <= entries_.size())) {
      break;
    }
    checkpoints_.pop_back();
  }
  position_ = position;
  phasesSinceSnapshot_ = position - checkpoints_.back().position;
}

template <class Visit>
bool RunHistory::WalkBack(Visit&& visit) const {
  uint64_t end = position_;
  for (size_t i = entries_.size(); i-- > 0;) {
    const Entry& e = entries_[i];
    const uint64_t start = end - Length(e.op) * e.count;
    if (visit(e.op, start, end)) return true;
    end = start;
  }
  return false;
}

uint64_t RunHistory::PreviousClockEnd(uint64_t position, uint64_t count) const {
  uint64_t found = BasePosition();
  WalkBack([&](Op op, uint64_t start, uint64_t end) {
    if (op == Op::Input && end < position) {
      if (--count == 0) found = end;
    } else if ((op == Op::ClockAuto || op == Op::ClockManual) && start < position) {
      // The clock ends start + 2, .. , end that lie before the position.
      const uint64_t last = end < position ? end : start + 2 * ((position - 1 - start) / 2);
      const uint64_t ends = (last - start) / 2;
      if (ends >= count) {
        found = last - 2 * (count - 1);
        count = 0;
      } else {
        count -= ends;
      }
    }
    return count == 0;
  });
  return found;
}

uint64_t RunHistory::PreviousInstructionEnd(uint64_t position) const {
  // Only the stretch from the newest copy before the position is run again; what lies before
  // that copy, the copy knows. A micro-program that never returns to address 00 would
  // otherwise have the whole kept past run again, over a billion clocks.
  size_t c = checkpoints_.size() - 1;
  while (c > 0 && checkpoints_[c].position >= position) --c;
  const Snapshot& from = checkpoints_[c];
  std::optional<uint64_t> found;
  Replay(from, position, false, [&](uint64_t pos, const Moment& m) {
    if (pos < position && EndsInstruction(m.machine)) found = pos;
  });
  // An end given up with the oldest copies is out of reach: the start of the kept past then.
  return found ? *found : std::max(from.lastInstructionEnd, BasePosition());
}

uint64_t RunHistory::PreviousRunStart(uint64_t position) const {
  uint64_t found = BasePosition();
  WalkBack([&](Op op, uint64_t start, uint64_t) {
    if (op != Op::RunStart || start >= position) return false;
    found = start;
    return true;
  });
  return found;
}

bool RunHistory::EndsWithOutput(uint64_t position) const {
  bool output = false;
  WalkBack([&](Op op, uint64_t start, uint64_t end) {
    if (start >= position || position > end) return false;
    if (op == Op::OutputAuto || op == Op::OutputManual) output = true;
    if (op == Op::ClockAuto || op == Op::ClockManual) output = (position - start) % 2 == 1;
    return true;
  });
  return output;
}

uint64_t RunHistory::Target(ClockMode mode) {
  Flush();
  const uint64_t now = position_;
  if (now <= BasePosition()) return now;
  switch (mode) {
    case ClockMode::BusClock:
      return now - 1;
    case ClockMode::AluClock:
      return PreviousClockEnd(now);
    case ClockMode::OneInstruction:
      return PreviousInstructionEnd(now);
    case ClockMode::UntilHalt:
      break;
  }
  return PreviousRunStart(now);
}

RunHistory::Rebuilt RunHistory::Rebuild(uint64_t target) {
  Flush();
  target = std::clamp(target, BasePosition(), position_);
  Rebuilt r;
  bool zeroOps = false;
  uint64_t stop = target;
  if (target == BasePosition()) {
    r.finish = Finish::None;
  } else if (EndsWithOutput(target)) {
    // The output phase is performed anew, so that it is shown as it was.
    r.finish = Finish::BusOutput;
    stop = target - 1;
    zeroOps = true;
  } else {
    r.finish = Finish::EndRun;
  }
  const Snapshot* from = &checkpoints_.front();
  for (const Snapshot& c : checkpoints_) {
    if (c.position < stop || (c.position == stop && zeroOps)) from = &c;
  }
  uint64_t lastEnd = from->lastInstructionEnd;
  r.moment = Replay(*from, stop, zeroOps, [&](uint64_t pos, const Moment& m) {
    if (EndsInstruction(m.machine)) lastEnd = pos;
  });
  Cut(stop, zeroOps);
  lastInstructionEnd_ = lastEnd;
  dirty_ = false;
  idle_ = false;
  return r;
}

void RunHistory::DropOldest() {
  Flush();
  if (checkpoints_.size() < 2) {
    Rebase();
    return;
  }
  const size_t keepFrom = checkpoints_.size() / 2;
  const size_t shift = checkpoints_[keepFrom].entry;
  entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(shift));
  checkpoints_.erase(checkpoints_.begin(),
                     checkpoints_.begin() + static_cast<std::ptrdiff_t>(keepFrom));
  for (Snapshot& c : checkpoints_) c.entry -= shift;
}

size_t RunHistory::MemoryBytes() const {
  return entries_.capacity() * sizeof(Entry) + checkpoints_.capacity() * sizeof(Snapshot);
}

}  // namespace vellar
