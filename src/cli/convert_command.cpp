// vellar-cli convert: loads a file and saves it again, as the window's load and save do.
#include "cli/commands.h"

namespace vellar::cli {

int ConvertCommand(const Args& args) {
  FileArgs a;
  if (!ReadFileArgs(args, "convert", a)) return kExitUsage;
  if (a.files.size() != 2) return UsageError("convert braucht EINGABE und AUSGABE.");
  const std::string& input = a.files[0];
  const std::string& output = a.files[1];
  const FileKind kind = KindOf(input);
  if (kind != FileKind::None && KindOf(output) != kind) {
    return UsageError("„" + output + "“ passt nicht zu „" + input + "“: " +
                      (kind == FileKind::Mps
                           ? "Mikroprogramme werden als .mpd oder .mps"
                           : "RAM-Inhalte werden als .ras, .rad, .ram oder .erm") +
                      " gespeichert.");
  }
  // The input itself may be rewritten in its own kind, as the window saves over what it loaded;
  // so may the --mps file when the output is a micro-program too, which replaces it anyway.
  if (a.mps && KindOf(output) != FileKind::Mps &&
      !SparesInputs(output, {{"das Mikroprogramm", *a.mps}})) {
    return kExitUsage;
  }
  CliSession cs;
  Session& s = cs.session;
  if (!LoadInput(s, a)) return kExitUsage;
  const bool saved =
      kind == FileKind::Mps ? s.files.SaveMpsFile(output) : s.files.SaveRamFile(output);
  return saved ? kExitOk : kExitUsage;
}

}  // namespace vellar::cli
