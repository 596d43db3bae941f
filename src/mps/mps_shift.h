#pragma once

#include "mps/mps_store.h"

// Inserting or deleting a micro-instruction moves the rows below it by one address. The next
// addresses of the moved rows follow, so a sequence that runs from one address to the next
// keeps running; it is no full relocation, and the user checks the result.
namespace vellar {

// An empty row at the address; the old row FF is lost.
void InsertMpsRow(MpsStore& mps, int address);
// The row at the address goes; row FF becomes empty with next address 00.
void DeleteMpsRow(MpsStore& mps, int address);

}  // namespace vellar
