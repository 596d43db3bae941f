#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/text.h"

namespace vellar {

namespace {

std::string Reason(int error) {
  switch (error) {
    case ENOENT:
      return "Datei oder Verzeichnis nicht gefunden";
    case EACCES:
    case EPERM:
      return "Zugriff verweigert";
    case EISDIR:
      return "Das ist ein Verzeichnis";
    case ENOTDIR:
      return "Ein Teil des Pfades ist kein Verzeichnis";
    case ENOSPC:
      return "Kein Speicherplatz mehr auf dem Datenträger";
    case EDQUOT:
      return "Speicherplatzkontingent überschritten";
    case EROFS:
      return "Das Dateisystem ist schreibgeschützt";
    case ENAMETOOLONG:
      return "Der Dateiname ist zu lang";
    case EFBIG:
      return "Die Datei würde zu groß";
    case EMFILE:
    case ENFILE:
      return "Zu viele offene Dateien";
    default:
      return "Ein-/Ausgabefehler (Fehlernummer " + std::to_string(error) + ")";
  }
}

FileStatus Failure(const char* what, const std::string& path, int error) {
  return {std::string("Die Datei „") + path + "“ " + what + ": " + Reason(error) + "."};
}

// Closes the descriptor when the scope ends, whatever path it takes.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now, for the error close(2) may report after a write.
  int Close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// A symbolic link is kept: the save goes to the file it points to.
std::string ResolveTarget(const std::string& path) {
  // Link by link rather than realpath: a link whose file does not exist yet must stay a link,
  // and the new file goes where it points.
  std::string target = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    char link[PATH_MAX];
    const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof link) return target;
    const std::string to(link, static_cast<size_t>(length));
    target = IsAbsolutePath(to) ? to : DirectoryOf(target) + to;
  }
  return target;
}

// Opens a new temporary file beside the target; -1 with errno set when none can be made.
int CreateTemporary(const std::string& target, std::string& tempPath) {
  const std::string dir = DirectoryOf(target);
  const std::string stem = dir + "." + FileNameOf(target) + ".vellar-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = stem + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Whether a refusal to create or rename in the folder may leave the file itself writable, as
// in a shared class folder where only the teacher may add files.
bool FolderRefused(int error) {
  return error == EACCES || error == EPERM;
}

// Why the user may not replace an existing file, 0 when they may. The rename would replace a
// file the user may not write, because it asks the folder only; so the file is asked first.
// Root may write any file, so for root too a file without a single write bit counts as
// protected: someone made it read-only on purpose.
int WriteProtection(const std::string& target, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return ::access(target.c_str(), W_OK) == 0 ? 0 : errno;
}

// Reads what the descriptor holds from its start; false when it cannot be read.
bool ReadBack(int fd, std::string& contents) {
  contents.clear();
  char buffer[65536];
  for (off_t offset = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    contents.append(buffer, static_cast<size_t>(n));
    offset += n;
  }
}

// Puts the bytes into the open file from its start and cuts it after them.
bool Overwrite(int fd, std::string_view bytes) {
  return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Writes an existing file where it stands, when no new file may be made beside it; owner and
// permissions stay as they are. The text is complete before the old one is touched, and a
// write that fails midway puts the old one back if it can.
FileStatus WriteInPlace(const std::string& target, const std::string& path,
                        std::string_view contents) {
  Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return Failure("kann nicht geschrieben werden", path, errno);
  std::string old;
  const bool haveOld = ReadBack(fd.get(), old);
  if (Overwrite(fd.get(), contents)) {
    if (fd.Close() != 0) return Failure("kann nicht geschrieben werden", path, errno);
    return {};
  }
  FileStatus status = Failure("kann nicht geschrieben werden", path, errno);
  if (haveOld && Overwrite(fd.get(), old)) {
    status.error += " Die alte Fassung ist erhalten.";
  } else {
    status.error += " Sie ist jetzt unvollständig.";
  }
  return status;
}

// Where a save goes and what stands there now.
struct Destination {
  std::string target;
  struct stat old {};
  bool existed = false;
  bool inPlacePossible = false;
};

// The destination of a save; an error when no save can replace what stands there.
FileStatus Examine(const std::string& path, Destination& d) {
  d.target = ResolveTarget(path);
  d.existed = ::stat(d.target.c_str(), &d.old) == 0;
  if (d.existed && S_ISDIR(d.old.st_mode)) {
    return Failure("kann nicht angelegt werden", path, EISDIR);
  }
  d.inPlacePossible = d.existed && S_ISREG(d.old.st_mode);
  if (d.inPlacePossible) {
    if (const int error = WriteProtection(d.target, d.old); error != 0) {
      return Failure("kann nicht geschrieben werden", path, error);
    }
  }
  return {};
}

// The place of a name as the save resolves it: its folder's real path and the file's name.
std::string PlaceOf(const std::string& path) {
  const std::string target = ResolveTarget(path);
  const std::string dir = DirectoryOf(target);
  char real[PATH_MAX];
  if (::realpath(dir.empty() ? "." : dir.c_str(), real) == nullptr) return target;
  return std::string(real) + "/" + FileNameOf(target);
}

}  // namespace

FileStatus ReadWholeFile(const std::string& path, std::string& contents) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return Failure("kann nicht geöffnet werden", path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Failure("kann nicht gelesen werden", path, errno);
  if (S_ISDIR(st.st_mode)) return Failure("kann nicht gelesen werden", path, EISDIR);
  if (!S_ISREG(st.st_mode)) {
    return {"Die Datei „" + path + "“ kann nicht gelesen werden: Das ist keine normale Datei."};
  }
  if (static_cast<unsigned long long>(st.st_size) > kMaxFileBytes) {
    return {"Die Datei „" + path + "“ ist zu groß (mehr als 16 MiB)."};
  }
  std::string data;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure("kann nicht gelesen werden", path, errno);
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
    if (data.size() > kMaxFileBytes) {
      return {"Die Datei „" + path + "“ ist zu groß (mehr als 16 MiB)."};
    }
  }
  contents = std::move(data);
  return {};
}

FileStatus CheckWritable(const std::string& path) {
  Destination d;
  if (FileStatus examined = Examine(path, d); !examined.ok()) return examined;
  std::string tempPath;
  const int fd = CreateTemporary(d.target, tempPath);
  if (fd < 0) {
    const int error = errno;
    // The save would write the file in place, which Examine found writable.
    if (d.inPlacePossible && FolderRefused(error)) return {};
    return Failure("kann nicht angelegt werden", path, error);
  }
  ::close(fd);
  ::unlink(tempPath.c_str());
  return {};
}

FileStatus WriteFileReplacing(const std::string& path, std::string_view contents) {
  Destination d;
  if (FileStatus examined = Examine(path, d); !examined.ok()) return examined;
  const std::string& target = d.target;
  const struct stat& old = d.old;
  const bool existed = d.existed;
  const bool inPlacePossible = d.inPlacePossible;
  std::string tempPath;
  Fd fd(CreateTemporary(target, tempPath));
  if (fd.get() < 0) {
    const int error = errno;
    if (inPlacePossible && FolderRefused(error)) return WriteInPlace(target, path, contents);
    return Failure("kann nicht angelegt werden", path, error);
  }
  auto fail = [&](int error) {
    ::unlink(tempPath.c_str());
    return Failure("kann nicht geschrieben werden", path, error);
  };
  // The replaced file keeps its permissions.
  if (existed) (void)::fchmod(fd.get(), old.st_mode & 07777);
  if (!WriteAll(fd.get(), contents)) return fail(errno);
  if (::fsync(fd.get()) != 0) return fail(errno);
  if (fd.Close() != 0) return fail(errno);
  if (::rename(tempPath.c_str(), target.c_str()) != 0) {
    const int error = errno;
    // A folder with the sticky bit lets nobody replace another user's file.
    if (inPlacePossible && FolderRefused(error)) {
      ::unlink(tempPath.c_str());
      return WriteInPlace(target, path, contents);
    }
    return fail(error);
  }
  return {};
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool SameTarget(const std::string& a, const std::string& b) {
  return SameFile(a, b) || PlaceOf(a) == PlaceOf(b);
}

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string DirectoryOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

bool IsAbsolutePath(std::string_view path) {
  return !path.empty() && path.front() == '/';
}

std::string WorkingDirectory() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) return "./";
  std::string dir(buffer);
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string TextFileBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += Utf8ToCp1252(line);
    out += "\r\n";
  }
  return out;
}

}  // namespace vellar
