// vellar-cli asm: a machine program written in an editor, with labels, comments, "org", "db"
// and "var", assembled with the instruction set of a micro-program and saved in the format of
// the output's extension through the writers the window saves with.
#include "app/file_commands.h"
#include "cli/commands.h"
#include "core/file_io.h"
#include "core/hex.h"
#include "core/text.h"
#include "ram/batch_assembler.h"
#include "ram/ram_text.h"

namespace vellar::cli {

namespace {

// The program into the session's memory and inspector, as if typed there.
void Apply(Session& s, const BatchAssembly& program) {
  for (int address = 0; address < kRamSize; ++address) {
    s.memory.WriteRam(address, program.bytes[address]);
  }
  for (const auto& [address, name] : program.variables) {
    s.variables.Append(HexByte(address), name);
  }
  s.menu.MeVariablen = !program.variables.empty();
  s.memory.UpdateVariables();
}

// A text listing names the file it is: the window names the file it was loaded from, and a
// fresh program has been loaded from nowhere.
bool Save(Session& s, const std::string& output) {
  const int ext = ExtIndex(output, kRamExtensions);
  if (ext == kExtRam || ext == kExtErm) return s.files.SaveRamFile(output);
  s.ramView.SelectItem(ext == kExtRas ? RamView::kAssemblerItem : RamView::kDataItem);
  const std::vector<std::string> lines = BuildRamListing(
      s.ramGrid, s.machine.Ram, s.menu.MeVariablen ? &s.variables : nullptr, FileNameOf(output));
  if (const FileStatus written = WriteFileReplacing(output, TextFileBytes(lines)); !written.ok()) {
    Complain(written.error);
    return false;
  }
  return true;
}

}  // namespace

int AsmCommand(const Args& args) {
  FileArgs a;
  if (!ReadFileArgs(args, "asm", a)) return kExitUsage;
  if (!a.mps)
    return UsageError("asm braucht --mps DATEI: das Mikroprogramm legt die Befehle fest.");
  if (a.files.size() != 2) return UsageError("asm braucht QUELLE und AUSGABE.");
  const std::string& source = a.files[0];
  const std::string& output = a.files[1];
  if (ExtIndex(output, kRamExtensions) < 0) {
    return UsageError("„" + output +
                      "“: die Ausgabe braucht die Endung .ras, .rad, .ram oder .erm.");
  }
  if (!SparesInputs(output, {{"die Quelle", source}, {"das Mikroprogramm", *a.mps}})) {
    return kExitUsage;
  }
  CliSession cs;
  Session& s = cs.session;
  if (!LoadMpsOption(s, a.mps)) return kExitUsage;
  std::string text;
  if (!ReadEditorFile(source, text)) return kExitUsage;
  const BatchAssembly program = AssembleSource(s.mps, text);
  if (!program.errors.empty()) {
    for (const std::string& error : program.errors) Complain(source + ": " + error);
    return kExitUsage;
  }
  // An empty listing saved without a word would look like a program assembled.
  if (program.lines == 0) {
    Complain(source + ": Die Quelle enthält weder Befehle noch Daten; es wird nichts gespeichert.");
    return kExitUsage;
  }
  Apply(s, program);
  return Save(s, output) ? kExitOk : kExitUsage;
}

}  // namespace vellar::cli
