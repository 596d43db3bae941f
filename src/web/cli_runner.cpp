// vellar-cli inside the page: the page puts the files into a folder of its own, runs the tool
// there and reads back what it printed and wrote. The output is caught byte for byte, as the
// native tool writes it to its streams. Paths that leave the folder are refused.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "web/redirect.h"

namespace {

// A path that leaves the tool's folder: absolute, or climbing above it with "..".
bool LeavesFolder(std::string_view path) {
  if (path.starts_with('/')) return true;
  int depth = 0;
  while (!path.empty()) {
    const size_t slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    if (part == "..") {
      if (--depth < 0) return true;
    } else if (!part.empty() && part != ".") {
      ++depth;
    }
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
  }
  return false;
}

// The argument that names a path outside the folder, if any: the tool's files are the page's
// and the script's, never the page's own folders.
const std::string* PathOutside(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    const std::string_view value = arg.starts_with("--") && arg.find('=') != std::string::npos
                                       ? std::string_view(arg).substr(arg.find('=') + 1)
                                       : std::string_view(arg);
    if (LeavesFolder(value)) return &arg;
  }
  return nullptr;
}

void WriteText(const std::string& path, const std::string& text) {
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

}  // namespace

extern "C" {

// Runs the tool with the arguments (one per line) in the folder dir; its standard output and
// error output go to the files outPath and errPath. Returns the exit code.
EMSCRIPTEN_KEEPALIVE int vellar_cli(const char* dir, const char* argLines, const char* outPath,
                                    const char* errPath) {
  std::vector<std::string> args;
  std::istringstream lines(argLines);
  for (std::string line; std::getline(lines, line);) args.push_back(line);
  if (const std::string* outside = PathOutside(args)) {
    WriteText(outPath, "");
    WriteText(errPath, "vellar-cli: „" + *outside +
                           "“ liegt außerhalb des Ordners der Dateien; im Browser arbeitet das "
                           "Werkzeug nur mit den übergebenen Dateien.\n");
    return vellar::cli::kExitUsage;
  }

  char previous[4096];
  if (getcwd(previous, sizeof previous) == nullptr) previous[0] = '\0';
  if (chdir(dir) != 0) return vellar::cli::kExitUsage;
  int code = 0;
  {
    vellar::web::Redirect out(stdout, outPath);
    vellar::web::Redirect err(stderr, errPath);
    code = vellar::cli::Main(args);
    std::cout.flush();
    std::cerr.flush();
  }
  if (previous[0] != '\0' && chdir(previous) != 0) return vellar::cli::kExitUsage;
  return code;
}

}  // extern "C"
