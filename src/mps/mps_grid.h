#pragma once

#include <array>

#include "core/grid.h"
#include "mps/mps_store.h"

// What the MPS grid shows besides the store's texts: its current cell, whether it has a
// selection at all, whether its cell editor is shown permanently, and its column widths.
namespace vellar {

struct MpsGrid {
  static constexpr int kDefaultColWidth = 16;

  MpsGrid() { ResetLayout(); }

  // Column widths and the current cell as ClearMps leaves them.
  void ResetLayout() {
    colWidths.fill(kDefaultColWidth);
    colWidths[0] = 24;
    colWidths[MpsStore::kDescriptionColumn] = 102;
    colWidths[MpsStore::kNextColumn] = 24;
    current = {1, 1};
  }

  GridCell current{1, 1};
  bool hasSelection = true;
  // At start the grid shows its editor permanently; leaving it or switching to automatic gate
  // control ends that for good.
  bool editorAlwaysShown = true;
  CellEditor editor;
  std::array<int, MpsStore::kGridCols> colWidths{};
};

}  // namespace vellar
