#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/machine.h"
#include "mps/mps_store.h"

// Assembling a whole source text, for programs written in an editor: each line is entered
// into the "Befehl" cell of the next assembler line as the grid's assembler takes it, with
// only the final text counting. Blank lines and lines beginning with ";" are skipped; a line
// of two hex bytes ("3F 00") is stored as it stands, for data.
namespace vellar {

inline constexpr int kAsmLines = kRamSize / 2;

struct BatchAssembly {
  std::array<uint8_t, kRamSize> bytes{};
  // German, one per faulty line, each naming its line number (counted from 1).
  std::vector<std::string> errors;
  // Assembler lines filled.
  int lines = 0;
};

// The source as UTF-8 text with lines ended by CR, LF or CR LF.
BatchAssembly AssembleSource(const MpsStore& mps, std::string_view source);

}  // namespace vellar
