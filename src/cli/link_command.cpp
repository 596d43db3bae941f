// vellar-cli link: the page's address with a micro-program, a memory and a task in its
// fragment, so that a teacher can hand out a worksheet's links without a server.
#include <filesystem>

#include "app/link_content.h"
#include "app/task_file.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "core/file_io.h"

namespace vellar::cli {

namespace {

namespace fs = std::filesystem;

struct LinkOptions {
  std::string base;
  std::optional<std::string> task;
  std::optional<std::string> mps;
  std::optional<std::string> ram;
  bool qr = false;
};

std::optional<int> ParseLinkOptions(const Args& args, LinkOptions& o) {
  std::vector<std::string> positionals;
  const auto take = [&o](std::string_view option, const std::string& value) -> std::optional<int> {
    if (option == "--qr") {
      o.qr = true;
    } else if (option == "--base") {
      o.base = value;
    } else if (option == "--task") {
      o.task = value;
    } else if (option == "--mps") {
      o.mps = value;
    } else if (option == "--ram") {
      o.ram = value;
    } else {
      return UnhandledOption(option);
    }
    return std::nullopt;
  };
  if (const auto exit = ReadArgs("link", args, positionals, take)) return exit;
  if (!positionals.empty()) return UsageError("link nimmt keine Dateien ohne Option.");
  if (o.base.empty()) return UsageError("link braucht --base URL.");
  if (!o.task && !o.mps && !o.ram) {
    return UsageError("link braucht --task, --mps oder --ram.");
  }
  return std::nullopt;
}

// A file for the link, checked as the page will load it; false after the message.
bool AddFile(LinkKind kind, const std::string& path, std::vector<LinkFile>& files) {
  std::string bytes;
  if (const FileStatus read = ReadWholeFile(path, bytes); !read.ok()) {
    Complain(read.error);
    return false;
  }
  if (kind != LinkKind::Task) {
    CliSession cs;
    if (!LoadFile(cs.session, path, kind == LinkKind::Mps ? FileKind::Mps : FileKind::Ram)) {
      return false;
    }
  }
  files.push_back({kind, fs::path(path).filename().string(), std::move(bytes)});
  return true;
}

}  // namespace

int LinkCommand(const Args& args) {
  LinkOptions o;
  if (const auto exit = ParseLinkOptions(args, o)) return *exit;
  std::vector<LinkFile> files;
  if (o.task) {
    std::string text;
    if (!ReadEditorFile(*o.task, text)) return kExitUsage;
    const Task task = ReadTask(text);
    for (const std::string& error : task.errors) Complain(*o.task + ": " + error);
    if (!task.errors.empty()) return kExitUsage;
    // The task's start files travel with it unless the command line names others.
    const fs::path folder = fs::path(*o.task).parent_path();
    if (!o.mps && !task.mps.empty()) o.mps = (folder / task.mps).string();
    if (!o.ram && !task.ram.empty()) o.ram = (folder / task.ram).string();
    if (!AddFile(LinkKind::Task, *o.task, files)) return kExitUsage;
  }
  if (o.mps && !AddFile(LinkKind::Mps, *o.mps, files)) return kExitUsage;
  if (o.ram && !AddFile(LinkKind::Ram, *o.ram, files)) return kExitUsage;
  for (const LinkFile& f : files) {
    if (const auto problem = LinkNameProblem(f.kind, f.name)) {
      return UsageError("„" + f.name + "“: " + *problem);
    }
    if (!UnpackLinkContent(PackLinkContent({f}))) {
      return UsageError("„" + f.name + "“: Dieser Dateiname passt nicht in einen Link.");
    }
  }
  const std::string base = o.base.substr(0, o.base.find('#'));
  PrintLines({base + "#" +
              LinkFragment(PackLinkContent(files), o.qr ? LinkForm::Digits : LinkForm::Text)});
  return kExitOk;
}

}  // namespace vellar::cli
