#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/file_io.h"
#include "core/text.h"
#include "mps/mpd_text.h"
#include "mps/mps_records.h"
#include "support/listing_round_trip.h"

// Compact MPS files of any bytes, old or damaged, saved as MPD listings and read back.
namespace vellar::testing {
namespace {

std::string Record(uint16_t mask, uint8_t next, std::string_view description) {
  std::string r(kMpsRecordBytes, '\0');
  r[0] = static_cast<char>(mask & 0xFF);
  r[1] = static_cast<char>(mask >> 8);
  r[2] = static_cast<char>(next);
  r[3] = static_cast<char>(description.size());
  r.replace(4, description.size(), description);
  return r;
}

TEST(MpsListingRoundTripTest, LineEndsInADescriptionStayInItsLine) {
  std::string file = Record(0x0102, 0x05, "A\r\nB\tC") + Record(0x4002, 0x00,
                                                                "\x85"
                                                                "x\x81");
  file.resize(kMpsFileBytes, '\0');
  const auto records = ParseMpsRecords(file);
  ASSERT_TRUE(records);
  EXPECT_EQ((*records)[0].description, "A  B C");
  EXPECT_EQ((*records)[1].description, "\xE2\x80\xA6x ");  // the ellipsis is printable

  MpsStore mps;
  ApplyMpsRecords(mps, *records);
  const auto lines = BuildMpdText(mps, "alt\r\n.mps");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "; VellarD-Programm-Speicher: alt  .mps");
  EXPECT_EQ(lines[3], "00 A  B C                    . 1 . . . . . . 8 . . . . . . . 05");
  EXPECT_EQ(MpsThroughMpdFault(file), "");
}

TEST(MpsListingRoundTripTest, ADescriptionWrittenWithControlsByTheEditorIsListedWithBlanks) {
  MpsStore mps;
  mps.SetDescription(0, "X\nY");
  mps.SetMpsGate(3, 1, true);
  const auto lines = BuildMpdText(mps, "");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3].substr(0, 7), "00 X Y ");
  MpsStore back;
  ApplyMpd(back, ParseMpdText(TextFileBytes(lines)));
  EXPECT_EQ(back.Description(0), "X Y");
  EXPECT_EQ(back.GateMask(1), 1u << 3);
}

// Random files, some with a tail of empty rows, so that the listing also ends early.
TEST(MpsListingRoundTripTest, RandomCompactFilesKeepEveryGateAndNextAddress) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int n = 0; n < 400; ++n) {
    std::string file(kMpsFileBytes, '\0');
    for (char& c : file) c = static_cast<char>(byte(random));
    if (n % 4 == 1) {
      // Rows from a random address on hold nothing but their next address.
      for (size_t a = static_cast<size_t>(byte(random)); a < 256; ++a) {
        const size_t at = a * kMpsRecordBytes;
        file[at] = file[at + 1] = file[at + 3] = '\0';
      }
    }
    if (n % 4 == 2) {
      // Descriptions of nothing but line ends and other controls.
      for (size_t at = 4; at < file.size(); at += kMpsRecordBytes) {
        for (size_t i = 0; i < kMpsDescriptionBytes; ++i) file[at + i] = "\r\n\t\x1A"[i % 4];
      }
    }
    ASSERT_EQ(MpsThroughMpdFault(file), "") << "Datei " << n;
  }
}

}  // namespace
}  // namespace vellar::testing
