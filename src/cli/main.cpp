// vellar-cli: the simulator without a window, for scripts, grading and our own end-to-end
// tests. It drives the very model code the window uses.
#include <iostream>

#include "cli/commands.h"
#include "cli/option_table.h"

namespace vellar::cli {
namespace {

// A listing cut short by a full disk must not look like success to the calling script.
int Finish(int code) {
  std::cout.flush();
  if (!std::cout) {
    Complain("Die Ausgabe ließ sich nicht vollständig schreiben (Datenträger voll?).");
    return kExitUsage;
  }
  return code;
}

}  // namespace

int Main(const Args& argv) {
  if (argv.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  const std::string_view name = argv[0];
  if (name == "--help" || name == "-h") {
    PrintHelp(std::cout);
    return Finish(kExitOk);
  }
  if (name == "--version") {
    std::cout << "vellar-cli (VellarD) " << VELLAR_VERSION << '\n';
    return Finish(kExitOk);
  }
  const Args args(argv.begin() + 1, argv.end());
  if (const CommandSpec* command = FindCommand(name)) return Finish(command->main(args));
  return UsageError("Unbekannter Befehl „" + std::string(name) + "“.");
}

}  // namespace vellar::cli

int main(int argc, char** argv) {
  return vellar::cli::Main(vellar::cli::Args(argv + 1, argv + argc));
}
