#pragma once

#include "app/frontend.h"

// The frontend of the command-line tool: nobody is there to answer, so every question is
// answered No and no file is ever picked; messages and errors go to stderr.
namespace vellar::cli {

class CliFrontend : public Frontend {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override;
  void ShowError(std::string_view text) override;
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> AskOpenFile(const FileDialogSpec&) override { return {}; }
  std::optional<std::string> AskSaveFile(const FileDialogSpec&) override { return {}; }
  void SetTimer(bool, int) override {}
  void ProcessPendingEvents() override {}
  void Invalidate(uint32_t) override {}
  void SetCaption(std::string_view) override {}
  Control FocusedControl() const override { return Control::None; }
  void SetFocus(Control) override {}
  void PrintListing(const std::vector<std::string>&, std::string_view) override {}
};

}  // namespace vellar::cli
