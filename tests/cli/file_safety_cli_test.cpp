#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "cli/cli_fixture.h"
#include "core/text.h"

// What vellar-cli writes: never over an input of another kind, never over a write-protected
// file, never a .ram that loses bytes; and what it says about a file never sends the file's
// control bytes to the teacher's terminal.
namespace vellar::testing {
namespace {

// A program that fits into the 32 bytes of a .ram file, and one with data at F0.
constexpr const char* kShort = "MOV AX,05\nHLT\n";
constexpr const char* kWithData = "MOV AX,[F0]\nHLT\norg F0\ndb F6\n";

bool HasControlBytes(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && c != '\n') || b == 0x7F) return true;
  }
  return false;
}

class FileSafetyTest : public CliTest {
 protected:
  FileSafetyTest() {
    WriteBytes(dir / "kurz.asm", kShort);
    WriteBytes(dir / "mikro.txt", ReadBytes(firmware));
    WriteBytes(dir / "x.ras", ReadBytes(counter));
  }

  // Runs the command, which must refuse with exit 2, a message containing the part, nothing
  // on stdout, and the file as it was.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& file,
                     const std::string& part) {
    SCOPED_TRACE(args[0] + " → " + file);
    const std::string before = ReadBytes(file);
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exit, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
    EXPECT_TRUE(ReadBytes(file) == before) << file << " was changed";
  }
};

TEST_F(FileSafetyTest, NoOutputOverAnInputOfAnotherKind) {
  const std::string mikro = dir / "mikro.txt";
  WriteBytes(dir / "quelle.ras", "; Quelle mit Kommentar\nMOV AX,05\nHLT\n");
  ASSERT_EQ(link(mikro.c_str(), (dir / "mikro-link.ras").c_str()), 0);
  ASSERT_EQ(symlink("mikro.txt", (dir / "mikro-sym.rad").c_str()), 0);
  ASSERT_EQ(link((dir / "kurz.asm").c_str(), (dir / "kurz-link.rad").c_str()), 0);
  const std::string same = "dieselbe Datei";
  const struct {
    std::vector<std::string> args;
    std::string file;
  } refused[] = {
      // The source by its own name, and through a hard link.
      {{"asm", "--mps", firmware, dir / "quelle.ras", dir / "quelle.ras"}, dir / "quelle.ras"},
      {{"asm", "--mps", firmware, dir / "kurz.asm", dir / "kurz-link.rad"}, dir / "kurz.asm"},
      // The micro-program, by name, through a hard link and through a symbolic link.
      {{"asm", "--mps", mikro, dir / "kurz.asm", dir / "mikro-link.ras"}, mikro},
      {{"run", "--mps", mikro, "--ram", dir / "x.ras", "--save-ram", mikro}, mikro},
      {{"run", "--mps", mikro, "--ram", dir / "x.ras", "--save-ram", dir / "mikro-sym.rad"}, mikro},
      {{"convert", dir / "x.ras", dir / "mikro-link.ras", "--mps", mikro}, mikro},
  };
  for (const auto& c : refused) ExpectRefused(c.args, c.file, same);
  EXPECT_EQ(dir.EntryCount(), 9);  // and stdout, stderr: no temporary file left

  // Saving the RAM over its own --ram file is what a teacher means.
  const CliResult r =
      Cli({"run", "--mps", mpd, "--ram", dir / "x.ras", "--save-ram", dir / "x.ras"});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(SplitLines(ReadBytes(dir / "x.ras"))[0], "; VellarD-RAM-Assembler: x.ras");
  // So is rewriting a micro-program in place, even when it is named as --mps as well.
  const std::string own = dir / "eigen.mpd";
  WriteBytes(own, ReadBytes(firmware));
  const CliResult m = Cli({"convert", own, own, "--mps", own});
  EXPECT_EQ(m.exit, 0) << m.err;
}

// --save-ram and --stats-csv on one file would leave only the one written last.
TEST_F(FileSafetyTest, TheTwoOutputsOfARunAreNeverTheSameFile) {
  const std::string ram = dir / "x.ras";
  WriteBytes(dir / "alt.rad", "alt");
  ASSERT_EQ(link((dir / "alt.rad").c_str(), (dir / "alt-link.csv").c_str()), 0);
  ASSERT_EQ(symlink("alt.rad", (dir / "alt-sym.csv").c_str()), 0);
  ASSERT_EQ(symlink("neu.rad", (dir / "neu-sym.csv").c_str()), 0);  // to a file yet to be made
  ASSERT_EQ(mkdir((dir / "unter").c_str(), 0755), 0);
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {dir / "neu.rad", dir / "neu.rad"},      {dir / "neu.rad", dir / "unter/../neu.rad"},
      {dir / "neu.rad", dir / "neu-sym.csv"},  {dir / "alt.rad", dir / "alt.rad"},
      {dir / "alt.rad", dir / "alt-link.csv"}, {dir / "alt.rad", dir / "alt-sym.csv"},
  };
  for (const auto& [saved, csv] : pairs) {
    SCOPED_TRACE(saved + " / " + csv);
    const CliResult r =
        Cli({"run", "--mps", mpd, "--ram", ram, "--save-ram", saved, "--stats-csv", csv});
    EXPECT_EQ(r.exit, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("dieselbe Datei"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(dir / "alt.rad"), "alt");
    EXPECT_FALSE(std::ifstream(dir / "neu.rad").good());
  }
}

// Refused with exit 2 means nothing written, whichever of the outputs is the one that fails.
TEST_F(FileSafetyTest, ARunThatCannotWriteAllItsOutputsWritesNone) {
  const std::string ram = dir / "x.ras";
  WriteBytes(dir / "schutz.csv", "alt");
  ASSERT_EQ(chmod((dir / "schutz.csv").c_str(), 0444), 0);
  const std::string missing = dir / "fehlt/s.csv";
  const std::vector<std::vector<std::string>> runs = {
      {"--save-ram", dir / "neu.rad", "--stats-csv", missing},
      {"--save-ram", dir / "neu.rad", "--stats-csv", dir / "schutz.csv"},
      {"--stats-csv", dir / "neu.csv", "--save-ram", missing},
      {"--stats-csv", dir / "neu.csv", "--save-ram", dir / "n.ram"},  // zaehler writes to 20
  };
  for (const auto& outputs : runs) {
    std::vector<std::string> args = {"run", "--mps", mpd, "--ram", ram};
    args.insert(args.end(), outputs.begin(), outputs.end());
    SCOPED_TRACE(outputs[1] + " / " + outputs[3]);
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exit, 2) << r.err;
    EXPECT_FALSE(std::ifstream(dir / "neu.rad").good());
    EXPECT_FALSE(std::ifstream(dir / "neu.csv").good());
    EXPECT_FALSE(std::ifstream(dir / "n.ram").good());
  }
  EXPECT_EQ(ReadBytes(dir / "schutz.csv"), "alt");
  EXPECT_EQ(dir.EntryCount(), 6);  // and stdout, stderr: no temporary file left

  // Both writable: both written.
  const CliResult r = Cli({"run", "--mps", mpd, "--ram", ram, "--save-ram", dir / "neu.rad",
                           "--stats-csv", dir / "neu.csv"});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(SplitLines(ReadBytes(dir / "neu.rad"))[0], "; VellarD-RAM-Daten: x.ras");
  EXPECT_FALSE(ReadBytes(dir / "neu.csv").empty());
}

// A source read as a listing would be a memory of zeros; every command that reads a program
// says what to do instead.
TEST_F(FileSafetyTest, AnAssemblerSourceIsNotTakenForAProgram) {
  const std::string source = dir / "kurz.asm";
  const std::vector<std::vector<std::string>> refused = {
      {"run", "--mps", firmware, "--ram", source},
      {"run", "--mps", source},
      {"list", source, "--mps", firmware},
      {"convert", source, dir / "k.ras", "--mps", firmware},
      {"link", "--base", "https://schule.example/vellar/", "--ram", source},
      {"grade", "--mps", firmware, "--ram", source, "--cases", FixturePath("faelle.txt"), counter},
  };
  for (const auto& args : refused) {
    ExpectRefused(args, source, "Quelltext: erst mit vellar-cli asm übersetzen");
  }
  EXPECT_FALSE(std::ifstream(dir / "k.ras").good());
}

// Root may write any file, so "write-protected" is read from the mode: a file without any write
// bit is protected for everyone, root included; for other users also one they may not write.
TEST_F(FileSafetyTest, AWriteProtectedFileIsNotReplaced) {
  const std::string error = "kann nicht geschrieben werden: Zugriff verweigert";
  for (const std::string name : {"schutz.ras", "schutz.ram", "schutz.mpd"}) {
    WriteBytes(dir / name, "alt");
    ASSERT_EQ(chmod((dir / name).c_str(), 0444), 0);
  }
  ExpectRefused({"asm", "--mps", firmware, dir / "kurz.asm", dir / "schutz.ras"},
                dir / "schutz.ras", error);
  ExpectRefused({"convert", dir / "x.ras", dir / "schutz.ram"}, dir / "schutz.ram", error);
  ExpectRefused({"convert", firmware, dir / "schutz.mpd"}, dir / "schutz.mpd", error);
  ExpectRefused({"run", "--mps", firmware, "--max-clocks", "9", "--save-ram", dir / "schutz.ras"},
                dir / "schutz.ras", error);
  struct stat st {};
  ASSERT_EQ(stat((dir / "schutz.ras").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  EXPECT_EQ(dir.EntryCount(), 8);
}

// The 32 bytes of a .ram keep the addresses 00 to 1F; a byte beyond them is refused, not lost.
TEST_F(FileSafetyTest, ARamFileThatWouldLoseBytesIsNotWritten) {
  WriteBytes(dir / "daten.asm", kWithData);
  ExpectRefused({"asm", "--mps", firmware, dir / "daten.asm", dir / "d.ram"}, dir / "d.ram",
                "Adresse F0");
  std::string erm(256, '\0');
  erm[0x40] = '\x01';
  WriteBytes(dir / "voll.erm", erm);
  ExpectRefused({"convert", dir / "voll.erm", dir / "v.ram"}, dir / "v.ram", "Adresse 40");
  // zaehler writes its result to 20.
  ExpectRefused({"run", "--mps", mpd, "--ram", dir / "x.ras", "--save-ram", dir / "n.ram"},
                dir / "n.ram", "Adresse 20");
  EXPECT_FALSE(std::ifstream(dir / "d.ram").good());

  // What fits is written as before.
  ASSERT_EQ(Cli({"asm", "--mps", firmware, dir / "kurz.asm", dir / "k.RAM"}).exit, 0);
  EXPECT_EQ(ReadBytes(dir / "k.RAM"), std::string("\x10\x05\xFE\0", 4) + std::string(28, '\0'));
  ASSERT_EQ(Cli({"convert", dir / "k.RAM", dir / "k2.ram"}).exit, 0);
  EXPECT_EQ(ReadBytes(dir / "k2.ram"), ReadBytes(dir / "k.RAM"));
}

TEST_F(FileSafetyTest, MessagesShowControlBytesAsText) {
  // A source with ESC and BEL in a line, and a binary file taken for a source.
  WriteBytes(dir / "esc.asm", "MOV AX,\x07\x1B[2J\nHLT\n");
  CliResult r = Cli({"asm", "--mps", firmware, dir / "esc.asm", dir / "e.ras"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_FALSE(HasControlBytes(r.err)) << r.err;
  EXPECT_NE(r.err.find("MOV AX,^G^[[2J"), std::string::npos) << r.err;
  WriteBytes(dir / "binaer.asm", std::string("\x11\xF0\0\x1B\x07\n\xFF\x9B", 8));
  r = Cli({"asm", "--mps", firmware, dir / "binaer.asm", dir / "e.ras"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_FALSE(HasControlBytes(r.err)) << r.err;
  EXPECT_TRUE(IsWellFormedUtf8(r.err)) << r.err;

  // A file name with ESC, in a message and in grade's table.
  const std::string odd = dir / "a\x1B[31mb.ras";
  r = Cli({"asm", "--mps", firmware, odd, dir / "e.ras"});
  EXPECT_EQ(r.exit, 2);
  EXPECT_NE(r.err.find("a^[[31mb.ras"), std::string::npos) << r.err;
  WriteBytes(odd, ReadBytes(counter));
  WriteBytes(dir / "faelle.txt", "ende: => STOP=halt\n");
  r = Cli({"grade", "--mps", mpd, "--cases", dir / "faelle.txt", odd});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_FALSE(HasControlBytes(r.out)) << r.out;
  EXPECT_NE(r.out.find("a^[[31mb.ras"), std::string::npos) << r.out;
  r = Cli({"grade", "--mps", mpd, "--cases", dir / "faelle.txt", "--csv", odd});
  EXPECT_FALSE(HasControlBytes(r.out)) << r.out;
}

// A source saved as UTF-16 (as some editors offer it) is named as such once, not as one faulty
// line after another full of zero bytes.
TEST_F(FileSafetyTest, AUtf16SourceIsNamedOnce) {
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("; Betrag\r\nMOV AX,05\r\nHLT\r\n")) utf16 += {c, '\0'};
  for (const bool mark : {true, false}) {
    WriteBytes(dir / "u16.asm", mark ? utf16 : utf16.substr(2));
    const CliResult r = Cli({"asm", "--mps", firmware, dir / "u16.asm", dir / "u.ras"});
    EXPECT_EQ(r.exit, 2);
    EXPECT_EQ(SplitLines(r.err).size(), 1u) << r.err;
    EXPECT_NE(r.err.find("UTF-16"), std::string::npos) << r.err;
    EXPECT_FALSE(HasControlBytes(r.err));
  }
  WriteBytes(dir / "faelle.txt", utf16);
  const CliResult r = Cli({"grade", "--mps", mpd, "--cases", dir / "faelle.txt", counter});
  EXPECT_EQ(r.exit, 2);
  EXPECT_NE(r.err.find("UTF-16"), std::string::npos) << r.err;
  EXPECT_EQ(SplitLines(r.err).size(), 1u) << r.err;
}

}  // namespace
}  // namespace vellar::testing
