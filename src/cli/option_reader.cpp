// The arguments of vellar-cli read by the option table, and the usage lines made from it.
#include "cli/option_table.h"
#include "core/text.h"

namespace vellar::cli {

namespace {

const OptionSpec* FindOption(const CommandSpec& command, std::string_view arg) {
  for (const OptionSpec& o : command.options) {
    if (arg == o.name) return &o;
    if (o.TakesValue() && arg.size() > o.name.size() && arg.starts_with(o.name) &&
        arg[o.name.size()] == '=') {
      return &o;
    }
  }
  return nullptr;
}

// "clock, instruction oder halt".
std::string Alternatives(std::string_view choices) {
  const std::vector<std::string_view> items = SplitBars(choices);
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " oder " : ", ";
    text += items[i];
  }
  return text;
}

bool IsChoice(std::string_view choices, std::string_view value) {
  for (const std::string_view choice : SplitBars(choices)) {
    if (choice == value) return true;
  }
  return false;
}

}  // namespace

std::optional<int> ReadArgs(std::string_view name, const Args& args,
                            std::vector<std::string>& positionals, const TakeOption& take) {
  const CommandSpec& command = *FindCommand(name);
  const std::string where = "“ für " + std::string(name) + ".";
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool looksLikeOption = arg.size() > 2 && arg.starts_with("--");
    const OptionSpec* option = looksLikeOption ? FindOption(command, arg) : nullptr;
    if (!option) {
      // A command without positional arguments has no use for any other word either.
      if (command.positionals.empty()) return UsageError("Unbekanntes Argument „" + arg + where);
      if (looksLikeOption) return UsageError("Unbekannte Option „" + arg + where);
      positionals.push_back(arg);
      continue;
    }
    std::string value;
    if (option->TakesValue()) {
      if (arg.size() > option->name.size()) {
        value = arg.substr(option->name.size() + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return UsageError("Zur Option „" + arg + "“ fehlt der Wert.");
      }
      if (!option->choices.empty() && !IsChoice(option->choices, value)) {
        return UsageError(std::string(option->name) + " erwartet " + Alternatives(option->choices) +
                          ", nicht „" + value + "“.");
      }
    }
    if (const auto exit = take(option->name, value)) return exit;
  }
  return std::nullopt;
}

std::optional<int> UnhandledOption(std::string_view option) {
  Complain("Interner Fehler: Die Option „" + std::string(option) + "“ wird nicht verarbeitet.");
  return kExitUsage;
}

std::string OptionSpec::Synopsis() const {
  std::string text(name);
  if (!placeholder.empty()) {
    text += ' ';
    text += placeholder;
  } else if (!choices.empty()) {
    text += ' ';
    text += choices;
  }
  return text;
}

std::string UsagePart::Plain() const {
  if (!option) return std::string(positionals);
  if (option->required) return option->Synopsis();
  return "[" + option->Synopsis() + "]" + (option->repeats ? "..." : "");
}

std::vector<std::vector<UsagePart>> UsageLines(const CommandSpec& command, size_t prefixWidth,
                                               size_t width) {
  std::vector<UsagePart> parts;
  const UsagePart positionals{nullptr, command.positionals};
  if (command.positionalsFirst && !command.positionals.empty()) parts.push_back(positionals);
  for (const OptionSpec& o : command.options) parts.push_back({&o, {}});
  if (!command.positionalsFirst && !command.positionals.empty()) parts.push_back(positionals);

  std::vector<std::vector<UsagePart>> lines(1);
  size_t used = prefixWidth + CharCount(command.name);
  for (const UsagePart& part : parts) {
    const size_t more = 1 + CharCount(part.Plain());
    if (!lines.back().empty() && used + more > width) {
      lines.emplace_back();
      used = prefixWidth + CharCount(command.name);
    }
    lines.back().push_back(part);
    used += more;
  }
  return lines;
}

std::vector<std::string_view> SplitBars(std::string_view list) {
  std::vector<std::string_view> items;
  while (!list.empty()) {
    const size_t bar = list.find('|');
    items.push_back(list.substr(0, bar));
    if (bar == std::string_view::npos) break;
    list.remove_prefix(bar + 1);
  }
  return items;
}

}  // namespace vellar::cli
