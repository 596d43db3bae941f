#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/breakpoints.h"
#include "app/clock_mode.h"
#include "app/clock_phases.h"
#include "app/control_flags.h"
#include "app/frontend.h"
#include "app/gate_control.h"
#include "app/run_history.h"
#include "mps/mps_grid.h"
#include "ram/ram_grid.h"

// The control strip: gate control, the hidden clock-mode selector, the run buttons, the
// clock-time slider and the timer that paces a run. An unpaced run does not run inside the
// button's handler: the handler starts it, and the frontend then asks for it in slices
// (Advance) from its own event loop, so that a click, a key or Pause is an ordinary command
// between two slices.
namespace vellar {

enum class RunButton { BuReset, BuPhase, Bu2Phasen, BuTakt, BuPause, BuBefehl, BuBisHalt };
inline constexpr int kRunButtonCount = 7;

// Why the last run ended.
enum class StopReason { None, Halt, ModeEnd, Limit, Pause, Break };

// What drives the run now.
enum class RunPace : uint8_t {
  Idle,    // nothing: the timer is off and no slices are asked for
  Timer,   // the timer: a paced run, or the tick that finishes a bus phase
  Slices,  // the frontend, slice by slice: an unpaced run
};

// What the next tick does (in bus-clock mode: what the next press of ">" does).
enum class NextStep : uint8_t {
  Output,        // an output phase
  Input,         // an input phase on its own (after a change of clock mode or a reset)
  InputOfClock,  // the input phase of the clock whose output phase has been performed
  End,           // the run has reached its end or was paused: EndRun
  InputThenEnd,  // paused between the two phases of a clock: complete it, then EndRun
};

// The run's state as one value.
struct RunState {
  RunPace pace = RunPace::Idle;
  NextStep next = NextStep::Input;
};

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
    Breakpoints& breakpoints;
  };

  explicit RunControl(const Parts& parts);

  // RaTor: selecting another item runs RaTorClick; selecting the current one runs nothing.
  bool GatesAutomatic() const { return p_.flags.GatesAutomatic; }
  void SetGatesAutomatic(bool automatic);
  // A click on a gate button, or Ctrl with a hex digit: manual gate control, then the gate.
  void TorClick(int gate);
  void RaTorClick();

  // RaTakt: two items under manual gate control, four under automatic.
  ClockMode Mode() const { return mode_; }
  int ClockModeItems() const { return GatesAutomatic() ? kClockModeCount : 2; }
  void SetClockMode(ClockMode mode);
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

  bool TimerEnabled() const { return state_.pace == RunPace::Timer; }
  int TimerInterval() const { return timerInterval_; }

  void EnableButtons();
  // The buttons of the current gate control are shown; none is ever disabled.
  bool ButtonVisible(RunButton button) const;

  // The run buttons. BuTaktClick serves BuBefehl, BuBisHalt and, with no button, the space bar.
  void BuPhaseClick();
  void Bu2PhasenClick();
  void BuTaktClick(std::optional<RunButton> button);
  // A click on one of the control strip's buttons: the two ALU-clock buttons share one handler,
  // so do the instruction and the halt button.
  void ButtonClick(RunButton button);
  void BuStoppClick();
  void TimerTimer();
  // One slice of an unpaced run: at most this many ticks, a stretch of whole clocks run bare
  // counting as one. True while the run wants further slices.
  bool Advance(int ticks);
  // For the tools without an event loop: the slices one after the other until the run ends.
  void RunToEnd();
  // Reset: registers 0, run ended, gate control re-established, row 0 current.
  void MeClrRegClick();
  // The end of a run (the clock phases' part, then the buttons).
  void EndRun();
  RunState State() const { return state_; }
  // A run is going on: on the timer, or in slices.
  bool Running() const { return state_.pace != RunPace::Idle; }
  // After a step back has put the machine of a past moment in place: the window shows that
  // moment as the step that ended there left it.
  void ShowPastMoment(RunHistory::Finish finish);

  bool StopRequested() const;
  // A run of clock mode 1 to 3 is under way and has not reached its end yet.
  bool RunGoingOn() const;
  bool InputPhaseNext() const;
  // Bus-clock mode: the next press of ">" performs the input phase.
  bool BusPhaseInput() const;

  // For headless runs: a run is also ended after this many ALU clocks (0: no limit).
  void SetClockLimit(uint64_t clocks) { clockLimit_ = clocks; }
  // ALU clocks (input phases of a run) since the last run start.
  uint64_t ClocksThisRun() const { return clocksThisRun_; }
  StopReason LastStopReason() const { return stopReason_; }
  // Why the last run stopped at a breakpoint or a condition ("Haltepunkt MPS 5E"); empty when
  // it did not.
  const std::string& StopText() const { return stopText_; }

 private:
  void SetPace(RunPace pace);
  // The one start of a run of clock mode 1 to 3, from every button and the space bar.
  void StartRun(std::optional<ClockMode> mode);
  void Tick();
  // The rule for why a run stops, after each of its ALU clocks: its end, a breakpoint or
  // condition, or the limit.
  void StopIfOver(bool ended, const StopHit& hit = {});
  // True when nothing is shown between the phases, so that whole clocks can run bare.
  bool RunsBare() const;
  void RunBareStretch();
  void OutputPhase();
  void InputPhase();
  void RecordOutput();
  // The bus-clock tick after an output phase.
  void CloseOutputGates();
  // A clock whose output phase was performed is no longer pending: reset, a past moment.
  void DropPendingClock();
  // In the modes 1 Befehl and bis Halt: a clock that ends on this row or below ends the run.
  int EndRow() const;

  Parts p_;
  ClockMode mode_ = ClockMode::AluClock;
  int position_ = 8;
  int timerInterval_ = 10;
  RunState state_;
  uint64_t clockLimit_ = 0;
  uint64_t clocksThisRun_ = 0;
  StopReason stopReason_ = StopReason::None;
  std::string stopText_;
};

}  // namespace vellar
