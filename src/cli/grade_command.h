#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"

// vellar-cli grade in steps: the page grades a class with the very code of the tool, in the
// slices it asks for, so that a submission that runs to the clock limit never freezes it.
namespace vellar::cli {

class ClassGrading {
 public:
  ClassGrading();
  ~ClassGrading();
  ClassGrading(const ClassGrading&) = delete;
  ClassGrading& operator=(const ClassGrading&) = delete;

  // The options read, the task and the teacher's own files checked, the submissions found;
  // the exit code after a fault, whose message is on stderr then.
  std::optional<int> Prepare(const Args& args);
  // At most this many ticks of a case's run (as RunControl::Advance counts them); true while
  // submissions remain.
  bool Advance(int ticks);
  size_t Graded() const;
  size_t Total() const;
  // The table as the tool prints it, once every submission is graded, and the tool's exit code.
  std::vector<std::string> Table() const;
  int ExitCode() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vellar::cli
