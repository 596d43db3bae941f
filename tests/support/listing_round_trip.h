#pragma once

#include <string>
#include <string_view>

// Round trips through the text listings, for any bytes at all: shared by the seeded random
// tests and the fuzzer. Each returns what went wrong first, or an empty text.
namespace vellar::testing {

// Reads the bytes as a compact MPS file (at least 4096 of them), saves the store as an MPD
// listing, reads that into a fresh store and saves it compact again. Every gate mask, next
// address and description (without its outer blanks) of the saved rows comes through, the
// rows after the last used one are those of a fresh store, and no line of the listing holds
// a control character.
std::string MpsThroughMpdFault(std::string_view mpsBytes);

// Takes the first 256 bytes as the memory and the following ones as descriptions and variable
// names, control characters and all, as the editors might let them in; lists the memory in
// the assembler or the data view and reads the listing back, starting in the other view.
// The memory and the variables come back, and no line holds a control character.
std::string RamThroughListingFault(std::string_view bytes, bool assemblerView);

}  // namespace vellar::testing
