// vellar-cli grade: every submission of a class run on every case, as vellar-cli run would
// run it, and the result as one table.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/quiet_frontend.h"
#include "cli/commands.h"
#include "cli/grade_cases.h"
#include "cli/grade_table.h"
#include "cli/option_table.h"
#include "core/file_io.h"

namespace vellar::cli {

namespace {

namespace fs = std::filesystem;

struct GradeOptions {
  std::optional<std::string> mps;
  std::optional<std::string> ram;
  std::optional<std::string> cases;
  uint64_t maxClocks = kDefaultClockLimit;
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
    } else if (option == "--max-clocks") {
      if (!ParseClockLimit(value, o.maxClocks, error)) return UsageError(error);
    } else if (option == "--csv") {
      o.csv = true;
    } else {
      return UnhandledOption(option);
    }
    return std::nullopt;
  };
  if (const auto exit = ReadArgs("grade", args, o.submissions, take)) return exit;
  if (!o.cases) return UsageError("grade braucht --cases FÄLLE.");
  if (!o.mps && !o.ram) {
    return UsageError("grade braucht --mps (für Programme) oder --ram (für Mikroprogramme).");
  }
  if (o.submissions.empty()) return UsageError("grade braucht mindestens eine EINREICHUNG.");
  return std::nullopt;
}

// The frontend of one graded submission: its load error becomes the text of its row.
class GradeFrontend : public QuietFrontend {
 public:
  void ShowMessage(std::string_view text, std::string_view) override { error = text; }
  void ShowError(std::string_view text) override { error = text; }
  std::string error;
};

bool SameFile(const fs::path& a, const std::optional<std::string>& b) {
  std::error_code ec;
  return b && fs::equivalent(a, *b, ec);
}

// The files of a folder that are submissions: programs when there is a micro-program to run
// them on, micro-programs when there is a program or no micro-program was given.
std::vector<std::string> Submissions(const GradeOptions& o) {
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
      const FileKind kind = KindOf(path.string());
      const bool wanted =
          (kind == FileKind::Ram && o.mps) || (kind == FileKind::Mps && (o.ram || !o.mps));
      if (wanted && it->is_regular_file(ec) && !SameFile(path, o.mps) && !SameFile(path, o.ram)) {
        inFolder.push_back(path.string());
      }
    }
    std::sort(inFolder.begin(), inFolder.end());
    found.insert(found.end(), inFolder.begin(), inFolder.end());
  }
  return found;
}

class Grader {
 public:
  Grader(const GradeOptions& o, const std::vector<GradeCase>& cases) : o_(o), cases_(cases) {}

  GradedSubmission Grade(const std::string& path) {
    GradedSubmission result{path, std::nullopt, {}};
    GradeFrontend frontend;
    Session s(frontend);
    s.FormCreate({});
    if (const auto error = Load(s, path, frontend)) {
      result.error = *error;
      return result;
    }
    const std::array<uint8_t, kRamSize> image = s.machine.Ram;
    for (const GradeCase& c : cases_) {
      // Each case starts from the loaded files, as a fresh vellar-cli run would.
      for (int a = 0; a < kRamSize; ++a) {
        if (s.machine.Ram[a] != image[a]) s.memory.WriteRam(a, image[a]);
      }
      s.run.MeClrRegClick();
      ApplySetup(s, c.setup);
      StartRun(s, "halt", o_.maxClocks);
      if (s.run.LastStopReason() == StopReason::Limit) {
        result.failures.emplace_back("Taktgrenze erreicht (" + std::to_string(o_.maxClocks) +
                                     " ALU-Takte).");
      } else {
        result.failures.push_back(FirstDifference(c.expectations, ResultOf(s)));
      }
    }
    return result;
  }

 private:
  std::optional<std::string> Load(Session& s, const std::string& path, GradeFrontend& frontend) {
    const FileKind kind = KindOf(path);
    if (kind == FileKind::None) {
      return "unpassende Dateiendung (erlaubt: .ras, .rad, .ram, .erm, .mpd, .mps).";
    }
    if (kind == FileKind::Ram && !o_.mps) return "Für ein Programm fehlt --mps.";
    const std::optional<std::string>& mps = kind == FileKind::Mps ? path : o_.mps;
    const std::optional<std::string>& ram = kind == FileKind::Ram ? path : o_.ram;
    if ((mps && !s.files.LoadMpsFile(*mps)) || (ram && !s.files.LoadRamFile(*ram))) {
      return frontend.error;
    }
    return std::nullopt;
  }

  const GradeOptions& o_;
  const std::vector<GradeCase>& cases_;
};

// The teacher's own files are checked before any submission: a typo there is no student's
// fault.
bool TeacherFilesReadable(const GradeOptions& o) {
  CliSession cs;
  return LoadMpsOption(cs.session, o.mps) &&
         (!o.ram || LoadFile(cs.session, *o.ram, FileKind::Ram));
}

}  // namespace

int GradeCommand(const Args& args) {
  GradeOptions o;
  if (const auto exit = ParseGradeOptions(args, o)) return *exit;
  std::string bytes;
  if (const FileStatus read = ReadWholeFile(*o.cases, bytes); !read.ok()) {
    Complain(read.error);
    return kExitUsage;
  }
  const GradeCases cases = ReadGradeCases(EditorText(bytes));
  if (!cases.errors.empty()) {
    for (const std::string& error : cases.errors) Complain(*o.cases + ": " + error);
    return kExitUsage;
  }
  if (!TeacherFilesReadable(o)) return kExitUsage;
  const std::vector<std::string> paths = Submissions(o);
  if (paths.empty()) return UsageError("In den angegebenen Ordnern liegt keine Einreichung.");

  Grader grader(o, cases.cases);
  std::vector<GradedSubmission> graded;
  bool allPassed = true;
  for (const std::string& path : paths) {
    graded.push_back(grader.Grade(path));
    allPassed = allPassed && graded.back().Passed() == static_cast<int>(cases.cases.size());
  }
  std::vector<std::string> names;
  for (const GradeCase& c : cases.cases) names.push_back(c.name);
  PrintLines(GradeTable(names, graded, o.csv));
  return allPassed ? kExitOk : kExitExpectation;
}

}  // namespace vellar::cli
