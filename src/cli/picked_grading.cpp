#include "cli/picked_grading.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "app/file_commands.h"
#include "app/task_file.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar::cli {

namespace {

constexpr std::array<std::string_view, 1> kTaskExtension = {"AUFGABE"};
constexpr std::array<std::string_view, 1> kCasesExtension = {"TXT"};

// The names of one kind; a cases file counts only where no task was picked.
std::vector<std::string> TaskFiles(const std::vector<std::string>& names) {
  std::vector<std::string> found;
  for (const auto& table : {std::span<const std::string_view>(kTaskExtension),
                            std::span<const std::string_view>(kCasesExtension)}) {
    for (const std::string& name : names) {
      if (ExtIndex(name, table) == 0) found.push_back(name);
    }
    if (!found.empty()) break;
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string Quoted(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "„" : ", „") + name + "“";
  return text;
}

// The picked file a start file stands for: the browser gives names without folders, so the
// name alone counts, in any case (as on the school's Windows PCs).
const std::string* PickedFor(const std::string& written, const std::vector<std::string>& names) {
  const size_t folder = written.find_last_of("/\\");
  const std::string wanted =
      ToUpperAscii(folder == std::string::npos ? written : written.substr(folder + 1));
  const auto it = std::find_if(names.begin(), names.end(),
                               [&](const std::string& n) { return ToUpperAscii(n) == wanted; });
  return it == names.end() ? nullptr : &*it;
}

// The tool finds a start file beside the task under the name the task gives it, in its case
// too; a name with folders has no place among the browser's files, which come without them.
std::optional<std::string> PlaceStartFile(const std::string& written, const std::string& picked,
                                          std::string_view header) {
  if (written == picked) return std::nullopt;
  if (written.find_first_of("/\\") != std::string::npos) {
    return "Die Aufgabe nennt bei „" + std::string(header) + "“ die Datei „" + written +
           "“ mit Ordner; im Browser geht das nicht. Schreiben Sie „" + std::string(header) + " " +
           picked + "“ und wählen Sie die Datei mit aus.";
  }
  std::string bytes;
  if (!ReadWholeFile(picked, bytes).ok() || !WriteFileReplacing(written, bytes).ok()) {
    return "Die Startdatei „" + written + "“ ließ sich nicht ablegen.";
  }
  return std::nullopt;
}

// A name the tool would take for an option ("--x.ras") stays a file's name with "./" before it.
std::string AsArgument(const std::string& name) {
  return name.starts_with("--") ? "./" + name : name;
}

}  // namespace

std::optional<std::string> PickedGradeArgs(const std::vector<std::string>& names, Args& args) {
  const std::vector<std::string> tasks = TaskFiles(names);
  if (tasks.empty()) {
    return "Es fehlt die Aufgabe (.aufgabe) oder die Fälle-Datei (.txt). Wählen Sie sie mit den "
           "Abgaben aus oder ziehen Sie sie dazu.";
  }
  if (tasks.size() > 1) {
    return "Bewertet wird nach genau einer Aufgabe; gewählt sind " + Quoted(tasks) +
           ". Leeren Sie die Liste und wählen Sie eine davon.";
  }
  const std::string& taskName = tasks[0];
  std::string text;
  Task task;
  // Read as the tool reads it, so that a start file's name written in Windows-1252 matches.
  if (ReadWholeFile(taskName, text).ok()) task = ReadTask(EditorText(text));
  std::vector<std::string> teacherFiles = {taskName};
  // A faulty task is the tool's to report, with its line numbers.
  if (task.errors.empty()) {
    for (const auto& [written, header] :
         {std::pair{task.mps, std::string_view("MPS:")}, {task.ram, "RAM:"}}) {
      if (written.empty()) continue;
      const std::string* picked = PickedFor(written, names);
      if (picked == nullptr) {
        return "Die Aufgabe „" + taskName + "“ nennt die Startdatei „" + written + "“ (" +
               std::string(header) +
               "). Wählen Sie diese Datei mit den Abgaben aus oder ziehen Sie sie dazu.";
      }
      if (auto error = PlaceStartFile(written, *picked, header)) return error;
      teacherFiles.push_back(*picked);
    }
    if (task.mps.empty() && task.ram.empty()) {
      return "„" + taskName +
             "“ nennt kein Mikroprogramm (MPS:) und kein RAM (RAM:), auf dem "
             "die Abgaben laufen. Schreiben Sie eine Kopfzeile wie „MPS: firmware.mpd“ vor den "
             "ersten Fall und wählen Sie diese Datei mit aus.";
    }
  }
  std::vector<std::string> submissions;
  for (const std::string& name : names) {
    if (std::find(teacherFiles.begin(), teacherFiles.end(), name) == teacherFiles.end()) {
      submissions.push_back(name);
    }
  }
  if (submissions.empty()) return std::string("Es ist noch keine Abgabe gewählt.");
  std::sort(submissions.begin(), submissions.end());
  args = {"--task", AsArgument(taskName), "--csv"};
  for (const std::string& name : submissions) args.push_back(AsArgument(name));
  return std::nullopt;
}

}  // namespace vellar::cli
