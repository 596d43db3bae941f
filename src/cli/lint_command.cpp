// vellar-cli lint: a micro-program checked for the faults that make a routine misbehave, one
// finding per line, sorted by address.
#include <iostream>

#include "cli/commands.h"
#include "core/hex.h"
#include "ram/micro_program_check.h"

namespace vellar::cli {

int LintCommand(const Args& args) {
  FileArgs a;
  if (!ReadFileArgs(args, "lint", a)) return kExitUsage;
  if (a.files.size() != 1) return UsageError("lint braucht genau eine DATEI (.mpd oder .mps).");
  if (KindOf(a.files[0]) != FileKind::Mps) {
    return UsageError("„" + a.files[0] + "“: lint prüft Mikroprogramme (.mpd oder .mps).");
  }
  CliSession cs;
  if (!LoadFile(cs.session, a.files[0], FileKind::Mps)) return kExitUsage;
  const std::vector<MpsFinding> findings = CheckMicroProgram(cs.session.mps);
  for (const MpsFinding& f : findings) {
    std::cout << "Zeile " << HexByte(f.address) << ": " << f.text << '\n';
  }
  return findings.empty() ? kExitOk : kExitExpectation;
}

}  // namespace vellar::cli
