#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_common.h"

// The subcommands of vellar-cli and their options, written once: the parser reads the
// arguments by it, and --help, the bash completion and the manual page are made from it. A new
// option is an entry here plus its handling in its command's file.
namespace vellar::cli {

struct OptionSpec {
  std::string_view name{};         // "--mps"
  std::string_view placeholder{};  // what its value is called ("DATEI", "N", "REG=HH")
  std::string_view choices{};      // the only values it takes, '|' between them ("data|asm")
  std::string_view hints{};        // words the completion offers for its value ("AX=|BX=")
  std::string_view files{};        // extensions the completion offers ("mpd|mps"); "*": any file
  bool repeats = false;            // may stand more than once
  bool required = false;           // the command refuses to work without it
  std::string_view help{};         // one German line

  // A flag takes no value; everything else takes one, "--name VALUE" or "--name=VALUE".
  bool TakesValue() const { return !placeholder.empty() || !choices.empty(); }
  // "--mps DATEI", "--mode clock|instruction|halt", "--dump".
  std::string Synopsis() const;
};

struct CommandSpec {
  std::string_view name{};
  int (*main)(const Args& args) = nullptr;
  std::string_view positionals{};  // "EINGABE AUSGABE"; empty when the command takes none
  bool positionalsFirst = false;   // where the usage line names them
  std::string_view files{};        // extensions the completion offers for them, as above
  std::span<const OptionSpec> options{};
  std::string_view help{};  // German lines explaining what the command does
};

std::span<const CommandSpec> Commands();
// The command of that name, or nullptr.
const CommandSpec* FindCommand(std::string_view name);

// Takes one option of the command as read, with its value ("" for a flag); an exit code when
// it refuses the value, after saying why.
using TakeOption =
    std::function<std::optional<int>(std::string_view option, const std::string& value)>;
// Reads the arguments of the command of that name by its table: every option in the order
// given, its value checked against its choices, goes to take; the other arguments go to
// positionals. Unknown options and missing values are reported here. The exit code when the
// arguments are not all valid.
std::optional<int> ReadArgs(std::string_view command, const Args& args,
                            std::vector<std::string>& positionals, const TakeOption& take);

// The end of a TakeOption that met an option of the table it has no handling for: a fault of
// the program, reported so that the test of every option's parsing finds it.
std::optional<int> UnhandledOption(std::string_view option);

// The text of vellar-cli --help.
void PrintHelp(std::ostream& out);

// One group of a usage line: an option ("[--set REG=HH]...") or the positional arguments.
struct UsagePart {
  const OptionSpec* option = nullptr;
  std::string_view positionals{};
  std::string Plain() const;
};
// The usage of a command after "vellar-cli NAME", broken into lines of at most width
// characters, not bytes (the first line counted with its prefix of prefixWidth characters).
std::vector<std::vector<UsagePart>> UsageLines(const CommandSpec& command, size_t prefixWidth,
                                               size_t width);

// The items of a '|'-separated list ("clock|instruction|halt").
std::vector<std::string_view> SplitBars(std::string_view list);

}  // namespace vellar::cli
