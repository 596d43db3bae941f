#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The processor's state as plain data: registers, open gates, the conflict table, the
// 256 memory bytes and the sequencer's row. A copy of it is a complete snapshot. What happens
// around a change (buttons, pictures, grids) is the business of the layers above; this one only
// knows the data path's arithmetic.
namespace vellar {

enum Reg : int { AX = 0, BX = 1, IP = 2, OP = 3, AR = 4, DR = 5, AL = 6 };
inline constexpr int kRegCount = 7;
// The names the window shows the registers by, AL for the ALU's value.
inline constexpr std::array<std::string_view, kRegCount> kRegNames = {"AX", "BX", "IP", "OP",
                                                                      "AR", "DR", "AL"};
inline constexpr int kGateCount = 16;
inline constexpr int kRamSize = 256;

// Gates that may not be open together with gate g (bit n = gate n).
inline constexpr std::array<uint16_t, kGateCount> kConflictTable = {
    0x9800, 0x9828, 0x9800, 0x9822, 0x9800, 0x980A, 0x9800, 0x9A00,
    0x9800, 0x9880, 0x9800, 0xF7FF, 0xEFFF, 0x9800, 0x9800, 0x7FFF};

inline constexpr uint16_t GateBit(int gate) {
  return static_cast<uint16_t>(1u << gate);
}
inline constexpr bool IsOutputGate(int gate) {
  return (gate & 1) != 0;
}
inline constexpr uint16_t kOutputGates = 0xAAAA;
inline constexpr uint16_t kInputGates = 0x5555;

struct Machine {
  std::array<uint8_t, kRegCount> Regs{};
  // OpenMask and GateOpen are one set: a gate is open exactly when its bit is set.
  uint16_t OpenMask = 0;
  // Filled from kConflictTable when the window is created.
  std::array<uint16_t, kGateCount> ConflictMask{};
  std::array<uint8_t, kRamSize> Ram{};
  // The sequencer: the MPS grid row (address + 1) of the micro-instruction to execute next,
  // 0 after a computed next address of FF; and whether the last loaded row named itself.
  int CurrentRow = 1;
  bool HaltSeen = false;

  bool SignFlag() const { return Regs[AX] >= 0x80; }
  bool GateOpen(int gate) const { return (OpenMask & GateBit(gate)) != 0; }

  // The ALU as the open gates set it up (the rules are DecodeGates', micro_program.h).
  uint8_t AluInputA() const;
  uint8_t AluInputB() const;
  // A + B, or A - B while gate D is open, as a byte.
  uint8_t AluResult() const;
};

}  // namespace vellar
