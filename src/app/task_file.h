#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/grade_cases.h"

// A task (.aufgabe): a UTF-8 text a teacher writes in any editor. Header lines before the
// first case say what the task is and where the student starts,
//   Titel: …            one line
//   Text: …             repeatable; the lines of a paragraph, a blank "Text:" ends it
//   Bearbeiten: RAM     or MPS: what the student changes (RAM when not given)
//   MPS: datei.mpd      start files, relative to the task file
//   RAM: datei.ras
//   Grenze: N           the clock limit of each case
// and the cases follow, one per line, as vellar-cli grade has always read them; "#" begins a
// comment in every line. A file of cases alone is a task without headers.
namespace vellar {

enum class TaskEdits { Ram, Mps };

struct Task {
  std::string title;
  std::vector<std::string> paragraphs;
  TaskEdits edits = TaskEdits::Ram;
  // The start files as written; empty when the task names none.
  std::string mps;
  std::string ram;
  std::optional<uint64_t> clockLimit;
  std::vector<GradeCase> cases;
  // German, one per faulty line, each with its line number; nothing may be graded then.
  std::vector<std::string> errors;
};

// The file's text as UTF-8. Takes any bytes and reports every faulty line.
Task ReadTask(std::string_view text);

// Among files picked together (a task with its start files, a class to grade): the tasks
// (.aufgabe), sorted; a cases file (.txt) counts only where no task was picked. Empty when
// none is there.
std::vector<std::string> PickedTaskFiles(const std::vector<std::string>& names);

// The picked file a task's start file stands for: a browser gives names without folders, so
// the name alone counts, in any case (as on the school's Windows PCs); null when none is.
const std::string* PickedStartFile(std::string_view written, const std::vector<std::string>& names);

}  // namespace vellar
