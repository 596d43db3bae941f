// vellar-cli --help, made from the option table.
#include <algorithm>

#include "cli/option_table.h"
#include "core/text.h"

namespace vellar::cli {

namespace {

// Wide enough for the longest usage line before the table took over.
constexpr size_t kHelpWidth = 94;
constexpr std::string_view kPrefix = "  vellar-cli ";

void PrintUsage(std::ostream& out, const CommandSpec& command) {
  const std::string lead = std::string(kPrefix) + std::string(command.name);
  bool first = true;
  for (const std::vector<UsagePart>& line : UsageLines(command, kPrefix.size(), kHelpWidth)) {
    out << (first ? lead : std::string(CharCount(lead), ' '));
    for (const UsagePart& part : line) out << ' ' << part.Plain();
    out << '\n';
    first = false;
  }
}

void PrintOptions(std::ostream& out, const CommandSpec& command) {
  if (command.options.empty()) return;
  size_t column = 0;
  for (const OptionSpec& o : command.options) {
    column = std::max(column, CharCount(o.Synopsis()) + 2);
  }
  out << "  Optionen:\n";
  for (const OptionSpec& o : command.options) {
    const std::string synopsis = o.Synopsis();
    out << "    " << synopsis << std::string(column - CharCount(synopsis), ' ') << o.help << '\n';
  }
}

}  // namespace

void PrintHelp(std::ostream& out) {
  out << "vellar-cli – VellarD ohne Fenster\n\nAufruf:\n";
  for (const CommandSpec& c : Commands()) PrintUsage(out, c);
  out << kPrefix << "--help\n";
  out << kPrefix << "--version\n";
  for (const CommandSpec& c : Commands()) {
    out << '\n' << c.name << ":\n";
    for (const std::string& line : SplitLines(c.help)) out << "  " << line << '\n';
    PrintOptions(out, c);
  }
}

}  // namespace vellar::cli
