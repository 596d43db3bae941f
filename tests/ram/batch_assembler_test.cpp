#include <gtest/gtest.h>

#include "ram/batch_assembler.h"

namespace vellar {
namespace {

class BatchAssemblerTest : public ::testing::Test {
 protected:
  BatchAssemblerTest() {
    mps.SetDescription(0x0A, "MOV AX,nn");
    mps.SetDescription(0x0B, "ADD AX,[nn]");
    mps.SetDescription(0x0C, "HALT");
    mps.SetDescription(0x20, "JMP nn");
    mps.SetDescription(0x21, "jmp nn");
  }
  MpsStore mps;
};

TEST_F(BatchAssemblerTest, InstructionsDataCommentsAndBlankLines) {
  const BatchAssembly a = AssembleSource(mps,
                                         "; Summe\r\n"
                                         "mov ax,3f\r\n"
                                         "\r\n"
                                         "  \t \r\n"
                                         "\tADD\tAX, [10]\n"
                                         "   ; eingerueckter Kommentar\n"
                                         "jmp 00\n"
                                         "halt\n"
                                         "7f 0a\n"
                                         "HALT 05");
  EXPECT_TRUE(a.errors.empty());
  EXPECT_EQ(a.lines, 6);
  const uint8_t expected[] = {0x0A, 0x3F, 0x0B, 0x10, 0x21, 0x00,
                              0x0C, 0x00, 0x7F, 0x0A, 0x0C, 0x05};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(a.bytes[i], expected[i]) << i;
  for (int i = 12; i < 256; ++i) EXPECT_EQ(a.bytes[i], 0) << i;
}

TEST_F(BatchAssemblerTest, EveryFaultyLineIsReportedWithItsNumber) {
  const BatchAssembly a = AssembleSource(mps,
                                         "mov ax,3f\n"
                                         "; Kommentar\n"
                                         "mov bx,3f\n"
                                         "halt now\n"
                                         "mov ax,3\n"
                                         "3f 0g\n");
  ASSERT_EQ(a.errors.size(), 4u);
  EXPECT_EQ(a.errors[0], "Zeile 3: „mov bx,3f“ passt zu keinem Befehl des Mikroprogramms.");
  EXPECT_EQ(a.errors[1], "Zeile 4: Der Operand „now“ ist keine Hexadezimalzahl.");
  EXPECT_EQ(a.errors[2].rfind("Zeile 5: ", 0), 0u);
  EXPECT_EQ(a.errors[3].rfind("Zeile 6: ", 0), 0u);
}

TEST_F(BatchAssemblerTest, MoreLinesThanTheMemoryHoldsIsAnError) {
  std::string source;
  for (int i = 0; i < kAsmLines; ++i) source += "halt\n";
  EXPECT_TRUE(AssembleSource(mps, source).errors.empty());
  source += "; noch ein Kommentar\nhalt\n";
  const BatchAssembly a = AssembleSource(mps, source);
  ASSERT_EQ(a.errors.size(), 1u);
  EXPECT_EQ(a.errors[0].rfind("Zeile 130: ", 0), 0u);
}

// A full memory is one fault among others: the lines after it are still checked.
TEST_F(BatchAssemblerTest, LinesBeyondAFullMemoryStillHaveTheirFaultsReported) {
  const BatchAssembly a = AssembleSource(mps,
                                         "org FE\n"
                                         "halt\n"
                                         "halt\n"
                                         "foo 12\n"
                                         "jmp nirgends\n"
                                         "halt\n"
                                         "org 10\n"
                                         "bar 01\n");
  ASSERT_EQ(a.errors.size(), 4u);
  EXPECT_EQ(a.errors[0], "Zeile 3: Der Speicher ist voll: Die Adresse 100 liegt hinter FF.");
  EXPECT_EQ(a.errors[1], "Zeile 4: „foo 12“ passt zu keinem Befehl des Mikroprogramms.");
  EXPECT_EQ(a.errors[2], "Zeile 5: Unbekannte Marke „nirgends“.");
  EXPECT_EQ(a.errors[3], "Zeile 8: „bar 01“ passt zu keinem Befehl des Mikroprogramms.");
  // What did not fit writes nothing, not even over address 00.
  EXPECT_EQ(a.bytes[0xFE], 0x0C);
  EXPECT_EQ(a.bytes[0x00], 0x00);
}

}  // namespace
}  // namespace vellar
