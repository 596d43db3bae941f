#include "ram/batch_assembler.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/hex.h"
#include "core/text.h"
#include "ram/asm_source.h"
#include "ram/assembler.h"

namespace vellar {

namespace {

using Kind = AsmSourceLine::Kind;

std::string LineError(size_t lineNumber, std::string_view what) {
  return "Zeile " + std::to_string(lineNumber) + ": " + std::string(what);
}

// The bytes a line takes: two for an instruction; data fills whole assembler lines, so an odd
// count of bytes is padded with 00.
int SizeOf(const AsmSourceLine& line) {
  return line.kind == Kind::Data ? static_cast<int>(line.bytes.size() + 1) / 2 * 2 : 2;
}

// A line that takes memory: an instruction (two bytes) or data, at its address.
struct Item {
  size_t lineNumber = 0;
  int address = 0;
  AsmSourceLine line;
  // False for a line past the end of memory: it writes nothing, but its own faults (an unknown
  // instruction or label) are still reported, so that one run of the assembler names them all.
  bool fits = true;
};

// A name of a label or variable, with the line that defined it.
struct Symbol {
  int address = 0;
  size_t lineNumber = 0;
};

class Assembly {
 public:
  Assembly(const MpsStore& mps, BatchAssembly& out) : mps_(mps), out_(out) {}

  // First pass: every line read, every name bound to its address, every item placed.
  void Place(std::string_view source) {
    const std::vector<std::string> lines = SplitLines(source);
    int at = 0;
    bool overflowReported = false;
    for (size_t i = 0; i < lines.size(); ++i) {
      const size_t number = i + 1;
      AsmSourceLine line = ReadAsmSourceLine(lines[i]);
      if (line.kind == Kind::Invalid) {
        Error(number, line.error);
        continue;
      }
      if (line.kind == Kind::Org) {
        at = line.address;
        overflowReported = false;
      }
      // A label stands for the address where it stands, whatever follows; in an org line
      // that is the address the org names.
      if (!line.label.empty() && Define(line.label, number, at) && at >= kRamSize) {
        Error(number, "Die Marke „" + line.label + "“ läge hinter FF.");
      }
      if (line.kind == Kind::Var && Define(ToLowerCp1252(line.name), number, line.address)) {
        out_.variables.emplace_back(line.address, line.name);
      }
      if (line.kind != Kind::Instruction && line.kind != Kind::Data) continue;
      const int size = SizeOf(line);
      if (at + size > kRamSize) {
        // One report until an org moves back into memory; the lines after it cannot fit.
        if (!overflowReported) {
          Error(number, at < kRamSize ? "Die Zeile reicht über die Adresse FF hinaus."
                                      : "Der Speicher ist voll: Die Adresse " + HexByte(at) +
                                            " liegt hinter FF.");
        }
        overflowReported = true;
        items_.push_back({number, at, std::move(line), false});
        continue;
      }
      items_.push_back({number, at, std::move(line)});
      at += size;
    }
  }

  // Second pass: the items into memory, labels replaced by their addresses.
  void Emit() {
    std::array<size_t, kRamSize> owner{};
    for (const Item& item : items_) {
      if (!item.fits) {
        std::array<uint8_t, 2> nowhere{};
        if (item.line.kind == Kind::Instruction) EmitInstruction(item, nowhere.data());
        continue;
      }
      const int size = SizeOf(item.line);
      bool clash = false;
      for (int a = item.address; a < item.address + size; ++a) {
        if (owner[a] != 0 && !clash) {
          Error(item.lineNumber, "Die Adresse " + HexByte(a) + " ist schon von Zeile " +
                                     std::to_string(owner[a]) + " belegt.");
          clash = true;
        }
        owner[a] = item.lineNumber;
      }
      if (clash) continue;
      if (item.line.kind == Kind::Data) {
        for (size_t k = 0; k < item.line.bytes.size(); ++k) {
          out_.bytes[item.address + k] = item.line.bytes[k];
        }
      } else {
        EmitInstruction(item, &out_.bytes[static_cast<size_t>(item.address)]);
      }
    }
    // Items start at even addresses and fill whole lines.
    for (int a = 0; a < kRamSize; a += 2) out_.lines += owner[a] != 0 ? 1 : 0;
  }

  // The errors of both passes, in the order of the source lines.
  void Report() {
    std::stable_sort(errors_.begin(), errors_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [number, what] : errors_) out_.errors.push_back(LineError(number, what));
  }

 private:
  // False (and an error) when the name is taken.
  bool Define(const std::string& name, size_t number, int address) {
    const auto found = symbols_.find(name);
    if (found != symbols_.end()) {
      Error(number, "Der Name „" + name + "“ ist schon in Zeile " +
                        std::to_string(found->second.lineNumber) + " festgelegt.");
      return false;
    }
    symbols_[name] = {address, number};
    return true;
  }

  // The text with the operand tokens (second and third) that are names replaced by their
  // addresses; names that nothing defines go to unknown, or become 00 with unknownAsZero.
  std::string WithAddresses(std::string_view text, std::vector<std::string>& unknown,
                            bool unknownAsZero) const {
    std::vector<std::string> tokens = SplitAsmTokens(NormaliseAsmText(text));
    bool replaced = false;
    for (size_t i = 1; i <= 2 && i < tokens.size(); ++i) {
      std::string& token = tokens[i];
      const bool bracketed = token.size() > 2 && token.front() == '[' && token.back() == ']';
      const std::string name = bracketed ? token.substr(1, token.size() - 2) : token;
      if (!IsAsmName(name) || IsHexNumber(name)) continue;
      const auto found = symbols_.find(name);
      if (found == symbols_.end()) {
        if (!unknownAsZero) {
          unknown.push_back(name);
          continue;
        }
      }
      const std::string hex =
          HexByte(found == symbols_.end() ? 0u : static_cast<unsigned>(found->second.address));
      token = bracketed ? "[" + hex + "]" : hex;
      replaced = true;
    }
    // A line without names stays as typed, exactly as the grid takes it.
    if (!replaced) return std::string(text);
    std::string joined;
    for (const std::string& token : tokens) joined += (joined.empty() ? "" : " ") + token;
    return joined;
  }

  // The opcode and operand into bytes[0] and bytes[1].
  void EmitInstruction(const Item& item, uint8_t* bytes) {
    const std::string& text = item.line.text;
    std::vector<std::string> unknown;
    const AsmMatch match = MatchInstruction(mps_, WithAddresses(text, unknown, false));
    if (match.opcodes.empty()) {
      // A name is taken for a label only where an address would make the line match:
      // "jmp ende" lacks its label, "mov cx,05" an instruction.
      if (!unknown.empty() &&
          !MatchInstruction(mps_, WithAddresses(text, unknown, true)).opcodes.empty()) {
        Error(item.lineNumber, "Unbekannte Marke „" + unknown.front() + "“.");
      } else {
        Error(item.lineNumber, "„" + text + "“ passt zu keinem Befehl des Mikroprogramms.");
      }
      return;
    }
    bytes[0] = match.opcodes.back();
    if (!match.operand) return;
    const HexEntryFix fix = FixHexEntry(*match.operand);
    if (fix.invalid) {
      Error(item.lineNumber, "Der Operand „" + *match.operand + "“ ist keine Hexadezimalzahl.");
    } else if (fix.replace) {
      // Otherwise the operand byte keeps its value, as in the grid: 00 in fresh memory.
      bytes[1] = static_cast<uint8_t>(ParseHex(fix.text) & 0xFF);
    }
  }

  void Error(size_t number, std::string what) { errors_.emplace_back(number, std::move(what)); }

  const MpsStore& mps_;
  BatchAssembly& out_;
  std::vector<std::pair<size_t, std::string>> errors_;
  std::map<std::string, Symbol> symbols_;
  std::vector<Item> items_;
};

}  // namespace

BatchAssembly AssembleSource(const MpsStore& mps, std::string_view source) {
  BatchAssembly result;
  Assembly assembly(mps, result);
  assembly.Place(source);
  assembly.Emit();
  assembly.Report();
  return result;
}

}  // namespace vellar
