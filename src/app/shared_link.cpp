#include "app/shared_link.h"

#include "app/link_content.h"
#include "app/quiet_frontend.h"
#include "core/file_io.h"

namespace vellar {

namespace {

// Whether every file of the link loads, tried on a session of its own so that a fault found in
// the second file leaves nothing of the first behind.
bool AllLoad(const std::vector<std::string>& mps, const std::vector<std::string>& ram) {
  QuietFrontend quiet;
  Session trial(quiet);
  trial.FormCreate({});
  for (const std::string& path : mps) {
    if (!trial.files.LoadMpsFile(path)) return false;
  }
  for (const std::string& path : ram) {
    if (!trial.files.LoadRamFile(path)) return false;
  }
  return true;
}

}  // namespace

bool OpenLinkContent(Session& session, std::string_view content, const std::string& folder) {
  const std::optional<std::vector<LinkFile>> files = UnpackLinkContent(content);
  std::vector<std::string> mps;
  std::vector<std::string> ram;
  bool written = files.has_value();
  for (const LinkFile& f : files.value_or(std::vector<LinkFile>{})) {
    const std::string path = folder + (folder.ends_with('/') ? "" : "/") + f.name;
    written = written && WriteFileReplacing(path, f.bytes).ok();
    if (f.kind == LinkKind::Mps) mps.push_back(path);
    if (f.kind == LinkKind::Ram) ram.push_back(path);
  }
  if (!written || !AllLoad(mps, ram)) {
    session.frontend.ShowMessage(kDamagedLinkMessage, "");
    return false;
  }
  for (const std::string& path : mps) session.files.OpenMpsFile(path);
  for (const std::string& path : ram) session.files.OpenRamFile(path);
  return true;
}

std::optional<std::string> CurrentLinkContent(Session& session) {
  FileCommands& files = session.files;
  const std::string mpsName =
      files.MpsFileName().empty() ? "mikroprogramm.mpd" : FileNameOf(files.MpsFileName());
  const std::string ramName =
      files.RamFileName().empty() ? "programm.ras" : FileNameOf(files.RamFileName());
  const std::optional<std::string> ramBytes = files.RamFileBytes(ramName);
  if (!ramBytes) return std::nullopt;
  return PackLinkContent(
      {{LinkKind::Mps, mpsName, files.MpsFileBytes(mpsName)}, {LinkKind::Ram, ramName, *ramBytes}});
}

}  // namespace vellar
