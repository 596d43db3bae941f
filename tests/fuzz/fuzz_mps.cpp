// The compact MPS reader takes any bytes; what it loads is saved and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mps/mps_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto records = vellar::ParseMpsRecords(bytes);
  if (records.has_value() != (size >= vellar::kMpsFileBytes)) __builtin_trap();
  if (!records) return 0;
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
  return 0;
}
