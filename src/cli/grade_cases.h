#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/run_report.h"
#include "cli/run_setup.h"

// The cases file of vellar-cli grade: one case per line,
//   name: [--set REG=HH]... [--mem AA=HH]... => expectation items (as for --expect)
// with "#" beginning a comment. The reader takes any bytes and reports every faulty line.
namespace vellar::cli {

struct GradeCase {
  std::string name;
  RunSetup setup;
  std::vector<Expectation> expectations;
};

struct GradeCases {
  std::vector<GradeCase> cases;
  // German, one per faulty line, each with its line number.
  std::vector<std::string> errors;
};

// The file's text as UTF-8.
GradeCases ReadGradeCases(std::string_view text);

}  // namespace vellar::cli
