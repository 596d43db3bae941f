#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_fixture.h"
#include "core/text.h"

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
    const std::string bubble = ReadBytes(ExamplePath("bubble.ras"));
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
  EXPECT_EQ(SplitLines(r.out),
            (std::vector<std::string>{
                "| Einreichung | gegeben | umgekehrt | startwert | bestanden | ALU-Takte |",
                "|---|:-:|:-:|:-:|--:|--:|",
                "| " + a + "anna.ras | ✓ | ✓ | ✓ | 3/3 | 21547 / 23711 / 21547 |",
                "| " + a + "bernd.ras | ✗ | ✗ | ✓ | 1/3 | 18448 / 20926 / 18448 |",
                "| " + a + "carla.mps | Fehler: Mikroprogramm statt RAM-Datei |  |  | 0/3 |  |",
                "| " + a + "spaet/dora.rad | ✗ | ✗ | ✗ | 0/3 | 100000 / 100000 / 100000 |",
                "| " + (dir / "fehlt.ras") + " | Fehler: Die Datei „" + (dir / "fehlt.ras") +
                    "“ kann nicht geöffnet werden: Datei oder Verzeichnis nicht gefunden. |  |  | "
                    "0/3 |  |",
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

// A German spreadsheet reads the file as Windows-1252 unless a byte order mark says UTF-8,
// takes "1/3" for a date and cannot sort a second table below the first.
TEST_F(GradeTest, CsvForASpreadsheetAndExitZeroWhenAllPass) {
  const CliResult r = Cli({"grade", "--csv", "--mps", firmware, "--cases", dir / "faelle.txt",
                           dir / "abgaben/anna.ras", dir / "abgaben/bernd.ras", dir / "fehlt.ras"});
  EXPECT_EQ(r.exit, 1);
  const std::string a = dir / "abgaben/";
  EXPECT_EQ(
      SplitLines(r.out),
      (std::vector<std::string>{
          "\xEF\xBB\xBF"
          "Einreichung;gegeben;umgekehrt;startwert;bestanden (von 3);"
          "erste Abweichung gegeben;erste Abweichung umgekehrt;erste Abweichung startwert;"
          "ALU-Takte gegeben;ALU-Takte umgekehrt;ALU-Takte startwert",
          a + "anna.ras;✓;✓;✓;3;;;;21547;23711;21547",
          a + "bernd.ras;✗;✗;✓;1;[F0]=00 erwartet, [F0]=42 erhalten.;"
              "[F0]=00 erwartet, [F0]=0F erhalten.;;18448;20926;18448",
          (dir / "fehlt.ras") + ";Fehler: Die Datei „" + (dir / "fehlt.ras") +
              "“ kann nicht geöffnet werden: Datei oder Verzeichnis nicht gefunden.;;;0;;;;;;",
      }));
  const CliResult all =
      Cli({"grade", "--mps", firmware, "--cases", dir / "faelle.txt", dir / "abgaben/anna.ras"});
  EXPECT_EQ(all.exit, 0) << all.out;
}

// Nothing handed in vanishes: a file of the other kind, a source and an empty file each get a
// row that says why they were not run.
TEST_F(GradeTest, EverySubmissionGetsARowSayingWhyItWasNotGraded) {
  const std::string k = dir / "klasse/";
  fs::create_directories(k);
  fs::copy_file(ExamplePath("bubble.ras"), k + "anna.ras");
  fs::copy_file(firmware, k + "emil.mpd");
  WriteBytes(k + "fritz.ASM", "MOV AX,00\nHLT\n");
  WriteBytes(k + "gabi.ras", "");
  WriteBytes(k + "hans.rad", " \r\n\r\n");
  WriteBytes(k + "notizen.txt", "keine Einreichung");
  fs::copy_file(firmware, dir / "ida.mpd");
  WriteBytes(dir / "jan.asm", "HLT\n");
  CliResult r = Cli({"grade", "--mps", firmware, "--cases", dir / "faelle.txt", k, dir / "ida.mpd",
                     dir / "jan.asm"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.err, "");
  const auto failed = [](const std::string& name, const std::string& why) {
    return "| " + name + " | Fehler: " + why + " |  |  | 0/3 |  |";
  };
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_GE(lines.size(), 2u) << r.out;
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
            (std::vector<std::string>{
                "| " + k + "anna.ras | ✓ | ✓ | ✓ | 3/3 | 21547 / 23711 / 21547 |",
                failed(k + "emil.mpd", "Mikroprogramm statt RAM-Datei"),
                failed(k + "fritz.ASM", "Quelltext: erst mit asm übersetzen"),
                failed(k + "gabi.ras", "leere Datei"),
                failed(k + "hans.rad", "leere Datei"),
                failed(dir / "ida.mpd", "Mikroprogramm statt RAM-Datei"),
                failed(dir / "jan.asm", "Quelltext: erst mit asm übersetzen"),
            }));

  // Grading micro-programs, the programs are the files of the other kind.
  WriteBytes(k + "leer.mpd", "");
  r = Cli({"grade", "--ram", ExamplePath("bubble.ras"), "--cases", dir / "faelle.txt", k});
  EXPECT_EQ(r.exit, 1);
  lines = SplitLines(r.out);
  ASSERT_GE(lines.size(), 2u) << r.out;
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
            (std::vector<std::string>{
                failed(k + "anna.ras", "RAM-Datei statt Mikroprogramm"),
                "| " + k + "emil.mpd | ✓ | ✓ | ✓ | 3/3 | 21547 / 23711 / 21547 |",
                failed(k + "fritz.ASM", "Quelltext: erst mit asm übersetzen"),
                failed(k + "gabi.ras", "RAM-Datei statt Mikroprogramm"),
                failed(k + "hans.rad", "RAM-Datei statt Mikroprogramm"),
                failed(k + "leer.mpd", "leere Datei"),
            }));
}

// Micro-programs handed in are run with the teacher's program; a folder then yields them,
// but not the teacher's own files in it.
TEST_F(GradeTest, MicroProgramsAreGradedWithTheGivenProgram) {
  fs::copy_file(firmware, dir / "abgaben/emil.mpd");
  fs::copy_file(ExamplePath("firmware.mps"), dir / "abgaben/lehrer.mps");
  const CliResult r =
      Cli({"grade", "--ram", dir / "abgaben/anna.ras", "--mps", dir / "abgaben/lehrer.mps",
           "--cases", dir / "faelle.txt", dir / "abgaben"});
  const std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_GE(lines.size(), 6u) << r.out << r.err;
  EXPECT_EQ(lines[2].substr(0, 2), "| ");
  std::string rows;
  for (const std::string& line : lines) rows += line + "\n";
  EXPECT_NE(rows.find("carla.mps | Fehler: „"), std::string::npos) << rows;
  EXPECT_NE(rows.find("emil.mpd | ✓ | ✓ | ✓ | 3/3 | 21547 / 23711 / 21547 |"), std::string::npos)
      << rows;
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
  const std::vector<std::string> err = SplitLines(r.err);
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

// A task stands for --mps, --cases and --max-clocks; its start file of the kind the student
// edits is where the student began, not what the submissions run with.
TEST_F(GradeTest, ATaskGradesAsTheOptionsItStandsFor) {
  fs::create_directories(dir / "aufgabe");
  fs::copy_file(firmware, dir / "aufgabe/lehr.mpd");
  WriteBytes(dir / "aufgabe/start.ras", "RAS OP nn Befehl\r\n00  FE 00 HLT\r\n");
  const std::string task = dir / "aufgabe/bubble.aufgabe";
  WriteBytes(task,
             "Titel: Bubblesort\nText: Sortiere F0 bis FF.\nMPS: lehr.mpd\n"
             "RAM: start.ras\nGrenze: 100000\n" +
                 std::string(kCases));
  const CliResult byOptions = Cli({"grade", "--mps", firmware, "--cases", dir / "faelle.txt",
                                   "--max-clocks", "100000", dir / "abgaben", dir / "fehlt.ras"});
  const CliResult byTask = Cli({"grade", "--task", task, dir / "abgaben", dir / "fehlt.ras"});
  EXPECT_EQ(byTask.exit, 1);
  EXPECT_EQ(byTask.err, "");
  EXPECT_EQ(byTask.out, byOptions.out);
  EXPECT_NE(byTask.out.find("carla.mps | Fehler: Mikroprogramm statt RAM-Datei"),
            std::string::npos);

  // The command line goes before the task.
  WriteBytes(dir / "einer.txt", "nur: => STOP=halt\n");
  CliResult r = Cli({"grade", "--task", task, "--max-clocks", "50", "--cases", dir / "einer.txt",
                     dir / "abgaben/spaet"});
  EXPECT_EQ(r.exit, 1);
  ASSERT_FALSE(r.out.empty()) << r.err;
  EXPECT_EQ(SplitLines(r.out).back(),
            "- " + (dir / "abgaben/spaet/dora.rad") + ", nur: Taktgrenze erreicht (50 ALU-Takte).");
  r = Cli({"grade", "--task", task, "--mps", dir / "fehlt.mpd", dir / "abgaben"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_NE(r.err.find("fehlt.mpd"), std::string::npos) << r.err;

  // Grading micro-programs: the task's program is what they run with.
  fs::copy_file(firmware, dir / "abgaben/emil.mpd");
  WriteBytes(task,
             "Bearbeiten: MPS\nMPS: lehr.mpd\nRAM: ../abgaben/anna.ras\n" + std::string(kCases));
  r = Cli({"grade", "--task", task, dir / "abgaben/emil.mpd", dir / "abgaben/bernd.ras"});
  EXPECT_EQ(SplitLines(r.out),
            (std::vector<std::string>{
                "| Einreichung | gegeben | umgekehrt | startwert | bestanden | ALU-Takte |",
                "|---|:-:|:-:|:-:|--:|--:|",
                "| " + (dir / "abgaben/emil.mpd") + " | ✓ | ✓ | ✓ | 3/3 | 21547 / 23711 / 21547 |",
                "| " + (dir / "abgaben/bernd.ras") +
                    " | Fehler: RAM-Datei statt Mikroprogramm |  |  | 0/3 |  |",
            }))
      << r.err;
  // A folder yields neither the task's program nor its start micro-program.
  fs::copy_file(firmware, dir / "abgaben/lehr.mpd");
  WriteBytes(task, "Bearbeiten: MPS\nMPS: ../abgaben/lehr.mpd\nRAM: ../abgaben/anna.ras\n" +
                       std::string(kCases));
  r = Cli({"grade", "--task", task, dir / "abgaben"});
  EXPECT_EQ(r.out.find("anna.ras"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("lehr.mpd"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("emil.mpd | ✓ | ✓ | ✓ | 3/3 |"), std::string::npos) << r.out;
}

// A fault in the task or a start file that is not there is the teacher's: nothing is graded.
TEST_F(GradeTest, AFaultyTaskOrAMissingStartFileGradesNothing) {
  const std::string task = dir / "a.aufgabe";
  WriteBytes(task, "Titel: Sortieren\nGrenze: viel\nBearbeiten: alles\n" + std::string(kCases));
  CliResult r = Cli({"grade", "--task", task, "--mps", firmware, dir / "abgaben"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(SplitLines(r.err),
            (std::vector<std::string>{
                "vellar-cli: " + task +
                    ": Zeile 2: „Grenze:“ erwartet eine positive ganze Zahl, nicht „viel“.",
                "vellar-cli: " + task +
                    ": Zeile 3: „Bearbeiten:“ erwartet RAM oder MPS, nicht "
                    "„alles“.",
            }));

  for (const std::string start : {"MPS: fehlt.mpd", "RAM: fehlt.ras"}) {
    WriteBytes(task, start + "\n" + std::string(kCases));
    r = Cli({"grade", "--task", task, "--mps", firmware, dir / "abgaben"});
    EXPECT_EQ(r.exit, 2) << start;
    EXPECT_EQ(r.out, "") << start;
    const std::string missing = dir / ("fehlt." + start.substr(start.size() - 3));
    EXPECT_NE(r.err.find("„" + missing + "“ kann nicht geöffnet werden"), std::string::npos)
        << r.err;
  }
  WriteBytes(task, "Titel: ohne Mikroprogramm\n" + std::string(kCases));
  r = Cli({"grade", "--task", task, dir / "abgaben"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_NE(r.err.find("grade braucht --mps"), std::string::npos) << r.err;
}

// The README's example task: our sorting program passes every case, another program does not.
TEST_F(GradeTest, TheExampleTaskGradesTheExamplePrograms) {
  const CliResult r = Cli({"grade", "--task", ExamplePath("sortieren.aufgabe"),
                           ExamplePath("bubble.ras"), ExamplePath("zaehler.ras")});
  EXPECT_EQ(r.exit, 1) << r.err;
  const std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_GE(lines.size(), 4u) << r.out << r.err;
  EXPECT_EQ(lines[2],
            "| " + ExamplePath("bubble.ras") + " | ✓ | ✓ | ✓ | 3/3 | 30856 / 1231 / 22394 |");
  EXPECT_EQ(lines[3].rfind("| " + ExamplePath("zaehler.ras") + " | ✗ |", 0), 0u) << lines[3];
}

}  // namespace
}  // namespace vellar::testing
