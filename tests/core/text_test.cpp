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

// Both directions read UTF-8 the same way: what IsWellFormedUtf8 refuses (overlong forms,
// surrogates, code points past U+10FFFF, cut sequences, stray bytes) never becomes a
// character of the code page, least of all a NUL byte.
TEST(TextTest, WhatIsNoUtf8BecomesQuestionMarksOnly) {
  for (const std::string_view bad :
       {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xED\xBF\xBF",
        "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\x80", "\xC3",
        "\xE2\x82", "\xF0\x9F\x98"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(bad)));
    EXPECT_FALSE(IsWellFormedUtf8(bad));
    const std::string cp = Utf8ToCp1252(bad);
    EXPECT_FALSE(cp.empty());
    EXPECT_EQ(cp.find_first_not_of('?'), std::string::npos);
  }
  for (const std::string_view good :
       {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xF0\x90\x80\x80",
        "\xF4\x8F\xBF\xBF", "\xC3\xA4\xE2\x82\xAC"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(good)));
    EXPECT_TRUE(IsWellFormedUtf8(good));
    EXPECT_EQ(CharCount(good), Utf8ToCp1252(good).size());
  }
  EXPECT_EQ(Utf8ToCp1252("\xC3\xA4\xE2\x82\xAC"), "\xE4\x80");
}

// What a message quotes from a file or a file name reaches a terminal: no control character
// and no broken sequence passes as it is.
TEST(TextTest, ControlCharactersAreShownAsText) {
  const struct {
    std::string in;
    std::string shown;
  } cases[] = {
      {"a\x1B[31mb", "a^[[31mb"},
      {std::string("\0\x07\x08\t\r\n\x1F", 7), "^@^G^H^I^M^J^_"},
      {"\x7F", "^?"},
      {"\xC2\x9B"
       "2J",
       "\\xC2\\x9B2J"},                            // CSI as UTF-8
      {"L\xF6sche", "L\\xF6sche"},                 // Windows-1252, not UTF-8
      {"\xC0\x80", "\\xC0\\x80"},                  // an overlong NUL
      {"Zähler „x“ € \\ ~", "Zähler „x“ € \\ ~"},  // printable: stays
  };
  for (const auto& c : cases) EXPECT_EQ(ShowControls(c.in), c.shown) << c.in;
}

TEST(TextTest, Utf16IsRecognisedByItsMarkOrItsZeroBytes) {
  const auto utf16le = [](std::string_view ascii) {
    std::string out;
    for (const char c : ascii) out += std::string{c, '\0'};
    return out;
  };
  EXPECT_TRUE(LooksLikeUtf16("\xFF\xFE"));
  EXPECT_TRUE(LooksLikeUtf16("\xFE\xFF"));
  EXPECT_TRUE(LooksLikeUtf16(utf16le("MOV AX,05\r\nHLT\r\n")));
  EXPECT_TRUE(LooksLikeUtf16(std::string("\0M\0O\0V", 6)));
  EXPECT_FALSE(LooksLikeUtf16("MOV AX,05\r\n"));
  EXPECT_FALSE(LooksLikeUtf16(""));
  EXPECT_FALSE(LooksLikeUtf16(std::string(256, '\0')));                // a binary file
  EXPECT_FALSE(LooksLikeUtf16(std::string("\x11\xF0\x72\0\0\0", 6)));  // a .erm
}

}  // namespace
}  // namespace vellar
