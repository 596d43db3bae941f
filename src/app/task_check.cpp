#include "app/task_check.h"

#include "app/run_report.h"
#include "app/run_setup.h"

namespace vellar {

void TaskCheck::Start(const Session& work, const Task& task) {
  trial_ = std::make_unique<Session>(quiet_);
  trial_->FormCreate({});
  trial_->runHistory.SetKeeping(false);
  trial_->mps.RestoreRows(work.mps.AllRows());
  loaded_ = work.machine.Ram;
  cases_ = task.cases;
  limit_ = task.clockLimit.value_or(kDefaultClockLimit);
  next_ = 0;
  results_.clear();
  if (!cases_.empty()) BeginCase(*trial_, loaded_, cases_[0], limit_);
}

void TaskCheck::Reset() {
  trial_.reset();
  cases_.clear();
  next_ = 0;
  results_.clear();
}

bool TaskCheck::Advance(int ticks) {
  if (!Running()) return false;
  if (trial_->run.Advance(ticks)) return true;
  const GradeCase& c = cases_[next_];
  results_.push_back({c.name, CaseDifference(*trial_, c, limit_), trial_->run.ClocksThisRun(),
                      trial_->run.LastStopReason() == StopReason::Limit});
  if (++next_ < cases_.size()) BeginCase(*trial_, loaded_, cases_[next_], limit_);
  return Running();
}

}  // namespace vellar
