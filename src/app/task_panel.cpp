#include "app/task_panel.h"

#include "app/json_writer.h"
#include "app/session.h"
#include "app/shared_link.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar {

namespace {

constexpr std::string_view kCaption = "Aufgabe";
constexpr std::string_view kButton = "Prüfen";
constexpr std::string_view kPassed = "✓";
constexpr std::string_view kFailed = "✗";

// A start file of the task: the one picked with it, where the frontend can read only the files
// picked (the page), else named relative to the task file.
std::string StartFile(const std::string& taskPath, const std::string& file,
                      const std::vector<std::string>& picked) {
  if (const std::string* p = PickedStartFile(file, picked)) return *p;
  return IsAbsolutePath(file) ? file : DirectoryOf(taskPath) + file;
}

}  // namespace

void TaskPanel::MeAufgabeClick() {
  s_.asking.Start([this] { return Ended(OpenCommand(std::nullopt)); });
}

void TaskPanel::OpenTaskFile(const std::string& path) {
  s_.asking.Start([&] { return Ended(OpenCommand(path)); });
}

Resumable<bool> TaskPanel::OpenCommand(std::optional<std::string> path) {
  std::vector<std::string> picked;
  if (!path) {
    const FileDialogOptions options{std::string(kTaskFilter), 1, "AUFGABE", dialogDir, {}, true};
    const Reply reply = co_await s_.asking.OpenFile(options);
    if (!reply.text) co_return false;
    // The page answers with every file picked, one a line; which of them is the task is
    // decided as for grading, so that an .mpd picked alone is not read as a task.
    picked = SplitLines(*reply.text);
    std::vector<std::string> tasks = PickedTaskFiles(picked);
    // A single file chosen is the task whatever its name (a cases file may have any), unless
    // it is plainly a micro-program or a memory.
    if (tasks.empty() && picked.size() == 1 && ExtIndex(picked[0], kMpsExtensions) < 0 &&
        ExtIndex(picked[0], kRamExtensions) < 0) {
      tasks = picked;
    }
    if (tasks.empty()) {
      s_.frontend.ShowError(
          "Unter den gewählten Dateien ist keine Aufgabe (.aufgabe) und keine Fälle-Datei "
          "(.txt); es wurde nichts geladen. Wählen Sie die Aufgabe zusammen mit ihren "
          "Startdateien.");
      co_return false;
    }
    path = tasks[0];
    std::erase(picked, *path);
  }
  std::string bytes;
  std::vector<std::string> mps;
  std::vector<std::string> ram;
  std::optional<Task> task = ReadTaskFile(*path, picked, bytes, mps, ram);
  if (!task) co_return false;
  dialogDir = DirectoryOf(*path);
  if (!co_await s_.files.LoadFilesCommand(std::move(mps), std::move(ram))) co_return false;
  ShowTask(std::move(*task), FileNameOf(*path), std::move(bytes));
  co_return true;
}

std::optional<Task> TaskPanel::ReadTaskFile(const std::string& path,
                                            const std::vector<std::string>& picked,
                                            std::string& bytes, std::vector<std::string>& mps,
                                            std::vector<std::string>& ram) {
  const std::string name = "„" + FileNameOf(path) + "“";
  if (const FileStatus read = ReadWholeFile(path, bytes); !read.ok()) {
    s_.frontend.ShowError(read.error);
    return std::nullopt;
  }
  if (LooksLikeUtf16(bytes)) {
    s_.frontend.ShowError(SavedAsUtf16Message(name));
    return std::nullopt;
  }
  Task task = ReadTask(EditorText(bytes));
  if (!task.errors.empty()) {
    std::string message = name + " ist keine gültige Aufgabe; es wurde nichts geladen.";
    for (const std::string& error : task.errors) message += "\n" + error;
    s_.frontend.ShowError(message);
    return std::nullopt;
  }
  if (!task.mps.empty()) mps.push_back(StartFile(path, task.mps, picked));
  if (!task.ram.empty()) ram.push_back(StartFile(path, task.ram, picked));
  // A start file that would not load is found before anything of the work is replaced.
  if (const auto why = WhyFilesWouldNotLoad(mps, ram)) {
    s_.frontend.ShowError("Die Startdateien der Aufgabe " + name +
                          " lassen sich nicht laden; es wurde nichts geladen.\n" + *why);
    return std::nullopt;
  }
  return task;
}

void TaskPanel::ShowTask(Task task, std::string fileName, std::string bytes) {
  check_.Reset();
  task_ = std::move(task);
  fileName_ = std::move(fileName);
  fileBytes_ = std::move(bytes);
  shown_ = true;
  // "Aufgabe prüfen" can be chosen now.
  s_.frontend.Invalidate(kRedrawTask | kRedrawMenus);
}

void TaskPanel::PruefenClick() {
  if (!task_) return;
  shown_ = true;
  check_.Start(s_, *task_);
  Changed();
}

bool TaskPanel::Advance(int ticks) {
  if (!check_.Running()) return false;
  const size_t before = check_.Results().size();
  const bool more = check_.Advance(ticks);
  if (check_.Results().size() != before || !more) Changed();
  return more;
}

void TaskPanel::Close() {
  shown_ = false;
  Changed();
}

void TaskPanel::Changed() {
  s_.frontend.Invalidate(kRedrawTask);
}

TaskPanelView TaskPanel::View() const {
  TaskPanelView v;
  v.shown = shown_ && task_.has_value();
  v.caption = kCaption;
  v.button = kButton;
  v.buttonHint = "Führt jeden Fall der Aufgabe auf einer Kopie deiner Arbeit aus (" +
                 std::string(kCheckKey) + "); deine Arbeit bleibt, wie sie ist.";
  v.columns = {"Fall", "Ergebnis", "Erster Unterschied", "ALU-Takte"};
  if (!task_) return v;
  v.title = task_->title.empty() ? fileName_ : task_->title;
  v.paragraphs = task_->paragraphs;
  int passed = 0;
  for (const CaseCheck& c : check_.Results()) {
    passed += c.difference ? 0 : 1;
    v.rows.push_back({c.name, std::string(c.difference ? kFailed : kPassed),
                      c.difference.value_or(""), std::to_string(c.clocks)});
  }
  const size_t cases = task_->cases.size();
  v.checking = check_.Running();
  if (v.checking) {
    v.status =
        "Prüfe Fall " + std::to_string(v.rows.size() + 1) + " von " + std::to_string(cases) + " …";
  } else if (v.rows.empty()) {
    v.status = std::to_string(cases) + (cases == 1 ? " Fall" : " Fälle") + ", noch nicht geprüft.";
  } else {
    v.status = std::to_string(passed) + " von " + std::to_string(cases) +
               (cases == 1 ? " Fall" : " Fällen") + " bestanden.";
  }
  return v;
}

std::string TaskPanel::ViewJson() const {
  const TaskPanelView v = View();
  Json j;
  j.Open('{').Key("shown").Bool(v.shown).Key("caption").Str(v.caption);
  j.Key("title").Str(v.title).Key("paragraphs").Open('[');
  for (const std::string& p : v.paragraphs) j.Str(p);
  j.Close(']').Key("button").Str(v.button).Key("buttonHint").Str(v.buttonHint);
  j.Key("columns").Open('[');
  for (const std::string& c : v.columns) j.Str(c);
  j.Close(']').Key("rows").Open('[');
  for (const auto& row : v.rows) {
    j.Open('[');
    for (const std::string& cell : row) j.Str(cell);
    j.Close(']');
  }
  j.Close(']').Key("status").Str(v.status).Key("checking").Bool(v.checking);
  j.Close('}');
  return j.Take();
}

std::string TaskPanel::TableText() const {
  const TaskPanelView v = View();
  const auto line = [](const std::array<std::string, 4>& cells) {
    return cells[0] + "\t" + cells[1] + "\t" + cells[2] + "\t" + cells[3] + "\n";
  };
  std::string text = line(v.columns);
  for (const auto& row : v.rows) text += line(row);
  return text + v.status + "\n";
}

}  // namespace vellar
