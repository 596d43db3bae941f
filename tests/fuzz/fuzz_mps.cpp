// The compact MPS reader takes any bytes; what it loads is saved and read back unchanged.
// Short inputs are refused, so the input is also read tiled to a full file: that way every
// input reaches the records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "mps/mps_records.h"

namespace {

void ReadAndSaveAgain(std::string_view bytes) {
  const auto records = vellar::ParseMpsRecords(bytes);
  if (records.has_value() != (bytes.size() >= vellar::kMpsFileBytes)) __builtin_trap();
  if (!records) return;
  vellar::MpsStore mps;
  vellar::ApplyMpsRecords(mps, *records);
  const auto again = vellar::ParseMpsRecords(vellar::BuildMpsRecords(mps));
  for (int a = 0; a < vellar::MpsStore::kRows; ++a) {
    const vellar::MpsRecord& x = (*records)[a];
    const vellar::MpsRecord& y = (*again)[a];
    if (x.gateMask != y.gateMask || x.next != y.next || x.description != y.description) {
      __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadAndSaveAgain(bytes);
  if (size == 0 || size >= vellar::kMpsFileBytes) return 0;
  std::string tiled;
  while (tiled.size() < vellar::kMpsFileBytes) tiled += bytes;
  ReadAndSaveAgain(tiled);
  return 0;
}
