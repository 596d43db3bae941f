#pragma once

// A cell of a string grid: column and row, with row 0 and column 0 the fixed headers.
namespace vellar {

struct GridCell {
  int col = 0;
  int row = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

}  // namespace vellar
