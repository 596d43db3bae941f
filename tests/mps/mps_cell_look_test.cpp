#include <gtest/gtest.h>

#include "mps/mps_cell_look.h"

namespace vellar {
namespace {

TEST(MpsCellLookTest, ManualControlGreysEverythingAndMarksNoRow) {
  MpsStore mps;
  for (int row : {0, 1, 200}) {
    for (int col = 0; col < MpsStore::kGridCols; ++col) {
      const CellLook look = MpsCellLook(mps, col, row, false, row);
      EXPECT_EQ(look.textColour, kSilver) << col << "," << row;
      EXPECT_FALSE(look.fill) << col << "," << row;
    }
  }
}

TEST(MpsCellLookTest, AutomaticControlMarksTheCurrentRowAcrossAllColumns) {
  MpsStore mps;
  for (int col = 0; col < MpsStore::kGridCols; ++col) {
    const CellLook look = MpsCellLook(mps, col, 1, true, 1);
    EXPECT_EQ(look.fill, kSoftGreen) << col;
    EXPECT_EQ(look.textColour, kBlack) << col;
    EXPECT_FALSE(MpsCellLook(mps, col, 2, true, 1).fill) << col;
    EXPECT_FALSE(MpsCellLook(mps, col, 2, true, 1).textColour) << col;
  }
  // Behind address FF the sequence continues at address 0; the header is never marked.
  EXPECT_EQ(MpsCellLook(mps, 5, 1, true, 0).fill, kSoftGreen);
  EXPECT_FALSE(MpsCellLook(mps, 5, 0, true, 0).fill);
}

TEST(MpsCellLookTest, TextsAlignmentAndTheNormalisedNextAddress) {
  MpsStore mps;
  mps.SetDescription(7, "LDA nn");
  mps.SetMpsGate(3, 7, true);
  mps.SetNextAddressText(7, "1ff");
  mps.SetNextAddressText(8, "");
  mps.SetNextAddressText(9, "5");
  EXPECT_EQ(MpsCellLook(mps, 1, 8, true, 1).text, "LDA nn");
  EXPECT_EQ(MpsCellLook(mps, 1, 8, true, 1).align, CellAlign::Left);
  EXPECT_EQ(MpsCellLook(mps, 1, 0, true, 1).align, CellAlign::Left);
  EXPECT_EQ(MpsCellLook(mps, 5, 8, true, 1).text, "3");
  EXPECT_EQ(MpsCellLook(mps, 5, 8, true, 1).align, CellAlign::Centre);
  EXPECT_EQ(MpsCellLook(mps, 18, 8, true, 1).text, "FF");
  EXPECT_EQ(MpsCellLook(mps, 18, 9, true, 1).text, "00");
  EXPECT_EQ(MpsCellLook(mps, 18, 10, true, 1).text, "05");
  EXPECT_EQ(MpsCellLook(mps, 18, 0, true, 1).text, "FA");
  EXPECT_EQ(MpsCellLook(mps, 18, 0, true, 1).align, CellAlign::Centre);
  EXPECT_EQ(MpsCellLook(mps, 0, 8, true, 1).text, "07");
  // Still unchanged in the store: drawing changes nothing.
  EXPECT_EQ(mps.NextAddressText(7), "1ff");
}

}  // namespace
}  // namespace vellar
