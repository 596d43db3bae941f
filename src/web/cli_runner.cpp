// vellar-cli inside the page: the page puts the files into a folder of its own, runs the tool
// there and reads back what it printed and wrote. The output is caught byte for byte, as the
// native tool writes it to its streams.
#include <emscripten.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Swaps a stream's buffer for a string and puts it back when done, whatever happens between.
class Capture {
 public:
  explicit Capture(std::ostream& stream) : stream_(stream), old_(stream.rdbuf(buffer_.rdbuf())) {}
  ~Capture() {
    stream_.rdbuf(old_);
    stream_.clear();
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;
  std::string Text() const { return buffer_.str(); }

 private:
  std::ostream& stream_;
  std::ostringstream buffer_;
  std::streambuf* old_;
};

}  // namespace

extern "C" {

// Runs the tool with the arguments (one per line) in the folder dir; its standard output and
// error output go to the files outPath and errPath. Returns the exit code.
EMSCRIPTEN_KEEPALIVE int vellar_cli(const char* dir, const char* argLines, const char* outPath,
                                    const char* errPath) {
  std::vector<std::string> args;
  std::istringstream lines(argLines);
  for (std::string line; std::getline(lines, line);) args.push_back(line);

  char previous[4096];
  if (getcwd(previous, sizeof previous) == nullptr) previous[0] = '\0';
  if (chdir(dir) != 0) return 2;
  int code = 0;
  std::string out;
  std::string err;
  {
    Capture captureOut(std::cout);
    Capture captureErr(std::cerr);
    code = vellar::cli::Main(args);
    std::cout.flush();
    out = captureOut.Text();
    err = captureErr.Text();
  }
  if (previous[0] != '\0' && chdir(previous) != 0) return 2;
  WriteBytes(outPath, out);
  WriteBytes(errPath, err);
  return code;
}

}  // extern "C"
