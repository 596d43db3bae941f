#include "ram/asm_source.h"

#include <algorithm>

#include "core/hex.h"
#include "core/machine.h"
#include "core/text.h"
#include "ram/assembler.h"

namespace vellar {

namespace {

// The bytes of the name character at pos: a letter, a digit or '_'; 0 for any other.
size_t NameCharLength(std::string_view text, size_t pos) {
  const char c = text[pos];
  if ((c >= '0' && c <= '9') || c == '_') return 1;
  return Cp1252LetterLength(text, pos);
}

// The bytes of the name the text begins with; 0 when it begins with no letter.
size_t NameLength(std::string_view text) {
  if (Cp1252LetterLength(text, 0) == 0) return 0;
  size_t end = 0;
  while (end < text.size()) {
    const size_t n = NameCharLength(text, end);
    if (n == 0) break;
    end += n;
  }
  return end;
}

// A name that an operand may hold must not be one of its registers as well: "MOV AX,[BX]"
// would change meaning without a word.
bool IsRegisterName(std::string_view name) {
  const std::string upper = ToUpperAscii(name);
  return std::find(kRegNames.begin(), kRegNames.end(), upper) != kRegNames.end();
}

// What is wrong with a name for a label or a variable; empty when nothing is.
std::string NameFault(std::string_view name) {
  if (IsHexNumber(name)) return "ist zugleich eine Hexadezimalzahl";
  if (IsRegisterName(name)) return "bezeichnet ein Register";
  return "";
}

// The line up to its comment: ';' outside quotes, since a description may quote one.
std::string_view WithoutComment(std::string_view line) {
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      return line.substr(0, i);
    }
  }
  return line;
}

// One or two hex digits.
bool ReadByte(std::string_view token, uint8_t& value) {
  if (token.empty() || token.size() > 2 || !IsHexNumber(token)) return false;
  value = static_cast<uint8_t>(ParseHex(token));
  return true;
}

// The words of a directive's operands; commas separate like blanks.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : text) {
    if (c == ' ' || c == ',') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

AsmSourceLine Invalid(AsmSourceLine line, std::string error) {
  line.kind = AsmSourceLine::Kind::Invalid;
  line.error = std::move(error);
  return line;
}

void ReadOrg(std::string_view args, AsmSourceLine& out) {
  const std::vector<std::string> words = Words(args);
  if (words.size() != 1 || !ReadByte(words[0], out.address)) {
    out =
        Invalid(std::move(out), "org erwartet eine Adresse hh, nicht „" + std::string(args) + "“.");
  } else if (out.address % 2 != 0) {
    out = Invalid(std::move(out), "org " + words[0] +
                                      ": Die Adresse muss gerade sein, denn jede "
                                      "Assemblerzeile hält zwei Bytes.");
  } else {
    out.kind = AsmSourceLine::Kind::Org;
  }
}

void ReadDb(std::string_view args, AsmSourceLine& out) {
  for (const std::string& word : Words(args)) {
    uint8_t value = 0;
    if (!ReadByte(word, value)) {
      out = Invalid(std::move(out), "db erwartet Bytes hh, hh, …; „" + word +
                                        "“ ist kein Byte in Hexadezimalschreibweise.");
      return;
    }
    out.bytes.push_back(value);
  }
  if (out.bytes.empty()) {
    out = Invalid(std::move(out), "db erwartet mindestens ein Byte: db hh, hh, …");
    return;
  }
  out.kind = AsmSourceLine::Kind::Data;
}

void ReadVar(std::string_view args, AsmSourceLine& out) {
  const std::vector<std::string> words = Words(args);
  if (words.size() != 2 || !IsAsmName(words[0]) || !ReadByte(words[1], out.address)) {
    out = Invalid(std::move(out),
                  "var erwartet NAME hh (etwa „var zahl F0“), nicht „" + std::string(args) + "“.");
  } else if (const std::string fault = NameFault(words[0]); !fault.empty()) {
    out = Invalid(std::move(out),
                  "Der Name „" + words[0] + "“ " + fault + "; bitte einen anderen wählen.");
  } else {
    out.kind = AsmSourceLine::Kind::Var;
    out.name = words[0];
  }
}

// "3F 00": two bytes of data, as the editor has always taken them.
bool ReadDataPair(std::string_view text, AsmSourceLine& out) {
  const std::vector<std::string> parts = SplitAsmTokens(text);
  if (parts.size() != 2) return false;
  for (const std::string& part : parts) {
    if (part.size() != 2 || !IsHexNumber(part)) return false;
  }
  out.kind = AsmSourceLine::Kind::Data;
  out.bytes = {static_cast<uint8_t>(ParseHex(parts[0])), static_cast<uint8_t>(ParseHex(parts[1]))};
  return true;
}

}  // namespace

bool IsAsmName(std::string_view text) {
  return !text.empty() && NameLength(text) == text.size();
}

AsmSourceLine ReadAsmSourceLine(std::string_view line) {
  AsmSourceLine out;
  // A tab cannot be typed into a grid cell; in a source file it separates like a blank.
  std::string typed(WithoutComment(line));
  for (char& c : typed) {
    if (c == '\t') c = ' ';
  }
  std::string_view rest = TrimBlanks(typed);

  const size_t end = NameLength(rest);
  if (end > 0 && end < rest.size() && rest[end] == ':') {
    const std::string_view name = rest.substr(0, end);
    if (const std::string fault = NameFault(name); !fault.empty()) {
      return Invalid(std::move(out), "Der Name „" + std::string(name) + "“ " + fault +
                                         "; bitte einen anderen wählen.");
    }
    out.label = ToLowerCp1252(name);
    rest = TrimBlanks(rest.substr(end + 1));
  }
  if (rest.empty()) return out;

  const size_t blank = rest.find(' ');
  const std::string keyword = ToLowerAscii(rest.substr(0, blank));
  const std::string_view args =
      blank == std::string_view::npos ? std::string_view() : TrimBlanks(rest.substr(blank));
  if (keyword == "org") {
    ReadOrg(args, out);
  } else if (keyword == "db") {
    ReadDb(args, out);
  } else if (keyword == "var") {
    ReadVar(args, out);
  } else if (!ReadDataPair(rest, out)) {
    out.kind = AsmSourceLine::Kind::Instruction;
    out.text = rest;
  }
  if (out.kind == AsmSourceLine::Kind::Var && !out.label.empty()) {
    return Invalid(std::move(out), "Vor var steht keine Marke: var legt selbst einen Namen fest.");
  }
  return out;
}

}  // namespace vellar
