#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/asking.h"
#include "app/breakpoints.h"
#include "app/clock_phases.h"
#include "app/control_flags.h"
#include "app/data_path.h"
#include "app/edit_history.h"
#include "app/file_commands.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/grids.h"
#include "app/key_hook.h"
#include "app/memory.h"
#include "app/menu_options.h"
#include "app/mps_editor.h"
#include "app/ram_editor.h"
#include "app/ram_view.h"
#include "app/register_fields.h"
#include "app/run_control.h"
#include "app/run_history.h"
#include "app/step_back.h"
#include "app/touch_layout.h"
#include "app/variable_inspector.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// Everything the main window owns, without the window: the machine, the stores, the grids'
// models and the handlers of every control. The window shows these parts and forwards the
// user's events to the handlers; it decides nothing itself.
namespace vellar {

// The rule: a new part goes into the lowest layer above every part it names; a part never names
// one of its own or a higher layer (the compiler refuses a higher one); the frontends talk to
// the top, `Session`, and the parts it hands them.
//
// Why layers: each layer derives from the one below it. Members of
// one class are built in the order they are declared, so with all parts in one class a moved
// line could hand a part one that is not built yet, and nothing would say so. A base class is
// always built before the class that derives from it, and it cannot name its derived class's
// members: a part that names a part of a higher layer does not compile. No part names one of
// its own layer (that the compiler would not catch), so the order within a layer does not
// matter.

// Layer 1: the frontend and the plain state; nothing here names another part.
struct SessionStores {
  explicit SessionStores(Frontend& fe) : frontend(fe) {}
  SessionStores(const SessionStores&) = delete;
  SessionStores& operator=(const SessionStores&) = delete;

  Frontend& frontend;
  Asking asking{frontend};
  Machine machine;
  MenuOptions menu;
  ControlFlags flags;
  MpsStore mps;
  MpsGrid mpsGrid;
  VariableList variables;
  Breakpoints breakpoints;
};

// Layer 2: what shows the stores, and the past of runs kept beside them.
struct SessionViews : SessionStores {
  using SessionStores::SessionStores;
  RamGrid ramGrid{mps};
  GateControl gates{machine, flags, frontend};
  DataPathPicture picture{machine, frontend};
  RunHistory runHistory{mps, machine};
};

// Layer 3: memory access and the RAM view switch.
struct SessionMemory : SessionViews {
  using SessionViews::SessionViews;
  Memory memory{machine, ramGrid, variables, frontend};
  RamView ramView{ramGrid, machine, variables, frontend};
};

// Layer 4: the history of hand edits, which every editor below records into.
struct SessionEdits : SessionMemory {
  using SessionMemory::SessionMemory;
  EditHistory history{{mps, mpsGrid, ramGrid, variables, machine, memory, frontend}};
};

// Layer 5: the fields and grids the user types into.
struct SessionFields : SessionEdits {
  using SessionEdits::SessionEdits;
  RegisterFields registers{machine, flags, frontend, memory, history};
  RamEditor ramEditor{{machine, memory, ramGrid, ramView, mps, flags, history, frontend}};
  VariableInspector inspector{
      {variables, memory, machine, ramGrid, menu, flags, history, frontend}};
};

// Layer 6: the clock phases.
struct SessionClock : SessionFields {
  using SessionFields::SessionFields;
  ClockPhases phases{
      {machine, mps, mpsGrid, gates, flags, memory, registers, picture, frontend, breakpoints}};
};

// Layer 7: run control.
struct SessionRun : SessionClock {
  using SessionClock::SessionClock;
  RunControl run{{phases, gates, picture, machine, flags, mpsGrid, ramGrid, menu.MeKonfl,
                  runHistory, frontend, breakpoints}};
};

// Layer 8: the commands that stop, rewind or reset a run: stepping back, MPS editing, files.
struct SessionCommands : SessionRun {
  using SessionRun::SessionRun;
  StepBack stepBack{
      {runHistory, run, phases, machine, gates, registers, memory, ramGrid, flags, frontend}};
  MpsEditor mpsEditor{
      {mps, mpsGrid, gates, run, phases, machine, ramGrid, flags, history, frontend}};
  FileCommands files{{mps, mpsGrid, ramGrid, memory, variables, machine, menu, run, ramView,
                      history, asking, frontend}};
};

// Layer 9: the key hook, which reaches the editors, the run control and stepping back.
struct SessionKeys : SessionCommands {
  using SessionCommands::SessionCommands;
  KeyHook keys{{mpsEditor, ramEditor, run, stepBack, flags, frontend}};
};

// Layer 10: what the user does to the three grids, for the window and the page alike.
struct SessionGrids : SessionKeys {
  using SessionKeys::SessionKeys;
  MpsGridEditing mpsEditing{mps, mpsGrid, mpsEditor, breakpoints};
  RamGridEditing ramEditing{ramGrid, ramEditor, inspector, breakpoints};
  InspectorGridEditing inspectorEditing{inspector};
  TouchLayout touchLayout{mpsEditing, ramEditing, inspectorEditing, frontend};
};

class TaskPanel;

class Session : public SessionGrids, private MpsStoreListener {
 public:
  explicit Session(Frontend& frontend);
  ~Session() override;

  // The window's creation: machines, grids and buttons in their first state, then the
  // program's arguments.
  void FormCreate(const std::vector<std::string>& args = {});
  void ReadCommandLine(const std::vector<std::string>& args);

  // The window sets this before FormCreate and starts the run that /S asks for only once it
  // is shown: an endless program at an unpaced level would otherwise run before there is a
  // window to pause it in.
  bool deferCommandLineStart = false;
  // Starts the run until halt that /S asked for, if FormCreate deferred it; nothing otherwise.
  void StartCommandLineRun();

  // Check-mark items of the "&Ansicht" menu.
  void MeBus_8Click();
  void MeKonflClick();
  void MePfeilClick();
  void MeTorKzClick();

  // A click on a gate button, or Ctrl with a hex digit.
  void TorClick(int gate);

  // Menu "Haltepunkte". F8: a breakpoint on the current row of the RAM grid while it has the
  // focus, else on the current row of the MPS grid; set, or cleared where one stands.
  static constexpr std::string_view kBreakpointKey = "F8";
  void ToggleBreakpointHere();
  void ClearBreakpoints();
  // The conditions as typed in their dialog; false, after a German message, for a text that
  // holds an item that is no condition (nothing is taken then).
  bool SetConditions(std::string_view text);
  static constexpr std::string_view kConditionsPrompt =
      "Der Lauf hält, sobald eine Bedingung wahr wird (etwa AX=00 [F0]≠7F):";
  // "Haltepunkte auflisten …": the breakpoints and conditions, with the question whether to
  // clear them all.
  void ListBreakpoints();
  // Ansicht → "Statistik" (the heat map beside the MPS grid), its summary and its reset.
  void MeStatistikClick();
  void ShowStatisticsSummary();
  void ResetStatistics();
  // "Bedingungen …": asks for the conditions until a text is taken or the dialog is cancelled.
  void MeConditionsClick();
  // The line the "Hinweis" box shows: why the last run stopped, when a breakpoint or a
  // condition stopped it; empty otherwise.
  const std::string& StopHint() const { return run.StopText(); }

  // The task the student works on, its panel and its check (task_panel.h); made when first
  // asked for, so that the sessions a check or grade runs its cases on carry none.
  TaskPanel& Task();

 private:
  void MpsChanged() override;
  Resumable<> AskConditions();
  Resumable<> AskClearingBreakpoints();
  // Loads a file named on the command line; a missing file or one of another kind is skipped.
  // A relative name is taken in baseDir; the first absolute one moves baseDir to its folder.
  void LoadCommandLineFile(const std::string& name, std::string& baseDir);

  bool commandLineStartPending_ = false;
  std::unique_ptr<TaskPanel> task_;
};

}  // namespace vellar
