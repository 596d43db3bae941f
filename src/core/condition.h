#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/machine.h"

// A statement about the machine written as a user writes it: "AX=07", "[20]=0F", "SF=1",
// "ROW=12", "CLOCKS=40", "STOP=halt", each also with "≠" or "!=" instead of "=". vellar-cli
// checks a run's result by such items, and a run stops when one of them becomes true; both
// read them here, so that they are written alike everywhere.
namespace vellar {

struct Condition {
  enum class Subject : uint8_t { Register, Memory, Sign, Row, Clocks, Stop };
  Subject subject = Subject::Register;
  uint8_t index = 0;  // the register, or the memory address
  bool equal = true;  // "=", or "≠" / "!="
  uint64_t value = 0;
  std::string stop;  // for STOP: "halt", "end", "limit" or "break"
  std::string key;   // upper case: "AX", "[20]", "SF", "ROW", "CLOCKS", "STOP"
  std::string text;  // the item as given

  // "AX=00", "[F0]≠7F": the key, the relation and the value as the program writes them.
  std::string Canonical() const;
  // The value as written in the item's own notation: "07", "1", "40", "halt".
  std::string ValueText() const;
  // Whether the machine meets the item after clocks ALU clocks of a run; an item on how the
  // run stopped is met by no machine.
  bool HoldsFor(const Machine& m, uint64_t clocks) const {
    uint64_t actual = 0;
    switch (subject) {
      case Subject::Register:
        actual = m.Regs[index];
        break;
      case Subject::Memory:
        actual = m.Ram[index];
        break;
      case Subject::Sign:
        actual = m.SignFlag() ? 1 : 0;
        break;
      case Subject::Row:
        actual = static_cast<uint64_t>(m.CurrentRow);
        break;
      case Subject::Clocks:
        actual = clocks;
        break;
      case Subject::Stop:
        return false;
    }
    return (actual == value) == equal;
  }
};

// One item; nothing when it is malformed.
std::optional<Condition> ParseCondition(std::string_view item);
// The items of a text, separated by blanks; nothing when one is malformed, which is then
// named in badItem.
std::optional<std::vector<Condition>> ParseConditions(std::string_view text, std::string& badItem);

// The register a name such as "AX" or "al" stands for; -1 for none.
int RegisterIndex(std::string_view name);

}  // namespace vellar
