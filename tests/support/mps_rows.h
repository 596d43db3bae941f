#pragma once

#include <initializer_list>
#include <string_view>

#include "app/session.h"
#include "mps/mps_store.h"

// Micro-programs written row by row, for tests and for vellar-bench.
namespace vellar::testing {

// Writes an MPS row: exactly the gates given, the next address as typed, and a description.
inline void SetMpsRow(MpsStore& mps, int address, std::initializer_list<int> gates,
                      std::string_view next, std::string_view description = {}) {
  for (int g = 0; g < kGateCount; ++g) mps.SetMpsGate(g, address, false);
  for (int g : gates) mps.SetMpsGate(g, address, true);
  mps.SetNextAddressText(address, next);
  mps.SetDescription(address, description);
}

// The loop the speed of runs is measured on: fetch, decode and two instructions, INC AX (10)
// and JMP 00 (11), for ever; twelve ALU clocks a round, with a memory read in each fetch.
inline void LoadEndlessLoop(Session& s) {
  SetMpsRow(s.mps, 0x00, {5, 8}, "01");     // AR := IP
  SetMpsRow(s.mps, 0x01, {0xC}, "02");      // DR := RAM[AR]
  SetMpsRow(s.mps, 0x02, {9, 6}, "03");     // OP := DR
  SetMpsRow(s.mps, 0x03, {5, 7, 4}, "04");  // IP := IP + 1
  SetMpsRow(s.mps, 0x04, {0xF}, "00");      // decode
  SetMpsRow(s.mps, 0x10, {1, 7, 0}, "00");  // INC AX
  SetMpsRow(s.mps, 0x11, {4}, "00");        // JMP 00: IP := 0
  s.machine.Ram[0] = 0x10;
  s.machine.Ram[1] = 0x11;
}

}  // namespace vellar::testing
