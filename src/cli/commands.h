#pragma once

#include "cli/cli_common.h"

// The subcommands of vellar-cli. A new one is a file of its own with its function declared
// here and its entry in option_table.cpp.
namespace vellar::cli {

int RunCommand(const Args& args);
int ConvertCommand(const Args& args);
int ListCommand(const Args& args);
int AsmCommand(const Args& args);
int LintCommand(const Args& args);
int GradeCommand(const Args& args);
int LinkCommand(const Args& args);

// The whole tool: the arguments after the program's name; the exit code. The browser page
// calls it too, on files it has put into its own file system.
int Main(const Args& argv);

}  // namespace vellar::cli
