#pragma once

#include <optional>
#include <string>
#include <vector>

// The program's arguments: MPS and RAM files, and options after a slash, each character of an
// option group looked at on its own, case-insensitively.
namespace vellar {

struct CommandLine {
  // Toggles, in the order given; B, K, P and T toggle the menu items of the same letter.
  std::vector<char> toggles;
  // The speed number; the digits of all groups join into one number.
  std::optional<int> speed;
  bool start = false;  // S: run until halt at once
  std::vector<std::string> files;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The slider position a speed number gives: number - 3, limited to -3..13; 11 (500 ms)
// without one.
int SliderPositionForSpeed(std::optional<int> speed);

}  // namespace vellar
