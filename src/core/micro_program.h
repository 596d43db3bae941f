#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "core/machine.h"

// The micro-program's rows as the processor runs them: each row's gates worked out once into
// what they do, so that a clock looks nothing up bit by bit. The store refreshes a row here
// whenever its gates or its next address change.
namespace vellar {

// What a set of open gates does in one ALU clock.
struct MicroRow {
  uint16_t gates = 0;  // the gate set itself (bit g = gate g)
  uint8_t next = 0;    // the next address named by the row
  // ALU input A is Regs[sourceA] & maskA: gate 5 over 3 over 1, or 0.
  uint8_t sourceA = AX;
  uint8_t maskA = 0;
  // ALU input B is (Regs[DR] & maskB) | constantB: gate 9 over gate 7's constant 1, or 0.
  uint8_t maskB = 0;
  uint8_t constantB = 0;
  bool subtract = false;  // gate D
  bool write = false;     // gate B: RAM[AR] := DR before the ALU works
  bool read = false;      // gate C: DR := RAM[AR] after the loads, so it beats gate A
  uint8_t loads = 0;      // bit r: register r (AX .. DR) := ALU value; gates 0, 2, .. A
  // The one register loaded, or AL when none is (AL := ALU value changes nothing), so that
  // the usual row needs no loop; rows that load several registers take the loop.
  uint8_t loadTarget = AL;
  bool severalLoads = false;
  uint8_t opMask = 0;    // 0xFF with gate F: OP is added to the next row
  uint8_t signTest = 0;  // 1 with gate E: one row further while AX is negative
  bool halts = false;    // the row names its own address, and that is not 0
};

// Decodes a gate set; address and next address matter only for the sequencing fields.
constexpr MicroRow DecodeGates(uint16_t gates, int address = 0, uint8_t next = 0) {
  MicroRow r;
  r.gates = gates;
  r.next = next;
  const auto open = [gates](int g) { return ((gates >> g) & 1u) != 0; };
  if (open(5)) {
    r.sourceA = IP;
  } else if (open(3)) {
    r.sourceA = BX;
  }
  r.maskA = (open(1) || open(3) || open(5)) ? 0xFF : 0;
  r.maskB = open(9) ? 0xFF : 0;
  r.constantB = (open(7) && !open(9)) ? 1 : 0;
  r.subtract = open(0xD);
  r.write = open(0xB);
  r.read = open(0xC);
  for (int reg = AX; reg <= DR; ++reg) {
    if (open(2 * reg)) r.loads |= static_cast<uint8_t>(1u << reg);
  }
  if (std::popcount(r.loads) == 1) r.loadTarget = static_cast<uint8_t>(std::countr_zero(r.loads));
  r.severalLoads = std::popcount(r.loads) > 1;
  r.opMask = open(0xF) ? 0xFF : 0;
  r.signTest = open(0xE) ? 1 : 0;
  r.halts = next == address && address != 0;
  return r;
}

class MicroProgram {
 public:
  static constexpr int kRows = 256;

  // Every row without gates, continuing at the following address (FF at 00).
  MicroProgram() {
    for (int a = 0; a < kRows; ++a) SetRow(a, 0, static_cast<uint8_t>(a + 1));
  }

  void SetRow(int address, uint16_t gates, uint8_t next) {
    address &= 0xFF;
    rows_[address] = DecodeGates(gates, address, next);
  }

  const MicroRow& Row(int address) const { return rows_[address & 0xFF]; }

 private:
  std::array<MicroRow, kRows> rows_;
};

}  // namespace vellar
