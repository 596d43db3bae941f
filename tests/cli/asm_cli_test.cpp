#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"
#include "core/text.h"

// vellar-cli asm on the firmware of examples/: sources with labels, comments, org, db and
// var, written in every format, and every fault reported with nothing written.
namespace vellar::testing {
namespace {

constexpr const char* kSource =
    "; Betrag, im Editor geschrieben\n"
    "        var Zahl F0      ; die Eingabe\n"
    "        var betrag F1\n"
    "        MOV AX,[zahl]\n"
    "        JNS positiv      ; vorwärts\n"
    "        MOV AX,00\n"
    "        SUB AX,[ZAHL]\n"
    "positiv:\n"
    "        MOV [betrag],AX\n"
    "        HLT\n"
    "        org F0\n"
    "        db F6\n";

TEST_F(CliTest, AsmWritesTheFormatOfTheOutputsExtension) {
  WriteBytes(dir / "betrag.asm", kSource);
  CliResult r = Cli({"asm", "--mps", firmware, dir / "betrag.asm", dir / "b.ras"});
  ASSERT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  const std::vector<std::string> ras = SplitLines(ReadBytes(dir / "b.ras"));
  ASSERT_EQ(ras.size(), 3u + 121u + 6u);
  EXPECT_EQ(ras[0], "; VellarD-RAM-Assembler: b.ras");
  EXPECT_EQ(ras[3], "00  11 F0 MOV AX,[F0]");
  EXPECT_EQ(ras[4], "02  72 08 JNS 08");
  EXPECT_EQ(ras[6], "06  51 F0 SUB AX,[F0]");
  EXPECT_EQ(ras[7], "08  30 F1 MOV [F1],AX");
  EXPECT_EQ(ras[123], "F0  F6 00 ");
  EXPECT_EQ(std::vector<std::string>(ras.end() - 4, ras.end()),
            (std::vector<std::string>{"; Variablendefinitionen", "VAR", "F0 Zahl", "F1 betrag"}));
  r = Cli({"run", "--mps", firmware, "--ram", dir / "b.ras", "--expect", "[F1]=0A STOP=halt"});
  EXPECT_EQ(r.exit, 0) << r.err;

  ASSERT_EQ(Cli({"asm", "--mps", firmware, dir / "betrag.asm", dir / "b.rad"}).exit, 0);
  const std::vector<std::string> rad = SplitLines(ReadBytes(dir / "b.rad"));
  ASSERT_EQ(rad.size(), 3u + 16u + 6u);
  EXPECT_EQ(rad[0], "; VellarD-RAM-Daten: b.rad");
  EXPECT_EQ(rad[3], "00  11 F0 72 08 10 00 51 F0 30 F1 FE 00 00 00 00 00");
  EXPECT_EQ(rad[24], "F1 betrag");

  ASSERT_EQ(Cli({"asm", "--mps", firmware, dir / "betrag.asm", dir / "b.erm"}).exit, 0);
  const std::string erm = ReadBytes(dir / "b.erm");
  ASSERT_EQ(erm.size(), 256u);
  EXPECT_EQ(erm.substr(0, 4), "\x11\xF0\x72\x08");
  EXPECT_EQ(erm[0xF0], '\xF6');
  // The 32 bytes of a .ram would lose F0 (file_safety_cli_test.cpp writes one that fits).
  EXPECT_EQ(Cli({"asm", "--mps", firmware, dir / "betrag.asm", dir / "b.RAM"}).exit, 2);
}

TEST_F(CliTest, AsmFaultsAreReportedByLineAndNothingIsWritten) {
  WriteBytes(dir / "fehler.asm",
             "start: MOV AX,05\n"   // 1
             "       JMP ende\n"    // 2 unknown label
             "Start: HLT\n"         // 3 label defined twice
             "       MOV CX,05\n"   // 4 no matching description
             "       HLT jetzt\n"   // 5 invalid operand
             "       org 00\n"      // 6
             "       HLT\n"         // 7 the address of line 1 again
             "       org FE\n"      // 8
             "       db 1, 2, 3\n"  // 9 past FF
             "       org 3\n");     // 10 odd
  const std::string out = dir / "f.ras";
  const CliResult r = Cli({"asm", "--mps", firmware, dir / "fehler.asm", out});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.out, "");
  const std::string where = "vellar-cli: " + (dir / "fehler.asm") + ": Zeile ";
  const std::vector<std::string> err = SplitLines(r.err);
  ASSERT_EQ(err.size(), 7u) << r.err;
  EXPECT_EQ(err[0], where + "2: Unbekannte Marke „ende“.");
  EXPECT_EQ(err[1], where + "3: Der Name „start“ ist schon in Zeile 1 festgelegt.");
  EXPECT_EQ(err[2], where + "4: „MOV CX,05“ passt zu keinem Befehl des Mikroprogramms.");
  EXPECT_EQ(err[3], where + "5: Der Operand „jetzt“ ist keine Hexadezimalzahl.");
  EXPECT_EQ(err[4], where + "7: Die Adresse 00 ist schon von Zeile 1 belegt.");
  EXPECT_EQ(err[5], where + "9: Die Zeile reicht über die Adresse FF hinaus.");
  EXPECT_EQ(err[6].rfind(where + "10: org 3: Die Adresse muss gerade sein", 0), 0u) << err[6];
  EXPECT_FALSE(std::filesystem::exists(out));

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"asm", "--mps", firmware, dir / "fehler.asm", dir / "f.txt"},
        {"asm", "--mps", dir / "fehlt.mpd", dir / "fehler.asm", dir / "f.ras"},
        {"asm", "--mps", firmware, dir / "fehlt.asm", dir / "f.ras"},
        {"asm", "--mps", firmware, "--tabelle", dir / "fehler.asm", dir / "f.ras"}}) {
    const CliResult bad = Cli(args);
    EXPECT_EQ(bad.exit, 2) << args[3];
    EXPECT_NE(bad.err, "") << args[3];
  }
  EXPECT_EQ(dir.EntryCount(), 3);  // the source and the capture files
}

// A source with nothing to assemble would give an empty listing that looks like success.
TEST_F(CliTest, AsmRefusesASourceWithoutInstructionsOrData) {
  for (const char* source :
       {"", "\r\n  \n", "; nur ein Kommentar\n\n; und noch einer\n", "var zahl F0\nende:\n"}) {
    WriteBytes(dir / "leer.asm", source);
    const CliResult r = Cli({"asm", "--mps", firmware, dir / "leer.asm", dir / "leer.ras"});
    EXPECT_EQ(r.exit, 2) << source;
    EXPECT_EQ(r.out, "") << source;
    EXPECT_EQ(r.err, "vellar-cli: " + (dir / "leer.asm") +
                         ": Die Quelle enthält weder Befehle noch Daten; es wird nichts "
                         "gespeichert.\n")
        << source;
    EXPECT_FALSE(std::filesystem::exists(dir / "leer.ras")) << source;
  }
}

}  // namespace
}  // namespace vellar::testing
