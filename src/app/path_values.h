#pragma once

#include <array>
#include <cstdint>

#include "core/machine.h"

// Which value each bus of a gate's path carries in the data-path picture, and on how many
// lines. The picture only places the lines; what their bits say is decided here.
namespace vellar {

enum class PathPicture { Register, Bus };

// What a bus carries: a register, the ALU value, the constant 1 or the sign flag.
enum class PathSource { AX, BX, IP, OP, AR, DR, Alu, One, Sign };

struct PathBus {
  PathPicture picture = PathPicture::Register;
  PathSource source = PathSource::Alu;
  bool singleLine = false;  // one line whatever BusLines says (gates D and E)
};

// The buses of one gate's path in drawing order: one, or two (gates 8 to C).
struct GatePath {
  std::array<PathBus, 2> buses{};
  int count = 1;
};

// The path of gate 0..F.
const GatePath& GatePathOf(int gate);

// The byte a bus shows with the values of the moment it stands for.
uint8_t PathValue(PathSource source, const std::array<uint8_t, kRegCount>& regs, bool sign);

// The number of lines a bus is drawn with: BusLines (8 or 1), or 1 for a single-line bus.
inline int PathLines(const PathBus& bus, int busLines) {
  return bus.singleLine ? 1 : busLines;
}

}  // namespace vellar
