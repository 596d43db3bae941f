#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"

// vellar-cli grade: a class's submissions run on a cases file, as the teachers' section of the
// README shows it.
namespace vellar::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCases =
    "# Bubblesort: sortiert F0 bis FF aufsteigend\n"
    "gegeben:   => [F0]=00 [F1]=01 [FF]=7F STOP=halt\n"
    "\n"
    "umgekehrt: --mem F0=0F --mem F1=0E --mem=FF=00 => [F0]=00 [F1]=00  # viele Nullen\n"
    "startwert: --set AX=55 => AX=FF [E0]=00 STOP=halt\n";

class GradeTest : public CliTest {
 protected:
  GradeTest() {
    WriteBytes(dir / "faelle.txt", kCases);
    fs::create_directories(dir / "abgaben/spaet");
    // anna hands in the example, bernd starts at F1 instead of F0, carla's file is no
    // micro-program, and dora's program never halts.
    const std::string bubble = ReadBytes(kExamples + "bubble.ras");
    WriteBytes(dir / "abgaben/anna.ras", bubble);
    std::string wrong = bubble;
    wrong.replace(wrong.find("00  20 F0 MOV BX,F0"), 19, "00  20 F1 MOV BX,F1");
    WriteBytes(dir / "abgaben/bernd.ras", wrong);
    WriteBytes(dir / "abgaben/carla.mps", "kein Mikroprogramm");
    WriteBytes(dir / "abgaben/spaet/dora.rad", "RAD 00 01\n00  70 00\n");
    WriteBytes(dir / "abgaben/notizen.txt", "keine Einreichung");
  }
};

TEST_F(GradeTest, ATableOfTheClassAndTheFirstDifferenceOfEachFailedCase) {
  const CliResult r = Cli({"grade", "--mps", firmware, "--cases", dir / "faelle.txt",
                           "--max-clocks", "100000", dir / "abgaben", dir / "fehlt.ras"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.err, "");
  const std::string a = dir / "abgaben/";
  EXPECT_EQ(
      Lines(r.out),
      (std::vector<std::string>{
          "| Einreichung | gegeben | umgekehrt | startwert | bestanden |",
          "|---|:-:|:-:|:-:|--:|",
          "| " + a + "anna.ras | ✓ | ✓ | ✓ | 3/3 |",
          "| " + a + "bernd.ras | ✗ | ✗ | ✓ | 1/3 |",
          "| " + a + "spaet/dora.rad | ✗ | ✗ | ✗ | 0/3 |",
          "| " + (dir / "fehlt.ras") + " | Fehler: Die Datei „" + (dir / "fehlt.ras") +
              "“ kann nicht geöffnet werden: Datei oder Verzeichnis nicht gefunden. |  |  | 0/3 |",
          "",
          "Erste Abweichung je Fall:",
          "",
          "- " + a + "bernd.ras, gegeben: [F0]=00 erwartet, [F0]=42 erhalten.",
          "- " + a + "bernd.ras, umgekehrt: [F0]=00 erwartet, [F0]=0F erhalten.",
          "- " + a + "spaet/dora.rad, gegeben: Taktgrenze erreicht (100000 ALU-Takte).",
          "- " + a + "spaet/dora.rad, umgekehrt: Taktgrenze erreicht (100000 ALU-Takte).",
          "- " + a + "spaet/dora.rad, startwert: Taktgrenze erreicht (100000 ALU-Takte).",
      }));
}

TEST_F(GradeTest, CsvForASpreadsheetAndExitZeroWhenAllPass) {
  const CliResult r = Cli({"grade", "--csv", "--mps", firmware, "--cases", dir / "faelle.txt",
                           dir / "abgaben/anna.ras", dir / "abgaben/bernd.ras"});
  EXPECT_EQ(r.exit, 1);
  const std::string a = dir / "abgaben/";
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                              "Einreichung;gegeben;umgekehrt;startwert;bestanden",
                              a + "anna.ras;✓;✓;✓;3/3",
                              a + "bernd.ras;✗;✗;✓;1/3",
                              "",
                              "Einreichung;Fall;erste Abweichung",
                              a + "bernd.ras;gegeben;[F0]=00 erwartet, [F0]=42 erhalten.",
                              a + "bernd.ras;umgekehrt;[F0]=00 erwartet, [F0]=0F erhalten.",
                          }));
  const CliResult all =
      Cli({"grade", "--mps", firmware, "--cases", dir / "faelle.txt", dir / "abgaben/anna.ras"});
  EXPECT_EQ(all.exit, 0) << all.out;
}

// Micro-programs handed in are run with the teacher's program; a folder then yields them,
// but not the teacher's own files in it.
TEST_F(GradeTest, MicroProgramsAreGradedWithTheGivenProgram) {
  fs::copy_file(firmware, dir / "abgaben/emil.mpd");
  fs::copy_file(kExamples + "firmware.mps", dir / "abgaben/lehrer.mps");
  const CliResult r =
      Cli({"grade", "--ram", dir / "abgaben/anna.ras", "--mps", dir / "abgaben/lehrer.mps",
           "--cases", dir / "faelle.txt", dir / "abgaben"});
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_GE(lines.size(), 6u) << r.out << r.err;
  EXPECT_EQ(lines[2].substr(0, 2), "| ");
  std::string rows;
  for (const std::string& line : lines) rows += line + "\n";
  EXPECT_NE(rows.find("carla.mps | Fehler: „"), std::string::npos) << rows;
  EXPECT_NE(rows.find("emil.mpd | ✓ | ✓ | ✓ | 3/3 |"), std::string::npos) << rows;
  EXPECT_EQ(rows.find("lehrer.mps |"), std::string::npos) << rows;
  EXPECT_EQ(rows.find("notizen"), std::string::npos) << rows;
}

TEST_F(GradeTest, FaultyCasesOrArgumentsGiveTwoAndNoTable) {
  WriteBytes(dir / "kaputt.txt",
             "ohne Pfeil: --set AX=01\n"
             ": => AX=01\n"
             "a|b: => AX=01\n"
             "leer: =>\n"
             "falsch: --put AX=01 => AX=01\n"
             "reg: --set AL=01 => AX=01\n"
             "erwartung: => AX=1FF\n"
             "doppelt: => AX=01\n"
             "Doppelt: => AX=01\n"
             "ohne Doppelpunkt\n");
  CliResult r = Cli({"grade", "--mps", firmware, "--cases", dir / "kaputt.txt", dir / "abgaben"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.out, "");
  const std::vector<std::string> err = Lines(r.err);
  ASSERT_EQ(err.size(), 9u) << r.err;
  const std::string where = "vellar-cli: " + (dir / "kaputt.txt") + ": Zeile ";
  EXPECT_EQ(err[0], where + "1: Zum Fall „ohne Pfeil“ fehlt „=>“ mit den Erwartungen.");
  EXPECT_EQ(err[1], where + "2: Dem Fall fehlt der Name vor „:“.");
  EXPECT_EQ(err[2], where + "3: Der Name „a|b“ darf kein |, ; oder \" enthalten.");
  EXPECT_EQ(err[3], where + "4: Der Fall „leer“ erwartet nichts.");
  EXPECT_EQ(err[4].rfind(where + "5: „--put“", 0), 0u) << err[4];
  EXPECT_EQ(err[5].rfind(where + "6: --set erwartet REG=HH", 0), 0u) << err[5];
  EXPECT_EQ(err[6].rfind(where + "7: Ungültige Erwartung „AX=1FF“", 0), 0u) << err[6];
  EXPECT_EQ(err[7], where + "9: Den Fall „Doppelt“ gibt es schon.");
  EXPECT_EQ(err[8].rfind(where + "10: Ein Fall hat die Form", 0), 0u) << err[8];

  fs::create_directories(dir / "leer");
  WriteBytes(dir / "nur-kommentar.txt", "# noch nichts\n");
  const std::string cases = dir / "faelle.txt";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"grade", "--mps", firmware, dir / "abgaben"},
        {"grade", "--cases", cases, dir / "abgaben"},
        {"grade", "--mps", firmware, "--cases", cases},
        {"grade", "--mps", firmware, "--cases", dir / "fehlt.txt", dir / "abgaben"},
        {"grade", "--mps", firmware, "--cases", dir / "nur-kommentar.txt", dir / "abgaben"},
        {"grade", "--mps", dir / "fehlt.mpd", "--cases", cases, dir / "abgaben"},
        {"grade", "--mps", firmware, "--cases", cases, "--max-clocks", "0", dir / "abgaben"},
        {"grade", "--mps", firmware, "--cases", cases, dir / "leer"},
        {"grade", "--mps", firmware, "--cases", cases, "--markdown", dir / "abgaben"}}) {
    r = Cli(args);
    EXPECT_EQ(r.exit, 2) << args[2] << args.back();
    EXPECT_EQ(r.out, "") << args[2] << args.back();
    EXPECT_NE(r.err, "") << args[2] << args.back();
  }
}

}  // namespace
}  // namespace vellar::testing
