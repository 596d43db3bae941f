#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mps/mps_store.h"

// A check of a micro-program for the faults students make most: gates that the gate rules
// forbid together, a routine that runs into empty rows or on into another instruction, a
// micro-loop that never ends, and instruction descriptions the assembler cannot use as they
// stand. The sequencing is followed as the micro-sequencer follows it, from the fetch at 00
// through the next addresses, both outcomes of the sign test and the decode to every
// described instruction.
namespace vellar {

struct MpsFinding {
  uint8_t address = 0;
  std::string text;  // German, without the address
};

// The findings sorted by address; empty for a sound micro-program.
std::vector<MpsFinding> CheckMicroProgram(const MpsStore& mps);

}  // namespace vellar
