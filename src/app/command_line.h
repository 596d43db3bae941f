#pragma once

#include <optional>
#include <string>
#include <vector>

// The program's arguments: MPS and RAM files, and options after a slash, each character of an
// option group looked at on its own, case-insensitively.
namespace vellar {

// One thing an argument asks for, in the order the arguments give: a menu toggle (B, K, P
// or T) or a file to load. The order matters: /T after an MPS file redraws its gate marks
// and so marks the loaded store as modified, /T before it does not.
struct CommandLineStep {
  char toggle = 0;   // 'B', 'K', 'P', 'T'; 0 for a file
  std::string file;  // the file name as given
};

struct CommandLine {
  std::vector<CommandLineStep> steps;
  // The speed number; the digits of all groups join into one number.
  std::optional<int> speed;
  bool start = false;  // S: run until halt at once
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The slider position a speed number gives: number - 3, limited to -3..13; 11 (500 ms)
// without one.
int SliderPositionForSpeed(std::optional<int> speed);

}  // namespace vellar
