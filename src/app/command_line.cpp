#include "app/command_line.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vellar {

namespace {
// Beyond this the slider stops at its slowest position anyway; the cap keeps long digit runs
// from overflowing.
constexpr int kSpeedCap = 1000;
// "/" and then letters and digits only. On this system an absolute file name also begins with
// a slash; one in a folder has a further slash, and one with an extension a dot, which no
// option group has. A name like "/prog" reads as options; without an extension it would not
// be loaded anyway.
bool IsOptionGroup(const std::string& arg) {
  if (arg.empty() || arg[0] != '/') return false;
  return std::all_of(arg.begin() + 1, arg.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  for (const std::string& arg : args) {
    if (!IsOptionGroup(arg)) {
      if (!arg.empty()) cl.steps.push_back({0, arg});
      continue;
    }
    for (size_t i = 1; i < arg.size(); ++i) {
      const char c = arg[i];
      if (c >= '0' && c <= '9') {
        cl.speed = std::min(cl.speed.value_or(0) * 10 + (c - '0'), kSpeedCap);
        continue;
      }
      const char option = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (option == 'S') {
        cl.start = true;
      } else if (std::string_view("BKPT").find(option) != std::string_view::npos) {
        cl.steps.push_back({option, {}});
      }
      // H and every other character are ignored.
    }
  }
  return cl;
}

int SliderPositionForSpeed(std::optional<int> speed) {
  return std::clamp(speed.value_or(11) - 3, -3, 13);
}

}  // namespace vellar
