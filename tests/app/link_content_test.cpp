#include "app/link_content.h"

#include <gtest/gtest.h>

#include <random>

#include "core/deflate.h"

// The content of a page link: files in, the same files out, byte for byte; anything else in
// the fragment opens nothing.
namespace vellar::testing {
namespace {

TEST(LinkContentTest, Base64UrlAsTheStandardWritesIt) {
  const std::vector<std::pair<std::string, std::string>> vectors = {
      {"", ""},           {"f", "Zg"},          {"fo", "Zm8"},          {"foo", "Zm9v"},
      {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"}, {"foobar", "Zm9vYmFy"}, {"\xFB\xFF\xBF", "-_-_"},
  };
  for (const auto& [bytes, text] : vectors) {
    EXPECT_EQ(Base64UrlEncode(bytes), text);
    EXPECT_EQ(Base64UrlDecode(text), bytes) << text;
  }
  for (const char* bad : {"Z", "Zm9v+", "Zm9v/", "Zm=v", "Zm9 v", "Zm9vY"}) {
    EXPECT_EQ(Base64UrlDecode(bad), std::nullopt) << bad;
  }
}

TEST(LinkContentTest, DigitsHoldEachGroupOfBytesAsItsNumber) {
  const std::string ff7(7, '\xFF');
  const std::vector<std::pair<std::string, std::string>> vectors = {
      {"", ""},
      {std::string(1, '\0'), "000"},
      {"\xFF", "255"},
      {"\xFF\xFF", "65535"},
      {std::string("\x01\0\0", 3), "00065536"},
      {ff7, "72057594037927935"},
      {ff7 + "\x01", "72057594037927935001"},
      {std::string(6, '\xFF'), "281474976710655"},
  };
  for (const auto& [bytes, digits] : vectors) {
    EXPECT_EQ(DigitsEncode(bytes), digits);
    EXPECT_EQ(DigitsDecode(digits), bytes) << digits;
  }
  std::mt19937 random(9);
  for (size_t size = 0; size < 40; ++size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    EXPECT_EQ(DigitsDecode(DigitsEncode(bytes)), bytes) << size;
    // Both forms carry the same compressed bytes.
    for (const LinkForm form : {LinkForm::Text, LinkForm::Digits}) {
      EXPECT_EQ(CompressedOfFragment(LinkFragment(bytes, form)), ZlibCompress(bytes)) << size;
    }
  }
  // A rest no group has, a number too large for its bytes, anything but digits.
  for (const char* bad : {"1", "12", "1234", "256", "65536", "16777216", "72057594037927936",
                          "99999999999999999", "720575940370", "12a", "-12", "12 "}) {
    EXPECT_EQ(DigitsDecode(bad), std::nullopt) << bad;
  }
  for (const char* bad : {"", "v1", "v3.255", "V2.255", "v2.25", "v1.Zm9v*", "x.v2.255"}) {
    EXPECT_EQ(CompressedOfFragment(bad), std::nullopt) << bad;
  }
}

TEST(LinkContentTest, RandomFilesComeBackByteForByte) {
  std::mt19937 random(24);
  for (int round = 0; round < 50; ++round) {
    std::vector<LinkFile> files;
    const auto bytes = [&random](size_t size) {
      std::string b(size, '\0');
      for (char& c : b) c = static_cast<char>(random() & 0xFF);
      return b;
    };
    if (round % 3 != 0) files.push_back({LinkKind::Task, "blatt 3.aufgabe", bytes(random() % 300)});
    if (round % 2 == 0) files.push_back({LinkKind::Mps, "Lösung.MPS", bytes(4096)});
    if (round % 3 != 1 || files.empty()) {
      files.push_back({LinkKind::Ram, "prog.erm", bytes(random() % 2 ? 256 : 0)});
    }
    const auto back = UnpackLinkContent(PackLinkContent(files));
    ASSERT_TRUE(back.has_value()) << round;
    ASSERT_EQ(back->size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ((*back)[i].kind, files[i].kind);
      EXPECT_EQ((*back)[i].name, files[i].name);
      EXPECT_EQ((*back)[i].bytes, files[i].bytes);
    }
  }
}

TEST(LinkContentTest, ADamagedOrForeignContentOpensNothing) {
  const std::string good =
      PackLinkContent({{LinkKind::Mps, "a.mpd", "xy\r\n"}, {LinkKind::Ram, "b.ras", "RAS\r\n"}});
  ASSERT_TRUE(UnpackLinkContent(good).has_value());
  const std::string head = "VellarD-Link 1\n";
  for (const std::string& bad : std::vector<std::string>{
           std::string(),
           head,
           "VellarD-Link 2\nmps 1 a.mpd\nx",
           good.substr(0, good.size() - 1),
           good + "x",
           head + "ram 1 b.ras\nxmps 1 a.mpd\ny",
           head + "mps 1 a.mpd\nxmps 1 c.mpd\ny",
           head + "bild 1 a.png\nx",
           head + "mps 1 a.ras\nx",
           head + "mps 1 ../a.mpd\nx",
           head + "mps 1 \n",
           head + "mps 1 a\tb.mpd\nx",
           head + "mps -1 a.mpd\nx",
           head + "mps 1x a.mpd\nx",
           head + "mps 99999999999999999999 a.mpd\nx",
           head + "mps 1a.mpd\nx",
       }) {
    EXPECT_EQ(UnpackLinkContent(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace vellar::testing
