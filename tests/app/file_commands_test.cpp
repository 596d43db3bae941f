#include "app/file_commands.h"

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "core/file_io.h"
#include "core/hex.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace vellar::testing {
namespace {

// The user the rights tests run as when the tests run as root.
constexpr uid_t kNobody = 65534;
uid_t PlainUser() {
  return geteuid() == 0 ? kNobody : geteuid();
}

class FileCommandsTest : public SessionTest {
 protected:
  FileCommands& files = session.files;
  TempDir dir;
};

TEST(ExtIndexTest, ExtensionOfTheNameOnlyInAnyCase) {
  EXPECT_EQ(ExtIndex("prog.Mps", kMpsExtensions), 1);
  EXPECT_EQ(ExtIndex("/a.mps/prog", kMpsExtensions), -1);
  EXPECT_EQ(ExtIndex("prog.txt", kMpsExtensions), -1);
  EXPECT_EQ(ExtIndex("x.tar.erm", kRamExtensions), 3);
  EXPECT_EQ(ExtIndex("x.", kRamExtensions), -1);
}

TEST_F(FileCommandsTest, SaveAndLoadTheMpsThroughTheMenu) {
  SetRow(0x0A, {1, 7, 0}, "00", "INC AX");
  m.Regs[AX] = 0x42;
  fe.ExpectSaveFile(dir / "fw.mpd");
  files.MeSaveMpsClick();
  EXPECT_EQ(fe.dialogs.back().defaultExt, "MPD");
  EXPECT_EQ(fe.caption, "Mikroprozessor Simulation - fw.mpd - ");
  EXPECT_FALSE(session.mps.MpsModified());
  const std::string text = ReadBytes(dir / "fw.mpd");
  EXPECT_EQ(text.substr(0, 31), "; VellarD-Programm-Speicher: \r\n");  // the name before saving
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 11);

  session.mps.ClearMps();
  session.ramView.RaRamClick(RamView::kAssemblerItem);
  m.Ram[0] = 0x0A;
  session.ramGrid.ShowRamByte(0, 0x0A);
  fe.ExpectOpenFile(dir / "fw.mpd");
  files.MeLoadMpsClick();  // nothing modified: no question
  EXPECT_EQ(session.mps.Description(0x0A), "INC AX");
  EXPECT_EQ(session.ramGrid.CellText(RamGrid::kInstructionColumn, 1), "INC AX");
  EXPECT_EQ(m.Regs[AX], 0);  // reset
  EXPECT_FALSE(session.mps.MpsModified());
  fe.ExpectOpenFile(std::nullopt);
  files.MeLoadMpsClick();
}

TEST_F(FileCommandsTest, LoadingSaysWhichDescriptionsItCut) {
  // Another writer's listing with a description column of 31 characters.
  std::string header = "AD Befehl";
  header.resize(34, ' ');
  std::string text = header + "0 1 2 3 4 5 6 7 8 9 a b c d e f FA\r\n";
  for (int a = 0; a < 20; ++a) {
    std::string line = HexByte(static_cast<uint8_t>(a)) + " ";
    line += (a == 0x03 || a >= 0x0A) ? "Eine Beschreibung, 26 Zch." : "kurz";
    line.resize(34, ' ');
    text += line + ". . . . . . . . . . . . . . . 1 00\r\n";
  }
  WriteBytes(dir / "breit.mpd", text);
  fe.ExpectMessage(
      "Nur 25 Zeichen als Kommentar erlaubt.\nDie Beschreibungen der Adressen 03, 0A, 0B, 0C, 0D, "
      "0E, 0F, 10, 11, 12 und 13 waren länger und wurden auf 25 Zeichen gekürzt.");
  ASSERT_TRUE(files.LoadMpsFile(dir / "breit.mpd"));
  EXPECT_EQ(session.mps.Description(0x03), "Eine Beschreibung, 26 Zch");
  EXPECT_EQ(session.mps.GateMask(0x13), GateBit(0xF));
  EXPECT_EQ(files.MpsFileName(), "breit.mpd");
  EXPECT_FALSE(session.mps.MpsModified());

  WriteBytes(dir / "eine.mpd",
             "AD Befehl                    0 1 2 3 4 5 6 7 8 9 A B C D E F FA\r\n"
             "00 " +
                 std::string(26, 'x') + " . . . . . . . . . . . . . . . . 01\r\n");
  fe.ExpectMessage(
      "Nur 25 Zeichen als Kommentar erlaubt.\nDie Beschreibung der Adresse 00 war "
      "länger und wurde auf 25 Zeichen gekürzt.");
  ASSERT_TRUE(files.LoadMpsFile(dir / "eine.mpd"));
  // Our own listings load without a word.
  ASSERT_TRUE(files.SaveMpsFile(dir / "eigen.mpd"));
  ASSERT_TRUE(files.LoadMpsFile(dir / "eigen.mpd"));
  EXPECT_TRUE(fe.AllUsed());
}

TEST_F(FileCommandsTest, QuestionsBeforeLoadingAndOverwriting) {
  SetRow(0, {1}, "01");
  // Yes to "Mps speichern ?" saves and loads nothing.
  fe.ExpectQuestion("Mps speichern ?", true);
  fe.ExpectSaveFile(dir / "a.mps");
  files.MeLoadMpsClick();
  EXPECT_EQ(ReadBytes(dir / "a.mps").size(), 4096u);
  EXPECT_EQ(files.MpsFileName(), "a.mps");

  // No at the overwrite question writes nothing and changes nothing.
  SetRow(0, {3}, "01");
  fe.ExpectSaveFile(dir / "a.mps");
  fe.ExpectQuestion(dir / "a.mps" + " überschreiben ?", false);
  files.MeSaveMpsClick();
  EXPECT_EQ(ReadBytes(dir / "a.mps")[0], 0x02);
  EXPECT_TRUE(session.mps.MpsModified());

  // No to "Mps speichern ?" goes on to load.
  fe.ExpectQuestion("Mps speichern ?", false);
  fe.ExpectOpenFile(dir / "a.mps");
  files.MeLoadMpsClick();
  EXPECT_EQ(session.mps.GateMask(0), 0x0002);
}

// Closing asks as a load does, for each store with unsaved work, and may be called off.
TEST_F(FileCommandsTest, ClosingAsksForUnsavedWork) {
  EXPECT_FALSE(files.HasUnsavedWork());
  EXPECT_TRUE(files.FormCloseQuery());  // nothing to ask

  session.mpsEditor.GrMpsSetEditText(MpsStore::kDescriptionColumn, 4, "neu");
  session.ramEditor.GrRamSetEditText(1, 1, "7F");
  EXPECT_TRUE(files.HasUnsavedWork());
  struct Case {
    Answer mps;
    std::optional<std::string> mpsFile;  // the save dialog after Ja
    Answer ram;                          // not asked after the MPS called the close off
    bool closes;
  };
  const std::string mpd = dir / "c.mpd";
  const Case cases[] = {
      {Answer::Cancel, {}, Answer::Cancel, false},
      {Answer::No, {}, Answer::Cancel, false},
      {Answer::Yes, std::nullopt, Answer::Cancel, false},  // the save dialog cancelled
      {Answer::Yes, mpd, Answer::No, true},
  };
  for (const Case& c : cases) {
    fe.ExpectChoice("Mps speichern ?", c.mps);
    const bool asksRam = c.mps == Answer::No || (c.mps == Answer::Yes && c.mpsFile);
    if (c.mps == Answer::Yes) fe.ExpectSaveFile(c.mpsFile);
    if (asksRam) fe.ExpectChoice("Ram speichern ?", c.ram);
    EXPECT_EQ(files.FormCloseQuery(), c.closes);
    EXPECT_TRUE(fe.AllUsed());
  }
  EXPECT_NE(ReadBytes(mpd).find("03 neu"), std::string::npos);
  EXPECT_FALSE(session.mps.MpsModified());

  // Ja to the RAM saves it; then nothing is left to ask.
  fe.ExpectChoice("Ram speichern ?", Answer::Yes);
  fe.ExpectSaveFile(dir / "c.rad");
  EXPECT_TRUE(files.FormCloseQuery());
  EXPECT_FALSE(files.HasUnsavedWork());

  // An instruction typed into the "Befehl" column and a variable's name are unsaved work
  // too, though they set no change flag; cleared stores have nothing to lose.
  session.ramView.RaRamClick(RamView::kAssemblerItem);
  SetRow(0x30, {}, "00", "INC AX");
  session.ramEditor.GrRamSetEditText(RamGrid::kInstructionColumn, 2, "INC AX");
  ASSERT_EQ(m.Ram[2], 0x30);
  EXPECT_TRUE(files.HasUnsavedWork());
  fe.ExpectChoice("Mps speichern ?", Answer::No);
  fe.ExpectChoice("Ram speichern ?", Answer::Cancel);
  EXPECT_FALSE(files.FormCloseQuery());
  files.MeClrRamClick();
  session.variables.Append("E0", "x");
  fe.ExpectChoice("Mps speichern ?", Answer::No);
  fe.ExpectChoice("Ram speichern ?", Answer::No);
  EXPECT_TRUE(files.FormCloseQuery());
  session.variables.Remove("E0");
  session.mpsEditor.MeClrMpsClick();
  EXPECT_FALSE(files.HasUnsavedWork());
}

// A load empties the undo history, so what it would replace unasked is gone for good: a typed
// description, an instruction typed into "Befehl". A load asks as closing does.
TEST_F(FileCommandsTest, ALoadAsksAboutTypedDescriptionsAndInstructions) {
  SetRow(0x30, {}, "00", "INC AX");
  ASSERT_TRUE(files.SaveMpsFile(dir / "m.mpd"));
  session.mpsEditor.GrMpsSetEditText(MpsStore::kDescriptionColumn, 0x31 + 1, "Kommentar");
  ASSERT_FALSE(session.mps.MpsModified());
  fe.ExpectQuestion("Mps speichern ?", false);
  fe.ExpectOpenFile(dir / "m.mpd");
  files.MeLoadMpsClick();
  EXPECT_TRUE(fe.AllUsed());

  session.ramView.RaRamClick(RamView::kAssemblerItem);
  session.ramEditor.GrRamSetEditText(RamGrid::kInstructionColumn, 1, "INC AX");
  ASSERT_EQ(m.Ram[0], 0x30);
  ASSERT_FALSE(session.memory.RamChanged());
  fe.ExpectQuestion("Ram speichern ?", true);
  fe.ExpectSaveFile(dir / "p.ras");
  files.MeLoadRamClick();
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_NE(ReadBytes(dir / "p.ras").find("INC AX"), std::string::npos);
  // Saved: the next load asks nothing.
  fe.ExpectOpenFile(dir / "p.ras");
  files.MeLoadRamClick();
  EXPECT_TRUE(fe.AllUsed());
}

TEST_F(FileCommandsTest, FormatFollowsTheExtension) {
  SetRow(3, {4}, "09", "Füße über zwölf Zeichen");
  ASSERT_TRUE(files.SaveMpsFile(dir / "p.Mps"));
  ASSERT_TRUE(files.SaveMpsFile(dir / "p.txt"));
  ASSERT_TRUE(files.SaveMpsFile(dir / "p"));
  EXPECT_EQ(ReadBytes(dir / "p.Mps").size(), 4096u);
  EXPECT_EQ(ReadBytes(dir / "p.txt").substr(0, 1), ";");
  EXPECT_EQ(ReadBytes(dir / "p").substr(0, 1), ";");
  session.mps.ClearMps();
  ASSERT_TRUE(files.LoadMpsFile(dir / "p.Mps"));
  EXPECT_EQ(session.mps.Description(3), "Füße über zw");  // twelve characters, not bytes
  EXPECT_EQ(session.mps.GateMask(3), 0x0010);
  EXPECT_EQ(session.mps.NextAddressText(3), "09");
  ASSERT_TRUE(files.LoadMpsFile(dir / "p"));
  EXPECT_EQ(session.mps.Description(3), "Füße über zwölf Zeichen");
}

TEST_F(FileCommandsTest, FailedMpsLoadChangesNothing) {
  SetRow(7, {2}, "44", "bleibt");
  ASSERT_TRUE(files.SaveMpsFile(dir / "ok.mpd"));
  const std::string caption = fe.caption;
  m.Regs[BX] = 0x12;
  WriteBytes(dir / "short.mps", std::string(4000, '\x01'));
  fe.ExpectError();
  EXPECT_FALSE(files.LoadMpsFile(dir / "short.mps"));
  EXPECT_NE(fe.messages.back().find("keine gültige MPS-Datei"), std::string::npos);
  fe.ExpectError();
  EXPECT_FALSE(files.LoadMpsFile(dir / "fehlt.mpd"));
  EXPECT_NE(fe.messages.back().find("nicht gefunden"), std::string::npos);
  EXPECT_EQ(session.mps.GateMask(0), 0);
  EXPECT_EQ(session.mps.Description(7), "bleibt");
  EXPECT_EQ(files.MpsFileName(), "ok.mpd");
  EXPECT_EQ(fe.caption, caption);
  EXPECT_EQ(m.Regs[BX], 0x12);
}

// A save that fails half-way (here: the file size limit, as a full disk would) leaves the old
// file, no temporary file, and the names as they were.
TEST_F(FileCommandsTest, FailedSaveKeepsTheOldFile) {
  WriteBytes(dir / "alt.mps", "old contents");
  WriteBytes(dir / "alt.erm", "old contents");
  ASSERT_EQ(dir.EntryCount(), 2);
  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 100;
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  fe.ExpectError();
  const bool mpsSaved = files.SaveMpsFile(dir / "alt.mps");
  fe.ExpectError();
  const bool ramSaved = files.SaveRamFile(dir / "alt.erm");
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(mpsSaved);
  EXPECT_FALSE(ramSaved);
  EXPECT_EQ(ReadBytes(dir / "alt.mps"), "old contents");
  EXPECT_EQ(ReadBytes(dir / "alt.erm"), "old contents");
  EXPECT_EQ(dir.EntryCount(), 2);
  EXPECT_EQ(files.MpsFileName(), "");
  EXPECT_EQ(files.RamFileName(), "");
  EXPECT_EQ(fe.caption, "");
}

TEST_F(FileCommandsTest, SaveReplacesTheFileAndKeepsItsPermissions) {
  WriteBytes(dir / "r.ram", std::string(100, 'x'));
  chmod((dir / "r.ram").c_str(), 0640);
  m.Ram[0x1F] = 0xEE;
  ASSERT_TRUE(files.SaveRamFile(dir / "r.ram"));
  const std::string bytes = ReadBytes(dir / "r.ram");
  ASSERT_EQ(bytes.size(), 32u);
  EXPECT_EQ(static_cast<uint8_t>(bytes[31]), 0xEE);
  struct stat st {};
  stat((dir / "r.ram").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(dir.EntryCount(), 1);
}

// Runs the action in a child process as a user without special rights (root may write into
// any folder) and returns the text it gives back.
std::string AsPlainUser(const std::function<std::string()>& action) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    std::string result = "no plain user";
    if (geteuid() != 0 ||
        (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0)) {
      result = action();
    }
    (void)!write(pipeFds[1], result.data(), result.size());
    _exit(0);
  }
  close(pipeFds[1]);
  std::string result;
  char buffer[512];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  close(pipeFds[0]);
  waitpid(child, nullptr, 0);
  return result;
}

TEST_F(FileCommandsTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
  // A class folder: the student may write the file, but not add files beside it.
  const std::string file = dir / "klasse.rad";
  WriteBytes(file, "alt");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  ASSERT_EQ(chown(file.c_str(), PlainUser(), static_cast<gid_t>(-1)), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  const std::string listing = TextFileBytes(files.RamListing(false));
  EXPECT_EQ(AsPlainUser([&] { return WriteFileReplacing(file, listing).error; }), "");
  EXPECT_EQ(ReadBytes(file), listing);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(st.st_uid, PlainUser());
  EXPECT_EQ(dir.EntryCount(), 1);  // no temporary file left behind

  // Neither folder nor file writable: a German message, and the file stays as it was.
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  const std::string error = AsPlainUser([&] { return WriteFileReplacing(file, "neu").error; });
  EXPECT_EQ(error, "Die Datei „" + file + "“ kann nicht geschrieben werden: Zugriff verweigert.");
  EXPECT_EQ(ReadBytes(file), listing);
  chmod(dir.path().c_str(), 0700);
}

// Root may write any file, so the mode decides what is protected: a file without any write
// bit is, for root too, and for any other user also a file the mode does not let them write.
// The rename would replace either; the save refuses, after the question as before.
// The short format holds 00 to 1F: a memory with more would be cut short without a word, and
// the close question would not ask about it any more, since it counts as saved.
TEST_F(FileCommandsTest, ARamFileThatWouldLoseBytesIsNotWritten) {
  const std::string file = dir / "kurz.ram";
  m.Ram[0x1F] = 0x11;
  m.Ram[0x40] = 0x22;
  fe.ExpectSaveFile(file);
  fe.ExpectError(
      "„kurz.ram“: Eine .ram-Datei hält nur die Adressen 00 bis 1F, aber an Adresse 40 "
      "steht ein Byte ungleich 00, das verloren ginge. Es wird nichts geschrieben; "
      ".erm, .ras und .rad halten alle 256 Byte.");
  files.MeSaveRamClick();
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(files.RamFileName(), "");

  m.Ram[0x40] = 0;
  fe.ExpectSaveFile(file);
  files.MeSaveRamClick();
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_EQ(ReadBytes(file).size(), 32u);
  EXPECT_EQ(files.RamFileName(), "kurz.ram");
}

TEST_F(FileCommandsTest, AWriteProtectedFileIsNotReplaced) {
  const std::string file = dir / "schutz.ras";
  WriteBytes(file, "alt");
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  const std::string refused =
      "Die Datei „" + file + "“ kann nicht geschrieben werden: Zugriff verweigert.";
  m.Ram[0] = 0x10;
  fe.ExpectSaveFile(file);
  fe.ExpectQuestion(file + " überschreiben ?", true);
  fe.ExpectError(refused);
  files.MeSaveRamClick();
  SetRow(0, {1}, "01");
  fe.ExpectSaveFile(file);
  fe.ExpectQuestion(file + " überschreiben ?", true);
  fe.ExpectError(refused);
  files.MeSaveMpsClick();
  EXPECT_TRUE(fe.AllUsed());
  EXPECT_EQ(ReadBytes(file), "alt");
  EXPECT_EQ(files.RamFileName(), "");
  EXPECT_TRUE(session.mps.MpsModified());

  // A plain user in a folder of their own: their own 0444 file, and (when we are root and
  // can make one) another user's 0644 file.
  ASSERT_EQ(chown(dir.path().c_str(), PlainUser(), static_cast<gid_t>(-1)), 0);
  ASSERT_EQ(chown(file.c_str(), PlainUser(), static_cast<gid_t>(-1)), 0);
  EXPECT_EQ(AsPlainUser([&] { return WriteFileReplacing(file, "neu").error; }), refused);
  EXPECT_EQ(ReadBytes(file), "alt");
  if (geteuid() == 0) {
    const std::string theirs = dir / "fremd.rad";
    WriteBytes(theirs, "fremd");
    ASSERT_EQ(chmod(theirs.c_str(), 0644), 0);
    EXPECT_EQ(AsPlainUser([&] { return WriteFileReplacing(theirs, "neu").error; }),
              "Die Datei „" + theirs + "“ kann nicht geschrieben werden: Zugriff verweigert.");
    EXPECT_EQ(ReadBytes(theirs), "fremd");
  }
  // What the user may write is still replaced.
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  EXPECT_EQ(AsPlainUser([&] { return WriteFileReplacing(file, "neu").error; }), "");
  EXPECT_EQ(ReadBytes(file), "neu");
}

TEST_F(FileCommandsTest, SaveThroughALinkWritesWhereItPoints) {
  // Also when the file it points to does not exist yet: the link stays a link.
  ASSERT_EQ(symlink("ziel.erm", (dir / "link.erm").c_str()), 0);
  m.Ram[0xFF] = 0x5A;
  ASSERT_TRUE(files.SaveRamFile(dir / "link.erm"));
  struct stat st {};
  ASSERT_EQ(lstat((dir / "link.erm").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(static_cast<uint8_t>(ReadBytes(dir / "ziel.erm").at(0xFF)), 0x5A);
  ASSERT_TRUE(files.SaveRamFile(dir / "link.erm"));  // and again, now that it exists
  EXPECT_EQ(dir.EntryCount(), 2);
}

TEST_F(FileCommandsTest, SavingARamTextSwitchesTheViewAndNamesTheOldFile) {
  m.Ram[2] = 0x0B;
  session.memory.WriteRam(3, 0x01);
  fe.ExpectSaveFile(dir / "prog.ras");
  files.MeSaveRamClick();
  EXPECT_EQ(fe.dialogs.back().filterIndex, 3);  // data view: ".rad" preselected
  EXPECT_EQ(fe.dialogs.back().defaultExt, "RAD");
  EXPECT_TRUE(session.ramGrid.AssemblerView());
  EXPECT_FALSE(session.memory.RamChanged());
  EXPECT_EQ(fe.caption, "Mikroprozessor Simulation -  - prog.ras");
  EXPECT_EQ(ReadBytes(dir / "prog.ras"),
            "; VellarD-RAM-Assembler: \r\n;\r\nRAS OP nn Befehl\r\n00  00 00 \r\n02  0B 01 \r\n");
  ASSERT_TRUE(files.SaveRamFile(dir / "prog.xyz"));  // unknown extension: data layout
  EXPECT_FALSE(session.ramGrid.AssemblerView());
  EXPECT_EQ(ReadBytes(dir / "prog.xyz").substr(0, 32), "; VellarD-RAM-Daten: prog.ras\r\n;");
}

TEST_F(FileCommandsTest, TextLoadReplacesVariablesCompactLoadKeepsThem) {
  WriteBytes(dir / "v.rad",
             "RAD\r\n00  05 06\r\n\r\n\r\n; Variablendefinitionen\r\nVAR\r\n01 sechs\r\n");
  session.variables.Append("80", "alt");
  m.Regs[IP] = 0x10;
  fe.invalidated = 0;
  ASSERT_TRUE(files.LoadRamFile(dir / "v.rad"));
  EXPECT_TRUE(session.menu.MeVariablen);
  ASSERT_EQ(session.variables.ColumnCount(), 1);
  EXPECT_EQ(session.variables.Column(1).address, "01");
  EXPECT_EQ(session.variables.Column(1).value, "06");
  EXPECT_EQ(session.ramGrid.CellText(2, 1), "06");
  EXPECT_FALSE(session.memory.RamChanged());
  EXPECT_EQ(m.Regs[IP], 0);
  EXPECT_TRUE(fe.invalidated & kRedrawLayout);

  WriteBytes(dir / "c.erm", "\x07\x08");
  ASSERT_TRUE(files.LoadRamFile(dir / "c.erm"));
  EXPECT_EQ(session.variables.Column(1).value, "08");
  EXPECT_EQ(m.Ram[0], 0x07);
  EXPECT_EQ(files.RamFileName(), "c.erm");

  session.menu.MeVariablen = false;  // inspector hidden: no variable section
  ASSERT_TRUE(files.SaveRamFile(dir / "out.rad"));
  EXPECT_EQ(ReadBytes(dir / "out.rad").find("VAR"), std::string::npos);
}

TEST_F(FileCommandsTest, FailedRamLoadKeepsMemoryAndVariables) {
  session.memory.WriteRam(5, 0x55);
  session.variables.Append("05", "x");
  fe.ExpectError();
  EXPECT_FALSE(files.LoadRamFile(dir / "fehlt.ras"));
  fe.ExpectError();
  EXPECT_FALSE(files.LoadRamFile(dir.path()));  // a folder
  EXPECT_EQ(m.Ram[5], 0x55);
  EXPECT_EQ(session.variables.Column(1).address, "05");
  EXPECT_TRUE(session.memory.RamChanged());
  EXPECT_EQ(files.RamFileName(), "");
}

// A listing an editor saved as UTF-16 is named as such and loads nothing; the compact formats
// are binary, where a byte order mark or a zero in every other byte is data like any other.
TEST_F(FileCommandsTest, ATextSavedAsUtf16IsRefusedButCompactFilesAreNot) {
  SetRow(7, {2}, "44", "bleibt");
  session.memory.WriteRam(5, 0x55);
  ASSERT_TRUE(files.SaveMpsFile(dir / "ok.mpd"));
  ASSERT_TRUE(files.SaveRamFile(dir / "ok.rad"));
  const auto utf16 = [](const std::string& text, bool mark) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (const char c : text) out += {c, '\0'};
    return out;
  };
  for (const bool mark : {true, false}) {
    for (const std::string name : {"u.mpd", "u.txt", "u.ras", "u.rad"}) {
      SCOPED_TRACE(name);
      const bool mps = name == "u.mpd" || name == "u.txt";
      WriteBytes(dir / name, utf16(ReadBytes(dir / (mps ? "ok.mpd" : "ok.rad")), mark));
      fe.ExpectError();
      EXPECT_FALSE(mps ? files.LoadMpsFile(dir / name) : files.LoadRamFile(dir / name));
      EXPECT_EQ(fe.messages.back(), "„" + dir / name +
                                        "“ ist in UTF-16 gespeichert. Bitte im Editor als UTF-8 "
                                        "oder Windows-1252 speichern.");
    }
  }
  EXPECT_EQ(session.mps.Description(7), "bleibt");
  EXPECT_EQ(m.Ram[5], 0x55);
  EXPECT_EQ(files.MpsFileName(), "ok.mpd");
  EXPECT_EQ(files.RamFileName(), "ok.rad");

  std::string zeros;
  for (int i = 0; i < 128; ++i) zeros += {'\x41', '\0'};
  WriteBytes(dir / "z.erm", zeros);
  WriteBytes(dir / "z.ram", "\xFF\xFE" + zeros.substr(0, 30));
  WriteBytes(dir / "z.mps", "\xFF\xFE" + std::string(4094, '\0'));
  ASSERT_TRUE(files.LoadRamFile(dir / "z.erm"));
  EXPECT_EQ(m.Ram[0xFE], 0x41);
  ASSERT_TRUE(files.LoadRamFile(dir / "z.ram"));
  EXPECT_EQ(m.Ram[0], 0xFF);
  ASSERT_TRUE(files.LoadMpsFile(dir / "z.mps"));
  EXPECT_EQ(session.mps.GateMask(0), 0xFEFF);
}

TEST_F(FileCommandsTest, ASingleDigitTypedIntoAByteSurvivesSaveAndLoad) {
  for (const bool assembler : {false, true}) {
    session.ramView.RaRamClick(assembler ? RamView::kAssemblerItem : RamView::kDataItem);
    Focus(Control::RamGrid);
    session.ramEditor.GrRamSetEditText(assembler ? RamGrid::kOperandColumn : 6, 1, "5");
    const std::string file = dir / (assembler ? "eins.ras" : "eins.rad");
    ASSERT_TRUE(files.SaveRamFile(file));
    EXPECT_NE(ReadBytes(file).find(assembler ? "00  00 05" : "00  00 00 00 00 00 05"),
              std::string::npos);
    files.MeClrRamClick();
    ASSERT_TRUE(files.LoadRamFile(file));
    EXPECT_EQ(m.Ram[assembler ? 1 : 5], 0x05);
  }
}

TEST_F(FileCommandsTest, ALoadLeavesNoTypedTextInTheGridEditors) {
  // Text typed into a cell, then a file loaded: the cell shows the file's byte, and the
  // editor must not bring the typed text back.
  SetRow(0, {1}, "01");
  ASSERT_TRUE(files.SaveMpsFile(dir / "p.mpd"));
  ASSERT_TRUE(files.SaveRamFile(dir / "p.rad"));
  Focus(Control::RamGrid);
  session.ramEditor.GrRamSetEditText(3, 2, "1");
  ASSERT_TRUE(session.ramGrid.editor.open);
  ASSERT_TRUE(files.LoadRamFile(dir / "p.rad"));
  EXPECT_FALSE(session.ramGrid.editor.open);
  Focus(Control::MpsGrid);
  session.mpsEditor.GrMpsSetEditText(MpsStore::kDescriptionColumn, 3, "neu");
  ASSERT_TRUE(session.mpsGrid.editor.open);
  ASSERT_TRUE(files.LoadMpsFile(dir / "p.mpd"));
  EXPECT_FALSE(session.mpsGrid.editor.open);
}

TEST_F(FileCommandsTest, RamMenuCommands) {
  session.memory.WriteRam(1, 0x11);
  fe.ExpectQuestion("Ram speichern ?", true);
  fe.ExpectSaveFile(dir / "s.erm");
  files.MeLoadRamClick();  // saves, loads nothing
  EXPECT_EQ(ReadBytes(dir / "s.erm").size(), 256u);

  session.ramView.RaRamClick(RamView::kAssemblerItem);
  fe.ExpectOpenFile(std::nullopt);
  files.MeLoadRamClick();
  EXPECT_EQ(fe.dialogs.back().filterIndex, 1);
  EXPECT_EQ(fe.dialogs.back().defaultExt, "RAS");
  EXPECT_EQ(fe.dialogs.back().filter.substr(0, 50),
            "Assem(.ras) Daten(.rad); Vellar(.ram); Ombra(.erm)");

  session.variables.Append("01", "y");
  session.memory.WriteRam(2, 0x22);
  files.MeClrRamClick();
  EXPECT_EQ(m.Ram[1], 0);
  EXPECT_FALSE(session.variables.HasVariables());
  EXPECT_FALSE(session.memory.RamChanged());
  EXPECT_EQ(files.RamFileName(), "s.erm");
}

}  // namespace
}  // namespace vellar::testing

namespace vellar::testing {
namespace {

TEST_F(FileCommandsTest, DialogsOpenWithTheirFiltersAndErrorsNameTheirCause) {
  const std::string mpsFilter =
      "MPS -Daten(.mpd) -Vellar(.mps)|*.mpd;*.mps|MPS als Daten zum Druck (*.mpd)|*.mpd|"
      "MPS im Vellar-Format (*.mps)|*.mps";
  const std::string ramFilter =
      "Assem(.ras) Daten(.rad); Vellar(.ram); Ombra(.erm)|*.ras;*.rad;*.ram;*.erm|"
      "RAM als AssemblerTxt (*.ras)|*.ras|RAM als DatenByteTxt (*.rad)|*.rad|"
      "RAM im Vellar-Format-32 (*-ram)|*.ram|RAM im Ombra-Format-256 (*-erm)|*.erm";
  fe.ExpectOpenFile(std::nullopt, FileDialogOptions{mpsFilter, 1, "MPD", {}, "unbenannt.mpd"});
  files.MeLoadMpsClick();
  fe.ExpectSaveFile(std::nullopt, FileDialogOptions{ramFilter, 3, "RAD", {}, "unbenannt.rad"});
  files.MeSaveRamClick();
  EXPECT_EQ(fe.dialogs.size(), 2u);
  fe.ResetCollected();
  EXPECT_TRUE(fe.dialogs.empty());
  fe.ExpectError("nicht gefunden");
  EXPECT_FALSE(files.LoadMpsFile(dir / "fehlt.mpd"));
  EXPECT_EQ(fe.messages.size(), 1u);
}

// A file the frontend names itself (the page's examples) goes through the load command's
// question; it is loaded after a save that worked, and never serves a later command.
TEST_F(FileCommandsTest, AFileNamedBeforehandIsLoadedOnceTheChangesAreSafe) {
  SetRow(0, {1}, "01");
  ASSERT_TRUE(files.SaveMpsFile(dir / "fw.mpd"));
  session.memory.WriteRam(0, 0x7F);
  session.memory.SetRamChanged(true);
  WriteBytes(dir / "beispiel.rad", "RAD\r\n00  11 22\r\n");
  // "Ja", the save dialog cancelled: nothing is loaded, and nothing waits for the next load.
  fe.ExpectQuestion("Ram speichern ?", true);
  fe.ExpectSaveFile(std::nullopt);
  files.OpenRamFile(dir / "beispiel.rad");
  EXPECT_EQ(m.Ram[0], 0x7F);
  fe.ExpectQuestion("Ram speichern ?", false);
  fe.ExpectOpenFile(std::nullopt);
  files.MeLoadRamClick();
  EXPECT_EQ(m.Ram[0], 0x7F);
  // The carrying of the written file fails: the work stays unsaved, the name stays.
  fe.finishSaveError = "„mein.rad“ wurde nicht gespeichert.";
  fe.ExpectQuestion("Ram speichern ?", true);
  fe.ExpectSaveFile(dir / "mein.rad");
  fe.ExpectError("nicht gespeichert");
  files.OpenRamFile(dir / "beispiel.rad");
  EXPECT_EQ(m.Ram[0], 0x7F);
  EXPECT_TRUE(session.memory.RamChanged());
  EXPECT_EQ(files.RamFileName(), "");
  // The save works: then the file asked for is loaded.
  fe.finishSaveError.clear();
  fe.ExpectQuestion("Ram speichern ?", true);
  fe.ExpectSaveFile(dir / "mein2.rad");
  files.OpenRamFile(dir / "beispiel.rad");
  EXPECT_NE(ReadBytes(dir / "mein2.rad").find("7F"), std::string::npos);
  EXPECT_EQ(m.Ram[0], 0x11);
  EXPECT_EQ(fe.caption, "Mikroprozessor Simulation - fw.mpd - beispiel.rad");
  // The save dialogs suggest each store's own file, the open dialog too.
  EXPECT_EQ(files.MpsDialog().fileName, "fw.mpd");
  EXPECT_EQ(files.RamSaveDialog().fileName, "beispiel.rad");
  EXPECT_EQ(files.RamOpenDialog().fileName, "beispiel.rad");
}

}  // namespace
}  // namespace vellar::testing
