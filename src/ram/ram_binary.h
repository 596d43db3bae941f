#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ram/ram_grid.h"

// The compact RAM files: the first 32 (".ram") or all 256 (".erm") memory bytes, nothing else.
namespace vellar {

inline constexpr size_t kRamShortBytes = 32;

// The file's first bytes, at most 256, from address 00 on; the rest of memory is 00.
RamGrid::Bytes RamFromBinary(std::string_view bytes);

// The first count memory bytes.
std::string RamBinary(const RamGrid::Bytes& ram, size_t count);

// The address of the first byte other than 00 beyond the first count, which a file of count
// bytes would lose; -1 when there is none.
int FirstLostAddress(const RamGrid::Bytes& ram, size_t count);

}  // namespace vellar
