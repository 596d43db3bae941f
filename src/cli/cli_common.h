#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "cli/cli_frontend.h"

// What the subcommands of vellar-cli share: exit codes, messages and a session started as the
// window starts.
namespace vellar::cli {

// The run ended by its mode's rule; an expectation failed; bad arguments or an unreadable
// file; the clock limit ended the run.
enum ExitCode : int { kExitOk = 0, kExitExpectation = 1, kExitUsage = 2, kExitLimit = 3 };

using Args = std::vector<std::string>;

// "vellar-cli: <text>" on stderr, every control byte shown as text (a message quotes file
// names and lines of files, which must not reach the terminal as they are); its own line
// breaks stay.
void Complain(std::string_view text);
// Complain, point to --help, and give the exit code for bad arguments.
int UsageError(std::string_view text);

// A session as the program starts it: cleared MPS and RAM, manual gate control.
class CliSession {
 public:
  // Without a past for stepping back, which no command but `run --back` goes into.
  CliSession() {
    session.FormCreate({});
    session.runHistory.SetKeeping(false);
    session.breakpoints.SetCounting(false);
  }
  CliFrontend frontend;
  Session session{frontend};
};

// Which loader and writer a file name's extension selects.
enum class FileKind { None, Mps, Ram };
FileKind KindOf(std::string_view path);

// An assembler source (.asm), which a command that reads a program might be given instead of
// the file asm makes of it.
bool IsAsmSource(std::string_view path);

// Loads a file by its extension; false (with the message already on stderr) when the kind is
// not the expected one, the file is an assembler source or it cannot be read.
bool LoadFile(Session& session, const std::string& path, FileKind expected);
// Loads an MPS given with --mps, when there is one.
bool LoadMpsOption(Session& session, const std::optional<std::string>& path);

// The arguments of the subcommands that work on files: the files in order, an MPS to load
// first, and (list only) the view.
struct FileArgs {
  std::vector<std::string> files;
  std::optional<std::string> mps;
  std::optional<std::string> view;
};
// False after a reported error.
bool ReadFileArgs(const Args& args, std::string_view command, FileArgs& out);
// Loads the --mps file, then the first file by its extension.
bool LoadInput(Session& session, const FileArgs& args);

// Reads a file written in an editor, as UTF-8 (EditorText); false (with the message on stderr) when
// it cannot be read or is UTF-16, which is said once rather than line by line.
bool ReadEditorFile(const std::string& path, std::string& text);

// An input of a command, named for a message: "die Quelle" and its path.
struct NamedInput {
  std::string_view what;
  std::string path;
};
// False (with the message on stderr) when the output is the same file as one of the inputs,
// by any name or link: writing it would destroy the input.
bool SparesInputs(const std::string& output, const std::vector<NamedInput>& inputs);

// For a command with several outputs, named as the inputs are: false (with the message on
// stderr) when two of them are the same file, or one cannot be written now. Checked before
// anything is written, so that a refused command leaves every file as it was.
bool OutputsWritable(const std::vector<NamedInput>& outputs);

// Writes lines to stdout, one per line, control bytes shown as text.
void PrintLines(const std::vector<std::string>& lines);
// The bytes PrintLines writes (the page offers them as a download).
std::string PrintedText(const std::vector<std::string>& lines);

}  // namespace vellar::cli
