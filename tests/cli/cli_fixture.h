#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/test_paths.h"

// The built vellar-cli run as a teacher's script runs it: arguments in, exit code, stdout and
// stderr out, in a fresh folder per test. Every test that runs the tool derives from CliTest.
namespace vellar::testing {

struct CliResult {
  int exit = -1;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  // Runs vellar-cli with the arguments; stdout and stderr are caught in files (stdout in
  // stdoutPath when one is given, and then not read back).
  CliResult Cli(const std::vector<std::string>& args, const std::string& stdoutPath = "");
  // The same for any program, found on the PATH; argv[0] is its name.
  CliResult Spawn(std::vector<std::string> argv, const std::string& stdoutPath = "");

  TempDir dir;
  const std::string mpd = FixturePath("lehr.mpd");
  const std::string counter = FixturePath("zaehler.ras");
  const std::string firmware = ExamplePath("firmware.mpd");
};

}  // namespace vellar::testing
