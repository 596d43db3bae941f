#include "app/task_file.h"

#include <algorithm>
#include <array>
#include <span>

#include "app/file_commands.h"
#include "app/run_setup.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar {

namespace {

enum class Header { Titel, Text, Bearbeiten, Mps, Ram, Grenze };
struct HeaderName {
  Header header;
  std::string_view name;
};
constexpr std::array<HeaderName, 6> kHeaders = {{{Header::Titel, "Titel"},
                                                 {Header::Text, "Text"},
                                                 {Header::Bearbeiten, "Bearbeiten"},
                                                 {Header::Mps, "MPS"},
                                                 {Header::Ram, "RAM"},
                                                 {Header::Grenze, "Grenze"}}};

struct HeaderLine {
  Header header;
  std::string_view name;  // as the messages write it
  std::string_view value;
};

// A line "Name: value" whose name is one of the headers, in any case.
std::optional<HeaderLine> HeaderOf(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string name = ToLowerAscii(TrimBlanks(line.substr(0, colon)));
  for (const HeaderName& h : kHeaders) {
    if (name == ToLowerAscii(h.name)) {
      return HeaderLine{h.header, h.name, TrimBlanks(line.substr(colon + 1))};
    }
  }
  return std::nullopt;
}

// A case named like a file header was valid before tasks had headers; its "=>" tells it from
// the header, whose value never holds one. Titel and Text are prose and are always headers.
bool IsCaseNamedLikeHeader(const HeaderLine& h, std::string_view line) {
  return h.header != Header::Titel && h.header != Header::Text &&
         line.find("=>") != std::string_view::npos;
}

std::string Quoted(std::string_view name) {
  return "„" + std::string(name) + ":“";
}

class TaskReader {
 public:
  Task Read(std::string_view text) {
    // An editor may begin the file with a byte order mark, which is no part of the first line.
    const std::vector<std::string> lines = SplitLines(WithoutUtf8Bom(text));
    for (size_t i = 0; i < lines.size(); ++i) {
      std::string typed = lines[i].substr(0, lines[i].find('#'));
      for (char& c : typed) {
        if (c == '\t') c = ' ';
      }
      const std::string_view line = TrimBlanks(typed);
      if (line.empty()) continue;
      lineNumber_ = i + 1;
      const std::optional<HeaderLine> header = HeaderOf(line);
      if (header && !IsCaseNamedLikeHeader(*header, line)) {
        if (task_.cases.empty()) {
          ReadHeader(*header);
        } else {
          Fail(Quoted(header->name) + " gehört vor den ersten Fall.");
        }
      } else {
        ReadCaseLine(line);
      }
    }
    if (task_.cases.empty() && task_.errors.empty()) {
      task_.errors.push_back("Die Datei enthält keinen Fall.");
    }
    return std::move(task_);
  }

 private:
  void Fail(const std::string& error) {
    task_.errors.push_back("Zeile " + std::to_string(lineNumber_) + ": " + error);
  }

  void ReadCaseLine(std::string_view line) {
    GradeCase c;
    if (const auto error = ReadCase(line, c)) {
      Fail(*error);
      return;
    }
    for (const GradeCase& other : task_.cases) {
      if (ToLowerAscii(other.name) == ToLowerAscii(c.name)) {
        Fail("Den Fall „" + c.name + "“ gibt es schon.");
      }
    }
    task_.cases.push_back(std::move(c));
  }

  void ReadHeader(const HeaderLine& h) {
    const std::string value(h.value);
    if (h.header == Header::Text) {
      ReadText(value);
      return;
    }
    size_t& seen = seenAt_[static_cast<size_t>(h.header)];
    if (seen != 0) {
      Fail(Quoted(h.name) + " steht schon in Zeile " + std::to_string(seen) + ".");
      return;
    }
    seen = lineNumber_;
    switch (h.header) {
      case Header::Titel:
        if (value.empty()) Fail(Quoted(h.name) + " braucht einen Titel.");
        task_.title = value;
        break;
      case Header::Bearbeiten:
        if (ToLowerAscii(value) == "ram") {
          task_.edits = TaskEdits::Ram;
        } else if (ToLowerAscii(value) == "mps") {
          task_.edits = TaskEdits::Mps;
        } else {
          Fail(Quoted(h.name) + " erwartet RAM oder MPS, nicht „" + value + "“.");
        }
        break;
      case Header::Mps:
        if (ExtIndex(value, kMpsExtensions) < 0) {
          Fail(Quoted(h.name) + " erwartet eine Datei .mpd oder .mps, nicht „" + value + "“.");
        }
        task_.mps = value;
        break;
      case Header::Ram:
        if (ExtIndex(value, kRamExtensions) < 0) {
          Fail(Quoted(h.name) + " erwartet eine Datei .ras, .rad, .ram oder .erm, nicht „" + value +
               "“.");
        }
        task_.ram = value;
        break;
      case Header::Grenze:
        task_.clockLimit = ParsePositive(value);
        if (!task_.clockLimit) {
          Fail(Quoted(h.name) + " erwartet eine positive ganze Zahl, nicht „" + value + "“.");
        }
        break;
      case Header::Text:
        break;
    }
  }

  // Lines of one paragraph join with a blank, as a browser joins the lines of a paragraph.
  void ReadText(const std::string& value) {
    if (value.empty()) {
      paragraphOpen_ = false;
    } else if (paragraphOpen_) {
      task_.paragraphs.back() += " " + value;
    } else {
      task_.paragraphs.push_back(value);
      paragraphOpen_ = true;
    }
  }

  Task task_;
  size_t lineNumber_ = 0;
  std::array<size_t, kHeaders.size()> seenAt_{};
  bool paragraphOpen_ = false;
};

}  // namespace

Task ReadTask(std::string_view text) {
  return TaskReader().Read(text);
}

std::vector<std::string> PickedTaskFiles(const std::vector<std::string>& names) {
  constexpr std::array<std::string_view, 1> kTask = {"AUFGABE"};
  constexpr std::array<std::string_view, 1> kCases = {"TXT"};
  std::vector<std::string> found;
  for (const auto& table :
       {std::span<const std::string_view>(kTask), std::span<const std::string_view>(kCases)}) {
    for (const std::string& name : names) {
      if (ExtIndex(name, table) == 0) found.push_back(name);
    }
    if (!found.empty()) break;
  }
  std::sort(found.begin(), found.end());
  return found;
}

const std::string* PickedStartFile(std::string_view written,
                                   const std::vector<std::string>& names) {
  const size_t folder = written.find_last_of("/\\");
  const std::string wanted =
      ToUpperAscii(folder == std::string_view::npos ? written : written.substr(folder + 1));
  const auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
    return ToUpperAscii(FileNameOf(n)) == wanted;
  });
  return it == names.end() ? nullptr : &*it;
}

}  // namespace vellar
