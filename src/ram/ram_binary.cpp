#include "ram/ram_binary.h"

#include <algorithm>

namespace vellar {

RamGrid::Bytes RamFromBinary(std::string_view bytes) {
  RamGrid::Bytes ram{};
  const size_t n = std::min(bytes.size(), ram.size());
  for (size_t i = 0; i < n; ++i) ram[i] = static_cast<uint8_t>(bytes[i]);
  return ram;
}

std::string RamBinary(const RamGrid::Bytes& ram, size_t count) {
  count = std::min(count, ram.size());
  return std::string(ram.begin(), ram.begin() + static_cast<std::ptrdiff_t>(count));
}

int FirstLostAddress(const RamGrid::Bytes& ram, size_t count) {
  for (size_t a = count; a < ram.size(); ++a) {
    if (ram[a] != 0) return static_cast<int>(a);
  }
  return -1;
}

}  // namespace vellar
