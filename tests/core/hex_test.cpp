#include <gtest/gtest.h>

#include "core/hex.h"

namespace vellar {
namespace {

TEST(HexTest, HexBytePadsToTwoDigitsAndKeepsWiderValues) {
  EXPECT_EQ(HexByte(0), "00");
  EXPECT_EQ(HexByte(10), "0A");
  EXPECT_EQ(HexByte(255), "FF");
  EXPECT_EQ(HexByte(256), "100");
  std::string out = "something long enough to have a heap buffer";
  WriteHexByte(out, 0x3F);
  EXPECT_EQ(out, "3F");
}

TEST(HexTest, ParseHexTakesHexDigitsOnly) {
  EXPECT_EQ(ParseHex("3f"), 0x3Fu);
  EXPECT_EQ(ParseHex("A5"), 0xA5u);
  EXPECT_EQ(ParseHex("1FF"), 0x1FFu);
  for (const char* bad : {"", " 5", "5 ", "-1", "+1", "0x10", "G", "1g"}) {
    EXPECT_EQ(ParseHex(bad), 0u) << '"' << bad << '"';
  }
  // More than eight digits: the low byte is still the one the last two digits name.
  EXPECT_EQ(ParseHex("123456789AB") & 0xFF, 0xABu);
}

TEST(HexTest, NormHexByteNormalisesToOneByte) {
  EXPECT_EQ(NormHexByte("5"), "05");
  EXPECT_EQ(NormHexByte("1FF"), "FF");
  EXPECT_EQ(NormHexByte("100"), "00");
  EXPECT_EQ(NormHexByte(""), "00");
  EXPECT_EQ(NormHexByte("XY"), "00");
}

TEST(HexTest, FixHexEntryRefusesTheLastCharacterAndNormalisesTwoDigits) {
  HexEntryFix fix = FixHexEntry("G");
  EXPECT_TRUE(fix.invalid);
  EXPECT_TRUE(fix.replace);
  EXPECT_EQ(fix.text, "");

  fix = FixHexEntry("1g");
  EXPECT_TRUE(fix.invalid);
  EXPECT_EQ(fix.text, "1");

  // A refused umlaut goes whole, not byte by byte.
  fix = FixHexEntry("4\xC3\xBC");
  EXPECT_TRUE(fix.invalid);
  EXPECT_EQ(fix.text, "4");

  fix = FixHexEntry("3f");
  EXPECT_FALSE(fix.invalid);
  EXPECT_TRUE(fix.replace);
  EXPECT_EQ(fix.text, "3F");

  for (const char* kept : {"", "a", "123"}) {
    fix = FixHexEntry(kept);
    EXPECT_FALSE(fix.invalid) << kept;
    EXPECT_FALSE(fix.replace) << kept;
  }
}

}  // namespace
}  // namespace vellar
