#include "app/run_control.h"

#include <algorithm>
#include <string>

#include "core/micro_step.h"

namespace vellar {

namespace {

// ALU clocks run bare as one tick of a slice: a fraction of a millisecond.
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
    p_.mpsGrid.current = {1, 1};
    p_.mpsGrid.hasSelection = true;
    p_.gates.EnableAllButtons();
    p_.gates.CloseAllGates();
  } else {
    // The two automatic items are gone; their selection falls back without the handler,
    // which runs below in any case.
    if (mode_ >= ClockMode::OneInstruction) mode_ = ClockMode::AluClock;
    p_.mpsGrid.hasSelection = false;
  }
  RaTaktClick();
  p_.frontend.Invalidate(kRedrawMpsGrid | kRedrawRamGrid | kRedrawRunControls);
}

void RunControl::SetClockMode(ClockMode mode) {
  if (static_cast<int>(mode) >= ClockModeItems() || mode == mode_) return;
  mode_ = mode;
  RaTaktClick();
}

void RunControl::RaTaktClick() {
  // Bus clock: the next press is an output phase. Otherwise the next tick is an input phase;
  // a clock half done stays pending, and a run that is to end still ends.
  if (mode_ == ClockMode::BusClock) {
    state_.next = NextStep::Output;
  } else if (state_.next == NextStep::Output) {
    state_.next = NextStep::Input;
  }
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
  if (TimerEnabled() && automatic && position_ <= 0) {
    // A timer-paced automatic run cannot be switched to the unpaced levels while it runs.
    SetSliderPosition(1);
    return;
  }
  p_.flags.ShowRegisters = !(position_ == -3 && automatic);
  p_.flags.ShowCursors = !(position_ <= -2 && automatic);
  p_.flags.ShowBus = !(position_ <= -1 && automatic);
  if (TimerPaced() && timerInterval_ != ClockTime(position_)) {
    timerInterval_ = ClockTime(position_);
    if (TimerEnabled()) p_.frontend.SetTimer(true, timerInterval_);
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
  // The buttons change only with gate control, whose change always comes through here.
  p_.frontend.Invalidate(kRedrawRunControls);
}

bool RunControl::ButtonVisible(RunButton button) const {
  const bool automatic = p_.flags.GatesAutomatic;
  switch (button) {
    case RunButton::BuReset:
      return true;
    case RunButton::BuPhase:
    case RunButton::Bu2Phasen:
      return !automatic;
    case RunButton::BuTakt:
    case RunButton::BuPause:
    case RunButton::BuBefehl:
    case RunButton::BuBisHalt:
      break;
  }
  return automatic;
}

void RunControl::SetPace(RunPace pace) {
  if (pace == state_.pace) return;
  const bool timer = pace == RunPace::Timer;
  if (timer != (state_.pace == RunPace::Timer)) p_.frontend.SetTimer(timer, timerInterval_);
  state_.pace = pace;
  if (pace == RunPace::Slices) p_.frontend.RunInSlices();
}

void RunControl::StartRun(std::optional<ClockMode> mode) {
  // A start while a run has performed an output phase but not yet its input phase completes
  // that clock first, as a pause does: starting with another output phase would drop the
  // register load of the running program's clock.
  const bool halfClock =
      state_.next == NextStep::InputOfClock || state_.next == NextStep::InputThenEnd;
  if (Running() && halfClock && mode_ != ClockMode::BusClock) InputPhase();
  if (mode) SetClockMode(*mode);
  p_.history.Record(RunHistory::Op::RunStart);
  p_.phases.HaltSeen = false;
  clocksThisRun_ = 0;
  stopReason_ = StopReason::None;
  if (!stopText_.empty()) p_.frontend.Invalidate(kRedrawRunControls);
  stopText_.clear();
  p_.breakpoints.Arm(p_.machine, 0);
  OutputPhase();
  SetPace(TimerPaced() ? RunPace::Timer : RunPace::Slices);
  p_.frontend.Invalidate(kRedrawMpsGrid);
}

bool RunControl::Advance(int ticks) {
  for (int i = 0; i < ticks && state_.pace == RunPace::Slices; ++i) {
    if (RunsBare()) {
      RunBareStretch();
    } else {
      TimerTimer();
    }
  }
  return state_.pace == RunPace::Slices;
}

void RunControl::RunToEnd() {
  while (Advance(1 << 20)) {
  }
}

bool RunControl::RunsBare() const {
  // Looked at again before each stretch: the commands between two slices may have changed
  // the slider, gate control or the clock mode.
  const ControlFlags& f = p_.flags;
  return state_.next == NextStep::Output && mode_ >= ClockMode::OneInstruction &&
         f.GatesAutomatic && !f.ShowBus && !f.ShowCursors && !f.ShowRegisters &&
         !p_.gates.GreyConflicts();
}

void RunControl::RunBareStretch() {
  uint64_t clocks = kBareStretch;
  if (clockLimit_ > clocksThisRun_) clocks = std::min(clocks, clockLimit_ - clocksThisRun_);
  // The stretch is one entry of the past: the core runs alike when a step back rebuilds it.
  p_.history.BeforeClocks();
  const RunOutcome outcome = p_.phases.RunClocks(clocks, EndRow(), clocksThisRun_);
  p_.history.AfterClocks(outcome.clocks, outcome.lastInstructionEnd);
  clocksThisRun_ += outcome.clocks;
  StopIfOver(outcome.ended, outcome.hit);
}

void RunControl::StopIfOver(bool ended, const StopHit& hit) {
  if (ended) {
    state_.next = NextStep::End;
    const bool byHalt = mode_ >= ClockMode::OneInstruction && p_.phases.HaltSeen;
    stopReason_ = byHalt ? StopReason::Halt : StopReason::ModeEnd;
  } else if (hit) {
    state_.next = NextStep::End;
    stopReason_ = StopReason::Break;
    stopText_ = p_.breakpoints.Reason(hit);
    p_.frontend.Invalidate(kRedrawRunControls);
  } else if (clockLimit_ != 0 && clocksThisRun_ >= clockLimit_) {
    state_.next = NextStep::End;
    stopReason_ = StopReason::Limit;
  }
}

void RunControl::Bu2PhasenClick() {
  StartRun(ClockMode::AluClock);
}

void RunControl::BuTaktClick(std::optional<RunButton> button) {
  if (!button && RunGoingOn()) {
    // The space bar asks for a run in the current mode, and one is going on already: it goes
    // on undisturbed. Key repeat sends some thirty presses a second while the bar is held;
    // starting the run anew with each of them would skip the pending input phase every time.
    return;
  }
  if (!button && mode_ == ClockMode::BusClock) {
    // The tick's bus-clock branch never ends a run, so the space bar gives one bus phase here,
    // as the bus-clock button does; an unpaced run would otherwise never end.
    BuPhaseClick();
    return;
  }
  std::optional<ClockMode> mode;
  if (button == RunButton::BuBefehl) mode = ClockMode::OneInstruction;
  if (button == RunButton::BuBisHalt) mode = ClockMode::UntilHalt;
  StartRun(mode);
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
  SetClockMode(ClockMode::BusClock);
  if (state_.next == NextStep::Input) {
    p_.history.Record(RunHistory::Op::Input);
    p_.phases.InputPhase();
  } else {
    RecordOutput();
    p_.phases.OutputPhase();
  }
  // Whatever the slider says: the tick finishes the phase, after the last clock time set.
  SetPace(RunPace::Timer);
}

void RunControl::BuStoppClick() {
  if (mode_ != ClockMode::BusClock) {
    // A pause between the two phases of a clock completes it first, so that the next start
    // continues exactly where this run stopped and no register load is lost.
    const bool halfClock =
        state_.next == NextStep::InputOfClock || state_.next == NextStep::InputThenEnd;
    state_.next = halfClock ? NextStep::InputThenEnd : NextStep::End;
  }
  if (stopReason_ == StopReason::None) stopReason_ = StopReason::Pause;
}

int RunControl::EndRow() const {
  return mode_ == ClockMode::OneInstruction ? kInstructionEndRow : kHaltEndRow;
}

bool RunControl::StopRequested() const {
  return state_.next == NextStep::End || state_.next == NextStep::InputThenEnd;
}

bool RunControl::InputPhaseNext() const {
  const NextStep n = state_.next;
  return n == NextStep::Input || n == NextStep::InputOfClock || n == NextStep::InputThenEnd;
}

bool RunControl::BusPhaseInput() const {
  return mode_ == ClockMode::BusClock && state_.next == NextStep::Input;
}

bool RunControl::RunGoingOn() const {
  return Running() && !StopRequested() && mode_ != ClockMode::BusClock;
}

void RunControl::TimerTimer() {
  if (mode_ == ClockMode::BusClock) {
    SetPace(RunPace::Idle);
    if (state_.next == NextStep::Input) {
      EndRun();
      state_.next = NextStep::Output;
    } else {
      CloseOutputGates();
      state_.next = NextStep::Input;
    }
    return;
  }
  switch (state_.next) {
    case NextStep::InputThenEnd:
      InputPhase();
      [[fallthrough]];
    case NextStep::End:
      SetPace(RunPace::Idle);
      state_.next = NextStep::End;
      EndRun();
      break;
    case NextStep::Input:
    case NextStep::InputOfClock: {
      InputPhase();
      const Machine& m = p_.machine;
      const bool ended = mode_ < ClockMode::OneInstruction || ClockEndsRun(m, EndRow());
      const bool instructionEnded = p_.flags.GatesAutomatic && ClockEndsRun(m, kInstructionEndRow);
      StopIfOver(ended,
                 ended ? StopHit{} : p_.breakpoints.Check(m, clocksThisRun_, instructionEnded));
      break;
    }
    case NextStep::Output:
      OutputPhase();
      break;
  }
}

void RunControl::EndRun() {
  p_.history.Record(RunHistory::Op::EndRun);
  p_.phases.EndRun();
  p_.history.Idle();
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
  state_.next = NextStep::InputOfClock;
}

void RunControl::InputPhase() {
  p_.history.Record(RunHistory::Op::Input);
  p_.phases.InputPhase();
  state_.next = NextStep::Output;
  ++clocksThisRun_;
}

void RunControl::DropPendingClock() {
  if (state_.next == NextStep::InputOfClock) state_.next = NextStep::Input;
  if (state_.next == NextStep::InputThenEnd) state_.next = NextStep::End;
}

void RunControl::ShowPastMoment(RunHistory::Finish finish) {
  DropPendingClock();
  if (mode_ == ClockMode::BusClock) state_.next = NextStep::Output;
  switch (finish) {
    case RunHistory::Finish::EndRun:
      // As the last tick of a run leaves it; the bus-clock tick leaves the next press alone.
      if (mode_ != ClockMode::BusClock) state_.next = NextStep::End;
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
      if (mode_ == ClockMode::BusClock) state_.next = NextStep::Input;
      break;
    case RunHistory::Finish::None:
      p_.picture.BxPaint();
      p_.history.Idle();
      break;
  }
  p_.frontend.Invalidate(kRedrawMpsGrid | kRedrawRunControls);
}

void RunControl::MeClrRegClick() {
  p_.machine.Regs.fill(0);
  DropPendingClock();
  EndRun();
  RaTorClick();
}

}  // namespace vellar
