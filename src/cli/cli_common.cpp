#include "cli/cli_common.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>

#include "cli/option_table.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar::cli {

void CliFrontend::ShowMessage(std::string_view text, std::string_view /*caption*/) {
  Complain(text);
}

void CliFrontend::ShowError(std::string_view text) {
  Complain(text);
}

void Complain(std::string_view text) {
  std::string shown;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    shown += ShowControls(text.substr(start, end - start));
    if (end < text.size()) shown += '\n';
    start = end + 1;
  }
  std::cerr << "vellar-cli: " << shown << '\n';
}

int UsageError(std::string_view text) {
  Complain(text);
  std::cerr << "Hilfe: vellar-cli --help\n";
  return kExitUsage;
}

FileKind KindOf(std::string_view path) {
  if (ExtIndex(path, kMpsExtensions) >= 0) return FileKind::Mps;
  if (ExtIndex(path, kRamExtensions) >= 0) return FileKind::Ram;
  return FileKind::None;
}

bool IsAsmSource(std::string_view path) {
  constexpr std::array<std::string_view, 1> kAsm = {"ASM"};
  return ExtIndex(path, kAsm) == 0;
}

bool LoadFile(Session& session, const std::string& path, FileKind expected) {
  // Read as a listing, a source gives a memory of zeros and no word why.
  if (IsAsmSource(path)) {
    UsageError("„" + path + "“ ist ein Quelltext: erst mit vellar-cli asm übersetzen.");
    return false;
  }
  FileKind kind = KindOf(path);
  // As the window's loaders do, --mps and --ram read a file of any other extension as text;
  // only a file of the other kind's extension is surely a slip.
  if (kind == FileKind::None) kind = expected;
  if (kind == FileKind::None || (expected != FileKind::None && kind != expected)) {
    const char* allowed = expected == FileKind::Mps   ? ".mpd, .mps oder eine Textdatei"
                          : expected == FileKind::Ram ? ".ras, .rad, .ram, .erm oder eine Textdatei"
                                                      : ".mpd, .mps, .ras, .rad, .ram oder .erm";
    UsageError("„" + path + "“: unpassende Dateiendung (erlaubt: " + allowed + ").");
    return false;
  }
  return kind == FileKind::Mps ? session.files.LoadMpsFile(path) : session.files.LoadRamFile(path);
}

bool LoadMpsOption(Session& session, const std::optional<std::string>& path) {
  return !path || LoadFile(session, *path, FileKind::Mps);
}

bool ReadFileArgs(const Args& args, std::string_view command, FileArgs& out) {
  const auto take = [&out](std::string_view option,
                           const std::string& value) -> std::optional<int> {
    if (option == "--mps") {
      out.mps = value;
    } else if (option == "--view") {
      out.view = value;
    } else {
      return UnhandledOption(option);
    }
    return std::nullopt;
  };
  return !ReadArgs(command, args, out.files, take);
}

bool LoadInput(Session& session, const FileArgs& args) {
  return LoadMpsOption(session, args.mps) && LoadFile(session, args.files[0], FileKind::None);
}

bool ReadEditorFile(const std::string& path, std::string& text) {
  std::string bytes;
  if (const FileStatus read = ReadWholeFile(path, bytes); !read.ok()) {
    Complain(read.error);
    return false;
  }
  if (LooksLikeUtf16(bytes)) {
    Complain(SavedAsUtf16Message("„" + path + "“"));
    return false;
  }
  text = EditorText(bytes);
  return true;
}

bool SparesInputs(const std::string& output, const std::vector<NamedInput>& inputs) {
  for (const NamedInput& input : inputs) {
    if (!SameFile(output, input.path)) continue;
    Complain("Die Ausgabe „" + output + "“ ist dieselbe Datei wie " + std::string(input.what) +
             " „" + input.path + "“: Sie würde die Eingabe zerstören. Es wird nichts geschrieben.");
    return false;
  }
  return true;
}

bool OutputsWritable(const std::vector<NamedInput>& outputs) {
  for (size_t i = 0; i < outputs.size(); ++i) {
    for (size_t j = i + 1; j < outputs.size(); ++j) {
      if (!SameTarget(outputs[i].path, outputs[j].path)) continue;
      Complain(std::string(outputs[i].what) + " „" + outputs[i].path + "“ und " +
               std::string(outputs[j].what) + " „" + outputs[j].path +
               "“ sind dieselbe Datei: Eine Ausgabe würde die andere überschreiben. Es wird nichts "
               "geschrieben.");
      return false;
    }
  }
  for (const NamedInput& output : outputs) {
    if (const FileStatus status = CheckWritable(output.path); !status.ok()) {
      Complain(status.error + " Es wird nichts geschrieben.");
      return false;
    }
  }
  return true;
}

std::string PrintedText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += ShowControls(line) + '\n';
  return text;
}

void PrintLines(const std::vector<std::string>& lines) {
  std::cout << PrintedText(lines);
}

}  // namespace vellar::cli
