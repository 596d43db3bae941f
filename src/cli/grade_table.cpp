#include "cli/grade_table.h"

namespace vellar::cli {

namespace {

constexpr std::string_view kPass = "✓";
constexpr std::string_view kFail = "✗";

// A cell of a Markdown table: a "|" in a file name or message must not end the cell.
std::string MarkdownCell(std::string_view text) {
  std::string cell;
  for (const char c : text) {
    if (c == '|') cell += '\\';
    cell += c == '\n' ? ' ' : c;
  }
  return cell;
}

// A cell of a CSV line; quoted when it holds the separator, a quote or a line break.
std::string CsvCell(std::string_view text) {
  if (text.find_first_of(";\"\n") == std::string_view::npos) return std::string(text);
  std::string cell = "\"";
  for (const char c : text) {
    if (c == '"') cell += '"';
    cell += c;
  }
  return cell + "\"";
}

std::string Row(const std::vector<std::string>& cells, bool csv) {
  std::string line = csv ? "" : "|";
  for (size_t i = 0; i < cells.size(); ++i) {
    if (csv) {
      line += (i == 0 ? "" : ";") + CsvCell(cells[i]);
    } else {
      line += " " + MarkdownCell(cells[i]) + " |";
    }
  }
  return line;
}

std::vector<std::string> Cells(const GradedSubmission& s, size_t caseCount) {
  std::vector<std::string> cells = {s.name};
  for (size_t i = 0; i < caseCount; ++i) {
    if (s.error) {
      cells.push_back(i == 0 ? "Fehler: " + *s.error : "");
    } else {
      cells.emplace_back(s.failures[i] ? kFail : kPass);
    }
  }
  cells.push_back(std::to_string(s.Passed()) + "/" + std::to_string(caseCount));
  return cells;
}

}  // namespace

int GradedSubmission::Passed() const {
  if (error) return 0;
  int passed = 0;
  for (const auto& failure : failures) passed += failure ? 0 : 1;
  return passed;
}

std::vector<std::string> GradeTable(const std::vector<std::string>& caseNames,
                                    const std::vector<GradedSubmission>& submissions, bool csv) {
  std::vector<std::string> header = {"Einreichung"};
  header.insert(header.end(), caseNames.begin(), caseNames.end());
  header.emplace_back("bestanden");
  std::vector<std::string> lines = {Row(header, csv)};
  if (!csv) {
    std::string rule = "|---|";
    for (size_t i = 0; i < caseNames.size(); ++i) rule += ":-:|";
    lines.push_back(rule + "--:|");
  }
  for (const GradedSubmission& s : submissions)
    lines.push_back(Row(Cells(s, caseNames.size()), csv));

  std::vector<std::string> details;
  for (const GradedSubmission& s : submissions) {
    for (size_t i = 0; i < s.failures.size(); ++i) {
      if (!s.failures[i]) continue;
      details.push_back(csv ? Row({s.name, caseNames[i], *s.failures[i]}, true)
                            : "- " + MarkdownCell(s.name) + ", " + MarkdownCell(caseNames[i]) +
                                  ": " + MarkdownCell(*s.failures[i]));
    }
  }
  if (!details.empty()) {
    lines.emplace_back("");
    lines.push_back(csv ? "Einreichung;Fall;erste Abweichung" : "Erste Abweichung je Fall:");
    if (!csv) lines.emplace_back("");
    lines.insert(lines.end(), details.begin(), details.end());
  }
  return lines;
}

}  // namespace vellar::cli
