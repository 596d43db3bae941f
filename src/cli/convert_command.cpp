// vellar-cli convert: loads a file and saves it again, as the window's load and save do.
#include "cli/commands.h"

namespace vellar::cli {

int ConvertCommand(const Args& args) {
  ArgReader reader(args);
  std::optional<std::string> mps;
  std::vector<std::string> files;
  std::string value;
  while (reader.Next()) {
    if (reader.Value("--mps", value)) {
      mps = value;
    } else {
      reader.Positional(files, "convert");
    }
    if (reader.error()) return kExitUsage;
  }
  if (files.size() != 2) return UsageError("convert braucht EINGABE und AUSGABE.");
  const std::string& input = files[0];
  const std::string& output = files[1];
  const FileKind kind = KindOf(input);
  if (kind != FileKind::None && KindOf(output) != kind) {
    return UsageError("„" + output + "“ passt nicht zu „" + input + "“: " +
                      (kind == FileKind::Mps
                           ? "Mikroprogramme werden als .mpd oder .mps"
                           : "RAM-Inhalte werden als .ras, .rad, .ram oder .erm") +
                      " gespeichert.");
  }
  CliSession cs;
  Session& s = cs.session;
  if (!LoadMpsOption(s, mps) || !LoadFile(s, input, FileKind::None)) return kExitUsage;
  const bool saved =
      kind == FileKind::Mps ? s.files.SaveMpsFile(output) : s.files.SaveRamFile(output);
  return saved ? kExitOk : kExitUsage;
}

}  // namespace vellar::cli
