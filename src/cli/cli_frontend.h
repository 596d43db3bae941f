#pragma once

#include "app/quiet_frontend.h"

// The frontend of the command-line tool: nobody is there to answer, so every question is
// answered No; messages and errors go to stderr.
namespace vellar::cli {

class CliFrontend : public QuietFrontend {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override;
  void ShowError(std::string_view text) override;
};

}  // namespace vellar::cli
