#include "cli/picked_grading.h"

#include <algorithm>
#include <utility>

#include "app/task_file.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar::cli {

namespace {

std::string Quoted(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "„" : ", „") + name + "“";
  return text;
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
  const std::vector<std::string> tasks = PickedTaskFiles(names);
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
      const std::string* picked = PickedStartFile(written, names);
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
