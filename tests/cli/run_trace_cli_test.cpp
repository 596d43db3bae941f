#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_fixture.h"

// vellar-cli run --trace and --mem: one line per ALU clock, and a run that ends exactly as the
// run without the trace.
namespace vellar::testing {
namespace {

TEST_F(CliTest, TraceShowsEveryClockOfTheRun) {
  const CliResult r = Cli({"run", "--mps", firmware, "--ram", kExamples + "betrag.ras", "--mem",
                           "F0=85", "--trace", "--expect", "[F1]=7B"});
  ASSERT_EQ(r.exit, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  // MOV, JNS (not taken: 85 is negative), MOV, SUB, MOV and HLT: six fetches of 7 clocks,
  // routines of 3 + 2 + 1 + 3 + 3 + 1.
  ASSERT_EQ(lines.size(), 6u * 7u + 13u + 1u);
  // Fetch of MOV AX,[F0]: AR := IP, then the opcode 11 read into DR; the ALU idles.
  EXPECT_EQ(lines[0], "T=1 ADR=00 TORE=58 AX=00 BX=00 IP=00 OP=00 AR=00 DR=00 AL=00 SF=0");
  EXPECT_EQ(lines[1], "T=2 ADR=01 TORE=C AX=00 BX=00 IP=00 OP=00 AR=00 DR=11 AL=00 SF=0");
  EXPECT_EQ(lines[2], "T=3 ADR=02 TORE=69 AX=00 BX=00 IP=00 OP=11 AR=00 DR=11 AL=11 SF=0");
  EXPECT_EQ(lines[6], "T=7 ADR=06 TORE=F AX=00 BX=00 IP=02 OP=11 AR=01 DR=F0 AL=00 SF=0");
  // The routine of 11: AR := DR, read, AX := 0 + DR; the sign flag follows AX.
  EXPECT_EQ(lines[7], "T=8 ADR=11 TORE=89 AX=00 BX=00 IP=02 OP=11 AR=F0 DR=F0 AL=F0 SF=0");
  EXPECT_EQ(lines[9], "T=10 ADR=10 TORE=09 AX=85 BX=00 IP=02 OP=11 AR=F0 DR=85 AL=85 SF=1");
  // JNS with the sign flag set goes on at 7A: no jump.
  EXPECT_EQ(lines[17].substr(0, 26), "T=18 ADR=72 TORE=E AX=85 B");
  EXPECT_EQ(lines[18].substr(0, 26), "T=19 ADR=7A TORE=- AX=85 B");
  // The store writes the old DR at AR in its own clock.
  const std::string& write = lines[lines.size() - 10];
  EXPECT_EQ(write, "T=47 ADR=3C TORE=B AX=7B BX=00 IP=0A OP=30 AR=F1 DR=7B AL=00 SF=0 W[F1]=7B");
  EXPECT_EQ(lines[lines.size() - 2],
            "T=55 ADR=FE TORE=- AX=7B BX=00 IP=0C OP=FE AR=0B DR=00 AL=00 SF=0");
  EXPECT_EQ(lines.back(),
            "AX=7B BX=00 IP=0C OP=FE AR=0B DR=00 AL=00 SF=0 ROW=255 CLOCKS=55 STOP=halt");
}

TEST_F(CliTest, ATracedRunEndsAsTheRunWithoutTrace) {
  const std::string bubble = kExamples + "bubble.ras";
  for (const std::vector<std::string>& options : {std::vector<std::string>{"--mode", "clock"},
                                                  {"--mode", "instruction", "--set", "IP=04"},
                                                  {"--mode", "halt"},
                                                  {"--max-clocks", "500", "--mem", "f0=7f"},
                                                  {"--mode", "halt", "--expect", "AX=01"}}) {
    std::vector<std::string> args = {"run", "--mps", firmware, "--ram", bubble};
    args.insert(args.end(), options.begin(), options.end());
    SCOPED_TRACE(options[1]);
    const CliResult plain = Cli(args);
    args.push_back("--trace");
    const CliResult traced = Cli(args);
    EXPECT_EQ(traced.exit, plain.exit);
    EXPECT_EQ(traced.err, plain.err);
    const std::vector<std::string> lines = Lines(traced.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), Lines(plain.out).back());
    const std::string clocks = lines.back().substr(lines.back().find("CLOCKS=") + 7);
    EXPECT_EQ(std::to_string(lines.size() - 1), clocks.substr(0, clocks.find(' ')));
  }
}

TEST_F(CliTest, AMillionTracedClocksReachTheFile) {
  const std::string out = dir / "spur.txt";
  const CliResult r = Cli({"run", "--mps", mpd, "--ram", kFixtures + "schleife.ras", "--trace",
                           "--max-clocks", "1000000"},
                          out);
  EXPECT_EQ(r.exit, 3);
  const std::string text = ReadBytes(out);
  ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 1000001);
  const size_t status = text.rfind('\n', text.size() - 2) + 1;
  const size_t last = text.rfind('\n', status - 2) + 1;
  EXPECT_EQ(text.compare(last, 14, "T=1000000 ADR="), 0) << text.substr(last);
  EXPECT_NE(text.find("CLOCKS=1000000 STOP=limit", status), std::string::npos);
}

TEST_F(CliTest, MemSetsBytesAfterLoadingAndBeforeTheRun) {
  CliResult r = Cli({"run", "--mps", firmware, "--ram", kExamples + "mult.ras", "--mem", "FD=03",
                     "--mem", "fe=5", "--dump", "--save-ram", dir / "nachher.erm", "--expect",
                     "[FF]=0F [FD]=03 [FE]=05"});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir / "nachher.erm").substr(0xFD), "\x03\x05\x0F");
  for (const char* bad : {"F0", "F0=", "=01", "100=01", "F0=100", "G0=01", "F0=0x"}) {
    r = Cli({"run", "--mps", firmware, "--mem", bad});
    EXPECT_EQ(r.exit, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
    EXPECT_NE(r.err.find("--mem erwartet AA=HH"), std::string::npos) << bad;
  }
}

}  // namespace
}  // namespace vellar::testing
