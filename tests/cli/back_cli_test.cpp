#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_fixture.h"

// vellar-cli run --back M: the state of a run of M clocks fewer, memory included.
namespace vellar::testing {
namespace {

TEST_F(CliTest, BackMIsARunOfMClocksFewer) {
  const std::string bubble = ExamplePath("bubble.ras");
  const CliResult whole = Cli({"run", "--mps", firmware, "--ram", bubble});
  ASSERT_EQ(whole.exit, 0) << whole.err;
  const size_t at = whole.out.find("CLOCKS=");
  const uint64_t clocks = std::stoull(whole.out.substr(at + 7));
  ASSERT_GT(clocks, 1000u);
  for (const uint64_t back : {uint64_t{1}, uint64_t{2}, uint64_t{7}, clocks / 2, clocks - 1}) {
    SCOPED_TRACE(back);
    const CliResult stepped =
        Cli({"run", "--mps", firmware, "--ram", bubble, "--back", std::to_string(back), "--dump"});
    const CliResult shorter = Cli({"run", "--mps", firmware, "--ram", bubble, "--max-clocks",
                                   std::to_string(clocks - back), "--dump"});
    EXPECT_EQ(stepped.out, shorter.out);
    EXPECT_EQ(stepped.exit, shorter.exit);
    EXPECT_EQ(stepped.exit, 3);
  }
  // Back beyond the start: the state before the run; 0 takes nothing back.
  const CliResult all = Cli({"run", "--mps", firmware, "--ram", bubble, "--back", "999999999"});
  EXPECT_NE(all.out.find("AX=00 BX=00 IP=00 OP=00 AR=00 DR=00 AL=00 SF=0 ROW=1 CLOCKS=0"),
            std::string::npos)
      << all.out;
  EXPECT_EQ(Cli({"run", "--mps", firmware, "--ram", bubble, "--back", "0"}).out, whole.out);
}

TEST_F(CliTest, BackTakesANumberAndNoTrace) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"run", "--mps", mpd, "--back", "x"},
        std::vector<std::string>{"run", "--mps", mpd, "--back", "-1"},
        std::vector<std::string>{"run", "--mps", mpd, "--back"},
        std::vector<std::string>{"run", "--mps", mpd, "--back", "3", "--trace"}}) {
    const CliResult r = Cli(args);
    EXPECT_EQ(r.exit, 2) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--back"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace vellar::testing
