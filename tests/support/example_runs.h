#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/machine.h"

// The inputs on which every example program is tried, edge values included, with the
// results it must give. The expected results are computed here from the inputs, the way the
// program's comment block describes it.
namespace vellar::testing {

struct ExampleRun {
  std::string title;
  std::string program;                             // file name in examples/
  std::vector<std::pair<int, uint8_t>> memory;     // set after loading the program
  std::vector<std::pair<Reg, uint8_t>> registers;  // set after loading the program
  std::vector<std::pair<int, uint8_t>> wantMemory;
  std::vector<std::pair<Reg, uint8_t>> wantRegisters;
  uint64_t wantClocks = 0;  // ALU clocks up to the halt, 0: not checked
};

std::vector<ExampleRun> ExampleRuns();

}  // namespace vellar::testing
