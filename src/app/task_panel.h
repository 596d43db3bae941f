#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/frontend.h"
#include "app/resumable.h"
#include "app/task_check.h"
#include "app/task_file.h"

// The "Aufgabe" panel: the task the student works on, its text, and the check of the work
// against its cases. Both frontends show what View gives and forward the panel's button; they
// drive a check in slices (Advance) whenever the panel says it is checking, as they drive an
// unpaced run, so that neither freezes.
namespace vellar {

class Session;

inline constexpr std::array<std::string_view, 1> kTaskExtensions = {"AUFGABE"};
inline constexpr std::string_view kTaskFilter = "VellarD-Aufgabe (*.aufgabe)|*.aufgabe";

// What the panel shows, every text as it stands; the frontends only draw it.
struct TaskPanelView {
  bool shown = false;
  std::string caption;  // "Aufgabe"
  std::string title;
  std::vector<std::string> paragraphs;
  std::string button;      // "Prüfen"
  std::string buttonHint;  // what it does, with its key
  std::array<std::string, 4> columns;
  // Per checked case: its name, ✓ or ✗, the first difference (or the clock limit reached),
  // and the ALU clocks.
  std::vector<std::array<std::string, 4>> rows;
  std::string status;  // what the check has come to
  bool checking = false;
};

class TaskPanel {
 public:
  static constexpr std::string_view kCheckKey = "F7";

  explicit TaskPanel(Session& session) : s_(session) {}

  // Datei → "Aufgabe öffnen…": a task is picked, its start files are loaded by the load
  // commands (asking about unsaved work as they do), and the panel shows it. A faulty task, or
  // one whose start files would not load, gets its German message and loads nothing.
  void MeAufgabeClick();
  // The same for a task the frontend names itself (the command line, the page's examples).
  void OpenTaskFile(const std::string& path);
  // A task whose start files came another way (a link): shown as it is.
  void ShowTask(Task task, std::string fileName, std::string bytes);
  bool HasTask() const { return task_.has_value(); }
  const std::optional<Task>& CurrentTask() const { return task_; }
  const std::string& TaskFileName() const { return fileName_; }
  const std::string& TaskFileBytes() const { return fileBytes_; }

  // "Prüfen": every case on a copy of the work as it is now; a check going on starts anew.
  void PruefenClick();
  // One slice of the check, at most this many ticks; true while cases remain.
  bool Advance(int ticks);
  bool Checking() const { return check_.Running(); }

  // The panel closed by the user; "Aufgabe öffnen…" or "Prüfen" shows it again.
  void Close();
  bool Shown() const { return shown_; }

  // The folder the task dialog starts in: the last task's.
  std::string dialogDir;

  TaskPanelView View() const;
  // The view as JSON for the page.
  std::string ViewJson() const;
  // The table as text: the columns and each row, cells separated by tabs, then the status;
  // for a spreadsheet and for scripts that read what the window shows.
  std::string TableText() const;

 private:
  // The command of the two above: true once the task is shown.
  Resumable<bool> OpenCommand(std::optional<std::string> path);
  // The task file read, and its start files found (among the files picked with it, else
  // beside it) and loadable; none after its message.
  std::optional<Task> ReadTaskFile(const std::string& path, const std::vector<std::string>& picked,
                                   std::string& bytes, std::vector<std::string>& mps,
                                   std::vector<std::string>& ram);
  void Changed();

  Session& s_;
  std::optional<Task> task_;
  std::string fileName_;
  std::string fileBytes_;  // as the teacher wrote it, for a link
  TaskCheck check_;
  bool shown_ = false;
};

}  // namespace vellar
