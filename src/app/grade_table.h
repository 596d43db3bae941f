#pragma once

#include <optional>
#include <string>
#include <vector>

// The result of grading a class, as a Markdown table or as CSV for a spreadsheet: one row per
// submission, ✓ or ✗ per case, the count passed; in Markdown the first difference of each
// failed case follows as a list, in CSV it stands in a column per case of the same line.
namespace vellar {

struct GradedSubmission {
  std::string name;
  // Set when the submission could not be read; then no case ran.
  std::optional<std::string> error;
  // Per case: none when passed, else the first difference (or "Taktgrenze erreicht").
  std::vector<std::optional<std::string>> failures;

  int Passed() const;
};

// The lines to print; csv separates cells with ';' and begins with the UTF-8 byte order mark.
std::vector<std::string> GradeTable(const std::vector<std::string>& caseNames,
                                    const std::vector<GradedSubmission>& submissions, bool csv);

}  // namespace vellar
