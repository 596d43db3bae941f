#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mps/mps_store.h"

// The compact MPS file of old micro-programs: 256 records of 16 bytes, one per address.
// A record holds the gate mask (little-endian), the next address, and a description of at
// most 12 Windows-1252 characters with its length in front.
namespace vellar {

inline constexpr size_t kMpsRecordBytes = 16;
inline constexpr size_t kMpsFileBytes = kMpsRecordBytes * MpsStore::kRows;
inline constexpr size_t kMpsDescriptionBytes = 12;

// The 4096 bytes; the record bytes after a short description are 00.
std::string BuildMpsRecords(const MpsStore& mps);

struct MpsRecord {
  uint16_t gateMask = 0;
  uint8_t next = 0;
  std::string description;  // UTF-8
};
using MpsRecords = std::array<MpsRecord, MpsStore::kRows>;

// No value for a file shorter than 4096 bytes; bytes after the 4096th are ignored. A length
// byte over 12 takes the 12 characters the record has room for. Control characters in a
// description become blanks.
std::optional<MpsRecords> ParseMpsRecords(std::string_view bytes);

// Stores masks, descriptions and next addresses; the address labels stay, and the store is
// not marked as modified by the masks.
void ApplyMpsRecords(MpsStore& mps, const MpsRecords& records);

}  // namespace vellar
