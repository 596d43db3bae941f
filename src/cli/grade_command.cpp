// vellar-cli grade: every submission of a class run on every case, as vellar-cli run would
// run it, and the result as one table.
#include "cli/grade_command.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/grade_table.h"
#include "app/quiet_frontend.h"
#include "app/task_check.h"
#include "app/task_file.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar::cli {

namespace {

namespace fs = std::filesystem;

struct GradeOptions {
  std::optional<std::string> mps;
  std::optional<std::string> ram;
  std::optional<std::string> cases;
  std::optional<std::string> task;
  std::optional<uint64_t> maxClocks;
  bool csv = false;
  std::vector<std::string> submissions;
};

std::optional<int> ParseGradeOptions(const Args& args, GradeOptions& o) {
  const auto take = [&o](std::string_view option, const std::string& value) -> std::optional<int> {
    std::string error;
    if (option == "--mps") {
      o.mps = value;
    } else if (option == "--ram") {
      o.ram = value;
    } else if (option == "--cases") {
      o.cases = value;
    } else if (option == "--task") {
      o.task = value;
    } else if (option == "--max-clocks") {
      uint64_t clocks = 0;
      if (!ParseClockLimit(value, clocks, error)) return UsageError(error);
      o.maxClocks = clocks;
    } else if (option == "--csv") {
      o.csv = true;
    } else {
      return UnhandledOption(option);
    }
    return std::nullopt;
  };
  if (const auto exit = ReadArgs("grade", args, o.submissions, take)) return exit;
  if (!o.cases && !o.task) return UsageError("grade braucht --cases FÄLLE oder --task AUFGABE.");
  if (o.submissions.empty()) return UsageError("grade braucht mindestens eine EINREICHUNG.");
  return std::nullopt;
}

// The task or cases file read and checked; false after its faults are on stderr.
bool ReadTaskFile(const std::string& path, Task& task) {
  std::string text;
  if (!ReadEditorFile(path, text)) return false;
  task = ReadTask(text);
  for (const std::string& error : task.errors) Complain(path + ": " + error);
  return task.errors.empty();
}

// A start file of the task, named relative to the task file.
std::string BesideTask(const std::string& taskPath, const std::string& file) {
  return (fs::path(taskPath).parent_path() / fs::path(file)).string();
}

// The task's lines stand for the options that the command line does not give. The start file
// of the kind the student edits is where the student began, not what their work runs with.
GradeOptions WithTask(GradeOptions o, const Task& task, std::vector<std::string>& startFiles) {
  if (!task.mps.empty()) {
    startFiles.push_back(BesideTask(*o.task, task.mps));
    if (!o.mps && task.edits != TaskEdits::Mps) o.mps = startFiles.back();
  }
  if (!task.ram.empty()) {
    startFiles.push_back(BesideTask(*o.task, task.ram));
    if (!o.ram && task.edits != TaskEdits::Ram) o.ram = startFiles.back();
  }
  if (!o.maxClocks) o.maxClocks = task.clockLimit;
  return o;
}

// The frontend of one graded submission: its load error becomes the text of its row.
class GradeFrontend : public QuietFrontend {
 public:
  void ShowMessage(std::string_view text, std::string_view) override { error = text; }
  void ShowError(std::string_view text) override { error = text; }
  std::string error;
};

bool SameFile(const fs::path& a, const std::vector<std::string>& files) {
  std::error_code ec;
  return std::any_of(files.begin(), files.end(),
                     [&](const std::string& b) { return fs::equivalent(a, b, ec); });
}

// The files of a folder that may be submissions: programs, micro-programs and sources. Those of
// a kind the options do not grade get a row all the same, so that nothing handed in vanishes.
std::vector<std::string> Submissions(const GradeOptions& o,
                                     const std::vector<std::string>& teacherFiles) {
  std::vector<std::string> found;
  for (const std::string& given : o.submissions) {
    std::error_code ec;
    if (!fs::is_directory(given, ec)) {
      found.push_back(given);
      continue;
    }
    std::vector<std::string> inFolder;
    for (auto it = fs::recursive_directory_iterator(given, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      const fs::path& path = it->path();
      const bool wanted = KindOf(path.string()) != FileKind::None || IsAsmSource(path.string());
      if (wanted && it->is_regular_file(ec) && !SameFile(path, teacherFiles)) {
        inFolder.push_back(path.string());
      }
    }
    std::sort(inFolder.begin(), inFolder.end());
    found.insert(found.end(), inFolder.begin(), inFolder.end());
  }
  return found;
}

// One submission's cases, a slice at a time, run as "Prüfen" runs a student's work.
class Grader {
 public:
  // The task's cases under the clock limit of the options.
  Grader(const GradeOptions& o, const std::vector<GradeCase>& cases) : o_(o) {
    task_.cases = cases;
    task_.clockLimit = o.maxClocks;
  }

  void Start(const std::string& path) {
    result = {path, std::nullopt, {}, {}};
    check_.Reset();
    GradeFrontend frontend;
    Session session(frontend);
    session.FormCreate({});
    if (const auto error = Load(session, path, frontend)) {
      result.error = *error;
      return;
    }
    check_.Start(session, task_);
  }

  // True while cases of the submission still run.
  bool Advance(int ticks) {
    if (check_.Advance(ticks)) return true;
    for (const CaseCheck& c : check_.Results()) {
      result.clocks.push_back(c.clocks);
      result.failures.push_back(c.difference);
    }
    check_.Reset();
    return false;
  }

  GradedSubmission result;

 private:
  std::optional<std::string> Load(Session& s, const std::string& path, GradeFrontend& frontend) {
    const FileKind kind = KindOf(path);
    if (IsAsmSource(path)) return "Quelltext: erst mit asm übersetzen";
    if (kind == FileKind::None) {
      return "unpassende Dateiendung (erlaubt: .ras, .rad, .ram, .erm, .mpd, .mps).";
    }
    // A program runs on the micro-program of --mps, a micro-program with the program of --ram;
    // one without the other would run on an empty store and fail every case for no fault of
    // its own.
    if (kind == FileKind::Ram && !o_.mps) return "RAM-Datei statt Mikroprogramm";
    if (kind == FileKind::Mps && !o_.ram) return "Mikroprogramm statt RAM-Datei";
    if (IsEmptyFile(path)) return "leere Datei";
    const std::optional<std::string>& mps = kind == FileKind::Mps ? path : o_.mps;
    const std::optional<std::string>& ram = kind == FileKind::Ram ? path : o_.ram;
    if ((mps && !s.files.LoadMpsFile(*mps)) || (ram && !s.files.LoadRamFile(*ram))) {
      return frontend.error;
    }
    return std::nullopt;
  }

  // Nothing, or in a text format nothing but white space: the loaders would take it
  // for a program of zeros, which runs to the clock limit. A file that cannot be read is the
  // loader's to report.
  static bool IsEmptyFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok()) return false;
    const bool binary = ExtIndex(path, kMpsExtensions) == kExtMps ||
                        ExtIndex(path, kRamExtensions) == kExtRam ||
                        ExtIndex(path, kRamExtensions) == kExtErm;
    return binary ? bytes.empty() : TrimBlanks(bytes).empty();
  }

  const GradeOptions& o_;
  Task task_;
  TaskCheck check_;
};

// The teacher's own files are checked before any submission: a typo there is no student's
// fault.
bool TeacherFilesReadable(const GradeOptions& o, const std::vector<std::string>& startFiles) {
  CliSession cs;
  return LoadMpsOption(cs.session, o.mps) &&
         (!o.ram || LoadFile(cs.session, *o.ram, FileKind::Ram)) &&
         std::all_of(startFiles.begin(), startFiles.end(),
                     [&](const std::string& f) { return LoadFile(cs.session, f, KindOf(f)); });
}

}  // namespace

struct ClassGrading::State {
  Task task;
  GradeOptions o;
  std::vector<std::string> paths;
  std::unique_ptr<Grader> grader;
  bool started = false;
  std::vector<GradedSubmission> graded;
  bool allPassed = true;
};

ClassGrading::ClassGrading() : state_(std::make_unique<State>()) {}
ClassGrading::~ClassGrading() = default;

std::optional<int> ClassGrading::Prepare(const Args& args) {
  State& st = *state_;
  GradeOptions given;
  if (const auto exit = ParseGradeOptions(args, given)) return *exit;
  if (given.task && !ReadTaskFile(*given.task, st.task)) return kExitUsage;
  if (given.cases) {
    Task cases;
    if (!ReadTaskFile(*given.cases, cases)) return kExitUsage;
    st.task.cases = cases.cases;
  }
  std::vector<std::string> startFiles;
  st.o = WithTask(given, st.task, startFiles);
  if (!st.o.mps && !st.o.ram) {
    return UsageError("grade braucht --mps (für Programme) oder --ram (für Mikroprogramme).");
  }
  if (!TeacherFilesReadable(st.o, startFiles)) return kExitUsage;
  std::vector<std::string> teacherFiles = startFiles;
  for (const auto& own : {st.o.mps, st.o.ram}) {
    if (own) teacherFiles.push_back(*own);
  }
  st.paths = Submissions(st.o, teacherFiles);
  if (st.paths.empty()) return UsageError("In den angegebenen Ordnern liegt keine Einreichung.");
  st.grader = std::make_unique<Grader>(st.o, st.task.cases);
  return std::nullopt;
}

bool ClassGrading::Advance(int ticks) {
  State& st = *state_;
  if (!st.grader || st.graded.size() >= st.paths.size()) return false;
  if (!st.started) {
    st.grader->Start(st.paths[st.graded.size()]);
    st.started = true;
  }
  if (st.grader->Advance(ticks)) return true;
  st.graded.push_back(std::move(st.grader->result));
  st.allPassed =
      st.allPassed && st.graded.back().Passed() == static_cast<int>(st.task.cases.size());
  st.started = false;
  return st.graded.size() < st.paths.size();
}

size_t ClassGrading::Graded() const {
  return state_->graded.size();
}

size_t ClassGrading::Total() const {
  return state_->paths.size();
}

std::vector<std::string> ClassGrading::Table() const {
  std::vector<std::string> names;
  for (const GradeCase& c : state_->task.cases) names.push_back(c.name);
  return GradeTable(names, state_->graded, state_->o.csv);
}

int ClassGrading::ExitCode() const {
  return state_->allPassed ? kExitOk : kExitExpectation;
}

int GradeCommand(const Args& args) {
  ClassGrading grading;
  if (const auto exit = grading.Prepare(args)) return *exit;
  while (grading.Advance(1 << 20)) {
  }
  PrintLines(grading.Table());
  return grading.ExitCode();
}

}  // namespace vellar::cli
