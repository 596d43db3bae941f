#pragma once

#include <cstdint>
#include <string>

#include "app/frontend.h"

// The session's window in the browser: messages go to the page's dialog queue, questions and
// file pickers wait for the page's answer, and an unpaced run asks the page for its slices.
// Waiting unwinds the stack to the page and comes back later; a handler the page calls while
// another one waits must not wait itself, so it gets the answer "No" (or none) instead.
namespace vellar::web {

class WebFrontend : public Frontend {
 public:
  void ShowMessage(std::string_view text, std::string_view caption = {}) override;
  void ShowError(std::string_view text) override;
  bool AskYesNo(std::string_view question) override;
  std::optional<std::string> AskOpenFile(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFile(const FileDialogOptions& options) override;
  FileStatus FinishSave(const std::string& path) override;
  void SetTimer(bool enabled, int intervalMs) override;
  void RunInSlices() override;
  void Invalidate(uint32_t what) override;
  void SetCaption(std::string_view caption) override;
  Control FocusedControl() const override { return focused_; }
  void SetFocus(Control control) override;
  void PrintListing(const std::vector<std::string>& lines, std::string_view title) override;

  // The page reports where its focus is.
  void SetFocusedControl(Control control) { focused_ = control; }
  // What is to be drawn anew since the page last asked; among it kRedrawLayout, the model's
  // request to place the panels and grids anew: besides a resize of the browser window the
  // page lays out only then.
  uint32_t TakeRedraw();

  // Around every call from the page: a call that arrives while another one waits runs without
  // waiting.
  void Enter() { ++depth_; }
  void Leave() { --depth_; }
  bool Waiting() const { return waiting_; }

 private:
  bool MayWait() const { return !waiting_ && depth_ == 1; }
  std::optional<std::string> AskFile(bool save, const FileDialogOptions& options);

  Control focused_ = Control::None;
  uint32_t redraw_ = 0;
  int depth_ = 0;
  bool waiting_ = false;
};

}  // namespace vellar::web
