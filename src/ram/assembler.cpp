#include "ram/assembler.h"

#include "core/text.h"

namespace vellar {

namespace {

constexpr int kFirstOpcode = 0x0A;

bool IsQuote(char c) {
  return c == '\'' || c == '"';
}

bool NamesRegister(std::string_view token) {
  return token.find("ax") != std::string_view::npos || token.find("bx") != std::string_view::npos;
}

// The token with every character but the brackets turned into n: "3f" -> "nn",
// "[3f]" -> "[nn]". Characters, not bytes, so that "ä" is one n.
std::string OperandPattern(std::string_view token) {
  std::string pattern;
  size_t start = 0;
  for (size_t i = 0; i <= token.size(); ++i) {
    if (i < token.size() && token[i] != '[' && token[i] != ']') continue;
    pattern.append(CharCount(token.substr(start, i - start)), 'n');
    if (i < token.size()) pattern += token[i];
    start = i + 1;
  }
  return pattern;
}

std::string WithoutBrackets(std::string_view token) {
  std::string out;
  for (char c : token) {
    if (c != '[' && c != ']') out += c;
  }
  return out;
}

bool DescriptionMatches(const std::vector<std::string>& description,
                        const std::vector<std::string>& input) {
  if (description.empty() || input.size() < description.size()) return false;
  for (size_t j = 0; j < description.size(); ++j) {
    if (description[j] != input[j]) return false;
  }
  return true;
}

}  // namespace

std::string NormaliseAsmText(std::string_view text) {
  std::string out = ToLowerCp1252(text);
  for (char& c : out) {
    if (c == ',') c = ' ';
  }
  // Replacing double blanks until none is left comes down to one blank per run.
  std::string collapsed;
  collapsed.reserve(out.size());
  for (char c : out) {
    if (c == ' ' && !collapsed.empty() && collapsed.back() == ' ') continue;
    collapsed += c;
  }
  return collapsed;
}

std::vector<std::string> SplitAsmTokens(std::string_view normalised) {
  std::vector<std::string> tokens;
  std::string token;
  char quote = 0;
  for (char c : normalised) {
    if (quote != 0) {
      token += c;
      if (c == quote) quote = 0;
    } else if (c == ' ') {
      if (!token.empty()) tokens.push_back(std::move(token));
      token.clear();
    } else {
      if (IsQuote(c)) quote = c;
      token += c;
    }
  }
  if (!token.empty()) tokens.push_back(std::move(token));
  return tokens;
}

AsmMatch MatchInstruction(const MpsStore& mps, std::string_view text) {
  AsmMatch match;
  const std::string normalised = NormaliseAsmText(text);
  if (normalised.empty()) {
    match.empty = true;
    return match;
  }
  std::vector<std::string> input = SplitAsmTokens(normalised);
  for (size_t i = 1; i <= 2 && i < input.size(); ++i) {
    if (NamesRegister(input[i])) continue;
    match.operand = WithoutBrackets(input[i]);
    input[i] = OperandPattern(input[i]);
  }
  for (int address = kFirstOpcode; address < MpsStore::kRows; ++address) {
    const std::string& description = mps.Description(address);
    if (description.empty()) continue;
    if (DescriptionMatches(SplitAsmTokens(NormaliseAsmText(description)), input)) {
      match.opcodes.push_back(static_cast<uint8_t>(address));
    }
  }
  return match;
}

}  // namespace vellar
