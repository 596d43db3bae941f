#include <gtest/gtest.h>

#include "ram/asm_source.h"
#include "ram/batch_assembler.h"

namespace vellar {
namespace {

using Kind = AsmSourceLine::Kind;

TEST(AsmSourceLineTest, LabelsCommentsAndDirectives) {
  AsmSourceLine l = ReadAsmSourceLine("Schleife:\tMOV AX,[zahl] ; rechts");
  EXPECT_EQ(l.kind, Kind::Instruction);
  EXPECT_EQ(l.label, "schleife");
  EXPECT_EQ(l.text, "MOV AX,[zahl]");

  l = ReadAsmSourceLine("  ende_2:   ; nur eine Marke");
  EXPECT_EQ(l.kind, Kind::Empty);
  EXPECT_EQ(l.label, "ende_2");

  l = ReadAsmSourceLine("ORG 4f");
  EXPECT_EQ(l.kind, Kind::Invalid);  // odd
  l = ReadAsmSourceLine("org 4G");
  EXPECT_EQ(l.kind, Kind::Invalid);
  l = ReadAsmSourceLine("org 40");
  EXPECT_EQ(l.kind, Kind::Org);
  EXPECT_EQ(l.address, 0x40);

  l = ReadAsmSourceLine("feld: db 1, 0a,FF");
  EXPECT_EQ(l.kind, Kind::Data);
  EXPECT_EQ(l.label, "feld");
  EXPECT_EQ(l.bytes, (std::vector<uint8_t>{0x01, 0x0A, 0xFF}));

  l = ReadAsmSourceLine("var Zahl f0");
  EXPECT_EQ(l.kind, Kind::Var);
  EXPECT_EQ(l.name, "Zahl");
  EXPECT_EQ(l.address, 0xF0);

  l = ReadAsmSourceLine("3f 00");
  EXPECT_EQ(l.kind, Kind::Data);
  EXPECT_EQ(l.bytes, (std::vector<uint8_t>{0x3F, 0x00}));

  // ";" inside quotes belongs to the text; a blank before ":" makes no label.
  l = ReadAsmSourceLine("OUT ';' ; Semikolon");
  EXPECT_EQ(l.text, "OUT ';'");
  l = ReadAsmSourceLine("DR := AX");
  EXPECT_EQ(l.label, "");
  EXPECT_EQ(l.text, "DR := AX");
}

TEST(AsmSourceLineTest, MalformedLinesSayWhatIsWrong) {
  for (const char* line : {"org", "org 100", "org 40 42", "db", "db 1g", "db 100", "var zahl",
                           "var 1x F0", "var zahl F0 F1", "fe: HLT", "var be 10", "x: var y 10"}) {
    const AsmSourceLine l = ReadAsmSourceLine(line);
    EXPECT_EQ(l.kind, Kind::Invalid) << line;
    EXPECT_FALSE(l.error.empty()) << line;
  }
}

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    mps.SetDescription(0x10, "MOV AX,nn");
    mps.SetDescription(0x11, "MOV AX,[nn]");
    mps.SetDescription(0x30, "MOV [nn],AX");
    mps.SetDescription(0x72, "JNS nn");
    mps.SetDescription(0xFE, "HLT");
  }
  MpsStore mps;
};

TEST_F(ProgramTest, LabelsForwardAndBackOrgDbAndVariables) {
  const BatchAssembly a = AssembleSource(mps,
                                         "        var Zahl F0\n"
                                         "start:  MOV AX,[zahl]\n"
                                         "        JNS Weiter     ; vorwärts\n"
                                         "        JNS start\n"
                                         "weiter:\n"
                                         "        HLT\n"
                                         "        org 20\n"
                                         "tabelle: db 01, 02, 03\n"
                                         "        MOV AX,tabelle\n"
                                         "        MOV [TABELLE],AX\n"
                                         "        org F0\n"
                                         "        db 7f\n");
  ASSERT_TRUE(a.errors.empty()) << a.errors.front();
  const std::vector<std::pair<int, uint8_t>> want = {
      {0x00, 0x11}, {0x01, 0xF0}, {0x02, 0x72}, {0x03, 0x06}, {0x04, 0x72}, {0x05, 0x00},
      {0x06, 0xFE}, {0x07, 0x00}, {0x20, 0x01}, {0x21, 0x02}, {0x22, 0x03}, {0x23, 0x00},
      {0x24, 0x10}, {0x25, 0x20}, {0x26, 0x30}, {0x27, 0x20}, {0xF0, 0x7F}};
  std::array<uint8_t, kRamSize> expected{};
  for (auto [address, value] : want) expected[address] = value;
  EXPECT_EQ(a.bytes, expected);
  ASSERT_EQ(a.variables.size(), 1u);
  EXPECT_EQ(a.variables[0], (std::pair<uint8_t, std::string>{0xF0, "Zahl"}));
}

TEST_F(ProgramTest, EveryFaultNamesItsLine) {
  const BatchAssembly a = AssembleSource(mps,
                                         "x: HLT\n"           // 1
                                         "JNS nirgends\n"     // 2 unknown label
                                         "X: HLT\n"           // 3 defined twice
                                         "MOV BX,05\n"        // 4 no description
                                         "MOV AX,5\n"         // 5 no description (one n)
                                         "org 00\n"           // 6
                                         "HLT\n"              // 7 same address as line 1
                                         "org 40\n"           // 8
                                         "HLT jetzt\n"        // 9 invalid operand
                                         "var x 10\n"         // 10 name taken
                                         "MOV AX,[ax]\n"      // 11 a register, no label
                                         "org FE\n"           // 12
                                         "db 01, 02, 03\n");  // 13 past FF
  const std::vector<std::string> want = {
      "Zeile 2: Unbekannte Marke „nirgends“.",
      "Zeile 3: Der Name „x“ ist schon in Zeile 1 festgelegt.",
      "Zeile 4: „MOV BX,05“ passt zu keinem Befehl des Mikroprogramms.",
      "Zeile 5: „MOV AX,5“ passt zu keinem Befehl des Mikroprogramms.",
      "Zeile 7: Die Adresse 00 ist schon von Zeile 1 belegt.",
      "Zeile 9: Der Operand „jetzt“ ist keine Hexadezimalzahl.",
      "Zeile 10: Der Name „x“ ist schon in Zeile 1 festgelegt.",
      "Zeile 11: „MOV AX,[ax]“ passt zu keinem Befehl des Mikroprogramms.",
      "Zeile 13: Die Zeile reicht über die Adresse FF hinaus."};
  EXPECT_EQ(a.errors, want);
}

// Lines written twice over are faults, and the memory still has only 128 lines to fill.
TEST_F(ProgramTest, LinesForTheSameAddressCountOnce) {
  std::string source;
  for (int i = 0; i < kAsmLines; ++i) source += "HLT\n";
  const BatchAssembly a = AssembleSource(mps, source + "org 00\n" + source);
  EXPECT_EQ(a.errors.size(), static_cast<size_t>(kAsmLines));
  EXPECT_EQ(a.lines, kAsmLines);
}

// A label stands for the address where it stands: before an org that is the address before
// the jump, in the org line itself the address jumped to, at the end of the file the address
// after the last line.
TEST_F(ProgramTest, ALabelBindsToTheAddressWhereItStands) {
  const std::vector<std::pair<const char*, uint8_t>> cases = {
      {"org D0\npuffer:\norg F0\ndb 05\n", 0xD0},
      {"org D0\npuffer:\n", 0xD0},
      {"org D0\npuffer: org F0\ndb 05\n", 0xF0},
      {"HLT\npuffer:\norg 40\nHLT\n", 0x04},
      {"org C0\ndb 01, 02, 03\npuffer:\norg E0\nHLT\n", 0xC4},
      {"org 80\npuffer: db 07\n", 0x80},
  };
  for (const auto& [tail, address] : cases) {
    const BatchAssembly a = AssembleSource(mps, std::string("MOV AX,puffer\n") + tail);
    ASSERT_TRUE(a.errors.empty()) << tail << a.errors.front();
    EXPECT_EQ(a.bytes[1], address) << tail;
  }
}

// A name that is a register would turn "MOV AX,[BX]" into "MOV AX,[06]" without a word.
TEST_F(ProgramTest, ANameOfARegisterIsRefused) {
  mps.SetDescription(0x12, "MOV AX,[BX]");
  for (const char* name : {"bx", "AX", "Ip", "op", "AR", "dr"}) {
    for (const std::string& definition :
         {std::string(name) + ": HLT\n", "var " + std::string(name) + " F0\n"}) {
      const BatchAssembly a = AssembleSource(mps, "MOV AX,[BX]\n" + definition);
      ASSERT_EQ(a.errors.size(), 1u) << definition;
      EXPECT_EQ(a.errors[0], "Zeile 2: Der Name „" + std::string(name) +
                                 "“ bezeichnet ein Register; bitte einen anderen wählen.")
          << definition;
    }
  }
  // A name that only contains one is a name like any other.
  const BatchAssembly a = AssembleSource(mps, "MOV AX,[BX]\nMOV AX,[max]\nmax: HLT\n");
  ASSERT_TRUE(a.errors.empty()) << a.errors.front();
  EXPECT_EQ(a.bytes[0], 0x12);
  EXPECT_EQ(a.bytes[3], 0x04);
}

// Letters are the letters of the code page the program's files are written in.
TEST_F(ProgramTest, NamesMayHoldUmlauts) {
  const BatchAssembly b = AssembleSource(mps,
                                         "var Größe F0\n"
                                         "Zähler: MOV AX,[GRÖßE]\n"
                                         "        MOV AX,[größe]\n"
                                         "        JNS zähler\n"
                                         "        JNS ZÄHLER\n"
                                         "Œuvre_ß: JNS œuvre_ß\n");
  ASSERT_TRUE(b.errors.empty()) << b.errors.front();
  const uint8_t want[] = {0x11, 0xF0, 0x11, 0xF0, 0x72, 0x00, 0x72, 0x00, 0x72, 0x08};
  for (size_t i = 0; i < sizeof want; ++i) EXPECT_EQ(b.bytes[i], want[i]) << i;
  ASSERT_EQ(b.variables.size(), 1u);
  EXPECT_EQ(b.variables[0].second, "Größe");
  // Signs are no letters.
  for (const char* line : {"×: HLT", "var a÷b F0", "1ä: HLT"}) {
    EXPECT_NE(ReadAsmSourceLine(line).kind, Kind::Var) << line;
    EXPECT_EQ(ReadAsmSourceLine(line).label, "") << line;
  }
}

TEST_F(ProgramTest, ALabelAfterTheLastByteIsAnError) {
  std::string source = "org FE\nHLT\nende:\n";
  BatchAssembly a = AssembleSource(mps, source);
  ASSERT_EQ(a.errors.size(), 1u);
  EXPECT_EQ(a.errors[0], "Zeile 3: Die Marke „ende“ läge hinter FF.");
  a = AssembleSource(mps, "org FC\nHLT\nende:\nJNS ende\n");
  EXPECT_TRUE(a.errors.empty());
  EXPECT_EQ(a.bytes[0xFF], 0xFE);
}

}  // namespace
}  // namespace vellar
