#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"

// Grading in the page: the teacher picks or drops the task (or a cases file), the start files
// it names and the submissions, all at once and without folders. The page puts them into one
// folder, the working directory, and grades them with the arguments of vellar-cli grade made
// here.
namespace vellar::cli {

// The arguments for grade (after "grade"): the task, --csv, and the submissions sorted by name;
// the task's start files stand where it names them and are no submissions. None, with the
// German message saying what is missing or wrong, when the files cannot be graded so.
std::optional<std::string> PickedGradeArgs(const std::vector<std::string>& names, Args& args);

}  // namespace vellar::cli
