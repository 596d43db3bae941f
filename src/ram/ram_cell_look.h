#pragma once

#include <cstdint>

#include "core/cell_look.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// How a cell of the RAM grid is drawn: cells named as variables in light blue, the line of
// IP in the assembler view in the blue of the IP field (which wins), byte texts as two hex
// digits whatever is still being typed.
namespace vellar {

CellLook RamCellLook(const RamGrid& grid, const VariableList& variables, uint8_t ip, int col,
                     int row);

}  // namespace vellar
