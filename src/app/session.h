#pragma once

#include <string>
#include <vector>

#include "app/clock_phases.h"
#include "app/control_flags.h"
#include "app/data_path.h"
#include "app/edit_history.h"
#include "app/file_commands.h"
#include "app/frontend.h"
#include "app/gate_control.h"
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
#include "app/variable_inspector.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// Everything the main window owns, without the window: the machine, the stores, the grids'
// models and the handlers of every control. The window shows these members and forwards the
// user's events to the handlers; it decides nothing itself.
namespace vellar {

class Session : private MpsStoreListener {
 public:
  explicit Session(Frontend& frontend);
  ~Session() override;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

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

  Frontend& frontend;
  Machine machine;
  MenuOptions menu;
  ControlFlags flags;
  MpsStore mps;
  MpsGrid mpsGrid;
  RamGrid ramGrid{mps};
  VariableList variables;
  GateControl gates{machine, flags, frontend};
  Memory memory{machine, ramGrid, variables, frontend};
  EditHistory history{{mps, mpsGrid, ramGrid, variables, machine, memory, frontend}};
  RegisterFields registers{machine, flags, frontend, memory, history};
  DataPathPicture picture{machine, frontend};
  ClockPhases phases{{machine, mps, mpsGrid, gates, flags, memory, registers, picture, frontend}};
  RunHistory runHistory{mps, machine};
  RunControl run{{phases, gates, picture, machine, flags, mpsGrid, ramGrid, menu.MeKonfl,
                  runHistory, frontend}};
  StepBack stepBack{
      {runHistory, run, phases, machine, gates, registers, memory, ramGrid, flags, frontend}};
  MpsEditor mpsEditor{
      {mps, mpsGrid, gates, run, phases, machine, ramGrid, flags, history, frontend}};
  RamView ramView{ramGrid, machine, variables, frontend};
  RamEditor ramEditor{{machine, memory, ramGrid, ramView, mps, flags, history, frontend}};
  VariableInspector inspector{
      {variables, memory, machine, ramGrid, menu, flags, history, frontend}};
  FileCommands files{
      {mps, mpsGrid, ramGrid, memory, variables, machine, menu, run, ramView, history, frontend}};
  KeyHook keys{*this};

 private:
  void MpsChanged() override;
  // Loads a file named on the command line; a missing file or one of another kind is skipped.
  // A relative name is taken in baseDir; the first absolute one moves baseDir to its folder.
  void LoadCommandLineFile(const std::string& name, std::string& baseDir);

  bool commandLineStartPending_ = false;
};

}  // namespace vellar
