#include "ram/ram_text.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "ram/ram_binary.h"

namespace vellar {
namespace {

class RamTextTest : public ::testing::Test {
 protected:
  std::vector<std::string> Listing(bool assembler, const VariableList* vars = nullptr) {
    assembler ? grid.ShowRamAssembler(ram) : grid.ShowRamData(ram);
    return BuildRamListing(grid, ram, vars, "alt.ras");
  }

  MpsStore mps;
  RamGrid grid{mps};
  RamGrid::Bytes ram{};
};

TEST_F(RamTextTest, EmptyMemoryGivesTheHeadLinesOnly) {
  EXPECT_EQ(Listing(true), (std::vector<std::string>{"; VellarD-RAM-Assembler: alt.ras", ";",
                                                     "RAS OP nn Befehl"}));
  const auto data = Listing(false);
  ASSERT_EQ(data.size(), 19u);
  EXPECT_EQ(data[0], "; VellarD-RAM-Daten: alt.ras");
  EXPECT_EQ(data[2], "RAD 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
  EXPECT_EQ(data[18], "F0  00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(data[18].size(), 51u);
}

TEST_F(RamTextTest, AssemblerLinesUpToTheLastUsedLineWithTheirInstructionTexts) {
  mps.SetDescription(0x0A, "MOV AX,nn");
  ram[0] = 0x0A;
  ram[1] = 0x3F;
  ram[7] = 0x01;  // line 3 is the last one with a byte other than 00
  const auto lines = Listing(true);
  ASSERT_EQ(lines.size(), 3u + 4u);
  EXPECT_EQ(lines[3], "00  0A 3F MOV AX,3F");
  EXPECT_EQ(lines[4], "02  00 00 ");
  EXPECT_EQ(lines[6], "06  00 01 ");
}

TEST_F(RamTextTest, VariableSectionOnlyWhenAskedAndDefined) {
  VariableList vars;
  EXPECT_EQ(Listing(false, &vars).size(), 19u);  // only the placeholder
  vars.Append("3F", "Zähler");
  vars.Append("3f", "");
  const auto lines = Listing(true, &vars);
  const std::vector<std::string> tail(lines.end() - 6, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"", "", "; Variablendefinitionen", "VAR", "3F Zähler",
                                            "3f "}));
}

TEST_F(RamTextTest, RoundTripInBothLayouts) {
  for (int a = 0; a < 256; ++a) ram[a] = static_cast<uint8_t>(a * 7 + 3);
  ram[254] = ram[255] = 0;
  VariableList vars;
  vars.Append("10", "Wert mit Leerzeichen");
  for (bool assembler : {true, false}) {
    const RamTextImage image = ParseRamText(TextFileBytes(Listing(assembler, &vars)), !assembler);
    EXPECT_EQ(image.assemblerView, assembler);
    EXPECT_EQ(image.ram, ram);
    EXPECT_TRUE(image.variableLines);
    ASSERT_EQ(image.variables.size(), 1u);
    EXPECT_EQ(image.variables[0].first, "10");
    EXPECT_EQ(image.variables[0].second, "Wert mit Leerzeichen");
  }
}

TEST_F(RamTextTest, ReaderQuirks) {
  // No view line: the current view; lines fill rows from 00 whatever their labels say.
  RamTextImage image = ParseRamText("40  0A 3F\r\n42  zz 1\n\n  44  0B", true);
  EXPECT_TRUE(image.assemblerView);
  EXPECT_EQ(image.ram[0], 0x0A);
  EXPECT_EQ(image.ram[1], 0x3F);
  EXPECT_EQ(image.ram[2], 0x00);  // not a number
  EXPECT_EQ(image.ram[3], 0x01);  // the pair is cut short by the line's end
  EXPECT_EQ(image.ram[4], 0x0B);  // leading blanks are trimmed first
  EXPECT_EQ(image.ram[0x40], 0x00);

  // VAR takes lines as variables until a view line; the counter runs on across views.
  image = ParseRamText(
      "VAR\r\n3f klein\r\nAB\r\nRAD\r\n00  01 02\r\nRAS\r\n00  AA BB\r\nVAR\r\nC\r\n", false);
  EXPECT_TRUE(image.assemblerView);
  EXPECT_EQ(image.ram[0], 0x01);
  EXPECT_EQ(image.ram[1], 0x02);
  EXPECT_EQ(image.ram[2], 0xAA);  // second memory line: assembler row 2
  EXPECT_EQ(image.ram[3], 0xBB);
  const std::vector<std::pair<std::string, std::string>> vars = {
      {"3f", "klein"}, {"AB", ""}, {"C", ""}};
  EXPECT_EQ(image.variables, vars);

  // An editor's UTF-8 byte order mark is no part of the first line, and the variable names
  // of such a file are UTF-8.
  image = ParseRamText("\xEF\xBB\xBFRAS OP nn Befehl\r\n00  0A 3F\r\nVAR\r\n10 Zähler\r\n", false);
  EXPECT_TRUE(image.assemblerView);
  EXPECT_EQ(image.ram[0], 0x0A);
  ASSERT_EQ(image.variables.size(), 1u);
  EXPECT_EQ(image.variables[0].second, "Zähler");

  // Lines beyond the last grid row are ignored.
  std::string many;
  for (int i = 0; i < 20; ++i) many += "x   11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11\n";
  image = ParseRamText(many, false);
  EXPECT_EQ(image.ram[255], 0x11);
  EXPECT_FALSE(image.variableLines);
}

TEST(RamBinaryTest, CompactFilesFillFromZeroAndZeroTheRest) {
  RamGrid::Bytes ram = RamFromBinary("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A");
  EXPECT_EQ(ram[9], 0x0A);
  EXPECT_EQ(ram[10], 0x00);
  ram = RamFromBinary(std::string(300, '\x5A'));
  EXPECT_EQ(ram[255], 0x5A);
  ram[0x1F] = 0x77;
  ram[0x20] = 0x66;
  const std::string shortFile = RamBinary(ram, kRamShortBytes);
  ASSERT_EQ(shortFile.size(), 32u);
  const RamGrid::Bytes back = RamFromBinary(shortFile);
  EXPECT_EQ(back[0x1F], 0x77);
  EXPECT_EQ(back[0x20], 0x00);
  EXPECT_EQ(RamBinary(ram, 256).size(), 256u);
}

}  // namespace
}  // namespace vellar
