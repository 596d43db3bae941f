#include "cli/cli_fixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

namespace vellar::testing {

CliResult CliTest::Cli(const std::vector<std::string>& args, const std::string& stdoutPath) {
  std::vector<std::string> argv = {VELLAR_CLI};
  argv.insert(argv.end(), args.begin(), args.end());
  return Spawn(argv, stdoutPath);
}

CliResult CliTest::Spawn(std::vector<std::string> argv, const std::string& stdoutPath) {
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  const std::string out = stdoutPath.empty() ? std::string(dir / "stdout") : stdoutPath;
  const std::string err = dir / "stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  CliResult result;
  if (posix_spawnp(&pid, cargv[0], &actions, nullptr, cargv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (stdoutPath.empty()) result.out = ReadBytes(out);
  result.err = ReadBytes(err);
  return result;
}

}  // namespace vellar::testing
