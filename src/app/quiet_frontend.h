#pragma once

#include "app/frontend.h"

// A frontend with nobody in front of it: every question is answered No, no file is ever
// picked, and nothing is shown. Headless tools derive from it to report what they must; it
// counts the messages it swallowed and remembers the focus it was given.
namespace vellar {

class QuietFrontend : public ModalFrontend {
 public:
  void ShowMessage(std::string_view, std::string_view) override { ++messages; }
  void ShowError(std::string_view) override { ++messages; }
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> AskOpenFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> AskSaveFile(const FileDialogOptions&) override { return {}; }
  void SetTimer(bool, int) override {}
  // Its tools end a run themselves (RunControl::RunToEnd).
  void RunInSlices() override {}
  void Invalidate(uint32_t) override {}
  void SetCaption(std::string_view) override {}
  Control FocusedControl() const override { return focus; }
  void SetFocus(Control control) override { focus = control; }
  void PrintListing(const std::vector<std::string>&, std::string_view) override {}

  Control focus = Control::None;
  long messages = 0;
};

}  // namespace vellar
