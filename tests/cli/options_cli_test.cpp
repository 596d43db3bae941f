#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_fixture.h"
#include "core/text.h"

// The options of vellar-cli stand in four places a user meets: the usage lines of --help, the
// option lists under each command of --help, the bash completion and the manual page. Each is
// read here as a user (or bash) reads it and compared with the others, and the parser is asked
// to take every option the help names.
namespace vellar::testing {
namespace {

// Per command, its options and what each takes ("" for a flag, "DATEI", "data|asm").
using Options = std::map<std::string, std::string>;
using OptionsByCommand = std::map<std::string, Options>;

// The non-empty pieces of text between the separators.
std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find(separator, start), text.size());
    if (end > start) pieces.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

// The options of a command; none when the place does not know the command at all.
Options Of(const OptionsByCommand& places, const std::string& command) {
  const auto it = places.find(command);
  return it == places.end() ? Options{{"(fehlt)", ""}} : it->second;
}

std::set<std::string> Names(const Options& options) {
  std::set<std::string> names;
  for (const auto& [name, value] : options) names.insert(name);
  return names;
}

// Usage lines "vellar-cli NAME ..." with their continuation lines, which begin with blanks.
OptionsByCommand ReadUsage(const std::vector<std::string>& lines) {
  static const std::regex option(R"((--[a-z-]+)( [^\]\[ ]+)?)");
  OptionsByCommand usage;
  std::string command;
  for (const std::string& line : lines) {
    const std::string text(TrimBlanks(line));
    if (text.starts_with("vellar-cli ")) {
      command = text.substr(11, text.find(' ', 11) - 11);
      if (command.starts_with("--")) {
        command.clear();
        continue;
      }
      usage[command];
    } else if (command.empty() || text.empty() || line[0] != ' ') {
      command.clear();
      continue;
    }
    const std::string rest =
        text.starts_with("vellar-cli ") ? text.substr(11 + command.size()) : text;
    for (std::sregex_iterator it(rest.begin(), rest.end(), option), end; it != end; ++it) {
      usage[command][(*it)[1]] = (*it)[2].matched ? (*it)[2].str().substr(1) : "";
    }
  }
  return usage;
}

struct Help {
  OptionsByCommand usage;
  OptionsByCommand lists;  // the lines under "Optionen:" of each command
};

Help ReadHelp(const std::string& text) {
  Help help;
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<std::string> usageLines;
  size_t i = 0;
  while (i < lines.size() && lines[i] != "Aufruf:") ++i;
  for (++i; i < lines.size() && !lines[i].empty(); ++i) usageLines.push_back(lines[i]);
  help.usage = ReadUsage(usageLines);
  std::string command;
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (!line.empty() && line.back() == ':' && line[0] != ' ') {
      command = line.substr(0, line.size() - 1);
      help.lists[command];
    } else if (line.starts_with("    --")) {
      // The option and its value stand before the two blanks that begin its description.
      const std::vector<std::string> words = Split(line.substr(4, line.find("  ", 4) - 4), ' ');
      help.lists[command][words.at(0)] = words.size() > 1 ? words[1] : "";
    }
  }
  return help;
}

// The manual page's source: its usage and the option list of each command, as plain text.
struct Manual {
  OptionsByCommand usage;
  OptionsByCommand lists;
  std::set<std::string> described;  // the commands that have a paragraph under BEFEHLE
};

std::string Unroff(std::string text) {
  for (const std::string_view escape : {"\\fB", "\\fI", "\\fR", "\\&"}) {
    for (size_t at; (at = text.find(escape)) != std::string::npos;) text.erase(at, escape.size());
  }
  for (size_t at; (at = text.find("\\-")) != std::string::npos;) text.erase(at, 1);
  return text;
}

Manual ReadManual(const std::string& roff) {
  Manual manual;
  const std::vector<std::string> lines = SplitLines(roff);
  std::string section;
  std::string command;
  std::vector<std::string> usageLines;
  bool fill = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.starts_with(".SH ")) section = line.substr(4);
    if (line == ".nf" || line == ".fi") fill = line == ".fi";
    if (section == "ÜBERSICHT" && !fill && line != ".nf") usageLines.push_back(Unroff(line));
    const bool tag = line == ".TP" && i + 1 < lines.size();
    if (section == "BEFEHLE" && tag && lines[i + 1].starts_with(".B ")) {
      manual.described.insert(lines[i + 1].substr(3));
    }
    if (section == "OPTIONEN" && line.starts_with(".SS ")) command = line.substr(4);
    if (section == "OPTIONEN" && tag) {
      const std::vector<std::string> words = Split(Unroff(lines[i + 1]), ' ');
      manual.lists[command][words.at(0)] = words.size() > 1 ? words[1] : "";
    }
  }
  manual.usage = ReadUsage(usageLines);
  return manual;
}

class OptionsCliTest : public CliTest {
 protected:
  // What the completion offers for the words typed so far (the last one being completed).
  std::vector<std::string> Complete(const std::vector<std::string>& words) {
    std::vector<std::string> argv = {
        "bash", "-c",
        "source \"$1\"; shift; COMP_WORDS=(vellar-cli \"$@\"); "
        "COMP_CWORD=$#; _vellar_cli; printf '%s\\n' \"${COMPREPLY[@]}\"",
        "_", VELLAR_CLI_COMPLETION};
    argv.insert(argv.end(), words.begin(), words.end());
    const CliResult r = Spawn(argv);
    EXPECT_EQ(r.exit, 0) << r.err;
    std::vector<std::string> offered;
    for (const std::string& line : SplitLines(r.out)) {
      if (!line.empty()) offered.push_back(line);
    }
    return offered;
  }

  std::set<std::string> CompletedSet(const std::vector<std::string>& words) {
    const std::vector<std::string> offered = Complete(words);
    return {offered.begin(), offered.end()};
  }
};

TEST_F(OptionsCliTest, HelpCompletionAndManualPageNameTheSameOptions) {
  const CliResult r = Cli({"--help"});
  ASSERT_EQ(r.exit, 0);
  const Help help = ReadHelp(r.out);
  const Manual manual = ReadManual(ReadBytes(VELLAR_CLI_MAN));
  ASSERT_GE(help.usage.size(), 6u);

  std::set<std::string> commands = {"--help", "--version"};
  for (const auto& [command, options] : help.usage) commands.insert(command);
  EXPECT_EQ(CompletedSet({""}), commands);

  for (const auto& [command, options] : help.usage) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Of(help.lists, command), options);
    EXPECT_EQ(Of(manual.usage, command), options);
    if (!options.empty()) {
      EXPECT_EQ(Of(manual.lists, command), options);
    }
    EXPECT_TRUE(manual.described.contains(command));
    EXPECT_EQ(CompletedSet({command, "--"}), Names(options));
    for (const auto& [option, value] : options) {
      if (value.find('|') == std::string::npos) continue;
      const std::vector<std::string> choices = Split(value, '|');
      EXPECT_EQ(Complete({command, option, ""}), choices) << option;
    }
  }
  EXPECT_EQ(manual.usage.size(), help.usage.size());
}

// The README shows the usage as --help prints it, line for line, without the indent.
TEST_F(OptionsCliTest, TheReadmeShowsTheUsageOfTheHelp) {
  const std::vector<std::string> help = SplitLines(Cli({"--help"}).out);
  std::vector<std::string> usage;
  auto line = std::find(help.begin(), help.end(), "Aufruf:");
  ASSERT_NE(line, help.end());
  for (++line; line != help.end() && !line->empty(); ++line) usage.push_back(line->substr(2));
  ASSERT_GE(usage.size(), 8u);

  const std::vector<std::string> readme = SplitLines(ReadBytes(VELLAR_README));
  auto first = std::find(readme.begin(), readme.end(), usage.front());
  ASSERT_NE(first, readme.end()) << usage.front();
  const auto fence = std::find(first, readme.end(), "```");
  EXPECT_EQ(std::vector<std::string>(first, fence), usage);
}

TEST_F(OptionsCliTest, TheParserTakesEveryOptionTheHelpNames) {
  const Help help = ReadHelp(Cli({"--help"}).out);
  for (const auto& [command, options] : help.usage) {
    // The unknown option at the end stops the command before it works: an option that was
    // taken is never the one the message names.
    CliResult r = Cli({command, "--gibtsnicht"});
    EXPECT_EQ(r.exit, 2);
    EXPECT_NE(r.err.find("„--gibtsnicht“"), std::string::npos) << r.err;
    for (const auto& [option, value] : options) {
      std::vector<std::string> args = {command, option};
      if (!value.empty()) args.push_back(Split(value, '|')[0]);
      args.push_back("--gibtsnicht");
      r = Cli(args);
      EXPECT_EQ(r.exit, 2) << command << " " << option;
      EXPECT_EQ(r.err.find("„" + option), std::string::npos) << command << " " << option << "\n"
                                                             << r.err;
    }
  }
}

}  // namespace
}  // namespace vellar::testing
