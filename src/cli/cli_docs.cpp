// vellar_cli_docs: the bash completion and the manual page's usage and option lists of
// vellar-cli, made at build time from the option table, so that none of them is kept by hand.
//   vellar_cli_docs completion OUT
//   vellar_cli_docs man TEMPLATE OUT
#include <cctype>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "cli/option_table.h"
#include "core/text.h"

namespace vellar::cli {
namespace {

// The lines of the manual page's template that the generated parts replace.
constexpr std::string_view kUsageMarker = ".\\\" AUFRUFE AUS DER OPTIONSTABELLE";
constexpr std::string_view kOptionsMarker = ".\\\" OPTIONEN AUS DER OPTIONSTABELLE";
// The usage lines fit a terminal of 80 columns beside the indent of the section.
constexpr size_t kManWidth = 72;

std::string Join(const std::vector<std::string_view>& words, std::string_view between) {
  std::string text;
  for (const std::string_view word : words) {
    if (!text.empty()) text += between;
    text += word;
  }
  return text;
}

// The extension pattern of _vellar_cli_files: both cases, as a school's files come in either;
// empty for any file.
std::string FilePattern(std::string_view files) {
  if (files == "*") return "";
  std::string upper(files);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return std::string(files) + "|" + upper;
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

void WriteCommandCompletion(std::ostream& out, const CommandSpec& command) {
  out << "    " << command.name << ")\n";
  std::vector<std::string_view> silent;  // options whose value nothing can be offered for
  std::vector<std::string_view> names;
  std::ostringstream values;
  for (const OptionSpec& o : command.options) {
    names.push_back(o.name);
    if (!o.TakesValue()) continue;
    if (!o.files.empty()) {
      values << "        " << o.name << ") _vellar_cli_files " << Quoted(FilePattern(o.files));
    } else if (!o.choices.empty() || !o.hints.empty()) {
      const std::string_view words = o.choices.empty() ? o.hints : o.choices;
      values << "        " << o.name << ")";
      // "AX=" is completed up to its value, which the user types on.
      if (words.find("=|") != std::string_view::npos || words.ends_with('=')) {
        values << " compopt -o nospace 2>/dev/null;";
      }
      values << " _vellar_cli_words " << Quoted(Join(SplitBars(words), " "));
    } else {
      silent.push_back(o.name);
      continue;
    }
    values << "; return ;;\n";
  }
  if (!silent.empty()) values << "        " << Join(silent, " | ") << ") return ;;\n";
  if (!values.str().empty()) out << "      case $prev in\n" << values.str() << "      esac\n";
  out << "      options=" << Quoted(Join(names, " ")) << '\n';
  if (!command.positionals.empty())
    out << "      files=" << Quoted(FilePattern(command.files)) << '\n';
  out << "      ;;\n";
}

void WriteCompletion(std::ostream& out) {
  std::vector<std::string_view> first;
  for (const CommandSpec& c : Commands()) first.push_back(c.name);
  first.push_back("--help");
  first.push_back("--version");
  out << "# bash completion for vellar-cli, the VellarD simulator without a window.\n"
         "# Made by vellar_cli_docs from vellar-cli's option table (src/cli/option_table.cpp).\n"
         "\n"
         "_vellar_cli() {\n"
         "  local cur prev\n"
         "  cur=${COMP_WORDS[COMP_CWORD]}\n"
         "  prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
         "\n"
         "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
         "    _vellar_cli_words "
      << Quoted(Join(first, " "))
      << "\n"
         "    return\n"
         "  fi\n"
         "\n"
         "  # The value of an option: files of the fitting kind, or one of the fixed words.\n"
         "  # Otherwise the command's options, or the files it works on.\n"
         "  local options files=-\n"
         "  case ${COMP_WORDS[1]} in\n";
  for (const CommandSpec& c : Commands()) WriteCommandCompletion(out, c);
  out << "    *) return ;;\n"
         "  esac\n"
         "  if [[ $cur == -* ]]; then\n"
         "    _vellar_cli_words \"$options\"\n"
         "  elif [ \"$files\" != - ]; then\n"
         "    _vellar_cli_files \"$files\"\n"
         "  fi\n"
         "}\n"
         "\n"
         "_vellar_cli_words() {\n"
         "  mapfile -t COMPREPLY < <(compgen -W \"$1\" -- \"$cur\")\n"
         "}\n"
         "\n"
         "# Directories and the files whose extension matches the pattern (all files for '').\n"
         "_vellar_cli_files() {\n"
         "  local pattern=$1\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  mapfile -t COMPREPLY < <(compgen -d -- \"$cur\")\n"
         "  local file\n"
         "  while IFS= read -r file; do\n"
         "    [ -d \"$file\" ] && continue\n"
         "    if [ -z \"$pattern\" ] || [[ ${file##*.} =~ ^($pattern)$ ]]; then\n"
         "      COMPREPLY+=(\"$file\")\n"
         "    fi\n"
         "  done < <(compgen -f -- \"$cur\")\n"
         "}\n"
         "\n"
         "complete -F _vellar_cli vellar-cli\n";
}

// Text for roff: the hyphens of an option are minus signs, a backslash is printed as one.
std::string Roff(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool inDashes = text[i] == '-' && ((i + 1 < text.size() && text[i + 1] == '-') ||
                                             (i > 0 && text[i - 1] == '-'));
    if (text[i] == '\\') {
      out += "\\e";
    } else if (inDashes) {
      out += "\\-";
    } else {
      out += text[i];
    }
  }
  // A line may not begin with a control character.
  if (out.starts_with('.') || out.starts_with('\'')) out.insert(0, "\\&");
  return out;
}

std::string Bold(std::string_view text) {
  return "\\fB" + Roff(text) + "\\fR";
}

std::string Italic(std::string_view text) {
  return "\\fI" + Roff(text) + "\\fR";
}

// "--mps DATEI" with the option bold and the placeholder italic; fixed words bold.
std::string RoffSynopsis(const OptionSpec& o) {
  std::string text = Bold(o.name);
  if (!o.placeholder.empty()) text += " " + Italic(o.placeholder);
  if (!o.choices.empty()) {
    std::vector<std::string> words;
    for (const std::string_view choice : SplitBars(o.choices)) words.push_back(Bold(choice));
    text += " ";
    for (size_t i = 0; i < words.size(); ++i) text += (i > 0 ? "|" : "") + words[i];
  }
  return text;
}

std::string RoffPart(const UsagePart& part) {
  if (!part.option) {
    std::string_view words = part.positionals;
    const bool more = words.ends_with("...");
    if (more) words.remove_suffix(3);
    return Italic(words) + (more ? "..." : "");
  }
  if (part.option->required) return RoffSynopsis(*part.option);
  return "[" + RoffSynopsis(*part.option) + "]" + (part.option->repeats ? "..." : "");
}

void WriteManUsage(std::ostream& out) {
  constexpr std::string_view kPrefix = "vellar-cli ";
  out << ".nf\n";
  for (const CommandSpec& c : Commands()) {
    bool first = true;
    const size_t indent = CharCount(kPrefix) + CharCount(c.name);
    for (const std::vector<UsagePart>& line : UsageLines(c, kPrefix.size(), kManWidth)) {
      out << (first ? Bold(std::string(kPrefix) + std::string(c.name)) : std::string(indent, ' '));
      for (const UsagePart& part : line) out << ' ' << RoffPart(part);
      out << '\n';
      first = false;
    }
  }
  out << Bold("vellar-cli --help") << '\n' << Bold("vellar-cli --version") << "\n.fi\n";
}

void WriteManOptions(std::ostream& out) {
  for (const CommandSpec& c : Commands()) {
    if (c.options.empty()) continue;
    out << ".SS " << c.name << '\n';
    for (const OptionSpec& o : c.options) {
      out << ".TP\n" << RoffSynopsis(o) << '\n' << Roff(o.help);
      if (o.required) out << "; muss angegeben werden";
      if (o.repeats) out << "; darf mehrfach stehen";
      out << ".\n";
    }
  }
}

// The options the template's own text names, as "--max-clocks": in roff each hyphen is "\-".
std::set<std::string> NamedOptions(std::string_view text) {
  constexpr std::string_view kDashes = "\\-\\-";
  std::set<std::string> names;
  for (size_t at = text.find(kDashes); at != std::string_view::npos;
       at = text.find(kDashes, at + 1)) {
    std::string name = "--";
    size_t i = at + kDashes.size();
    while (i < text.size()) {
      if (std::islower(static_cast<unsigned char>(text[i])) != 0) {
        name += text[i++];
      } else if (text.substr(i, 2) == "\\-" && i + 2 < text.size() &&
                 std::islower(static_cast<unsigned char>(text[i + 2])) != 0) {
        name += '-';
        i += 2;
      } else {
        break;
      }
    }
    if (name.size() > 2) names.insert(name);
  }
  return names;
}

// The page describes in words what the option lists only name; a new option of the table
// that the template does not explain, or an explained one the table no longer has, stops
// the build here. An empty text when the two agree.
std::string Disagreement(const std::set<std::string>& named) {
  std::set<std::string> table = {"--help", "--version"};
  for (const CommandSpec& c : Commands()) {
    for (const OptionSpec& o : c.options) table.insert(std::string(o.name));
  }
  std::string text;
  for (const std::string& name : table) {
    if (!named.contains(name)) text += "Die Vorlage beschreibt " + name + " nicht.\n";
  }
  for (const std::string& name : named) {
    if (!table.contains(name)) text += "Die Vorlage nennt " + name + ", das es nicht gibt.\n";
  }
  return text;
}

// The template with the generated parts in place of the two markers; the message when
// a marker is missing or the template's text and the option table disagree.
std::string WriteMan(std::istream& in, std::ostream& out) {
  int markers = 0;
  std::string own;  // the template's own text, for the options it names
  std::string line;
  while (std::getline(in, line)) {
    if (line == kUsageMarker) {
      WriteManUsage(out);
      ++markers;
    } else if (line == kOptionsMarker) {
      WriteManOptions(out);
      ++markers;
    } else {
      out << line << '\n';
      own += line + '\n';
    }
  }
  if (markers != 2) return "Die Vorlage hat nicht die beiden Marken.\n";
  return Disagreement(NamedOptions(own));
}

int Generate(const Args& args) {
  const bool completion = args.size() == 2 && args[0] == "completion";
  const bool man = args.size() == 3 && args[0] == "man";
  if (!completion && !man) {
    std::cerr << "Aufruf: vellar_cli_docs completion AUSGABE | man VORLAGE AUSGABE\n";
    return 2;
  }
  std::ostringstream text;
  if (completion) {
    WriteCompletion(text);
  } else {
    std::ifstream in(args[1]);
    if (!in) {
      std::cerr << args[1] << ": Vorlage fehlt\n";
      return 1;
    }
    if (const std::string message = WriteMan(in, text); !message.empty()) {
      std::cerr << args[1] << ":\n" << message;
      return 1;
    }
  }
  std::ofstream out(args.back(), std::ios::binary);
  out << text.str();
  out.close();
  if (!out) {
    std::cerr << args.back() << ": nicht geschrieben\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace vellar::cli

int main(int argc, char** argv) {
  return vellar::cli::Generate(vellar::cli::Args(argv + 1, argv + argc));
}
