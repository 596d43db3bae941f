#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ram/ram_grid.h"
#include "ram/variables.h"

// The RAM text files: the grid of the current view as a listing (".ras" in the assembler
// view, ".rad" in the data view), with the variable definitions at the end, and the reader
// that takes such a text, or any other, back.
namespace vellar {

inline constexpr std::string_view kRamTitle = "; VellarD-RAM-";
inline constexpr std::string_view kVariableHeading = "; Variablendefinitionen";

// The listing of the grid in its current view, in UTF-8; the grid's texts are taken as they
// stand, but for control characters, which become blanks; the memory bytes decide which
// trailing assembler lines are empty. variables is null when no variable section is to be
// written.
std::vector<std::string> BuildRamListing(const RamGrid& grid, const RamGrid::Bytes& ram,
                                         const VariableList* variables, std::string_view fileName);

// What a text file holds, read completely before anything is applied.
struct RamTextImage {
  bool assemblerView = false;  // the view the reading ends in
  RamGrid::Bytes ram{};
  bool variableLines = false;  // a variable line was read: the inspector is switched on
  std::vector<std::pair<std::string, std::string>> variables;  // address text, name (UTF-8)
};

// Reads the bytes of a text file (Windows-1252), starting in the given view. Memory lines
// fill the grid rows of the view in order, whatever their address column says; the reader
// never fails.
RamTextImage ParseRamText(std::string_view bytes, bool assemblerView);

}  // namespace vellar
