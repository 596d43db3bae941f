// Any bytes as a compact MPS file (tiled to full length) go through the MPD listing and back
// with every gate mask and next address; as memory, descriptions and variable names they go
// through the RAM listing of both views and back. No listing line holds a control character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "mps/mps_records.h"
#include "support/listing_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using vellar::testing::MpsThroughMpdFault;
  using vellar::testing::RamThroughListingFault;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (size == 0) return 0;
  std::string tiled;
  while (tiled.size() < vellar::kMpsFileBytes) tiled += bytes;
  if (!MpsThroughMpdFault(tiled).empty()) __builtin_trap();
  if (!RamThroughListingFault(bytes, true).empty()) __builtin_trap();
  if (!RamThroughListingFault(bytes, false).empty()) __builtin_trap();
  return 0;
}
