#include "app/grade_cases.h"

#include "core/text.h"

namespace vellar {

namespace {

constexpr std::string_view kArrow = "=>";
// Characters that would break the table or the spreadsheet the name heads.
constexpr std::string_view kForbiddenInNames = "|;\"";

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t end = pos;
    while (end < text.size() && text[end] != ' ') ++end;
    if (end > pos) words.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

// The options before "=>"; an error text when one is malformed.
std::optional<std::string> ReadOptions(std::string_view text, RunSetup& setup) {
  const std::vector<std::string_view> words = Words(text);
  for (size_t i = 0; i < words.size(); ++i) {
    std::string_view word = words[i];
    std::string_view value;
    if (const size_t eq = word.find('='); eq != std::string_view::npos && word.starts_with("--")) {
      value = word.substr(eq + 1);
      word = word.substr(0, eq);
    } else if (i + 1 < words.size()) {
      value = words[++i];
    }
    std::string error;
    if (word == "--set") {
      if (!ParseSetItem(value, setup, error)) return error;
    } else if (word == "--mem") {
      if (!ParseMemItem(value, setup, error)) return error;
    } else {
      return "„" + std::string(word) + "“: Vor „=>“ stehen nur --set REG=HH und --mem AA=HH.";
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadCase(std::string_view line, GradeCase& out) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) {
    return "Ein Fall hat die Form „name: [--set REG=HH]... [--mem AA=HH]... => Erwartungen“.";
  }
  out.name = TrimBlanks(line.substr(0, colon));
  if (out.name.empty()) return "Dem Fall fehlt der Name vor „:“.";
  if (out.name.find_first_of(kForbiddenInNames) != std::string::npos) {
    return "Der Name „" + out.name + "“ darf kein |, ; oder \" enthalten.";
  }
  const std::string_view rest = line.substr(colon + 1);
  const size_t arrow = rest.find(kArrow);
  if (arrow == std::string_view::npos) {
    return "Zum Fall „" + out.name + "“ fehlt „=>“ mit den Erwartungen.";
  }
  if (auto error = ReadOptions(rest.substr(0, arrow), out.setup)) return error;
  std::string error;
  const auto items = ParseExpectations(TrimBlanks(rest.substr(arrow + kArrow.size())), error);
  if (!items) return error;
  if (items->empty()) return "Der Fall „" + out.name + "“ erwartet nichts.";
  out.expectations = *items;
  return std::nullopt;
}

void BeginCase(Session& session, const std::array<uint8_t, kRamSize>& loaded, const GradeCase& c,
               uint64_t maxClocks) {
  for (int a = 0; a < kRamSize; ++a) {
    if (session.machine.Ram[a] != loaded[a]) session.memory.WriteRam(a, loaded[a]);
  }
  session.run.MeClrRegClick();
  ApplySetup(session, c.setup);
  BeginRun(session, "halt", maxClocks);
}

std::optional<std::string> CaseDifference(const Session& session, const GradeCase& c,
                                          uint64_t maxClocks) {
  if (session.run.LastStopReason() == StopReason::Limit) {
    return "Taktgrenze erreicht (" + std::to_string(maxClocks) + " ALU-Takte).";
  }
  return FirstDifference(c.expectations, ResultOf(session));
}

}  // namespace vellar
