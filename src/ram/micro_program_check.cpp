#include "ram/micro_program_check.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>

#include "core/hex.h"
#include "core/machine.h"
#include "core/text.h"
#include "mps/mps_records.h"
#include "ram/assembler.h"

namespace vellar {

namespace {

constexpr int kFirstOpcode = 0x0A;
constexpr int kRows = MpsStore::kRows;
constexpr size_t kCycleShown = 6;

using Rows = std::bitset<kRows>;

class Checker {
 public:
  explicit Checker(const MpsStore& mps) : mps_(mps) {
    for (int a = kFirstOpcode; a < kRows; ++a) {
      if (!mps.Description(a).empty()) described_.push_back(a);
    }
  }

  std::vector<MpsFinding> Run() {
    Reach();
    for (int a = kFirstOpcode; a < kRows; ++a) instruction_[a] = IsInstruction(a);
    for (int a = 0; a < kRows; ++a) CheckGates(a);
    for (int a = 0; a < kRows; ++a) {
      if (!reached_[a]) continue;
      CheckEmptyRow(a);
      CheckFallThrough(a);
    }
    CheckLoops();
    for (int a = kFirstOpcode; a < kRows; ++a) CheckDescription(a);
    std::stable_sort(
        findings_.begin(), findings_.end(),
        [](const MpsFinding& x, const MpsFinding& y) { return x.address < y.address; });
    return findings_;
  }

 private:
  bool Has(int a, int gate) const { return (mps_.GateMask(a) & GateBit(gate)) != 0; }

  // The row names its own address (not 00) as next address: the halt rule ends the run there.
  bool IsHalt(int a) const { return a != 0 && mps_.NextAddress(a) == a; }

  bool IsEmpty(int a) const {
    return mps_.GateMask(a) == 0 && mps_.Description(a).empty() &&
           mps_.NextAddress(a) == ((a + 1) & 0xFF);
  }

  // The text one types for the description, with an operand for its first "nn".
  static std::string Typed(const std::string& description) {
    std::string typed = description;
    if (const size_t nn = typed.find("nn"); nn != std::string::npos) typed.replace(nn, 2, "3F");
    return typed;
  }

  // The description is an instruction's notation: typed as it stands, it matches itself. A
  // single word matches itself always; where a routine runs into the row by a next address,
  // such a word ("Negieren", "Lesen") is the comment of a continuation, and only a row that
  // the decode step alone enters is an instruction of one word ("HLT").
  bool IsInstruction(int a) const {
    const std::string& description = mps_.Description(a);
    if (description.empty()) return false;
    if (enteredByNext_[a] && SplitAsmTokens(NormaliseAsmText(description)).size() == 1) {
      return false;
    }
    const AsmMatch match = MatchInstruction(mps_, Typed(description));
    return std::find(match.opcodes.begin(), match.opcodes.end(), a) != match.opcodes.end();
  }

  // The rows that may run after row a; a computed address FF is row 0, where a run ends.
  std::vector<int> Successors(int a) const {
    std::vector<int> next;
    if (IsHalt(a)) return next;
    std::vector<int> bases = {mps_.NextAddress(a)};
    if (Has(a, 0xE)) bases.push_back(bases.front() + 1);
    for (const int base : bases) {
      if (Has(a, 0xF)) {
        for (const int opcode : described_) next.push_back((base + opcode) & 0xFF);
      } else {
        next.push_back(base & 0xFF);
      }
    }
    std::erase(next, 0xFF);
    return next;
  }

  void Reach() {
    std::vector<int> todo = {0};
    reached_[0] = true;
    while (!todo.empty()) {
      const int a = todo.back();
      todo.pop_back();
      for (const int b : Successors(a)) {
        if (!reachedFrom_[b].has_value() && b != a) reachedFrom_[b] = a;
        if (!Has(a, 0xF) && b != a) enteredByNext_[b] = true;
        if (reached_[b]) continue;
        reached_[b] = true;
        todo.push_back(b);
      }
    }
  }

  void Add(int a, std::string text) {
    findings_.push_back({static_cast<uint8_t>(a), std::move(text)});
  }

  void CheckGates(int a) {
    for (int g = 0; g < kGateCount; ++g) {
      for (int h = g + 1; h < kGateCount; ++h) {
        if (Has(a, g) && Has(a, h) && (kConflictTable[g] & GateBit(h)) != 0) {
          Add(a, "Die Tore " + HexDigit(g) + " und " + HexDigit(h) +
                     " dürfen nicht zugleich offen sein.");
        }
      }
    }
  }

  // Only where the run enters empty rows: the rows after it are empty all the same.
  void CheckEmptyRow(int a) {
    if (!IsEmpty(a)) return;
    const std::optional<int>& from = reachedFrom_[a];
    if (from && IsEmpty(*from)) return;
    Add(a, std::string("Leere Zeile (kein Tor, keine Beschreibung, Folgeadresse ") +
               HexByte((a + 1) & 0xFF) + "), " +
               (from ? "erreicht von Zeile " + HexByte(*from) : std::string("der Start")) +
               ": Die Routine läuft ins Leere.");
  }

  // A row that goes on to the next address, where another instruction begins, has most likely
  // lost its return to the fetch at 00.
  void CheckFallThrough(int a) {
    const int b = a + 1;
    // Empty rows have their own finding where the run enters them.
    if (b >= kRows || IsEmpty(a) || Has(a, 0xF) || IsHalt(a) || mps_.NextAddress(a) != b ||
        !instruction_[b]) {
      return;
    }
    Add(a, "Die Routine läuft ohne Rückkehr nach 00 weiter in Zeile " + HexByte(b) +
               ", den Befehl „" + mps_.Description(b) + "“ (Folgeadresse 00 vergessen?).");
  }

  // A row without gates E and F, and no halt row, has one way on; a cycle of such rows is
  // never left.
  void CheckLoops() {
    std::array<int, kRows> state{};  // 0 new, 1 on the current walk, 2 done
    for (int start = 0; start < kRows; ++start) {
      std::vector<int> walk;
      int a = start;
      bool ends = false;
      while (reached_[a] && state[a] == 0 && Plain(a)) {
        state[a] = 1;
        walk.push_back(a);
        const std::vector<int> next = Successors(a);
        if (next.empty()) {
          ends = true;
          break;
        }
        a = next.front();
      }
      if (!ends && state[a] == 1) {
        ReportLoop(std::vector<int>(std::find(walk.begin(), walk.end(), a), walk.end()));
      }
      for (const int b : walk) state[b] = 2;
    }
  }

  bool Plain(int a) const { return !Has(a, 0xE) && !Has(a, 0xF) && !IsHalt(a); }

  void ReportLoop(const std::vector<int>& cycle) {
    const int first = *std::min_element(cycle.begin(), cycle.end());
    std::string path;
    for (size_t i = 0; i < cycle.size() && i < kCycleShown; ++i) path += HexByte(cycle[i]) + " → ";
    path += cycle.size() > kCycleShown ? "…" : HexByte(cycle.front());
    Add(first, "Endlose Mikroschleife " + path +
                   ": Keine ihrer Zeilen hat Tor E oder F oder ist eine Haltzeile.");
  }

  void CheckDescription(int a) {
    const std::string& description = mps_.Description(a);
    if (description.empty()) return;
    const size_t nn = description.find("nn");
    if (nn != std::string::npos && description.find("nn", nn + 2) != std::string::npos) {
      Add(a, "„" + description +
                 "“ enthält „nn“ mehr als einmal; der Operand erscheint nur an der ersten Stelle.");
    }
    if (!instruction_[a]) return;
    const AsmMatch match = MatchInstruction(mps_, Typed(description));
    if (match.opcodes.back() != a) {
      const int other = match.opcodes.back();
      Add(a, "Der Assembler kann „" + description + "“ nicht von Zeile " + HexByte(other) + " („" +
                 mps_.Description(other) + "“) unterscheiden; er nimmt immer Zeile " +
                 HexByte(other) + ".");
    }
    if (CharCount(description) > kMpsDescriptionBytes) {
      Add(a, "„" + description + "“ ist länger als " + std::to_string(kMpsDescriptionBytes) +
                 " Zeichen; im kompakten .mps-Format bleibt nur „" +
                 FirstChars(description, kMpsDescriptionBytes) + "“.");
    }
  }

  static std::string HexDigit(int g) { return std::string(1, "0123456789ABCDEF"[g]); }

  const MpsStore& mps_;
  std::vector<int> described_;
  Rows instruction_;
  Rows reached_;
  // Rows that a reached row other than a decode row goes on to.
  Rows enteredByNext_;
  std::array<std::optional<int>, kRows> reachedFrom_{};
  std::vector<MpsFinding> findings_;
};

}  // namespace

std::vector<MpsFinding> CheckMicroProgram(const MpsStore& mps) {
  return Checker(mps).Run();
}

}  // namespace vellar
