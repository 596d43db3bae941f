#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_fixture.h"
#include "core/text.h"

namespace vellar::testing {
namespace {

TEST_F(CliTest, RunUntilHaltPrintsTheStatusLineAndTheDump) {
  const CliResult r = Cli({"run", "--mps", mpd, "--ram", counter, "--dump", "--expect",
                           "AX=06 [20]=06 SF=0 ROW=12 CLOCKS=33 STOP=halt", "--expect", "ip=7"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.err, "");
  const auto lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "AX=06 BX=00 IP=07 OP=0B AR=06 DR=0B AL=00 SF=0 ROW=12 CLOCKS=33 STOP=halt");
  EXPECT_EQ(lines[1], "00: 0C 05 0A 00 0E 20 0B 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(lines[3], "20: 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST_F(CliTest, ModesLimitsAndRegisters) {
  CliResult r = Cli({"run", "--mps", mpd, "--ram", counter, "--mode", "instruction"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "AX=05 BX=00 IP=02 OP=0C AR=01 DR=05 AL=00 SF=0 ROW=1 CLOCKS=9 STOP=end\n");
  // One ALU clock from address 0 with IP set to 04: AR := IP.
  r = Cli({"run", "--mps", mpd, "--ram", counter, "--mode", "clock", "--set", "IP=4", "--set",
           "bx=f0"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "AX=00 BX=F0 IP=04 OP=00 AR=04 DR=00 AL=00 SF=0 ROW=2 CLOCKS=1 STOP=end\n");
  r = Cli({"run", "--mps", mpd, "--ram", FixturePath("schleife.ras"), "--max-clocks", "1000"});
  EXPECT_EQ(r.exit, 3);
  EXPECT_NE(r.out.find(" CLOCKS=1000 STOP=limit"), std::string::npos);
}

TEST_F(CliTest, FailedExpectationsAreReportedInGerman) {
  const CliResult r =
      Cli({"run", "--mps", mpd, "--ram", counter, "--expect", "AX=07 [20]=06 STOP=limit"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(SplitLines(r.out).size(), 1u);
  EXPECT_EQ(SplitLines(r.err),
            (std::vector<std::string>{
                "vellar-cli: Erwartung nicht erfüllt: AX=07 erwartet, AX=06 erhalten.",
                "vellar-cli: Erwartung nicht erfüllt: STOP=limit erwartet, "
                "STOP=halt erhalten."}));
}

TEST_F(CliTest, BadArgumentsAndUnreadableFilesGiveTwoAndNothingOnStdout) {
  WriteBytes(dir / "kurz.mps", std::string(100, '\0'));
  const std::vector<std::vector<std::string>> calls = {
      {},
      {"tanzen"},
      {"run", "--foo"},
      {"run", "--mode", "schnell"},
      {"run", "--max-clocks", "0"},
      {"run", "--set", "AL=01"},
      {"run", "--expect", "QX=1"},
      {"run", "--mps"},
      {"run", "--mps", dir / "fehlt.mpd"},
      {"run", "--mps", dir / "kurz.mps"},
      {"run", "--ram", mpd},
      {"run", "--save-ram", dir / "x.mpd"},
      {"run", "--mps", mpd, "--max-clocks"},
      {"list", counter, "--view"},
      {"convert", counter},
      {"convert", counter, dir / "x.mpd"},
      {"convert", dir / "x.txt", dir / "y.txt"},
      {"list", mpd, "--view", "asm"},
  };
  for (const auto& args : calls) {
    const CliResult r = Cli(args);
    std::string call;
    for (const auto& a : args) call += a + " ";
    EXPECT_EQ(r.exit, 2) << call;
    EXPECT_EQ(r.out, "") << call;
    // One message, not a second one about the argument before a missing value.
    int messages = 0;
    for (size_t at = r.err.find("vellar-cli: "); at != std::string::npos;
         at = r.err.find("vellar-cli: ", at + 1)) {
      ++messages;
    }
    EXPECT_EQ(messages, args.empty() ? 0 : 1) << call;
    if (args.empty()) {
      EXPECT_NE(r.err.find("Aufruf"), std::string::npos);
    }
  }
  EXPECT_NE(Cli({"run", "--mps", dir / "kurz.mps"}).err.find("keine gültige MPS-Datei"),
            std::string::npos);
  EXPECT_EQ(dir.EntryCount(), 3);  // kurz.mps and the two capture files: nothing written
}

TEST_F(CliTest, FilesOfOtherNamesAreReadAndWrittenAsText) {
  WriteBytes(dir / "prog.txt", ReadBytes(mpd));
  WriteBytes(dir / "zaehler", ReadBytes(counter));
  const CliResult r = Cli({"run", "--mps", dir / "prog.txt", "--ram", dir / "zaehler", "--save-ram",
                           dir / "nachher.txt"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "AX=06 BX=00 IP=07 OP=0B AR=06 DR=0B AL=00 SF=0 ROW=12 CLOCKS=33 STOP=halt\n");
  EXPECT_EQ(SplitLines(ReadBytes(dir / "nachher.txt"))[2],
            "RAD 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsAnError) {
  const CliResult r = Cli({"list", mpd}, "/dev/full");
  EXPECT_EQ(r.exit, 2);
  EXPECT_NE(r.err.find("nicht vollständig schreiben"), std::string::npos);
}

TEST_F(CliTest, ListPrintsWhatTheFilesHold) {
  // Our fixtures are written in the program's own layout, so the listings give them back.
  CliResult r = Cli({"list", mpd});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(SplitLines(r.out), SplitLines(ReadBytes(mpd)));
  r = Cli({"list", counter, "--mps", mpd});
  EXPECT_EQ(SplitLines(r.out), SplitLines(ReadBytes(counter)));
  r = Cli({"list", counter, "--view", "data"});
  EXPECT_EQ(SplitLines(r.out)[3], "00  0C 05 0A 00 0E 20 0B 00 00 00 00 00 00 00 00 00");
}

TEST_F(CliTest, ConvertAndSaveRamGoThroughTheWindowsLoadAndSave) {
  ASSERT_EQ(Cli({"convert", counter, dir / "z.rad"}).exit, 0);
  const auto rad = SplitLines(ReadBytes(dir / "z.rad"));
  EXPECT_EQ(rad[0], "; VellarD-RAM-Daten: zaehler.ras");
  EXPECT_EQ(rad.back(), "20 Ergebnis");
  ASSERT_EQ(Cli({"convert", dir / "z.rad", dir / "z.erm"}).exit, 0);
  EXPECT_EQ(ReadBytes(dir / "z.erm").substr(0, 8),
            std::string("\x0C\x05\x0A\x00\x0E\x20\x0B\x00", 8));
  ASSERT_EQ(Cli({"convert", dir / "z.erm", dir / "z.ras", "--mps", mpd}).exit, 0);
  EXPECT_EQ(SplitLines(ReadBytes(dir / "z.ras"))[6], "06  0B 00 HLT");

  ASSERT_EQ(Cli({"convert", mpd, dir / "l.mps"}).exit, 0);
  ASSERT_EQ(Cli({"convert", dir / "l.mps", dir / "l.mpd"}).exit, 0);
  const auto back = SplitLines(ReadBytes(dir / "l.mpd"));
  EXPECT_EQ(back[0], "; VellarD-Programm-Speicher: l.mps");
  EXPECT_EQ(back[3].substr(0, 16), "00 Holen: AR:=I ");  // twelve characters in the compact file
  EXPECT_EQ(back.size(), SplitLines(ReadBytes(mpd)).size());

  const CliResult r = Cli(
      {"run", "--mps", dir / "l.mps", "--ram", dir / "z.erm", "--save-ram", dir / "nachher.erm"});
  EXPECT_EQ(r.exit, 0);
  const std::string after = ReadBytes(dir / "nachher.erm");
  ASSERT_EQ(after.size(), 256u);
  EXPECT_EQ(after[0x20], 6);
  EXPECT_EQ(ReadBytes(dir / "z.erm").size(), 256u);
}

TEST_F(CliTest, AsmComparesUmlautsInAnyCase) {
  // Opcode 0A is described "LÖSCHE AX"; the source types it in lower case, once as UTF-8 and
  // once as Windows-1252.
  std::string gates;
  for (int g = 0; g < 16; ++g) gates += " .";
  std::string fw = "AD Befehl                    0 1 2 3 4 5 6 7 8 9 A B C D E F FA\r\n";
  for (int a = 0; a < 0x0A; ++a) fw += "0" + std::to_string(a) + "\r\n";
  fw += "0A L\xD6SCHE AX                " + gates + " 00\r\n";
  WriteBytes(dir / "umlaut.mpd", fw);
  WriteBytes(dir / "utf8.txt", "l\xC3\xB6sche ax\n");
  WriteBytes(dir / "ansi.txt", "l\xF6sche ax\n");
  for (const char* source : {"utf8.txt", "ansi.txt"}) {
    const CliResult r = Cli({"asm", "--mps", dir / "umlaut.mpd", dir / source, dir / "u.ras"});
    EXPECT_EQ(r.exit, 0) << r.err;
    const auto listing = SplitLines(ReadBytes(dir / "u.ras"));
    ASSERT_EQ(listing.size(), 4u) << source;
    EXPECT_EQ(listing[3], "00  0A 00 L\xD6SCHE AX") << source;
  }
}

TEST_F(CliTest, AsmTypesEachLineIntoTheNextAssemblerLine) {
  WriteBytes(dir / "zaehler.txt",
             "; der Zaehler, im Editor geschrieben\r\n"
             "mov ax,05\r\n"
             "\r\n"
             "\tInc  AX\r\n"
             "MOV [20] , ax\n"
             "hlt\n"
             "00 00\n"
             "7f 01\n");
  CliResult r = Cli({"asm", "--mps", mpd, dir / "zaehler.txt", dir / "z.ras"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.err, "");
  const auto listing = SplitLines(ReadBytes(dir / "z.ras"));
  ASSERT_EQ(listing.size(), 9u);
  EXPECT_EQ(listing[0], "; VellarD-RAM-Assembler: z.ras");
  EXPECT_EQ(listing[3], "00  0C 05 MOV AX,05");
  EXPECT_EQ(listing[5], "04  0E 20 MOV [20],AX");
  EXPECT_EQ(listing[8], "0A  7F 01 ");
  r = Cli({"run", "--mps", mpd, "--ram", dir / "z.ras", "--expect", "AX=06 [20]=06 STOP=halt"});
  EXPECT_EQ(r.exit, 0) << r.err;

  WriteBytes(dir / "fehler.txt", "mov ax,05\nmov bx,05\n; gut\nhlt jetzt\n");
  r = Cli({"asm", "--mps", mpd, dir / "fehler.txt", dir / "f.ras"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.out, "");
  const std::string source = dir / "fehler.txt";
  EXPECT_EQ(
      SplitLines(r.err),
      (std::vector<std::string>{
          "vellar-cli: " + source +
              ": Zeile 2: „mov bx,05“ passt zu keinem Befehl des Mikroprogramms.",
          "vellar-cli: " + source + ": Zeile 4: Der Operand „jetzt“ ist keine Hexadezimalzahl."}));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"asm", dir / "zaehler.txt", dir / "y.ras"},
        {"asm", "--mps", mpd, dir / "zaehler.txt", dir / "y.txt"},
        {"asm", "--mps", mpd, dir / "fehlt.txt", dir / "y.ras"},
        {"asm", "--mps", mpd, dir / "zaehler.txt"}}) {
    EXPECT_EQ(Cli(args).exit, 2) << args.size();
  }
  EXPECT_EQ(dir.EntryCount(), 5);  // the two sources, z.ras and the capture files
}

TEST_F(CliTest, HelpNamesEverySubcommand) {
  const CliResult r = Cli({"--help"});
  EXPECT_EQ(r.exit, 0);
  for (const char* usage :
       {"vellar-cli run [--mps DATEI]", "vellar-cli convert EINGABE AUSGABE",
        "vellar-cli list DATEI", "vellar-cli asm --mps DATEI QUELLE", "vellar-cli --help"}) {
    EXPECT_NE(r.out.find(usage), std::string::npos) << usage;
  }
}

TEST_F(CliTest, VersionIsTheProjectVersion) {
  const CliResult r = Cli({"--version"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "vellar-cli (VellarD) " VELLAR_VERSION "\n");
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace vellar::testing
