#include "app/session.h"

#include "app/command_line.h"
#include "app/task_panel.h"
#include "core/file_io.h"

namespace vellar {

Session::Session(Frontend& fe) : SessionGrids(fe) {
  mps.SetListener(this);
  history.SetRegisterFields(&registers);
  history.SetRunHistory(&runHistory);
}

Session::~Session() {
  mps.SetListener(nullptr);
}

TaskPanel& Session::Task() {
  if (!task_) task_ = std::make_unique<TaskPanel>(*this);
  return *task_;
}

void Session::FormCreate(const std::vector<std::string>& args) {
  flags.GatesAutomatic = false;
  ramGrid.SetAssemblerView(false);
  memory.ClearRam();
  mps.ClearMps();
  mpsGrid.ResetLayout();
  flags.ShowBus = flags.ShowCursors = flags.ShowRegisters = true;
  for (int g = 0; g < kGateCount; ++g) {
    machine.ConflictMask[g] = kConflictTable[g];
    gates.SetGate(g, true);
    gates.SetGate(g, false);
  }
  picture.SetBusLines(8);
  variables.Clear();
  history.Loaded(true, true);
  // The data view and an empty inspector.
  frontend.Invalidate(kRedrawLayout);
  ReadCommandLine(args);
}

void Session::ReadCommandLine(const std::vector<std::string>& args) {
  menu.MeBus_8 = menu.MeKonfl = menu.MePfeil = menu.MeTorKz = true;
  mps.SetUseGateNumbers(true);
  const CommandLine cl = ParseCommandLine(args);
  // The slider takes its place before anything runs its handler: a start at an unpaced level
  // must not leave the half-second interval of the slider's resting place behind, which the
  // bus-clock button would then use instead of 10 ms.
  run.SetSliderPosition(SliderPositionForSpeed(cl.speed));
  std::string baseDir = WorkingDirectory();
  files.mpsDialogDir = files.ramDialogDir = baseDir;
  for (const CommandLineStep& step : cl.steps) {
    switch (step.toggle) {
      case 'B':
        MeBus_8Click();
        break;
      case 'K':
        MeKonflClick();
        break;
      case 'P':
        MePfeilClick();
        break;
      case 'T':
        MeTorKzClick();
        break;
      default:
        LoadCommandLineFile(step.file, baseDir);
        break;
    }
  }
  flags.GatesAutomatic = false;
  run.RaTorClick();
  commandLineStartPending_ = cl.start;
  if (!deferCommandLineStart) StartCommandLineRun();
}

void Session::StartCommandLineRun() {
  if (!commandLineStartPending_) return;
  commandLineStartPending_ = false;
  run.SetGatesAutomatic(true);
  run.SetClockMode(ClockMode::UntilHalt);
  run.RaTaktClick();
  run.BuTaktClick(RunButton::BuBisHalt);
}

void Session::LoadCommandLineFile(const std::string& name, std::string& baseDir) {
  std::string path = name;
  if (!IsAbsolutePath(name)) {
    path = baseDir + name;
  } else if (baseDir == WorkingDirectory()) {
    baseDir = DirectoryOf(name);
  }
  if (!IsRegularFile(path)) return;
  if (ExtIndex(path, kRamExtensions) >= 0) {
    files.LoadRamFile(path);
    files.ramDialogDir = DirectoryOf(path);
  } else if (ExtIndex(path, kMpsExtensions) >= 0) {
    files.LoadMpsFile(path);
    files.mpsDialogDir = DirectoryOf(path);
  } else if (ExtIndex(path, kTaskExtensions) >= 0) {
    // Its start files as its command loads them, asking about what came before it.
    Task().OpenTaskFile(path);
  }
}

void Session::MeBus_8Click() {
  menu.MeBus_8 = !menu.MeBus_8;
  picture.SetBusLines(menu.MeBus_8 ? 8 : 1);
  picture.FullRepaint();
  frontend.Invalidate(kRedrawMenus);
}

void Session::MePfeilClick() {
  menu.MePfeil = !menu.MePfeil;
  picture.FullRepaint();
  frontend.Invalidate(kRedrawMenus);
}

void Session::MeKonflClick() {
  menu.MeKonfl = !menu.MeKonfl;
  gates.SetGreyConflicts(!flags.GatesAutomatic && menu.MeKonfl);
  frontend.Invalidate(kRedrawMenus);
}

void Session::MeTorKzClick() {
  menu.MeTorKz = !menu.MeTorKz;
  mps.SetUseGateNumbers(menu.MeTorKz);
  // Redrawn through SetMpsGate, which also marks the store as modified when a gate is set.
  for (int a = 0; a < MpsStore::kRows; ++a) {
    for (int g = 0; g < kGateCount; ++g) {
      if (mps.GetMpsGate(g, a)) mps.SetMpsGate(g, a, true);
    }
  }
  frontend.Invalidate(kRedrawMenus | kRedrawMpsGrid);
}

void Session::TorClick(int gate) {
  run.TorClick(gate);
}

void Session::MpsChanged() {
  // The past ran on the micro-program as it was.
  runHistory.Invalidate();
  frontend.Invalidate(kRedrawMpsGrid);
}

void Session::ToggleBreakpointHere() {
  const int address = ramEditing.Entered() ? ramEditing.RowAddress(ramGrid.current.row) : -1;
  if (address >= 0) {
    breakpoints.ToggleRam(address);
  } else if (mpsGrid.current.row >= 1) {
    breakpoints.ToggleMps(mpsGrid.current.row - 1);
  }
  frontend.Invalidate(kRedrawMpsGrid | kRedrawRamGrid);
}

void Session::ClearBreakpoints() {
  breakpoints.ClearAll();
  frontend.Invalidate(kRedrawMpsGrid | kRedrawRamGrid);
}

bool Session::SetConditions(std::string_view text) {
  const auto message = breakpoints.SetConditions(text);
  if (message) frontend.ShowMessage(*message);
  return !message;
}

void Session::ListBreakpoints() {
  if (breakpoints.Empty()) {
    frontend.ShowMessage("Es sind keine Haltepunkte und keine Bedingungen gesetzt.", "Haltepunkte");
    return;
  }
  asking.Start([this] { return AskClearingBreakpoints(); });
}

Resumable<> Session::AskClearingBreakpoints() {
  std::string text = "Haltepunkte und Bedingungen:\n";
  for (const std::string& line : breakpoints.List()) text += "  " + line + "\n";
  const Reply reply = co_await asking.YesNo(text + "\nAlle löschen ?");
  if (reply.answer == Answer::Yes) ClearBreakpoints();
}

void Session::MeStatistikClick() {
  breakpoints.SetHeatShown(!breakpoints.HeatShown());
  frontend.Invalidate(kRedrawMpsGrid | kRedrawMenus);
}

void Session::ShowStatisticsSummary() {
  std::string text;
  for (const std::string& line : breakpoints.SummaryLines(mps)) text += line + "\n";
  frontend.ShowMessage(text, "Statistik");
}

void Session::ResetStatistics() {
  breakpoints.ResetStats();
  frontend.Invalidate(kRedrawMpsGrid);
}

void Session::MeConditionsClick() {
  asking.Start([this] { return AskConditions(); });
}

Resumable<> Session::AskConditions() {
  std::string text = breakpoints.ConditionsText();
  for (;;) {
    const Reply reply = co_await asking.Text("Bedingungen", std::string(kConditionsPrompt), text);
    if (reply.answer != Answer::Yes || !reply.text || SetConditions(*reply.text)) co_return;
    // Asked again with the text as typed, so that mending a typo does not mean typing it all.
    text = *reply.text;
  }
}

}  // namespace vellar
