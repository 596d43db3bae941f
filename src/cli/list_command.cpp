// vellar-cli list: the listing a file gives, as it is saved and printed.
#include "cli/commands.h"

namespace vellar::cli {

int ListCommand(const Args& args) {
  FileArgs a;
  if (!ReadFileArgs(args, "list", a)) return kExitUsage;
  if (a.files.size() != 1) return UsageError("list braucht genau eine DATEI.");
  const bool mpsFile = KindOf(a.files[0]) == FileKind::Mps;
  if (a.view && mpsFile) return UsageError("--view gilt nur für RAM-Dateien.");
  CliSession cs;
  Session& s = cs.session;
  if (!LoadInput(s, a)) return kExitUsage;
  if (mpsFile) {
    PrintLines(s.files.BuildMpdText());
  } else {
    PrintLines(s.files.RamListing(a.view ? *a.view == "asm" : s.ramGrid.AssemblerView()));
  }
  return kExitOk;
}

}  // namespace vellar::cli
