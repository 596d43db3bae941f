#pragma once

#include "core/cell_look.h"
#include "mps/mps_store.h"

// How a cell of the MPS grid is drawn. Under manual gate control the whole store, header
// included, is grey, because the gates come from the buttons and not from the store; under
// automatic control the micro-instruction that executes next is a green row.
namespace vellar {

// currentRow is the grid row of the micro-instruction to execute next (address + 1); 0, the
// row behind address FF, continues at address 0, so row 1 is marked then.
CellLook MpsCellLook(const MpsStore& mps, int col, int row, bool gatesAutomatic, int currentRow);

}  // namespace vellar
