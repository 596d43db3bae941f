#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mps/mps_store.h"

// The assembler: an instruction typed in the notation of the MPS descriptions is matched
// against the descriptions of MPS addresses 0A to FF. Input and description are compared in
// one normalised form, token by token; the second and third input token stand for the
// operand unless they name a register.
namespace vellar {

// Lower case (every letter of Windows-1252), commas as blanks, no double blanks.
std::string NormaliseAsmText(std::string_view text);

// The tokens of a normalised text: maximal runs of non-blanks. A single or double quote
// groups the text up to its partner (or the end) into the token, blanks included; the quotes
// stay part of it.
std::vector<std::string> SplitAsmTokens(std::string_view normalised);

struct AsmMatch {
  // The text is empty: the line becomes 00 00.
  bool empty = false;
  // Every matching MPS address in ascending order; the last one is the one that stays.
  std::vector<uint8_t> opcodes;
  // The operand as typed, without "[" and "]"; none when neither the second nor the third
  // token is an operand.
  std::optional<std::string> operand;
};

AsmMatch MatchInstruction(const MpsStore& mps, std::string_view text);

}  // namespace vellar
