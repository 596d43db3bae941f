#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_report.h"
#include "app/run_setup.h"

// A case of vellar-cli grade and of the check of a task: one line
//   name: [--set REG=HH]... [--mem AA=HH]... => expectation items (as for --expect)
// The file around the cases (comments, header lines) is the task reader's (task_file.h).
namespace vellar {

struct GradeCase {
  std::string name;
  RunSetup setup;
  std::vector<Expectation> expectations;
};

// The case of one line without its comment; a German error text when the line is faulty.
std::optional<std::string> ReadCase(std::string_view line, GradeCase& out);

}  // namespace vellar
