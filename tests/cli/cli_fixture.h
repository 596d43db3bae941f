#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

// The built vellar-cli run as a teacher's script runs it: arguments in, exit code, stdout and
// stderr out, in a fresh folder per test.
namespace vellar::testing {

inline const std::string kFixtures = std::string(VELLAR_FIXTURES) + "/";
inline const std::string kExamples = std::string(VELLAR_EXAMPLES) + "/";

struct CliResult {
  int exit = -1;
  std::string out;
  std::string err;
};

// The lines of a text, without their CR.
std::vector<std::string> Lines(const std::string& text);

class CliTest : public ::testing::Test {
 protected:
  // Runs vellar-cli with the arguments; stdout and stderr are caught in files (stdout in
  // stdoutPath when one is given, and then not read back).
  CliResult Cli(const std::vector<std::string>& args, const std::string& stdoutPath = "");

  TempDir dir;
  const std::string mpd = kFixtures + "lehr.mpd";
  const std::string counter = kFixtures + "zaehler.ras";
  const std::string firmware = kExamples + "firmware.mpd";
};

}  // namespace vellar::testing
