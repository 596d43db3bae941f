#include "app/grade_table.h"

namespace vellar {

namespace {

constexpr std::string_view kPass = "✓";
constexpr std::string_view kFail = "✗";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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

std::vector<std::string> Cells(const GradedSubmission& s, size_t caseCount, bool csv) {
  std::vector<std::string> cells = {s.name};
  for (size_t i = 0; i < caseCount; ++i) {
    if (s.error) {
      cells.push_back(i == 0 ? "Fehler: " + *s.error : "");
    } else {
      cells.emplace_back(s.failures[i] ? kFail : kPass);
    }
  }
  if (!csv) {
    cells.push_back(std::to_string(s.Passed()) + "/" + std::to_string(caseCount));
    std::string clocks;
    for (const uint64_t c : s.clocks) clocks += (clocks.empty() ? "" : " / ") + std::to_string(c);
    cells.push_back(clocks);
    return cells;
  }
  // A spreadsheet takes "1/3" for a date; the count alone is a number to reckon with.
  cells.push_back(std::to_string(s.Passed()));
  for (size_t i = 0; i < caseCount; ++i) {
    cells.push_back(!s.error && s.failures[i] ? *s.failures[i] : "");
  }
  for (size_t i = 0; i < caseCount; ++i) {
    cells.push_back(i < s.clocks.size() ? std::to_string(s.clocks[i]) : "");
  }
  return cells;
}

// The CSV table: one line per submission, the first differences in columns of their own, so
// that a spreadsheet can sort and filter the whole.
std::vector<std::string> CsvTable(const std::vector<std::string>& caseNames,
                                  const std::vector<GradedSubmission>& submissions) {
  std::vector<std::string> header = {"Einreichung"};
  header.insert(header.end(), caseNames.begin(), caseNames.end());
  header.push_back("bestanden (von " + std::to_string(caseNames.size()) + ")");
  for (const std::string& name : caseNames) header.push_back("erste Abweichung " + name);
  for (const std::string& name : caseNames) header.push_back("ALU-Takte " + name);
  // Without the byte order mark a German spreadsheet reads the file as Windows-1252 and
  // shows ✓, umlauts and quotes as garbage.
  std::vector<std::string> lines = {std::string(kUtf8Bom) + Row(header, true)};
  for (const GradedSubmission& s : submissions) {
    lines.push_back(Row(Cells(s, caseNames.size(), true), true));
  }
  return lines;
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
  if (csv) return CsvTable(caseNames, submissions);
  std::vector<std::string> header = {"Einreichung"};
  header.insert(header.end(), caseNames.begin(), caseNames.end());
  header.emplace_back("bestanden");
  header.emplace_back("ALU-Takte");
  std::vector<std::string> lines = {Row(header, false)};
  std::string rule = "|---|";
  for (size_t i = 0; i < caseNames.size(); ++i) rule += ":-:|";
  lines.push_back(rule + "--:|--:|");
  for (const GradedSubmission& s : submissions) {
    lines.push_back(Row(Cells(s, caseNames.size(), false), false));
  }

  std::vector<std::string> details;
  for (const GradedSubmission& s : submissions) {
    for (size_t i = 0; i < s.failures.size(); ++i) {
      if (!s.failures[i]) continue;
      details.push_back("- " + MarkdownCell(s.name) + ", " + MarkdownCell(caseNames[i]) + ": " +
                        MarkdownCell(*s.failures[i]));
    }
  }
  if (!details.empty()) {
    lines.insert(lines.end(), {"", "Erste Abweichung je Fall:", ""});
    lines.insert(lines.end(), details.begin(), details.end());
  }
  return lines;
}

}  // namespace vellar
