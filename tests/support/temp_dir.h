#pragma once

#include <string>
#include <string_view>

// A fresh folder for one test, removed with everything in it when the test ends.
namespace vellar::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder with a trailing '/'.
  const std::string& path() const { return path_; }
  // The folder without it, as a file dialog names its directory.
  std::string folder() const { return path_.substr(0, path_.size() - 1); }
  std::string operator/(std::string_view name) const { return path_ + std::string(name); }

  // Number of entries in the folder (a leftover temporary file shows up here).
  int EntryCount() const;

 private:
  std::string path_;
};

// Whole files for the tests, written and read without the program's own file layer.
void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);

}  // namespace vellar::testing
