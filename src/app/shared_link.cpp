#include "app/shared_link.h"

#include "app/link_content.h"
#include "app/quiet_frontend.h"
#include "app/task_panel.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vellar {

namespace {

// Keeps the first error a trial load shows.
class TrialFrontend : public QuietFrontend {
 public:
  void ShowError(std::string_view text) override {
    if (error.empty()) error = text;
  }
  std::string error;
};

// The link's files in turn, then its task: all of them, or what was loaded before a save
// called off.
Resumable<> OpenLinkFiles(Session& session, std::vector<std::string> mps,
                          std::vector<std::string> ram, std::optional<Task> task,
                          LinkFile taskFile) {
  const bool loaded = co_await session.files.LoadFilesCommand(std::move(mps), std::move(ram));
  if (loaded && task) {
    session.Task().ShowTask(std::move(*task), std::move(taskFile.name), std::move(taskFile.bytes));
  }
}

}  // namespace

std::optional<std::string> WhyFilesWouldNotLoad(const std::vector<std::string>& mps,
                                                const std::vector<std::string>& ram) {
  TrialFrontend trialFrontend;
  Session trial(trialFrontend);
  trial.FormCreate({});
  bool all = true;
  for (const std::string& path : mps) all = all && trial.files.LoadMpsFile(path);
  for (const std::string& path : ram) all = all && trial.files.LoadRamFile(path);
  if (all) return std::nullopt;
  return trialFrontend.error;
}

bool OpenLinkContent(Session& session, std::string_view content, const std::string& folder) {
  const std::optional<std::vector<LinkFile>> files = UnpackLinkContent(content);
  std::vector<std::string> mps;
  std::vector<std::string> ram;
  std::optional<Task> task;
  LinkFile taskFile{LinkKind::Task, {}, {}};
  bool written = files.has_value();
  for (const LinkFile& f : files.value_or(std::vector<LinkFile>{})) {
    const std::string path = folder + (folder.ends_with('/') ? "" : "/") + f.name;
    written = written && WriteFileReplacing(path, f.bytes).ok();
    if (f.kind == LinkKind::Mps) mps.push_back(path);
    if (f.kind == LinkKind::Ram) ram.push_back(path);
    if (f.kind == LinkKind::Task) {
      task = ReadTask(EditorText(f.bytes));
      taskFile = f;
      written = written && task->errors.empty();
    }
  }
  if (!written || WhyFilesWouldNotLoad(mps, ram)) {
    session.frontend.ShowMessage(kDamagedLinkMessage, "");
    return false;
  }
  // One command for all files, so that the second one is not refused while the page still
  // asks about the first.
  return session.asking.Start([&] {
    return OpenLinkFiles(session, std::move(mps), std::move(ram), std::move(task),
                         std::move(taskFile));
  });
}

std::optional<std::string> CurrentLinkContent(Session& session) {
  FileCommands& files = session.files;
  const std::string mpsName =
      files.MpsFileName().empty() ? "mikroprogramm.mpd" : FileNameOf(files.MpsFileName());
  const std::string ramName =
      files.RamFileName().empty() ? "programm.ras" : FileNameOf(files.RamFileName());
  const std::optional<std::string> ramBytes = files.RamFileBytes(ramName);
  if (!ramBytes) return std::nullopt;
  std::vector<LinkFile> linked;
  // The task goes along as the teacher wrote it, so that the link opens it with the work.
  if (session.Task().HasTask()) {
    linked.push_back(
        {LinkKind::Task, session.Task().TaskFileName(), session.Task().TaskFileBytes()});
  }
  linked.push_back({LinkKind::Mps, mpsName, files.MpsFileBytes(mpsName)});
  linked.push_back({LinkKind::Ram, ramName, *ramBytes});
  return PackLinkContent(linked);
}

}  // namespace vellar
