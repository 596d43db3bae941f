// vellar-cli asm: a machine program written in an editor, assembled with the instruction set
// of a micro-program and saved as a .ras listing, as if each line had been typed into the
// "Befehl" column of the next assembler line.
#include "app/file_commands.h"
#include "cli/commands.h"
#include "core/file_io.h"
#include "core/text.h"
#include "ram/batch_assembler.h"

namespace vellar::cli {

namespace {

// Editors write UTF-8 today, some with a byte order mark; the program's own text files are
// Windows-1252. A source that is not well-formed UTF-8 is taken as Windows-1252.
std::string SourceText(std::string_view file) {
  const std::string_view bytes = WithoutUtf8Bom(file);
  return IsWellFormedUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

}  // namespace

int AsmCommand(const Args& args) {
  FileArgs a;
  if (!ReadFileArgs(args, "asm", false, a)) return kExitUsage;
  if (!a.mps)
    return UsageError("asm braucht --mps DATEI: das Mikroprogramm legt die Befehle fest.");
  if (a.files.size() != 2) return UsageError("asm braucht QUELLE und AUSGABE.ras.");
  const std::string& source = a.files[0];
  const std::string& output = a.files[1];
  if (ExtIndex(output, kRamExtensions) != kExtRas) {
    return UsageError("„" + output + "“: die Ausgabe wird als .ras-Listing gespeichert.");
  }
  CliSession cs;
  Session& s = cs.session;
  if (!LoadMpsOption(s, a.mps)) return kExitUsage;
  std::string bytes;
  if (const FileStatus read = ReadWholeFile(source, bytes); !read.ok()) {
    Complain(read.error);
    return kExitUsage;
  }
  const BatchAssembly program = AssembleSource(s.mps, SourceText(bytes));
  if (!program.errors.empty()) {
    for (const std::string& error : program.errors) Complain(source + ": " + error);
    return kExitUsage;
  }
  for (int address = 0; address < kRamSize; ++address) {
    s.memory.WriteRam(address, program.bytes[address]);
  }
  return s.files.SaveRamFile(output) ? kExitOk : kExitUsage;
}

}  // namespace vellar::cli
