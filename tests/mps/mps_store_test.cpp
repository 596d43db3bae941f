#include <gtest/gtest.h>

#include "mps/mps_store.h"

namespace vellar {
namespace {

TEST(MpsStoreTest, ClearingGivesEveryRowItsFollowerAsNextAddress) {
  MpsStore mps;
  mps.SetMpsGate(3, 0x40, true);
  mps.SetDescription(0x40, "LOAD");
  mps.SetNextAddressText(0x40, "7");
  mps.ClearMps();
  EXPECT_EQ(mps.NextAddressText(0x00), "01");
  EXPECT_EQ(mps.NextAddressText(0xFE), "FF");
  EXPECT_EQ(mps.NextAddressText(0xFF), "00");
  EXPECT_EQ(mps.Row(0x2A).AddressLabel(), "2A");
  EXPECT_EQ(mps.Description(0x40), "");
  EXPECT_EQ(mps.GateMask(0x40), 0);
  EXPECT_FALSE(mps.MpsModified());
  EXPECT_EQ(mps.LastUsedAddress(), -1);
}

TEST(MpsStoreTest, MarksFollowTheMaskAndTheDisplayOption) {
  MpsStore mps;
  mps.SetMpsGate(0xE, 1, true);
  EXPECT_TRUE(mps.MpsModified());
  EXPECT_EQ(mps.CellText(2 + 0xE, 2), "E");
  EXPECT_EQ(mps.CellText(2 + 0xD, 2), "");
  mps.SetUseGateNumbers(false);
  EXPECT_EQ(mps.CellText(2 + 0xE, 2), "X");
  EXPECT_EQ(mps.GateMask(1), 0x4000);
}

TEST(MpsStoreTest, NextAddressTextIsReadAsHexWithDefaultZero) {
  MpsStore mps;
  mps.SetNextAddressText(5, "1ff");
  EXPECT_EQ(mps.NextAddress(5), 0xFF);
  EXPECT_EQ(mps.NextAddressText(5), "1ff");
  mps.SetNextAddressText(5, "");
  EXPECT_EQ(mps.NextAddress(5), 0);
  mps.SetNextAddressText(5, "zz");
  EXPECT_EQ(mps.NextAddress(5), 0);
}

TEST(MpsStoreTest, GridCellsShowHeaderLabelsAndFields) {
  MpsStore mps;
  EXPECT_EQ(mps.CellText(0, 0), "AD");
  EXPECT_EQ(mps.CellText(1, 0), "Befehl");
  EXPECT_EQ(mps.CellText(17, 0), "F");
  EXPECT_EQ(mps.CellText(18, 0), "FA");
  EXPECT_EQ(mps.CellText(0, 256), "FF");
  EXPECT_EQ(mps.CellText(18, 256), "00");
  EXPECT_EQ(mps.CellText(19, 1), "");  // outside the grid
  mps.SetDescription(0x30, "x");
  mps.SetMpsGate(0, 0x10, true);
  EXPECT_EQ(mps.LastUsedAddress(), 0x30);
}

}  // namespace
}  // namespace vellar
