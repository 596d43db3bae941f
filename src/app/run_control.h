#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/clock_phases.h"
#include "app/control_flags.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/run_history.h"
#include "mps/mps_grid.h"
#include "ram/ram_grid.h"

// The control strip: gate control, the hidden clock-mode selector, the run buttons, the
// clock-time slider and the timer that paces a run. An unpaced run is performed inside the
// button's handler, which lets the window handle its events between the phases.
namespace vellar {

enum class RunButton { BuReset, BuPhase, Bu2Phasen, BuTakt, BuPause, BuBefehl, BuBisHalt };
inline constexpr int kRunButtonCount = 7;

// Items of the hidden radio group RaTakt.
enum ClockModes : int { kBusClock = 0, kAluClock = 1, kOneInstruction = 2, kUntilHalt = 3 };

// Why the last run ended.
enum class StopReason { None, Halt, ModeEnd, Limit, Pause };

class RunControl {
 public:
  static constexpr int kMinPosition = -3;
  static constexpr int kMaxPosition = 13;

  struct Parts {
    ClockPhases& phases;
    GateControl& gates;
    DataPathPicture& picture;
    Machine& machine;
    ControlFlags& flags;
    MpsGrid& mpsGrid;
    RamGrid& ramGrid;
    const bool& conflictOption;  // the check mark of "MPS auf &Konflike prüfen"
    RunHistory& history;
    Frontend& frontend;
  };

  explicit RunControl(const Parts& parts);

  // RaTor: selecting another item runs RaTorClick; selecting the current one runs nothing.
  bool GatesAutomatic() const { return p_.flags.GatesAutomatic; }
  void SetGatesAutomatic(bool automatic);
  // A click on a gate button, or Ctrl with a hex digit: manual gate control, then the gate.
  void TorClick(int gate);
  void RaTorClick();

  // RaTakt: two items under manual gate control, four under automatic.
  int ClockMode() const { return clockMode_; }
  int ClockModeItems() const { return clockModeItems_; }
  void SetClockMode(int mode);
  void RaTaktClick();

  // TrZeit and LaZeit.
  int SliderPosition() const { return position_; }
  void SetSliderPosition(int position);
  void TrZeitChange();
  std::string LabelText() const { return LabelText(position_); }
  // The window passes the system's decimal separator; "0,5" on a German system.
  static std::string LabelText(int position, std::string_view decimalSeparator = ",");
  // Clock time in milliseconds of positions 1 to 13, 0 for the others.
  static int ClockTime(int position);
  bool TimerPaced() const { return position_ > 0; }

  bool TimerEnabled() const { return timerEnabled_; }
  int TimerInterval() const { return timerInterval_; }

  void EnableButtons();
  bool ButtonVisible(RunButton button) const { return visible_[static_cast<int>(button)]; }

  // The run buttons. BuTaktClick serves BuBefehl, BuBisHalt and, with no button, the space bar.
  void BuPhaseClick();
  void Bu2PhasenClick();
  void BuTaktClick(std::optional<RunButton> button);
  // A click on one of the control strip's buttons: the two ALU-clock buttons share one handler,
  // so do the instruction and the halt button.
  void ButtonClick(RunButton button);
  void BuStoppClick();
  void TimerTimer();
  // Reset: registers 0, run ended, gate control re-established, row 0 current.
  void MeClrRegClick();
  // The end of a run (the clock phases' part, then the buttons).
  void EndRun();
  // A run is going on: on the timer, or unpaced inside a handler further down the stack.
  bool Running() const { return timerEnabled_ || unpacedLoop_; }
  // After a step back has put the machine of a past moment in place: the window shows that
  // moment as the step that ended there left it.
  void ShowPastMoment(RunHistory::Finish finish);

  bool StopRequested() const { return stopRequested_; }
  // A run of clock mode 1 to 3 is under way and has not reached its end yet.
  bool RunGoingOn() const;
  bool InputPhaseNext() const { return inputPhaseNext_; }
  bool BusPhaseInput() const { return busPhaseInput_; }

  // For headless runs: a run is also ended after this many ALU clocks (0: no limit).
  void SetClockLimit(uint64_t clocks) { clockLimit_ = clocks; }
  // ALU clocks (input phases of a run) since the last run start.
  uint64_t ClocksThisRun() const { return clocksThisRun_; }
  StopReason LastStopReason() const { return stopReason_; }

 private:
  void SetTimerEnabled(bool enabled);
  void StartRun();
  void CompletePendingClock();
  void RunUnpaced();
  // True when nothing is shown between the phases, so that whole clocks can run bare.
  bool RunsBare() const;
  // A stretch of whole clocks run bare, then the checks and the events of one tick.
  void RunBareStretch();
  void OutputPhase();
  void InputPhase();
  void RecordOutput();
  // The bus-clock tick after an output phase.
  void CloseOutputGates();
  bool RunIsOver() const;
  // In the modes 1 Befehl and bis Halt: a clock that ends on this row or below ends the run.
  int EndRow() const;

  Parts p_;
  int clockMode_ = kAluClock;
  int clockModeItems_ = 2;
  int position_ = 8;
  bool timerEnabled_ = false;
  int timerInterval_ = 10;
  bool stopRequested_ = false;
  bool inputPhaseNext_ = true;
  bool busPhaseInput_ = false;
  // An output phase of this run whose input phase has not been performed yet.
  bool inputPending_ = false;
  bool unpacedLoop_ = false;  // RunUnpaced is on the stack
  std::array<bool, kRunButtonCount> visible_{};
  int buttonsShownFor_ = -1;  // the gate control the visible buttons belong to
  uint64_t clockLimit_ = 0;
  uint64_t clocksThisRun_ = 0;
  StopReason stopReason_ = StopReason::None;
};

}  // namespace vellar
