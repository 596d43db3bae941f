// "Abgaben bewerten" in the page: the teacher's files lie in a folder of the page's own, and
// vellar-cli grade's own code grades them there, in the slices the page asks for, so that the
// page stays usable while a submission runs to its clock limit. The page offers the very bytes
// the tool prints with --csv.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/json_writer.h"
#include "cli/grade_command.h"
#include "cli/picked_grading.h"
#include "core/file_io.h"
#include "web/redirect.h"

namespace {

struct PageGrading {
  std::string dir;
  std::unique_ptr<vellar::cli::ClassGrading> grading;
  std::string text;
};

PageGrading& Grading() {
  static PageGrading grading;
  return grading;
}

// The submissions are named relative to the folder, as the tool names them in its table.
class InFolder {
 public:
  explicit InFolder(const std::string& dir) {
    if (getcwd(previous_, sizeof previous_) == nullptr) previous_[0] = '\0';
    ok_ = chdir(dir.c_str()) == 0;
  }
  ~InFolder() {
    if (previous_[0] != '\0') static_cast<void>(chdir(previous_));
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;
  bool Ok() const { return ok_; }

 private:
  char previous_[4096];
  bool ok_ = false;
};

// What the tool said on stderr, for the page's message: without its name before each line and
// without the pointer to --help, which the page has not.
std::string ToolMessage(const std::string& path) {
  std::string text;
  if (!vellar::ReadWholeFile(path, text).ok()) return "";
  std::istringstream in(text);
  std::string message;
  for (std::string line; std::getline(in, line);) {
    constexpr std::string_view kTool = "vellar-cli: ";
    if (line.starts_with("Hilfe: vellar-cli")) continue;
    if (line.starts_with(kTool)) line.erase(0, kTool.size());
    message += (message.empty() ? "" : "\n") + line;
  }
  return message;
}

std::string Started(const std::string& error, const vellar::cli::Args& args, size_t total) {
  vellar::Json json;
  json.Open('{').Key("error").Str(error).Key("args").Open('[');
  for (const std::string& arg : args) json.Str(arg);
  json.Close(']').Key("total").Int(static_cast<long long>(total)).Close('}');
  return json.Take();
}

}  // namespace

extern "C" {

// Begins grading the files in dir (their names one per line). JSON: the German message when
// nothing can be graded (else empty), the arguments of vellar-cli grade that stand for it, and
// the number of submissions.
EMSCRIPTEN_KEEPALIVE const char* vellar_grade_start(const char* dir, const char* nameLines) {
  PageGrading& g = Grading();
  g.grading.reset();
  g.dir = dir;
  std::vector<std::string> names;
  std::istringstream lines(nameLines);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) names.push_back(line);
  }
  vellar::cli::Args args;
  const InFolder in(g.dir);
  std::optional<std::string> error;
  if (!in.Ok()) error = "Der Ordner der Abgaben fehlt.";
  if (!error) error = vellar::cli::PickedGradeArgs(names, args);
  if (!error) {
    auto grading = std::make_unique<vellar::cli::ClassGrading>();
    const std::string errPath = g.dir + ".err";
    std::optional<int> exit;
    {
      vellar::web::Redirect err(stderr, errPath);
      exit = grading->Prepare(args);
    }
    if (exit) {
      error = ToolMessage(errPath);
    } else {
      g.grading = std::move(grading);
    }
    std::remove(errPath.c_str());
  }
  g.text = Started(error.value_or(""), args, g.grading ? g.grading->Total() : 0);
  return g.text.c_str();
}

// One slice of the grading, at most this many ticks; 1 while submissions remain.
EMSCRIPTEN_KEEPALIVE int vellar_grade_advance(int ticks) {
  PageGrading& g = Grading();
  if (!g.grading) return 0;
  const InFolder in(g.dir);
  return in.Ok() && g.grading->Advance(ticks) ? 1 : 0;
}

// The submissions graded so far.
EMSCRIPTEN_KEEPALIVE int vellar_grade_done() {
  return Grading().grading ? static_cast<int>(Grading().grading->Graded()) : 0;
}

// The table as vellar-cli grade --csv prints it, byte for byte (its byte order mark too, which
// a text passed to the page would lose), into the file named; 1 when written.
EMSCRIPTEN_KEEPALIVE int vellar_grade_csv(const char* path) {
  const PageGrading& g = Grading();
  if (!g.grading) return 0;
  return vellar::WriteFileReplacing(path, vellar::cli::PrintedText(g.grading->Table())).ok() ? 1
                                                                                             : 0;
}

}  // extern "C"
