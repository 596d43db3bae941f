#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/quiet_frontend.h"
#include "app/session.h"
#include "app/task_file.h"

// "Prüfen": every case of a task run on a copy of the student's micro-program and memory, as
// vellar-cli grade runs it. The student's work, registers and undo history stay as they were;
// the cases run in slices that the frontend asks for, so that checking never freezes it.
namespace vellar {

struct CaseCheck {
  std::string name;
  // None when the case passed; else its first difference, as grade words it.
  std::optional<std::string> difference;
  uint64_t clocks = 0;
  bool limitReached = false;
};

class TaskCheck {
 public:
  // Copies the MPS and the RAM of the work as they are now and begins the first case.
  void Start(const Session& work, const Task& task);
  // At most this many ticks of the cases' runs (as RunControl::Advance counts them); true while
  // cases remain.
  bool Advance(int ticks);
  // Forgets the check: no case runs, none is reported.
  void Reset();
  bool Running() const { return trial_ != nullptr && next_ < cases_.size(); }
  // The cases checked so far, in the task's order.
  const std::vector<CaseCheck>& Results() const { return results_; }

 private:
  QuietFrontend quiet_;
  std::unique_ptr<Session> trial_;
  std::vector<GradeCase> cases_;
  std::array<uint8_t, kRamSize> loaded_{};
  uint64_t limit_ = 0;
  size_t next_ = 0;
  std::vector<CaseCheck> results_;
};

}  // namespace vellar
