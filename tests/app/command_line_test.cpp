#include "app/command_line.h"

#include "support/session_fixture.h"
#include "support/test_paths.h"

namespace vellar::testing {
namespace {

TEST(CommandLineTest, SpeedDigitsJoinAcrossGroupsAndTheSliderLimitsThem) {
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({}).speed), 8);
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({"/12"}).speed), 9);
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({"/1", "/2"}).speed), 9);
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({"/0"}).speed), -3);
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({"/16"}).speed), 13);
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({"/99"}).speed), 13);
  EXPECT_EQ(SliderPositionForSpeed(ParseCommandLine({"/99999999999999999999"}).speed), 13);
}

TEST(CommandLineTest, FilesAndTogglesKeepTheirOrderAndOtherLettersAreIgnored) {
  const CommandLine cl = ParseCommandLine({"fw.mpd", "/hxT", "", "prog.ras", "/s", "/kB"});
  ASSERT_EQ(cl.steps.size(), 5u);
  EXPECT_EQ(cl.steps[0].file, "fw.mpd");
  EXPECT_EQ(cl.steps[1].toggle, 'T');
  EXPECT_EQ(cl.steps[2].file, "prog.ras");
  EXPECT_EQ(cl.steps[3].toggle, 'K');
  EXPECT_EQ(cl.steps[4].toggle, 'B');
  EXPECT_EQ(cl.steps[2].toggle, 0);
  EXPECT_TRUE(cl.start);
}

class StartUpTest : public SessionTest {};

TEST_F(StartUpTest, OptionGroupsToggleTheMenuItems) {
  session.FormCreate({"/BKPT"});
  EXPECT_FALSE(session.menu.MeBus_8 || session.menu.MeKonfl || session.menu.MePfeil ||
               session.menu.MeTorKz);
  EXPECT_EQ(session.picture.BusLines(), 1);
  EXPECT_FALSE(session.mps.UseGateNumbers());
  session.FormCreate({"/BB", "/k"});
  EXPECT_TRUE(session.menu.MeBus_8);
  EXPECT_EQ(session.picture.BusLines(), 8);
  EXPECT_FALSE(session.menu.MeKonfl);
  EXPECT_FALSE(session.gates.GreyConflicts());
}

TEST_F(StartUpTest, IgnoredOptionsAndJoinedSpeedDigits) {
  session.FormCreate({"/H", "/x"});
  EXPECT_TRUE(session.menu.MeBus_8 && session.menu.MeKonfl && session.menu.MePfeil &&
              session.menu.MeTorKz);
  EXPECT_EQ(run.SliderPosition(), 8);
  EXPECT_EQ(run.LabelText(), "Takt&zeit:  0,5 s");
  EXPECT_FALSE(run.GatesAutomatic());
  session.FormCreate({"/1", "/2"});
  EXPECT_EQ(run.SliderPosition(), 9);
  session.FormCreate({"/99"});
  EXPECT_EQ(run.SliderPosition(), 13);
  EXPECT_EQ(run.LabelText(), "Takt&zeit:  10 s");
}

TEST_F(StartUpTest, OptionsAndFilesActInTheOrderGiven) {
  const std::string mpd = FixturePath("lehr.mpd");
  // Crosses drawn after loading redraw the loaded gates and so mark the store as modified.
  session.FormCreate({mpd, "/T"});
  EXPECT_EQ(session.mps.CellText(7, 1), "X");
  EXPECT_TRUE(session.mps.MpsModified());
  session.FormCreate({"/T", mpd});
  EXPECT_EQ(session.mps.CellText(7, 1), "X");
  EXPECT_FALSE(session.mps.MpsModified());
}

TEST_F(StartUpTest, StartOptionRunsUntilHaltAtTheUnpacedLevels) {
  session.FormCreate({"/0"});
  EXPECT_EQ(run.LabelText(), "&Zeit:  zu schnell");
  EXPECT_FALSE(run.GatesAutomatic());
  SetRow(0, {1, 7, 0}, "01");
  SetRow(1, {}, "01");
  session.ReadCommandLine({"/S", "/0"});
  Slices();
  EXPECT_TRUE(run.GatesAutomatic());
  EXPECT_EQ(run.Mode(), ClockMode::UntilHalt);
  EXPECT_EQ(m.Regs[AX], 1);
  EXPECT_EQ(run.LastStopReason(), StopReason::Halt);
  EXPECT_FALSE(fe.timerEnabled);
}

TEST(BusPhaseAfterStartTest, UnpacedStartLeavesTheBusClockAtTenMilliseconds) {
  // The slider has not been on a paced position since the start: 10 ms. A start at a paced
  // position gives that position's clock time, with a file loaded before it or not.
  const std::string mpd = FixturePath("lehr.mpd");
  struct Case {
    std::vector<std::string> args;
    int interval;
  };
  for (const Case& c : {Case{{"/0"}, 10}, Case{{"/3"}, 10}, Case{{mpd, "/2"}, 10}, Case{{}, 500},
                        Case{{"/9"}, 200}, Case{{mpd, "/4"}, 10}}) {
    FakeFrontend fe;
    Session session(fe);
    session.FormCreate(c.args);
    session.run.BuPhaseClick();
    EXPECT_TRUE(fe.timerEnabled);
    EXPECT_EQ(fe.timerInterval, c.interval) << c.args.size();
    EXPECT_EQ(session.run.TimerInterval(), c.interval);
  }
}

}  // namespace
}  // namespace vellar::testing
