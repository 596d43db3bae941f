#include <sys/stat.h>
#include <unistd.h>

#include "app/command_line.h"
#include "core/file_io.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

namespace vellar::testing {
namespace {

const std::string kFixtures = FixturePath("");

class CommandLineFilesTest : public SessionTest {
 protected:
  // Runs the test's body in another working directory.
  void ChangeDir(const std::string& dir) {
    ASSERT_NE(getcwd(savedCwd_, sizeof savedCwd_), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  ~CommandLineFilesTest() override {
    if (savedCwd_[0] != '\0') {
      EXPECT_EQ(chdir(savedCwd_), 0);
    }
  }

  TempDir dir;

 private:
  char savedCwd_[4096] = "";
};

TEST(CommandLineFileNamesTest, AbsoluteNamesAreNoOptionGroups) {
  const CommandLine cl = ParseCommandLine({"/tmp/s.mpd", "/BK", "/prog.ras", "/12", "/a/S"});
  std::string steps;
  for (const CommandLineStep& step : cl.steps) {
    steps += step.toggle != 0 ? std::string(1, step.toggle) : "[" + step.file + "]";
  }
  EXPECT_EQ(steps, "[/tmp/s.mpd]BK[/prog.ras][/a/S]");
  EXPECT_EQ(cl.speed, 12);
  EXPECT_FALSE(cl.start);
}

TEST_F(CommandLineFilesTest, MissingFilesAndOtherExtensionsAreSkippedSilently) {
  WriteBytes(dir / "notiz.txt", "00  0A 3F\r\n");
  ASSERT_EQ(mkdir((dir / "ordner.ras").c_str(), 0755), 0);
  ChangeDir(dir.path());
  session.FormCreate({"fehlt.mpd", "notiz.txt", "ordner.ras", "/a/b/fehlt.ras"});
  EXPECT_EQ(m.Ram[0], 0);
  EXPECT_EQ(session.files.RamFileName(), "");
  EXPECT_EQ(session.files.MpsFileName(), "");
  EXPECT_EQ(session.files.RamOpenDialog().initialDir, dir.path());
  EXPECT_EQ(session.files.MpsDialog().initialDir, dir.path());
}

TEST_F(CommandLineFilesTest, StartOptionRunsTheLoadedProgramUntilHalt) {
  session.FormCreate({"/S", kFixtures + "lehr.mpd", kFixtures + "zaehler.ras", "/0"});
  Slices();
  EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
  EXPECT_EQ(m.Regs[AX], 0x06);
  EXPECT_EQ(m.Ram[0x20], 0x06);
  EXPECT_EQ(session.variables.Column(1).value, "06");
  EXPECT_EQ(fe.caption, "Mikroprozessor Simulation - lehr.mpd - zaehler.ras");
  EXPECT_EQ(session.files.MpsDialog().initialDir, kFixtures);
  EXPECT_EQ(session.files.RamSaveDialog().initialDir, kFixtures);
}

TEST_F(CommandLineFilesTest, RelativeNamesFollowTheFirstAbsoluteFolder) {
  WriteBytes(dir / "eins.erm", "\x11");
  WriteBytes(dir / "zwei.erm", "\x22");
  ChangeDir(kFixtures);
  // zwei.erm exists only beside eins.erm; lehr.mpd only in the working directory, which is
  // no longer the base once an absolute name was given.
  session.FormCreate({"lehr.mpd", dir / "eins.erm", "zwei.erm", "lehr.mpd"});
  EXPECT_EQ(m.Ram[0], 0x22);
  EXPECT_EQ(session.files.RamFileName(), "zwei.erm");
  EXPECT_EQ(session.files.MpsFileName(), "lehr.mpd");
  EXPECT_EQ(session.files.RamOpenDialog().initialDir, dir.path());
  EXPECT_EQ(session.files.MpsDialog().initialDir, kFixtures);
}

}  // namespace
}  // namespace vellar::testing
