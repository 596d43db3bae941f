#pragma once

#include <cstdint>

// The memory as the RAM-side algorithms reach it: every write goes through WriteRam, so that
// the grid, the instruction texts and the variable values follow.
namespace vellar {

class RamAccess {
 public:
  virtual ~RamAccess() = default;
  virtual uint8_t ReadRam(int address) const = 0;
  virtual void WriteRam(int address, int value) = 0;
};

}  // namespace vellar
