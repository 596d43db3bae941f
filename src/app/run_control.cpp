#include "app/run_control.h"

#include <algorithm>
#include <string>

#include "core/micro_step.h"

namespace vellar {

namespace {

// ALU clocks run bare between two looks at the window's events: a fraction of a millisecond.
constexpr uint64_t kBareStretch = 1u << 14;

constexpr std::array<int, 14> kClockTimes = {0,   10,  20,   30,   50,   100,  200,
                                             300, 500, 1000, 2000, 3000, 5000, 10000};

constexpr std::array<std::string_view, 4> kUnpacedLabels = {
    "&Zeit:  zu schnell", "&Zeit:  sehr schnell", "&Zeit:  schneller", "&Zeit:  schnell"};

// The clock time in seconds in the shortest form, as %g writes it: 0,01 … 0,5, 1 … 10.
std::string Seconds(int milliseconds, std::string_view decimalSeparator) {
  std::string text = std::to_string(milliseconds / 1000);
  std::string fraction = std::to_string(1000 + milliseconds % 1000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += std::string(decimalSeparator) + fraction;
  return text;
}

}  // namespace

RunControl::RunControl(const Parts& parts) : p_(parts) {}

void RunControl::SetGatesAutomatic(bool automatic) {
  if (p_.flags.GatesAutomatic == automatic) return;
  p_.flags.GatesAutomatic = automatic;
  RaTorClick();
}

void RunControl::TorClick(int gate) {
  if (gate < 0 || gate >= kGateCount) return;
  p_.history.Invalidate();
  SetGatesAutomatic(false);
  p_.gates.ToggleByHand(gate);
}

void RunControl::RaTorClick() {
  const bool automatic = p_.flags.GatesAutomatic;
  p_.phases.CurrentRow = 1;
  p_.history.Invalidate();
  p_.ramGrid.editorAlwaysShown = false;
  if (automatic) p_.mpsGrid.editorAlwaysShown = false;
  p_.gates.SetButtonEnabled(0xF, automatic);
  TrZeitChange();
  p_.gates.SetGreyConflicts(!automatic && p_.conflictOption && p_.flags.ShowBus);
  if (automatic) {
    clockModeItems_ = 4;
    p_.mpsGrid.current = {1, 1};
    p_.mpsGrid.hasSelection = true;
    p_.gates.EnableAllButtons();
    p_.gates.CloseAllGates();
  } else {
    clockModeItems_ = 2;
    if (clockMode_ >= kOneInstruction) clockMode_ = kAluClock;
    p_.mpsGrid.hasSelection = false;
  }
  RaTaktClick();
  p_.frontend.Invalidate(kRedrawMpsGrid | kRedrawRamGrid | kRedrawRunControls);
}

void RunControl::SetClockMode(int mode) {
  if (mode < 0 || mode >= clockModeItems_ || mode == clockMode_) return;
  clockMode_ = mode;
  RaTaktClick();
}

void RunControl::RaTaktClick() {
  busPhaseInput_ = false;
  inputPhaseNext_ = true;
  EnableButtons();
}

void RunControl::SetSliderPosition(int position) {
  position = std::clamp(position, kMinPosition, kMaxPosition);
  if (position == position_) return;
  position_ = position;
  TrZeitChange();
}

void RunControl::TrZeitChange() {
  const bool automatic = p_.flags.GatesAutomatic;
  if (timerEnabled_ && automatic && position_ <= 0) {
    // A timer-paced automatic run cannot be switched to the unpaced levels while it runs.
    SetSliderPosition(1);
    return;
  }
  p_.flags.ShowRegisters = !(position_ == -3 && automatic);
  p_.flags.ShowCursors = !(position_ <= -2 && automatic);
  p_.flags.ShowBus = !(position_ <= -1 && automatic);
  if (TimerPaced() && timerInterval_ != ClockTime(position_)) {
    timerInterval_ = ClockTime(position_);
    if (timerEnabled_) p_.frontend.SetTimer(true, timerInterval_);
  }
  p_.frontend.Invalidate(kRedrawRunControls);
}

std::string RunControl::LabelText(int position, std::string_view decimalSeparator) {
  position = std::clamp(position, kMinPosition, kMaxPosition);
  if (position <= 0)
    return std::string(kUnpacedLabels[static_cast<size_t>(position - kMinPosition)]);
  return "Takt&zeit:  " + Seconds(ClockTime(position), decimalSeparator) + " s";
}

int RunControl::ClockTime(int position) {
  return (position >= 1 && position <= kMaxPosition) ? kClockTimes[position] : 0;
}

void RunControl::EnableButtons() {
  // Called after every phase of a run; the buttons change only with gate control.
  const int automatic = p_.flags.GatesAutomatic ? 1 : 0;
  if (automatic == buttonsShownFor_) return;
  buttonsShownFor_ = automatic;
  visible_ = {
      true,           !automatic, !automatic, bool(automatic), bool(automatic), bool(automatic),
      bool(automatic)};
  p_.frontend.Invalidate(kRedrawRunControls);
}

void RunControl::SetTimerEnabled(bool enabled) {
  if (enabled == timerEnabled_) return;
  timerEnabled_ = enabled;
  p_.frontend.SetTimer(enabled, timerInterval_);
}

void RunControl::StartRun() {
  p_.history.Record(RunHistory::Op::RunStart);
  stopRequested_ = false;
  p_.phases.HaltSeen = false;
  clocksThisRun_ = 0;
  stopReason_ = StopReason::None;
}

void RunControl::RunUnpaced() {
  // A run started while an unpaced run lets the window handle its events (a run button
  // clicked meanwhile) is carried on by the loop already going instead of opening a second
  // one inside it: stacked loops would grow with every click until the window stopped
  // answering, and ending one of them would leave the others to be ended one by one.
  if (unpacedLoop_) return;
  unpacedLoop_ = true;
  // A start with the timer (the slider was moved to a clock time meanwhile, or a bus phase was
  // clicked) hands the run over to the timer.
  while (!stopRequested_ && !timerEnabled_) {
    if (RunsBare()) {
      RunBareStretch();
    } else {
      TimerTimer();
    }
  }
  if (!timerEnabled_) TimerTimer();
  unpacedLoop_ = false;
}

bool RunControl::RunsBare() const {
  // The checks of every tick, and whatever the events between the stretches change (the
  // slider, gate control, the clock mode), are looked at again before each stretch.
  const ControlFlags& f = p_.flags;
  return !inputPhaseNext_ && clockMode_ >= kOneInstruction && f.GatesAutomatic && !f.ShowBus &&
         !f.ShowCursors && !f.ShowRegisters && !p_.gates.GreyConflicts();
}

void RunControl::RunBareStretch() {
  uint64_t clocks = kBareStretch;
  if (clockLimit_ > clocksThisRun_) clocks = std::min(clocks, clockLimit_ - clocksThisRun_);
  // The stretch is one entry of the past: the core runs alike when a step back rebuilds it.
  p_.history.BeforeClocks();
  const RunOutcome outcome = p_.phases.RunClocks(clocks, EndRow());
  p_.history.AfterClocks(outcome.clocks, outcome.lastInstructionEnd);
  clocksThisRun_ += outcome.clocks;
  inputPending_ = false;
  if (outcome.ended) {
    stopRequested_ = true;
    stopReason_ = p_.phases.HaltSeen ? StopReason::Halt : StopReason::ModeEnd;
  } else if (clockLimit_ != 0 && clocksThisRun_ >= clockLimit_) {
    stopRequested_ = true;
    stopReason_ = StopReason::Limit;
  }
  EnableButtons();
  p_.frontend.ProcessPendingEvents();
}

void RunControl::CompletePendingClock() {
  // A run button clicked while a run has performed an output phase but not yet its input
  // phase: that ALU clock is completed first, as a pause completes it. Starting with another
  // output phase would drop the register load of the running program's clock.
  if (Running() && inputPending_ && clockMode_ != kBusClock) InputPhase();
}

void RunControl::Bu2PhasenClick() {
  CompletePendingClock();
  SetClockMode(kAluClock);
  StartRun();
  EnableButtons();
  OutputPhase();
  inputPhaseNext_ = true;
  SetTimerEnabled(TimerPaced());
  if (!timerEnabled_) RunUnpaced();
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

void RunControl::BuTaktClick(std::optional<RunButton> button) {
  if (!button && RunGoingOn()) {
    // The space bar asks for a run in the current mode, and one is going on already: it goes
    // on undisturbed. Key repeat sends some thirty presses a second while the bar is held;
    // starting the run anew with each of them would skip the pending input phase every time,
    // and during an unpaced run would stack the runs inside each other without end.
    return;
  }
  if (!button && clockMode_ == kBusClock) {
    // The tick's bus-clock branch never ends a run, so the space bar gives one bus phase here,
    // as the bus-clock button does; an unpaced loop would otherwise never end.
    BuPhaseClick();
    return;
  }
  CompletePendingClock();
  if (button == RunButton::BuBefehl) SetClockMode(kOneInstruction);
  if (button == RunButton::BuBisHalt) SetClockMode(kUntilHalt);
  StartRun();
  OutputPhase();
  inputPhaseNext_ = true;
  SetTimerEnabled(TimerPaced());
  EnableButtons();
  if (!timerEnabled_) RunUnpaced();
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

void RunControl::ButtonClick(RunButton button) {
  switch (button) {
    case RunButton::BuReset:
      MeClrRegClick();
      break;
    case RunButton::BuPhase:
      BuPhaseClick();
      break;
    case RunButton::Bu2Phasen:
    case RunButton::BuTakt:
      Bu2PhasenClick();
      break;
    case RunButton::BuPause:
      BuStoppClick();
      break;
    case RunButton::BuBefehl:
    case RunButton::BuBisHalt:
      BuTaktClick(button);
      break;
  }
}

void RunControl::BuPhaseClick() {
  SetClockMode(kBusClock);
  if (busPhaseInput_) {
    p_.history.Record(RunHistory::Op::Input);
    p_.phases.InputPhase();
  } else {
    RecordOutput();
    p_.phases.OutputPhase();
  }
  SetTimerEnabled(true);
}

void RunControl::BuStoppClick() {
  stopRequested_ = true;
  if (stopReason_ == StopReason::None) stopReason_ = StopReason::Pause;
  EnableButtons();
}

int RunControl::EndRow() const {
  return clockMode_ == kOneInstruction ? kInstructionEndRow : kHaltEndRow;
}

bool RunControl::RunGoingOn() const {
  return (unpacedLoop_ || timerEnabled_) && !stopRequested_ && clockMode_ != kBusClock;
}

bool RunControl::RunIsOver() const {
  if (clockMode_ < kOneInstruction) return true;
  return ClockEndsRun(p_.machine, EndRow());
}

void RunControl::TimerTimer() {
  if (clockMode_ == kBusClock) {
    SetTimerEnabled(false);
    EnableButtons();
    if (busPhaseInput_) {
      EndRun();
    } else {
      CloseOutputGates();
    }
    busPhaseInput_ = !busPhaseInput_;
  } else if (stopRequested_) {
    SetTimerEnabled(false);
    // A pause that finds the input phase pending completes the ALU clock first, so that the
    // next start continues exactly where this run stopped and no register load is lost.
    if (inputPending_) InputPhase();
    EndRun();
  } else {
    if (inputPhaseNext_) {
      InputPhase();
      stopRequested_ = RunIsOver();
      if (stopRequested_) {
        const bool byHalt = clockMode_ >= kOneInstruction && p_.phases.HaltSeen;
        stopReason_ = byHalt ? StopReason::Halt : StopReason::ModeEnd;
      } else if (clockLimit_ != 0 && clocksThisRun_ >= clockLimit_) {
        stopRequested_ = true;
        stopReason_ = StopReason::Limit;
      }
    } else {
      OutputPhase();
    }
    inputPhaseNext_ = !inputPhaseNext_;
  }
  EnableButtons();
  p_.frontend.ProcessPendingEvents();
}

void RunControl::EndRun() {
  p_.history.Record(RunHistory::Op::EndRun);
  p_.phases.EndRun();
  p_.history.Idle();
  EnableButtons();
}

void RunControl::CloseOutputGates() {
  p_.history.Record(RunHistory::Op::CloseOutputs);
  p_.picture.HighlightOutputs(false);
  p_.gates.CloseOutputGates();
  p_.history.Idle();
}

void RunControl::RecordOutput() {
  const bool automatic = p_.flags.GatesAutomatic;
  p_.history.Record(automatic ? RunHistory::Op::OutputAuto : RunHistory::Op::OutputManual);
}

void RunControl::OutputPhase() {
  RecordOutput();
  p_.phases.OutputPhase();
  inputPending_ = true;
}

void RunControl::InputPhase() {
  p_.history.Record(RunHistory::Op::Input);
  p_.phases.InputPhase();
  inputPending_ = false;
  ++clocksThisRun_;
}

void RunControl::ShowPastMoment(RunHistory::Finish finish) {
  inputPending_ = false;
  busPhaseInput_ = false;
  switch (finish) {
    case RunHistory::Finish::EndRun:
      if (clockMode_ != kBusClock) {
        // As the last tick of a run leaves them; the bus-clock tick leaves them alone.
        stopRequested_ = true;
        inputPhaseNext_ = false;
      }
      EndRun();
      break;
    case RunHistory::Finish::BusOutput:
      // The output phase once more, and the tick that followed it. Under automatic gate
      // control it finds the gates as the bus-clock button finds them, closed, also where
      // its clock came in the middle of a run; the row sets them anew.
      if (p_.flags.GatesAutomatic) EndRun();
      RecordOutput();
      p_.phases.OutputPhase();
      CloseOutputGates();
      busPhaseInput_ = true;
      break;
    case RunHistory::Finish::None:
      p_.picture.BxPaint();
      p_.history.Idle();
      break;
  }
  EnableButtons();
  p_.frontend.Invalidate(kRedrawMpsGrid | kRedrawRunControls);
}

void RunControl::MeClrRegClick() {
  p_.machine.Regs.fill(0);
  inputPending_ = false;
  EndRun();
  RaTorClick();
}

}  // namespace vellar
