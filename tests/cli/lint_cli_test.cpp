#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_fixture.h"
#include "core/text.h"

// vellar-cli lint on whole files: our firmware passes, a student's faulty micro-program gets
// one line per finding, sorted by address.
namespace vellar::testing {
namespace {

struct MpdRow {
  int address;
  const char* gates;  // hex digits
  int next;
  const char* description;
};

// An MPD listing as the program writes it: rows from 00 up to the last one given.
std::string MpdText(const std::vector<MpdRow>& rows) {
  std::string text = "; VellarD-Programm-Speicher: \r\n;\r\n";
  text += "AD Befehl                    0 1 2 3 4 5 6 7 8 9 A B C D E F FA\r\n";
  const int last = rows.back().address;
  for (int a = 0; a <= last; ++a) {
    MpdRow row{a, "", (a + 1) & 0xFF, ""};
    for (const MpdRow& r : rows) {
      if (r.address == a) row = r;
    }
    char line[80];
    std::snprintf(line, sizeof line, "%02X %-25s", a, row.description);
    std::string out = line;
    for (int g = 0; g < 16; ++g) {
      const char digit = "0123456789ABCDEF"[g];
      out += ' ';
      out += std::string(row.gates).find(digit) != std::string::npos ? digit : '.';
    }
    std::snprintf(line, sizeof line, " %02X\r\n", row.next);
    text += out + line;
  }
  return text;
}

const std::vector<MpdRow> kFetch = {{0x00, "58", 0x01, ""}, {0x01, "C", 0x02, ""},
                                    {0x02, "69", 0x03, ""}, {0x03, "4578", 0x04, ""},
                                    {0x04, "C", 0x05, ""},  {0x05, "457", 0x06, ""},
                                    {0x06, "F", 0x00, ""}};

// Every micro-program the tests rely on as correct passes without a finding.
TEST_F(CliTest, LintPassesEveryCorrectMicroProgram) {
  std::vector<std::string> files = {ExamplePath("firmware.mpd"), ExamplePath("firmware.mps")};
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(mpd).parent_path())) {
    if (entry.path().extension() == ".mpd") files.push_back(entry.path().string());
  }
  ASSERT_GE(files.size(), 3u);
  for (const std::string& file : files) {
    const CliResult r = Cli({"lint", file});
    EXPECT_EQ(r.exit, 0) << file << r.out << r.err;
    EXPECT_EQ(r.out + r.err, "") << file;
  }
}

TEST_F(CliTest, LintNamesEveryFindingByItsRow) {
  std::vector<MpdRow> rows = kFetch;
  rows.insert(rows.end(), {{0x10, "09", 0x00, "MOV AX,nn"},
                           {0x11, "89", 0x18, "MOV AX,[nn]"},
                           {0x18, "C9", 0x10, "RAM lesen"},  // C with 9: a bus fault
                           {0x60, "017", 0x61, "INC AX"},    // runs on into DEC AX
                           {0x61, "017D", 0x00, "DEC AX"},
                           {0x70, "E", 0x72, "JS nn"},  // 73 empty when AX >= 80
                           {0x72, "49", 0x00, "Sprung"},
                           {0x80, "7", 0x81, "WARTEN"},
                           {0x81, "1", 0x80, ""},
                           {0xFE, "", 0xFE, "HLT"}});
  WriteBytes(dir / "schueler.mpd", MpdText(rows));
  const CliResult r = Cli({"lint", dir / "schueler.mpd"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(SplitLines(r.out),
            (std::vector<std::string>{
                "Zeile 18: Die Tore 9 und C dürfen nicht zugleich offen sein.",
                "Zeile 60: Die Routine läuft ohne Rückkehr nach 00 weiter in Zeile 61, den Befehl "
                "„DEC AX“ (Folgeadresse 00 vergessen?).",
                "Zeile 73: Leere Zeile (kein Tor, keine Beschreibung, Folgeadresse 74), erreicht "
                "von Zeile 70: Die Routine läuft ins Leere.",
                "Zeile 80: Endlose Mikroschleife 80 → 81 → 80: Keine ihrer Zeilen hat Tor E oder F "
                "oder ist eine Haltzeile."}));
}

TEST_F(CliTest, LintRefusesWhatIsNoMicroProgram) {
  WriteBytes(dir / "kurz.mps", "zu kurz");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"lint"},
                                               {"lint", firmware, firmware},
                                               {"lint", counter},
                                               {"lint", dir / "fehlt.mpd"},
                                               {"lint", dir / "kurz.mps"},
                                               {"lint", "--mps", firmware, firmware},
                                               {"lint", "--streng", firmware}}) {
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exit, 2) << args.back();
    EXPECT_EQ(r.out, "") << args.back();
    EXPECT_NE(r.err, "") << args.back();
  }
}

TEST_F(CliTest, HelpNamesTheTeachersTools) {
  const CliResult r = Cli({"--help"});
  EXPECT_EQ(r.exit, 0);
  for (const char* usage :
       {"vellar-cli asm --mps DATEI QUELLE AUSGABE", "vellar-cli lint DATEI",
        "vellar-cli grade [--mps DATEI] [--ram DATEI] [--task AUFGABE] [--cases FÄLLE]",
        "[--mem AA=HH]... [--trace]", "org 40", "db 01, 02, 03", "var zahl F0"}) {
    EXPECT_NE(r.out.find(usage), std::string::npos) << usage;
  }
}

}  // namespace
}  // namespace vellar::testing
