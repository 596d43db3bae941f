#pragma once

#include <cstdint>
#include <string>

#include "app/frontend.h"

// The session's window in the browser: messages go to the page's dialog queue, questions and
// file pickers to the page, which answers them later with vellar_answer, and an unpaced run
// asks the page for its slices. Nothing here waits: every call returns to the page at once.
namespace vellar::web {

class WebFrontend : public Frontend {
 public:
  void ShowMessage(std::string_view text, std::string_view caption = {}) override;
  void ShowError(std::string_view text) override;
  std::optional<Reply> Ask(const Question& question) override;
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

 private:
  Control focused_ = Control::None;
  uint32_t redraw_ = 0;
};

}  // namespace vellar::web
