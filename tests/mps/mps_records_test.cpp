#include "mps/mps_records.h"

#include <gtest/gtest.h>

namespace vellar {
namespace {

TEST(MpsRecordsTest, WorkedExampleRecords) {
  MpsStore mps;
  mps.SetMpsGate(1, 1, true);
  mps.SetMpsGate(0xE, 1, true);
  mps.SetNextAddressText(1, "00");
  mps.SetNextAddressText(2, "zz");  // unparsable: saved as 00
  const std::string bytes = BuildMpsRecords(mps);
  ASSERT_EQ(bytes.size(), 4096u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x00\x01\x00", 4));
  EXPECT_EQ(bytes.substr(16, 4), std::string("\x02\x40\x00\x00", 4));
  EXPECT_EQ(bytes[32 + 2], '\0');
  EXPECT_EQ(bytes.substr(255 * 16, 4), std::string("\x00\x00\x00\x00", 4));  // FF -> 00
}

TEST(MpsRecordsTest, RoundTripCutsDescriptionsToTwelveCodePageCharacters) {
  MpsStore source;
  source.SetMpsGate(0xF, 0x0B, true);
  source.SetMpsGate(0x5, 0xFF, true);
  source.SetDescription(0x0A, "Größerer Befehl mit nn");
  source.SetNextAddressText(0x0B, "7E");
  source.SetDescription(0x0B, "kurz");
  const std::string bytes = BuildMpsRecords(source);
  EXPECT_EQ(bytes[0x0A * 16 + 3], 12);
  EXPECT_EQ(bytes.substr(0x0A * 16 + 4, 12),
            "Gr\xF6\xDF"
            "erer Bef");

  const auto records = ParseMpsRecords(bytes + "trailing bytes are ignored");
  ASSERT_TRUE(records.has_value());
  MpsStore target;
  target.SetAddressLabel(0x0B, "label stays");
  ApplyMpsRecords(target, *records);
  EXPECT_EQ(target.Description(0x0A), "Größerer Bef");
  EXPECT_EQ(target.Description(0x0B), "kurz");
  EXPECT_EQ(target.GateMask(0x0B), 0x8000);
  EXPECT_EQ(target.GateMask(0xFF), 0x0020);
  EXPECT_EQ(target.NextAddressText(0x0B), "7E");
  EXPECT_EQ(target.NextAddressText(0x10), "11");
  EXPECT_EQ(target.Row(0x0B).AddressLabel(), "label stays");
  EXPECT_FALSE(target.MpsModified());
}

TEST(MpsRecordsTest, ShortFilesAreRefusedAndLongLengthBytesStayInTheRecord) {
  EXPECT_FALSE(ParseMpsRecords(std::string(4095, '\0')).has_value());
  EXPECT_FALSE(ParseMpsRecords("").has_value());
  std::string bytes(4096, '\0');
  bytes[3] = static_cast<char>(0xFF);
  for (int i = 4; i < 16; ++i) bytes[i] = 'a';
  bytes[16] = 'B';  // the next record's first byte must not join the description
  const auto records = ParseMpsRecords(bytes);
  ASSERT_TRUE(records.has_value());
  EXPECT_EQ((*records)[0].description, "aaaaaaaaaaaa");
  EXPECT_EQ((*records)[1].gateMask, 'B');
}

}  // namespace
}  // namespace vellar
