#pragma once

#include "mps/mps_store.h"
#include "ram/ram_access.h"

// Inserting or deleting a two-byte line in the assembler view. Memory holds code and data
// side by side with nothing to tell them apart, so how far the moving stretch reaches is a
// fixed heuristic, and the operands of jump and memory instructions that point into it are
// corrected by two. The user is expected to check the result.
namespace vellar {

inline constexpr int kRamLines = 128;

// An empty line at line C; lines up to the first empty line after the code move down.
void InsertRamLine(RamAccess& ram, const MpsStore& mps, int line);
// Line C goes; the code block below it (or, from its last line on, the rest) moves up.
void DeleteRamLine(RamAccess& ram, const MpsStore& mps, int line);

// Terms of the heuristic, exposed for the tests.
bool IsInstructionLine(const RamAccess& ram, const MpsStore& mps, int line);
bool IsAddressInstruction(const RamAccess& ram, const MpsStore& mps, int line);

}  // namespace vellar
