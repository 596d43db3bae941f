#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <utility>
#include <vector>

#include "app/frontend.h"

class QWidget;

// The session's frontend in Qt: message boxes, file dialogs, the run timer, the slices of an
// unpaced run. Repaints are collected and done on the next pass of the event loop, so that a
// run pays for a flag per change, not for a repaint.
namespace vellar::ui {

// What the frontend needs from the window.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  // Shows anew what the collected Redraw flags name.
  virtual void Refresh(uint32_t what) = 0;
  virtual void TimerTick() = 0;
  // One slice of an unpaced run (RunControl::Advance); false once the run wants no more.
  virtual bool Advance(int ticks) = 0;
};

class QtFrontend : public ModalFrontend {
 public:
  // Ticks of an unpaced run between two looks at the clock, and how long a slice lasts before
  // the event loop gets its turn.
  static constexpr int kTicksPerClockRead = 32;
  static constexpr std::chrono::milliseconds kSliceTime{4};

  QtFrontend(QWidget* window, ViewHost& host);

  // Which control a widget (or any widget inside it) stands for.
  void RegisterControl(QWidget* widget, Control control);
  // Refreshes what is pending at once.
  void Flush();

  void ShowMessage(std::string_view text, std::string_view caption = {}) override;
  void ShowError(std::string_view text) override;
  bool AskYesNo(std::string_view question) override;
  Answer AskYesNoCancel(std::string_view question) override;
  std::optional<std::string> AskOpenFile(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFile(const FileDialogOptions& options) override;
  std::optional<std::string> AskText(const Question& question) override;
  void SetTimer(bool enabled, int intervalMs) override;
  void RunInSlices() override;
  void Invalidate(uint32_t what) override;
  void SetCaption(std::string_view caption) override;
  Control FocusedControl() const override;
  void SetFocus(Control control) override;
  void PrintListing(const std::vector<std::string>& lines, std::string_view title) override;

  const QTimer& Timer() const { return timer_; }
  // Asks for the next slice of an unpaced run whenever the event loop has nothing else to do.
  const QTimer& SliceTimer() const { return slices_; }
  // Neither ticks nor slices any more: the window is closing.
  void StopRunning();

 private:
  std::optional<std::string> AskFile(const FileDialogOptions& options, bool save);
  Control ControlOf(const QWidget* focus) const;
  void Slice();

  QWidget* window_;
  ViewHost& host_;
  QObject context_;  // receives the posted refresh; dropping it drops what is still queued
  QTimer timer_;
  QTimer slices_;
  uint32_t pending_ = 0;
  bool refreshPosted_ = false;
  std::vector<std::pair<QWidget*, Control>> controls_;
  // Asked on every memory write of a run, so kept up to date as the focus moves.
  Control focus_ = Control::None;
};

// "Beschreibung|*.a;*.b|..." as Qt's name filters "Beschreibung (*.a *.b)".
QStringList NameFilters(const std::string& filter);

}  // namespace vellar::ui
