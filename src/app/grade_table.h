#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The result of grading a class, as a Markdown table or as CSV for a spreadsheet: one row per
// submission, ✓ or ✗ per case, the count passed and the ALU clocks of each case; in Markdown
// the first difference of each failed case follows as a list, in CSV it stands in a column per
// case of the same line.
namespace vellar {

struct GradedSubmission {
  std::string name;
  // Set when the submission could not be read; then no case ran.
  std::optional<std::string> error;
  // Per case: none when passed, else the first difference (or "Taktgrenze erreicht").
  std::vector<std::optional<std::string>> failures;
  // Per case: the ALU clocks the run took, so that the fastest correct one can be found.
  std::vector<uint64_t> clocks;

  int Passed() const;
};

// The lines to print; csv separates cells with ';' and begins with the UTF-8 byte order mark.
std::vector<std::string> GradeTable(const std::vector<std::string>& caseNames,
                                    const std::vector<GradedSubmission>& submissions, bool csv);

}  // namespace vellar
