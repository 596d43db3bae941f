#include "mps/mps_cell_look.h"

#include "core/hex.h"

namespace vellar {

CellLook MpsCellLook(const MpsStore& mps, int col, int row, bool gatesAutomatic, int currentRow) {
  CellLook look;
  look.text = mps.CellText(col, row);
  if (col == MpsStore::kDescriptionColumn) {
    look.align = CellAlign::Left;
  } else if (col == MpsStore::kNextColumn) {
    // The next address as the sequencer reads it, also while the typed text is still "5"
    // or empty; the header "FA" reads as FA and so stays.
    look.text = NormHexByte(look.text);
  }
  const int markedRow = currentRow == 0 ? 1 : currentRow;
  if (!gatesAutomatic) {
    look.textColour = kSilver;
  } else if (row >= 1 && row == markedRow) {
    look.fill = kSoftGreen;
    look.textColour = kBlack;
  }
  return look;
}

}  // namespace vellar
