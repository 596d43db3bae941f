#pragma once

#include <cstdint>

namespace vellar {

// The items of the hidden radio group RaTakt, in their order: the window keeps the group, and
// the first two are the only ones under manual gate control.
enum class ClockMode : uint8_t { BusClock, AluClock, OneInstruction, UntilHalt };

inline constexpr int kClockModeCount = 4;

}  // namespace vellar
