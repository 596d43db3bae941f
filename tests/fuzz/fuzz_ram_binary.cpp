// The compact RAM reader takes any bytes: the first 256 at most, the rest of memory 00.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ram/ram_binary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const vellar::RamGrid::Bytes ram = vellar::RamFromBinary(bytes);
  const std::string saved = vellar::RamBinary(ram, vellar::kRamSize);
  const size_t n = size < saved.size() ? size : saved.size();
  if (saved.substr(0, n) != bytes.substr(0, n)) __builtin_trap();
  for (size_t i = n; i < saved.size(); ++i) {
    if (saved[i] != 0) __builtin_trap();
  }
  return 0;
}
