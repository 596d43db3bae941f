#include <gtest/gtest.h>

#include "core/hex.h"
#include "mps/mps_shift.h"

namespace vellar {
namespace {

// Rows 00 to 05 run 00 -> 01 -> .. -> 05 -> 00; each carries its old address as text.
MpsStore Chain() {
  MpsStore mps;
  for (int a = 0; a <= 5; ++a) {
    mps.SetDescription(a, "row " + HexByte(a));
    mps.SetMpsGate(a, a, true);
  }
  mps.SetNextAddressText(5, "00");
  mps.SetMpsModified(false);
  return mps;
}

TEST(MpsShiftTest, InsertionMovesTheRowsBelowAndAdjustsTheirNextAddresses) {
  MpsStore mps = Chain();
  InsertMpsRow(mps, 2);
  EXPECT_EQ(mps.NextAddressText(1), "02");
  EXPECT_EQ(mps.Description(2), "");
  EXPECT_EQ(mps.GateMask(2), 0);
  EXPECT_EQ(mps.NextAddressText(2), "03");
  for (int a = 3; a <= 6; ++a) EXPECT_EQ(mps.Description(a), "row " + HexByte(a - 1));
  EXPECT_EQ(mps.NextAddressText(5), "06");
  EXPECT_EQ(mps.NextAddressText(6), "00");
  EXPECT_TRUE(mps.GetMpsGate(5, 6));
  EXPECT_EQ(mps.Row(6).AddressLabel(), "06");
  EXPECT_TRUE(mps.MpsModified());
}

TEST(MpsShiftTest, DeletionMovesTheRowsUpAndLeavesRowsAboveAlone) {
  MpsStore mps = Chain();
  DeleteMpsRow(mps, 2);
  EXPECT_EQ(mps.NextAddressText(1), "02");
  EXPECT_EQ(mps.Description(2), "row 03");
  EXPECT_EQ(mps.NextAddressText(2), "03");
  EXPECT_EQ(mps.NextAddressText(4), "00");
  EXPECT_EQ(mps.Description(5), "");
}

TEST(MpsShiftTest, NextAddressesAtTheEdges) {
  MpsStore mps;
  mps.SetNextAddressText(3, "00");
  mps.SetNextAddressText(4, "FF");
  mps.SetNextAddressText(0, "07");
  InsertMpsRow(mps, 3);
  EXPECT_EQ(mps.NextAddressText(4), "00");  // 00 stays 00
  EXPECT_EQ(mps.NextAddressText(5), "00");  // FF moved down wraps to 00
  EXPECT_EQ(mps.NextAddressText(0), "07");  // rows above never change
  mps.SetNextAddressText(9, "01");
  DeleteMpsRow(mps, 8);
  EXPECT_EQ(mps.NextAddressText(8), "00");  // 01 moved up gives 00
}

TEST(MpsShiftTest, AtAddressFFOnlyThatRowChanges) {
  MpsStore mps;
  mps.SetDescription(0xFF, "last");
  mps.SetMpsGate(3, 0xFF, true);
  mps.SetNextAddressText(0xFF, "42");
  mps.SetDescription(0xFE, "kept");
  InsertMpsRow(mps, 0xFF);
  EXPECT_EQ(mps.Description(0xFF), "");
  EXPECT_EQ(mps.GateMask(0xFF), 0);
  EXPECT_EQ(mps.NextAddressText(0xFF), "00");
  EXPECT_EQ(mps.Description(0xFE), "kept");
  mps.SetDescription(0xFF, "again");
  DeleteMpsRow(mps, 0xFF);
  EXPECT_EQ(mps.Description(0xFF), "");
  EXPECT_EQ(mps.Description(0xFE), "kept");
}

}  // namespace
}  // namespace vellar
