#include <gtest/gtest.h>

#include <initializer_list>

#include "app/quiet_frontend.h"
#include "app/session.h"
#include "ram/micro_program_check.h"
#include "support/example_files.h"
#include "support/mps_rows.h"

namespace vellar {
namespace {

// A sound micro-program: the fetch, INC AX, a conditional jump and HLT. Each test adds
// exactly one fault and expects exactly the finding of that fault.
class MicroProgramCheckTest : public ::testing::Test {
 protected:
  MicroProgramCheckTest() {
    Row(0x00, {5, 8}, 0x01);
    Row(0x01, {0xC}, 0x02);
    Row(0x02, {6, 9}, 0x03);
    Row(0x03, {4, 5, 7, 8}, 0x04);
    Row(0x04, {0xC}, 0x05);
    Row(0x05, {4, 5, 7}, 0x06);
    Row(0x06, {0xF}, 0x00, "Dekodieren");
    Row(0x60, {0, 1, 7}, 0x00, "INC AX");
    Row(0x70, {0xE}, 0x78, "JS nn");
    Row(0x78, {}, 0x00, "kein Sprung");
    Row(0x79, {4, 9}, 0x00, "Sprung");
    Row(0xFE, {}, 0xFE, "HLT");
  }

  void Row(int address, std::initializer_list<int> gates, int next,
           std::string_view description = "") {
    testing::SetMpsRow(mps, address, gates, HexByte(next), description);
  }

  // The findings as "hh: text".
  std::vector<std::string> Findings() const {
    std::vector<std::string> lines;
    for (const MpsFinding& f : CheckMicroProgram(mps))
      lines.push_back(HexByte(f.address) + ": " + f.text);
    return lines;
  }

  static std::string HexByte(int value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[value >> 4 & 0xF], kDigits[value & 0xF]};
  }

  MpsStore mps;
};

TEST_F(MicroProgramCheckTest, TheSoundProgramHasNoFinding) {
  EXPECT_EQ(Findings(), std::vector<std::string>{});
}

TEST_F(MicroProgramCheckTest, GatesTheRulesForbidTogether) {
  Row(0x60, {0, 1, 3, 7}, 0x00, "INC AX");
  EXPECT_EQ(Findings(),
            std::vector<std::string>{"60: Die Tore 1 und 3 dürfen nicht zugleich offen sein."});
  Row(0x60, {0, 1, 7}, 0x00, "INC AX");
  Row(0x01, {0xC, 0xD}, 0x02);
  EXPECT_EQ(Findings(),
            std::vector<std::string>{"01: Die Tore C und D dürfen nicht zugleich offen sein."});
}

TEST_F(MicroProgramCheckTest, ARoutineThatRunsIntoEmptyRows) {
  Row(0x61, {0, 1, 7, 0xD}, 0x62, "DEC AX");  // the return to 00 forgotten; 62 on is empty
  EXPECT_EQ(Findings(), std::vector<std::string>{
                            "62: Leere Zeile (kein Tor, keine Beschreibung, Folgeadresse 63), "
                            "erreicht von Zeile 61: Die Routine läuft ins Leere."});
}

TEST_F(MicroProgramCheckTest, BothOutcomesOfTheSignTestAreFollowed) {
  Row(0x79, {}, 0x7A);  // the jump's row of a set sign flag left empty
  EXPECT_EQ(Findings(), std::vector<std::string>{
                            "79: Leere Zeile (kein Tor, keine Beschreibung, Folgeadresse 7A), "
                            "erreicht von Zeile 70: Die Routine läuft ins Leere."});
}

TEST_F(MicroProgramCheckTest, ARoutineThatRunsOnIntoAnotherInstruction) {
  Row(0x60, {0, 1, 7}, 0x61, "INC AX");
  Row(0x61, {0, 1, 7, 0xD}, 0x00, "DEC AX");
  EXPECT_EQ(Findings(), std::vector<std::string>{
                            "60: Die Routine läuft ohne Rückkehr nach 00 weiter in Zeile 61, den "
                            "Befehl „DEC AX“ (Folgeadresse 00 vergessen?)."});
  // A jump named on purpose is no fault, nor is a row of comment that follows.
  Row(0x60, {0, 1, 7}, 0x62, "INC AX");
  Row(0x62, {0, 1, 7}, 0x00, "AX + 1 fertig");
  EXPECT_EQ(Findings(), std::vector<std::string>{});
}

TEST_F(MicroProgramCheckTest, AMicroLoopThatNeverEnds) {
  Row(0x64, {7}, 0x65, "WARTE");
  Row(0x65, {1}, 0x64);
  EXPECT_EQ(Findings(), std::vector<std::string>{
                            "64: Endlose Mikroschleife 64 → 65 → 64: Keine ihrer Zeilen hat Tor "
                            "E oder F oder ist eine Haltzeile."});
  // Row 00 naming itself is no halt row: the halt rule spares address 00.
  MpsStore selfLoop;
  mps = selfLoop;
  Row(0x00, {5, 8}, 0x00);
  EXPECT_EQ(Findings(), std::vector<std::string>{"00: Endlose Mikroschleife 00 → 00: Keine ihrer "
                                                 "Zeilen hat Tor E oder F oder ist eine "
                                                 "Haltzeile."});
}

TEST_F(MicroProgramCheckTest, DescriptionsTheAssemblerCannotUse) {
  Row(0x66, {0, 1, 7}, 0x00, "inc  ax");
  EXPECT_EQ(Findings(), std::vector<std::string>{
                            "60: Der Assembler kann „INC AX“ nicht von Zeile 66 („inc  ax“) "
                            "unterscheiden; er nimmt immer Zeile 66."});
  Row(0x66, {}, 0x66);
  Row(0x68, {0, 1, 9}, 0x00, "ADD nn,nn");
  EXPECT_EQ(Findings(), std::vector<std::string>{"68: „ADD nn,nn“ enthält „nn“ mehr als einmal; "
                                                 "der Operand erscheint nur an der ersten "
                                                 "Stelle."});
  Row(0x68, {0, 1, 9}, 0x00, "ADDIERE AX,nn");
  EXPECT_EQ(Findings(), std::vector<std::string>{"68: „ADDIERE AX,nn“ ist länger als 12 Zeichen; "
                                                 "im kompakten .mps-Format bleibt nur "
                                                 "„ADDIERE AX,n“."});
  // A long comment of a continuation row is no instruction.
  Row(0x68, {0, 1, 9}, 0x00, "ADD AX,nn");
  Row(0x69, {0, 1, 9}, 0x68, "Routine fortsetzen");
  EXPECT_EQ(Findings(), std::vector<std::string>{});
}

// A one-word comment of a row that a routine runs on into is no instruction, though typed it
// would match itself; an instruction is a row that only the decode step enters.
TEST_F(MicroProgramCheckTest, OneWordContinuationRowsAreNoInstructions) {
  Row(0x64, {1, 7, 0xD}, 0x65, "NEG AX");
  Row(0x65, {0, 1, 7}, 0x00, "Negieren");  // entered from 64 by its next address
  Row(0x11, {8, 9}, 0x18, "MOV AX,[nn]");
  Row(0x18, {0xC}, 0x19, "Lesen");
  Row(0x19, {0, 9}, 0x00);
  Row(0x21, {8, 9}, 0x28, "MOV BX,[nn]");
  Row(0x28, {0xC}, 0x29, "Lesen");  // the same comment twice
  Row(0x29, {2, 9}, 0x00);
  Row(0x31, {8, 9}, 0x38, "ADD AX,[nn]");
  Row(0x38, {0xC}, 0x39, "Speicherlesen");  // longer than the 12 characters of .mps
  Row(0x39, {0, 1, 9}, 0x00);
  EXPECT_EQ(Findings(), std::vector<std::string>{});
  // One word that only the decode step reaches is an instruction all the same.
  Row(0xFD, {}, 0xFD, "hlt");
  EXPECT_EQ(Findings(),
            std::vector<std::string>{"FD: Der Assembler kann „hlt“ nicht von Zeile FE („HLT“) "
                                     "unterscheiden; er nimmt immer Zeile FE."});
}

TEST(MicroProgramCheckExamples, OurFirmwarePassesClean) {
  QuietFrontend frontend;
  Session session(frontend);
  session.FormCreate({});
  testing::LoadExampleMps(session, "firmware.mpd");
  EXPECT_TRUE(CheckMicroProgram(session.mps).empty());
}

}  // namespace
}  // namespace vellar
