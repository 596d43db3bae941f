// vellar-cli grade: every submission of a class run on every case, as vellar-cli run would
// run it, and the result as one table.
#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>

#include "app/quiet_frontend.h"
#include "cli/commands.h"
#include "cli/grade_cases.h"
#include "cli/grade_table.h"
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

// An assembler source, which a student may hand in instead of the file asm makes of it.
bool IsAsmSource(std::string_view path) {
  constexpr std::array<std::string_view, 1> kAsm = {"ASM"};
  return ExtIndex(path, kAsm) == 0;
}

// The files of a folder that may be submissions: programs, micro-programs and sources. Those of
// a kind the options do not grade get a row all the same, so that nothing handed in vanishes.
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
      const bool wanted = KindOf(path.string()) != FileKind::None || IsAsmSource(path.string());
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
    GradedSubmission result{path, std::nullopt, {}, {}};
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
      result.clocks.push_back(s.run.ClocksThisRun());
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
  std::string text;
  if (!ReadEditorFile(*o.cases, text)) return kExitUsage;
  const GradeCases cases = ReadGradeCases(text);
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
