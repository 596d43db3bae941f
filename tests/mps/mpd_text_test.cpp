#include "mps/mpd_text.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/hex.h"
#include "core/machine.h"

namespace vellar {
namespace {

const std::string kHeader = "AD Befehl                    0 1 2 3 4 5 6 7 8 9 A B C D E F FA";

MpdImage Parse(const std::vector<std::string>& lines) {
  return ParseMpdText(TextFileBytes(lines));
}

// A data line for a description field of the given width; marks holds the 16 gate marks.
std::string Line(const std::string& label, const std::string& description, size_t width,
                 const std::string& marks, const std::string& next) {
  std::string line = label + " " + description;
  line.resize(3 + width, ' ');
  for (size_t g = 0; g < 16; ++g) line += (g == 0 ? "" : " ") + marks.substr(g, 1);
  return line + " " + next;
}

TEST(MpdTextTest, ClearedStoreGivesTheThreeHeadLines) {
  MpsStore mps;
  EXPECT_EQ(BuildMpdText(mps, ""),
            (std::vector<std::string>{"; VellarD-Programm-Speicher: ", ";", kHeader}));
}

TEST(MpdTextTest, WorkedExampleWithNumbersAndCrosses) {
  MpsStore mps;
  mps.SetMpsGate(1, 1, true);
  mps.SetMpsGate(0xE, 1, true);
  mps.SetNextAddressText(1, "00");
  const std::vector<std::string> expected = {
      "; VellarD-Programm-Speicher: firmware.mpd",
      ";",
      kHeader,
      "00                           . . . . . . . . . . . . . . . . 01",
      "01                           . 1 . . . . . . . . . . . . E . 00",
  };
  EXPECT_EQ(BuildMpdText(mps, "firmware.mpd"), expected);
  mps.SetUseGateNumbers(false);
  EXPECT_EQ(BuildMpdText(mps, "firmware.mpd").back(),
            "01                           . X . . . . . . . . . . . . X . 00");
}

TEST(MpdTextTest, RowsUpToTheLastUsedOneAndLongTextsPushTheLine) {
  MpsStore mps;
  mps.SetDescription(5, "Beschreibung mit 26 Zeich.");
  mps.SetNextAddressText(9, "77");  // a next address alone does not make a row used
  const auto lines = BuildMpdText(mps, "x");
  ASSERT_EQ(lines.size(), 3u + 6u);
  EXPECT_EQ(lines[8].substr(0, 31), "05 Beschreibung mit 26 Zeich. .");
  EXPECT_EQ(lines[8].size(), 64u);
  // Widths count characters, not UTF-8 bytes.
  mps.SetDescription(5, "Lösche AX");
  EXPECT_EQ(BuildMpdText(mps, "x")[8],
            "05 Lösche AX                 . . . . . . . . . . . . . . . . 06");
}

TEST(MpdTextTest, RoundTripKeepsGatesNextAddressesAndDescriptions) {
  MpsStore source;
  source.SetDescription(0x0A, "  MOV AX,nn  ");
  source.SetDescription(0x10, "Zähler € ¼");
  source.SetMpsGate(3, 0x0A, true);
  source.SetMpsGate(0xF, 0x10, true);
  source.SetNextAddressText(0x0A, "80");
  source.SetMpsGate(0, 0x20, true);

  MpsStore target;
  target.SetDescription(0x30, "bleibt");
  target.SetNextAddressText(0x21, "44");
  target.SetAddressLabel(3, "??");
  ApplyMpd(target, ParseMpdText(TextFileBytes(BuildMpdText(source, "a.mpd"))));
  for (int a = 0; a <= 0x20; ++a) {
    EXPECT_EQ(target.GateMask(a), source.GateMask(a)) << a;
    EXPECT_EQ(target.NextAddress(a), source.NextAddress(a)) << a;
    EXPECT_EQ(target.Row(a).AddressLabel(), source.Row(a).AddressLabel()) << a;
  }
  EXPECT_EQ(target.Description(0x0A), "MOV AX,nn");
  EXPECT_EQ(target.Description(0x10), "Zähler € ¼");
  EXPECT_EQ(target.Description(0x30), "bleibt");
  EXPECT_EQ(target.NextAddressText(0x21), "44");
}

TEST(MpdTextTest, LinesFillRowsInOrderWhateverTheirLabels) {
  const MpdImage image = Parse({
      "; Kommentar",
      kHeader,
      Line("7F", "erste", 26, ".1..............", "02"),
      "",
      "   ",
      "; dazwischen",
      Line("33", "zweite", 26, "x...............", " 7"),
  });
  ASSERT_EQ(image.rows.size(), 2u);  // the empty lines are no rows
  EXPECT_EQ(image.rows[0].label, "7F");
  EXPECT_EQ(image.rows[0].description, "erste");
  EXPECT_EQ(image.rows[0].gateMask, 0x0002);
  EXPECT_EQ(image.rows[0].next, "02");
  EXPECT_EQ(image.rows[1].gateMask, 0x0001);  // any mark but "." sets the gate
  EXPECT_EQ(image.rows[1].next, " 7");
  MpsStore mps;
  ApplyMpd(mps, image);
  EXPECT_EQ(mps.Row(0).AddressLabel(), "7F");
  EXPECT_EQ(mps.Description(1), "zweite");
}

TEST(MpdTextTest, BefehlLinesSetTheWidthAndTheFirstLineIsAlwaysTheHeader) {
  const MpdImage image = Parse({
      "no header at all, consumed as one",
      Line("00", "abc", 26, "................", "01"),
      // A header with a narrower description: the first "0" stands in column 13.
      Line("AD", "Befehl", 9, "0123456789ABCDEF", "FA"),
      Line("01", "kurz", 9, "..2............F", "09"),
      // "Befehl" without the gate captions keeps the width.
      Line("xx", "Befehl", 9, "................", "1F"),
      // Back to our own width; a row whose description begins with "Befehl" is a row like
      // any other and leaves the width alone.
      kHeader,
      Line("0A", "Befehl holen", 26, "..2.............", "0B"),
      Line("0B", "danach", 26, "0...............", "00"),
  });
  ASSERT_EQ(image.rows.size(), 7u);
  EXPECT_EQ(image.rows[0].description, "abc");
  EXPECT_EQ(image.rows[0].next, "01");
  // The header line is also a row, read with the width it sets itself.
  EXPECT_EQ(image.rows[1].description, "Befehl");
  EXPECT_EQ(image.rows[2].description, "kurz");
  EXPECT_EQ(image.rows[2].gateMask, 0x8004);
  EXPECT_EQ(image.rows[3].description, "Befehl");
  EXPECT_EQ(image.rows[5].description, "Befehl holen");
  EXPECT_EQ(image.rows[5].gateMask, 0x0004);
  EXPECT_EQ(image.rows[6].description, "danach");
  EXPECT_EQ(image.rows[6].gateMask, 0x0001);
}

TEST(MpdTextTest, AnotherWritersHeaderSetsTheWidthByItsFirstCaption) {
  // Width 31, lower-case captions a to f, more blanks before "FA": the first "0" stands in
  // column 35, so the width is 31 and gate g is read in column 35 + 2g.
  std::string header = "AD Befehl";
  header.resize(3 + 31, ' ');
  header += "0 1 2 3 4 5 6 7 8 9 a b c d e f    FA";
  const MpdImage image = Parse({
      header,
      Line("00", "alle Tore der Reihe nach", 31, "0123456789ABCDEF", "01"),
      Line("01", "Tor a und f", 31, "..........X....X", "02"),
      // Rows of the first sixteen addresses are never headers, even when every gate is drawn
      // as its number after a description "Befehl…".
      Line("02", "Befehl", 9, "0123456789abcdef", "03"),
      Line("03", "noch breit", 31, ".1..............", "04"),
  });
  ASSERT_EQ(image.rows.size(), 4u);
  EXPECT_EQ(image.rows[0].description, "alle Tore der Reihe nach");
  EXPECT_EQ(image.rows[0].gateMask, 0xFFFF);
  EXPECT_EQ(image.rows[1].gateMask, GateBit(0xA) | GateBit(0xF));
  EXPECT_EQ(image.rows[1].next, "02");
  EXPECT_EQ(image.rows[3].description, "noch breit");
  EXPECT_EQ(image.rows[3].gateMask, GateBit(1));

  // Captions out of order, or a letter that is no caption, make no header.
  for (const std::string captions :
       {"0 1 2 3 4 5 6 7 8 9 A B C D F E", "0 1 2 3 4 5 6 7 8 9 A B C D E G",
        "0 1 2 3 4 5 6 7 8 9 A B C D E"}) {
    const MpdImage other = Parse({kHeader, "AD Befehl          " + captions + " FA",
                                  Line("05", "x", 26, ".1..............", "06")});
    ASSERT_EQ(other.rows.size(), 2u);
    EXPECT_EQ(other.rows[1].gateMask, GateBit(1)) << captions;
  }
}

TEST(MpdTextTest, CutDescriptionsAreReported) {
  MpsStore mps;
  const std::vector<int> cut = ApplyMpd(
      mps, Parse({Line("AD", "Befehl", 31, "0123456789ABCDEF", "FA"),
                  Line("00", std::string(25, 'a'), 31, "................", "01"),
                  Line("01", std::string(26, 'b'), 31, "................", "02"),
                  Line("02", "kurz", 31, "................", "03"),
                  Line("03", "Überlänge um ein Zeichen!!", 31, "................", "04")}));
  EXPECT_EQ(cut, (std::vector<int>{1, 3}));
  EXPECT_EQ(mps.Description(0), std::string(25, 'a'));
  EXPECT_EQ(mps.Description(3), "Überlänge um ein Zeichen!");
}

TEST(MpdTextTest, WhatTheGridHoldsComesBackFromItsListing) {
  // A next address typed as one digit, and a foreign description wider than the store's.
  MpsStore mps;
  mps.SetDescription(3, "x");
  mps.SetNextAddressText(3, "5");
  const MpdImage image = Parse({Line("AD", "Befehl", 31, "0123456789ABCDEF", "FA"),
                                Line("00", std::string(30, 'w'), 31, "1...............", "01")});
  ASSERT_EQ(image.rows.size(), 1u);
  ApplyMpd(mps, image);
  EXPECT_EQ(mps.Description(0), std::string(25, 'w'));
  const std::vector<std::string> lines = BuildMpdText(mps, "x");
  MpsStore back;
  ApplyMpd(back, ParseMpdText(TextFileBytes(lines)));
  EXPECT_EQ(back.Description(0), std::string(25, 'w'));
  EXPECT_EQ(back.GateMask(0), 0x0001);
  EXPECT_EQ(ParseHex(back.NextAddressText(3)), 5);
}

TEST(MpdTextTest, AnEditorsByteOrderMarkIsNoPartOfTheTitle) {
  // Otherwise the title is taken as the header and the header becomes row 00.
  const MpdImage image =
      ParseMpdText("\xEF\xBB\xBF; VellarD-Programm-Speicher: a.mpd\r\n" + kHeader + "\r\n" +
                   // 27: the "ö" takes two bytes here, one in the file.
                   Line("00", "Lösche", 27, "1...............", "01"));
  ASSERT_EQ(image.rows.size(), 1u);
  EXPECT_EQ(image.rows[0].description, "Lösche");
  EXPECT_EQ(image.rows[0].gateMask, 0x0001);
}

TEST(MpdTextTest, ShortLinesAndTooManyLinesStayInside) {
  std::vector<std::string> lines = {kHeader, "05 x", "7"};
  for (int i = 0; i < 300; ++i) lines.push_back(Line("00", "", 26, "1...............", "01"));
  const MpdImage image = Parse(lines);
  ASSERT_EQ(image.rows.size(), 256u);
  EXPECT_EQ(image.rows[0].label, "05");
  EXPECT_EQ(image.rows[0].description, "x");
  EXPECT_EQ(image.rows[0].gateMask, 0);  // the gate columns are missing: nothing set
  EXPECT_EQ(image.rows[0].next, " x");
  EXPECT_EQ(image.rows[1].label, "7");
  EXPECT_EQ(image.rows[1].next, "7");
  EXPECT_EQ(image.rows[255].gateMask, 0x0001);
}

}  // namespace
}  // namespace vellar
