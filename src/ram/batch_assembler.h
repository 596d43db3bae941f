#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/machine.h"
#include "mps/mps_store.h"

// Assembling a whole source text, for programs written in an editor. Each instruction line is
// entered into the "Befehl" cell of its assembler line as the grid's assembler takes it, with
// only the final text counting; a line of two hex bytes ("3F 00") is stored as it stands.
// Beyond what one can type into the grid, a source has comments from ";" on, labels
// ("schleife:") that operands may name, "org hh", "db hh, hh, …" and "var name hh" (see
// ram/asm_source.h). Labels are resolved before any line is matched, so a jump may name a
// label further down.
namespace vellar {

inline constexpr int kAsmLines = kRamSize / 2;

struct BatchAssembly {
  std::array<uint8_t, kRamSize> bytes{};
  // German, one per faulty line, each naming its line number (counted from 1).
  std::vector<std::string> errors;
  // Assembler lines filled.
  int lines = 0;
  // The inspector variables of "var" lines, in the order of the source: address, name.
  std::vector<std::pair<uint8_t, std::string>> variables;
};

// The source as UTF-8 text with lines ended by CR, LF or CR LF.
BatchAssembly AssembleSource(const MpsStore& mps, std::string_view source);

}  // namespace vellar
