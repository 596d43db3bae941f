#include "app/file_commands.h"

#include <algorithm>

#include "core/file_io.h"
#include "core/hex.h"
#include "core/text.h"
#include "mps/mpd_text.h"
#include "mps/mps_records.h"
#include "ram/ram_binary.h"
#include "ram/ram_text.h"

namespace vellar {

namespace {

constexpr std::string_view kMpsFilter =
    "MPS -Daten(.mpd) -Vellar(.mps)|*.mpd;*.mps|MPS als Daten zum Druck (*.mpd)|*.mpd|"
    "MPS im Vellar-Format (*.mps)|*.mps";
constexpr std::string_view kRamFilter =
    "Assem(.ras) Daten(.rad); Vellar(.ram); Ombra(.erm)|*.ras;*.rad;*.ram;*.erm|"
    "RAM als AssemblerTxt (*.ras)|*.ras|RAM als DatenByteTxt (*.rad)|*.rad|"
    "RAM im Vellar-Format-32 (*-ram)|*.ram|RAM im Ombra-Format-256 (*-erm)|*.erm";
constexpr std::string_view kMpsQuestion = "Mps speichern ?";
constexpr std::string_view kRamQuestion = "Ram speichern ?";
constexpr int kRasFilter = 2;
constexpr int kRadFilter = 3;
// A message lists this many addresses at most, and counts the rest.
constexpr size_t kListedAddresses = 16;

// What a load says about descriptions it had to cut, naming their addresses.
std::string CutDescriptionsMessage(const std::vector<int>& addresses) {
  const size_t listed = std::min(addresses.size(), kListedAddresses);
  std::string names;
  for (size_t i = 0; i < listed; ++i) {
    if (i > 0) names += (i + 1 == listed && listed == addresses.size()) ? " und " : ", ";
    names += HexByte(static_cast<uint8_t>(addresses[i]));
  }
  if (listed < addresses.size()) {
    names += " und " + std::to_string(addresses.size() - listed) + " weiteren";
  }
  const bool one = addresses.size() == 1;
  return std::string("Nur 25 Zeichen als Kommentar erlaubt.\n") +
         (one ? "Die Beschreibung der Adresse " : "Die Beschreibungen der Adressen ") + names +
         (one ? " war länger und wurde" : " waren länger und wurden") + " auf 25 Zeichen gekürzt.";
}

// A store's own file, or a new one in the format its dialog starts with.
std::string SuggestedName(const std::string& fileName, std::string_view ext) {
  return fileName.empty() ? "unbenannt." + std::string(ext) : fileName;
}

}  // namespace

int ExtIndex(std::string_view fileName, std::span<const std::string_view> table) {
  const std::string name = FileNameOf(fileName);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return -1;
  const std::string ext = ToUpperAscii(std::string_view(name).substr(dot + 1));
  for (size_t i = 0; i < table.size(); ++i) {
    if (ext == table[i]) return static_cast<int>(i);
  }
  return -1;
}

FileCommands::FileCommands(const Parts& parts) : p_(parts) {}

void FileCommands::UpdateCaption() {
  p_.frontend.SetCaption(std::string(kDesignCaption) + " - " + mpsFileName_ + " - " + ramFileName_);
}

bool FileCommands::ConfirmOverwrite(const std::string& path) {
  if (!PathExists(path)) return true;
  return p_.frontend.AskYesNo(path + " überschreiben ?");
}

bool FileCommands::ReadFile(const std::string& path, std::string& bytes) {
  const FileStatus status = ReadWholeFile(path, bytes);
  if (!status.ok()) p_.frontend.ShowError(status.error);
  return status.ok();
}

bool FileCommands::WriteFile(const std::string& path, std::string_view bytes,
                             std::string& fileName) {
  FileStatus status = WriteFileReplacing(path, bytes);
  if (status.ok()) status = p_.frontend.FinishSave(path);
  if (!status.ok()) {
    p_.frontend.ShowError(status.error);
    return false;
  }
  fileName = FileNameOf(path);
  UpdateCaption();
  return true;
}

void FileCommands::LoadCommand(const LoadKind& kind, std::optional<std::string> path) {
  if ((this->*kind.unsaved)() && p_.frontend.AskYesNo(kind.question)) {
    (this->*kind.saveCommand)();
    // The user saves, and then starts the load again. A file named beforehand is the user's
    // choice already: it is loaded once the changes are safe, and never kept for later.
    if (!path || (this->*kind.unsaved)()) return;
  } else if (!path) {
    path = p_.frontend.AskOpenFile(kind.options);
    if (!path) return;
  }
  (this->*kind.load)(*path);
}

void FileCommands::SaveCommand(const FileDialogOptions& options,
                               bool (FileCommands::*save)(const std::string&)) {
  const auto path = p_.frontend.AskSaveFile(options);
  if (path && ConfirmOverwrite(*path)) (this->*save)(*path);
}

// ---- MPS

bool FileCommands::LoadMpsFile(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, bytes)) return false;
  std::vector<int> cut;  // addresses whose descriptions were too long for the store
  if (ExtIndex(path, kMpsExtensions) == kExtMps) {
    const std::optional<MpsRecords> records = ParseMpsRecords(bytes);
    if (!records) {
      p_.frontend.ShowError("„" + path + "“ ist keine gültige MPS-Datei: Sie ist " +
                            std::to_string(bytes.size()) + " statt " +
                            std::to_string(kMpsFileBytes) + " Byte lang.");
      return false;
    }
    ApplyMpsRecords(p_.mps, *records);
  } else {
    cut = ApplyMpd(p_.mps, ParseMpdText(bytes));
  }
  // Every row is new: a text being typed into the old store must not come back.
  p_.mpsGrid.editor.Close();
  p_.frontend.Invalidate(kRedrawMpsGrid);
  mpsFileName_ = FileNameOf(path);
  UpdateCaption();
  p_.mps.SetMpsModified(false);
  p_.run.MeClrRegClick();
  if (p_.ramGrid.AssemblerView()) {
    p_.ramGrid.ShowRamAssembler(p_.machine.Ram);
    p_.frontend.Invalidate(kRedrawRamGrid);
  }
  // Cut as the editor cuts, but never silently.
  if (!cut.empty()) p_.frontend.ShowMessage(CutDescriptionsMessage(cut));
  p_.history.Loaded(true, false);
  return true;
}

std::vector<std::string> FileCommands::BuildMpdText() const {
  return vellar::BuildMpdText(p_.mps, mpsFileName_);
}

std::string FileCommands::MpsFileBytes(const std::string& path) const {
  return ExtIndex(path, kMpsExtensions) == kExtMps ? BuildMpsRecords(p_.mps)
                                                   : TextFileBytes(BuildMpdText());
}

bool FileCommands::SaveMpsFile(const std::string& path) {
  if (!WriteFile(path, MpsFileBytes(path), mpsFileName_)) return false;
  p_.mps.SetMpsModified(false);
  p_.history.Saved(true, false);
  return true;
}

FileCommands::LoadKind FileCommands::MpsLoad() const {
  return {&FileCommands::MpsUnsaved, kMpsQuestion, &FileCommands::MeSaveMpsClick, MpsDialog(),
          &FileCommands::LoadMpsFile};
}

void FileCommands::MeLoadMpsClick() {
  LoadCommand(MpsLoad(), std::nullopt);
}

void FileCommands::OpenMpsFile(const std::string& path) {
  LoadCommand(MpsLoad(), path);
}

void FileCommands::MeSaveMpsClick() {
  SaveCommand(MpsDialog(), &FileCommands::SaveMpsFile);
}

FileDialogOptions FileCommands::MpsDialog() const {
  return {std::string(kMpsFilter), 1, "MPD", mpsDialogDir, SuggestedName(mpsFileName_, "mpd")};
}

// ---- RAM

bool FileCommands::LoadRamFile(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, bytes)) return false;
  const int ext = ExtIndex(path, kRamExtensions);
  if (ext == kExtRam || ext == kExtErm) {
    LoadRamBinary(bytes);
  } else {
    LoadRamText(bytes);
  }
  ramFileName_ = FileNameOf(path);
  UpdateCaption();
  p_.memory.SetRamChanged(false);
  p_.run.MeClrRegClick();
  p_.history.Loaded(false, true);
  return true;
}

void FileCommands::LoadRamText(std::string_view bytes) {
  const RamTextImage image = ParseRamText(bytes, p_.ramGrid.AssemblerView());
  p_.memory.ClearRam();
  if (image.variableLines) {
    p_.menu.MeVariablen = true;
    p_.frontend.Invalidate(kRedrawMenus);
  }
  p_.ramView.SelectItem(image.assemblerView ? RamView::kAssemblerItem : RamView::kDataItem);
  for (int a = 0; a < kRamSize; ++a) {
    if (image.ram[a] != 0) p_.memory.WriteRam(a, image.ram[a]);
  }
  for (const auto& [address, name] : image.variables) p_.variables.Append(address, name);
  p_.memory.UpdateVariables();
  p_.frontend.Invalidate(kRedrawRamGrid | kRedrawLayout);
}

void FileCommands::LoadRamBinary(std::string_view bytes) {
  p_.machine.Ram = RamFromBinary(bytes);
  p_.ramGrid.Rebuild(p_.machine.Ram);
  // The variables stay, and their values follow the new bytes.
  p_.memory.UpdateVariables();
  p_.frontend.Invalidate(kRedrawRamGrid);
}

std::vector<std::string> FileCommands::RamListing(bool assembler) {
  p_.ramView.SelectItem(assembler ? RamView::kAssemblerItem : RamView::kDataItem);
  return BuildRamListing(p_.ramGrid, p_.machine.Ram, p_.menu.MeVariablen ? &p_.variables : nullptr,
                         ramFileName_);
}

std::optional<std::string> FileCommands::RamFileBytes(const std::string& path) {
  std::string bytes;
  switch (ExtIndex(path, kRamExtensions)) {
    case kExtRas:
      bytes = TextFileBytes(RamListing(true));
      break;
    case kExtRam:
      // The short format holds 00 to 1F only; bytes beyond would be gone once the window closes.
      if (const int lost = FirstLostAddress(p_.machine.Ram, kRamShortBytes); lost >= 0) {
        p_.frontend.ShowError(
            "„" + FileNameOf(path) +
            "“: Eine .ram-Datei hält nur die Adressen 00 bis 1F, aber an Adresse " +
            HexByte(static_cast<uint8_t>(lost)) +
            " steht ein Byte ungleich 00, das verloren ginge. Es wird nichts "
            "geschrieben; .erm, .ras und .rad halten alle 256 Byte.");
        return std::nullopt;
      }
      bytes = RamBinary(p_.machine.Ram, kRamShortBytes);
      break;
    case kExtErm:
      bytes = RamBinary(p_.machine.Ram, kRamSize);
      break;
    default:
      bytes = TextFileBytes(RamListing(false));
      break;
  }
  return bytes;
}

bool FileCommands::SaveRamFile(const std::string& path) {
  const std::optional<std::string> bytes = RamFileBytes(path);
  if (!bytes) return false;
  if (!WriteFile(path, *bytes, ramFileName_)) return false;
  p_.memory.SetRamChanged(false);
  p_.history.Saved(false, true);
  return true;
}

FileCommands::LoadKind FileCommands::RamLoad() const {
  return {&FileCommands::RamUnsaved, kRamQuestion, &FileCommands::MeSaveRamClick, RamOpenDialog(),
          &FileCommands::LoadRamFile};
}

void FileCommands::MeLoadRamClick() {
  LoadCommand(RamLoad(), std::nullopt);
}

void FileCommands::OpenRamFile(const std::string& path) {
  LoadCommand(RamLoad(), path);
}

void FileCommands::MeSaveRamClick() {
  SaveCommand(RamSaveDialog(), &FileCommands::SaveRamFile);
}

void FileCommands::MeClrRamClick() {
  const auto edit = p_.history.Edit({EditTarget::Ram});
  p_.memory.ClearRam();
  p_.frontend.Invalidate(kRedrawRamGrid);
}

// A cleared store has nothing to lose.
bool FileCommands::MpsUnsaved() const {
  return p_.history.MpsDiffersFromSaved() && p_.mps.LastUsedAddress() >= 0;
}

bool FileCommands::RamUnsaved() const {
  const auto& ram = p_.machine.Ram;
  const bool empty = std::all_of(ram.begin(), ram.end(), [](uint8_t b) { return b == 0; }) &&
                     !p_.variables.HasVariables();
  return p_.history.RamDiffersFromSaved() && !empty;
}

bool FileCommands::HasUnsavedWork() const {
  return MpsUnsaved() || RamUnsaved();
}

bool FileCommands::SaveBeforeClosing(bool (FileCommands::*unsaved)() const,
                                     std::string_view question,
                                     void (FileCommands::*saveCommand)()) {
  if (!(this->*unsaved)()) return true;
  switch (p_.frontend.AskYesNoCancel(question)) {
    case Answer::Yes:
      (this->*saveCommand)();
      // A save dialog called off or a failed save keeps the window and the work.
      return !(this->*unsaved)();
    case Answer::No:
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

bool FileCommands::FormCloseQuery() {
  return SaveBeforeClosing(&FileCommands::MpsUnsaved, kMpsQuestion,
                           &FileCommands::MeSaveMpsClick) &&
         SaveBeforeClosing(&FileCommands::RamUnsaved, kRamQuestion, &FileCommands::MeSaveRamClick);
}

FileDialogOptions FileCommands::RamOpenDialog() const {
  FileDialogOptions options = RamSaveDialog();
  options.filterIndex = 1;
  return options;
}

FileDialogOptions FileCommands::RamSaveDialog() const {
  const bool assembler = p_.ramGrid.AssemblerView();
  return {std::string(kRamFilter), assembler ? kRasFilter : kRadFilter, assembler ? "RAS" : "RAD",
          ramDialogDir, SuggestedName(ramFileName_, assembler ? "ras" : "rad")};
}

}  // namespace vellar
