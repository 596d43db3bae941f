// vellar-cli list: the listing a file gives, as it is saved and printed.
#include "cli/commands.h"

namespace vellar::cli {

int ListCommand(const Args& args) {
  ArgReader reader(args);
  std::optional<std::string> mps;
  std::optional<std::string> view;
  std::vector<std::string> files;
  std::string value;
  while (reader.Next()) {
    if (reader.Value("--mps", value)) {
      mps = value;
    } else if (reader.Value("--view", value)) {
      if (value != "data" && value != "asm") {
        return UsageError("--view erwartet data oder asm, nicht „" + value + "“.");
      }
      view = value;
    } else {
      reader.Positional(files, "list");
    }
    if (reader.error()) return kExitUsage;
  }
  if (files.size() != 1) return UsageError("list braucht genau eine DATEI.");
  const std::string& path = files[0];
  if (view && KindOf(path) == FileKind::Mps) {
    return UsageError("--view gilt nur für RAM-Dateien.");
  }
  CliSession cs;
  Session& s = cs.session;
  if (!LoadMpsOption(s, mps) || !LoadFile(s, path, FileKind::None)) return kExitUsage;
  if (KindOf(path) == FileKind::Mps) {
    PrintLines(s.files.BuildMpdText());
  } else {
    const bool assembler = view ? *view == "asm" : s.ramGrid.AssemblerView();
    PrintLines(s.files.RamListing(assembler));
  }
  return kExitOk;
}

}  // namespace vellar::cli
