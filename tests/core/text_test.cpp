#include <gtest/gtest.h>

#include "core/text.h"

namespace vellar {
namespace {

TEST(TextTest, EveryWindows1252ByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextTest, UmlautsAndTheEuroSignMapBothWays) {
  EXPECT_EQ(Cp1252ToUtf8("\xFC\xDF\x80"), "üß€");
  EXPECT_EQ(Utf8ToCp1252("Zähler €"), "Z\xE4hler \x80");
  // A character the code page lacks, and a broken sequence, become one '?' each.
  EXPECT_EQ(Utf8ToCp1252("a\xE2\x88\x9E"
                         "b\xC3"),
            "a?b?");
}

TEST(TextTest, EveryCapitalOfTheCodePageHasItsSmallLetter) {
  EXPECT_EQ(ToLowerCp1252("ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"), "àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ");
  EXPECT_EQ(ToLowerCp1252("ŠŒŽŸ MOV AX"), "šœžÿ mov ax");
  // Signs and letters that are no capitals, characters the code page lacks, stray bytes.
  EXPECT_EQ(ToLowerCp1252("×ß€µÿ ΩЖ"), "×ß€µÿ ΩЖ");
  EXPECT_EQ(ToLowerCp1252("A\xC4Z\xC3"), "a\xC4z\xC3");
}

TEST(TextTest, CharactersAreCountedNotBytes) {
  EXPECT_EQ(CharCount("Zähler"), 6u);
  EXPECT_EQ(FirstChars("Zähler", 2), "Zä");
  EXPECT_EQ(DropLastChar("Zä"), "Z");
  EXPECT_EQ(DropLastChar(""), "");
}

TEST(TextTest, LinesEndAtCrLfCrOrLf) {
  const auto lines = SplitLines("a\r\nb\rc\nd");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[3], "d");
  EXPECT_EQ(SplitLines("a\r\n\r\n").size(), 2u);
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(TextTest, AFileWithAByteOrderMarkIsReadAsUtf8) {
  EXPECT_EQ(FileTextAsCp1252("\xEF\xBB\xBF"
                             "L\xC3\xB6sche"),
            "L\xF6sche");
  EXPECT_EQ(FileTextAsCp1252("L\xF6sche"), "L\xF6sche");  // no mark: Windows-1252 already
  EXPECT_EQ(FileTextAsCp1252("\xEF\xBB"), "\xEF\xBB");
  EXPECT_TRUE(IsWellFormedUtf8("L\xC3\xB6sche"));
  EXPECT_FALSE(IsWellFormedUtf8("L\xF6sche"));
  EXPECT_FALSE(IsWellFormedUtf8("\xC3"));  // cut short
}

TEST(TextTest, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(TrimBlanks(" \t x y \x01\r"), "x y");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(TextTest, ControlCharactersBecomeBlanksAndTheLengthStays) {
  EXPECT_EQ(ControlsToBlanks("A\r\nB\tC"), "A  B C");
  EXPECT_EQ(ControlsToBlanks(std::string("\0\x1F\x7F", 3)), "   ");
  // The C1 controls, among them those the code page leaves undefined (0x81, 0x8D, ...).
  const std::string c1 = Cp1252ToUtf8("x\x81\x8D\x8F\x90\x9Dy");
  EXPECT_EQ(ControlsToBlanks(c1), "x     y");
  EXPECT_EQ(CharCount(ControlsToBlanks(c1)), CharCount(c1));
  EXPECT_EQ(ControlsToBlanks("\xC2\x85"), " ");  // NEL, which some readers take as a line end
  // Printable characters stay: umlauts, the euro sign, U+00A0 and U+00A9, stray bytes.
  for (const std::string& kept :
       {std::string("L\xC3\xB6sche \xE2\x82\xAC"), std::string("\xC2\xA0\xC2\xA9"),
        std::string("\xF6\xC2"), std::string("~")}) {
    EXPECT_EQ(ControlsToBlanks(kept), kept);
  }
}

}  // namespace
}  // namespace vellar
