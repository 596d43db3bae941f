#include "ram/batch_assembler.h"

#include <optional>
#include <utility>

#include "core/hex.h"
#include "core/text.h"
#include "ram/assembler.h"

namespace vellar {

namespace {

// "3F 00": two bytes of data.
std::optional<std::pair<uint8_t, uint8_t>> DataPair(std::string_view trimmed) {
  const std::vector<std::string> parts = SplitAsmTokens(trimmed);
  if (parts.size() != 2) return std::nullopt;
  for (const std::string& part : parts) {
    if (part.size() != 2 || !IsHexNumber(part)) return std::nullopt;
  }
  return std::pair{static_cast<uint8_t>(ParseHex(parts[0])),
                   static_cast<uint8_t>(ParseHex(parts[1]))};
}

std::string LineError(size_t lineNumber, std::string_view what) {
  return "Zeile " + std::to_string(lineNumber) + ": " + std::string(what);
}

}  // namespace

BatchAssembly AssembleSource(const MpsStore& mps, std::string_view source) {
  BatchAssembly result;
  const std::vector<std::string> lines = SplitLines(source);
  for (size_t i = 0; i < lines.size(); ++i) {
    // A tab cannot be typed into a grid cell; in a source file it separates like a blank.
    std::string typed = lines[i];
    for (char& c : typed) {
      if (c == '\t') c = ' ';
    }
    const std::string_view trimmed = TrimBlanks(typed);
    if (trimmed.empty() || trimmed.front() == ';') continue;
    if (result.lines == kAsmLines) {
      result.errors.push_back(LineError(i + 1, "Der Speicher ist voll: mehr als " +
                                                   std::to_string(kAsmLines) +
                                                   " Befehlszeilen passen nicht hinein."));
      break;
    }
    uint8_t* line = &result.bytes[static_cast<size_t>(2 * result.lines)];
    ++result.lines;
    if (const auto data = DataPair(trimmed)) {
      line[0] = data->first;
      line[1] = data->second;
      continue;
    }
    const AsmMatch match = MatchInstruction(mps, typed);
    if (match.opcodes.empty()) {
      result.errors.push_back(LineError(
          i + 1, "„" + std::string(trimmed) + "“ passt zu keinem Befehl des Mikroprogramms."));
      continue;
    }
    line[0] = match.opcodes.back();
    if (!match.operand) continue;
    const HexEntryFix fix = FixHexEntry(*match.operand);
    if (fix.invalid) {
      result.errors.push_back(
          LineError(i + 1, "Der Operand „" + *match.operand + "“ ist keine Hexadezimalzahl."));
    } else if (fix.replace) {
      // Otherwise the operand byte keeps its value, as in the grid: 00 in fresh memory.
      line[1] = static_cast<uint8_t>(ParseHex(fix.text) & 0xFF);
    }
  }
  return result;
}

}  // namespace vellar
