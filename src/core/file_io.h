#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file layer: whole files in and out, and the path pieces the file commands need. Errors
// come back as German text for the application's error box; nothing is thrown.
namespace vellar {

// Empty when all went well; otherwise the message for the user.
struct FileStatus {
  std::string error;
  bool ok() const { return error.empty(); }
};

// Larger files are refused: no micro-program or RAM file comes near this, and a stray
// device or a huge file must not eat the memory.
inline constexpr size_t kMaxFileBytes = 16u << 20;

// Reads a regular file completely.
FileStatus ReadWholeFile(const std::string& path, std::string& contents);

// Writes a temporary file beside the target and renames it over the target only when every
// byte is on disk, so a failed save leaves the old file as it was. Where the folder takes no
// new file but the file itself is writable, the file is written in place instead, keeping
// its owner and permissions. An existing file the user may not write is left alone: one they
// lack the right to, and one without any write bit, even for root.
FileStatus WriteFileReplacing(const std::string& path, std::string_view contents);

// Whether WriteFileReplacing could write the file now, with the message it would give; for a
// command with several outputs, which must write none of them when one cannot be written. A
// temporary file is made beside the target and removed again; the target is not touched.
FileStatus CheckWritable(const std::string& path);

// Whether anything of that name exists (a file, a folder, a dangling link).
bool PathExists(const std::string& path);
bool IsRegularFile(const std::string& path);
// Whether both names lead to the same file (device and inode, through any link); false when
// either does not exist.
bool SameFile(const std::string& a, const std::string& b);

// Whether writing both names would write the same file: SameFile, or, for a file yet to be
// made, the same place, whatever links and relative folders lead there.
bool SameTarget(const std::string& a, const std::string& b);

// The name after the last '/'.
std::string FileNameOf(std::string_view path);
// Everything up to and including the last '/'; "" for a bare name.
std::string DirectoryOf(std::string_view path);
bool IsAbsolutePath(std::string_view path);
// The current directory with a trailing '/'.
std::string WorkingDirectory();

// The bytes of a text file: UTF-8 lines to Windows-1252, each ended by CR LF.
std::string TextFileBytes(const std::vector<std::string>& lines);

}  // namespace vellar
