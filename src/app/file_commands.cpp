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

Resumable<bool> FileCommands::ConfirmOverwrite(std::string path) {
  if (!PathExists(path)) co_return true;
  const Reply reply = co_await p_.asking.YesNo(path + " überschreiben ?");
  co_return reply.answer == Answer::Yes;
}

bool FileCommands::ReadFile(const std::string& path, std::string& bytes) {
  const FileStatus status = ReadWholeFile(path, bytes);
  if (!status.ok()) p_.frontend.ShowError(status.error);
  return status.ok();
}

bool FileCommands::ReadTextFile(const std::string& path, std::string& bytes) {
  if (!ReadFile(path, bytes)) return false;
  // Read byte by byte, UTF-16 gives a store of garbage and no word why; said once instead.
  // The compact formats are binary and never come here: their zero bytes are data.
  if (LooksLikeUtf16(bytes)) {
    p_.frontend.ShowError(SavedAsUtf16Message("„" + path + "“"));
    return false;
  }
  return true;
}

bool FileCommands::WriteFile(const SaveKind& kind, const std::string& path) {
  const std::optional<std::string> bytes = (this->*kind.bytes)(path);
  if (!bytes) return false;
  const FileStatus status = WriteFileReplacing(path, *bytes);
  if (!status.ok()) p_.frontend.ShowError(status.error);
  return status.ok();
}

bool FileCommands::SaveFile(const SaveKind& kind, const std::string& path) {
  if (!WriteFile(kind, path)) return false;
  Saved(kind.mps, path);
  return true;
}

void FileCommands::Saved(bool mps, const std::string& path) {
  (mps ? mpsFileName_ : ramFileName_) = FileNameOf(path);
  UpdateCaption();
  if (mps) {
    p_.mps.SetMpsModified(false);
  } else {
    p_.memory.SetRamChanged(false);
  }
  p_.history.Saved(mps, !mps);
}

Resumable<std::optional<bool>> FileCommands::OfferToSave(LoadKind kind) {
  if (!(this->*kind.unsaved)()) co_return std::nullopt;
  const Reply save = co_await p_.asking.YesNo(std::string(kind.question));
  if (save.answer != Answer::Yes) co_return std::nullopt;
  co_await SaveCommand((this->*kind.save)());
  co_return !(this->*kind.unsaved)();
}

Resumable<bool> FileCommands::LoadCommand(LoadKind kind, std::optional<std::string> path) {
  // The user saves, and then starts the load again. A file named beforehand is the user's
  // choice already: it is loaded once the changes are safe, and never kept for later.
  if (const std::optional<bool> saved = co_await OfferToSave(kind)) {
    if (!*saved || !path) co_return false;
    co_return (this->*kind.load)(*path);
  }
  if (!path) {
    const Reply picked = co_await p_.asking.OpenFile(kind.options);
    path = picked.text;
  }
  co_return path && (this->*kind.load)(*path);
}

Resumable<bool> FileCommands::LoadFilesCommand(std::vector<std::string> mps,
                                               std::vector<std::string> ram) {
  // Both questions come before anything is replaced: a save called off at the second must
  // find the first store as it was, not half of the files loaded.
  for (const auto& [paths, kind] : {std::pair{&mps, MpsLoad()}, std::pair{&ram, RamLoad()}}) {
    if (paths->empty()) continue;
    const std::optional<bool> saved = co_await OfferToSave(kind);
    if (saved && !*saved) co_return false;
  }
  for (const std::string& path : mps) {
    if (!LoadMpsFile(path)) co_return false;
  }
  for (const std::string& path : ram) {
    if (!LoadRamFile(path)) co_return false;
  }
  co_return true;
}

Resumable<> FileCommands::SaveCommand(SaveKind kind) {
  const Reply picked = co_await p_.asking.SaveFile(kind.options);
  if (!picked.text) co_return;
  const std::string path = *picked.text;
  const bool replace = co_await ConfirmOverwrite(path);
  if (!replace || !WriteFile(kind, path)) co_return;
  // Where the frontend must carry the file to the user's own folder, the work is saved only
  // once it got there.
  const Reply carried = co_await p_.asking.FinishSave(path);
  if (carried.text) {
    p_.frontend.ShowError(*carried.text);
    co_return;
  }
  Saved(kind.mps, path);
}

// ---- MPS

bool FileCommands::LoadMpsFile(const std::string& path) {
  const bool compact = ExtIndex(path, kMpsExtensions) == kExtMps;
  std::string bytes;
  if (!(compact ? ReadFile(path, bytes) : ReadTextFile(path, bytes))) return false;
  std::vector<int> cut;  // addresses whose descriptions were too long for the store
  if (compact) {
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

std::optional<std::string> FileCommands::MpsBytes(const std::string& path) {
  return MpsFileBytes(path);
}

std::string FileCommands::MpsFileBytes(const std::string& path) const {
  return ExtIndex(path, kMpsExtensions) == kExtMps ? BuildMpsRecords(p_.mps)
                                                   : TextFileBytes(BuildMpdText());
}

bool FileCommands::SaveMpsFile(const std::string& path) {
  return SaveFile(MpsSave(), path);
}

FileCommands::SaveKind FileCommands::MpsSave() const {
  return {&FileCommands::MpsBytes, true, MpsDialog()};
}

FileCommands::LoadKind FileCommands::MpsLoad() const {
  return {&FileCommands::MpsUnsaved, kMpsQuestion, &FileCommands::MpsSave, MpsDialog(),
          &FileCommands::LoadMpsFile};
}

void FileCommands::MeLoadMpsClick() {
  p_.asking.Start([this] { return Ended(LoadCommand(MpsLoad(), std::nullopt)); });
}

void FileCommands::OpenMpsFile(const std::string& path) {
  p_.asking.Start([&] { return Ended(LoadCommand(MpsLoad(), path)); });
}

void FileCommands::MeSaveMpsClick() {
  p_.asking.Start([this] { return SaveCommand(MpsSave()); });
}

FileDialogOptions FileCommands::MpsDialog() const {
  return {std::string(kMpsFilter), 1, "MPD", mpsDialogDir, SuggestedName(mpsFileName_, "mpd")};
}

// ---- RAM

bool FileCommands::LoadRamFile(const std::string& path) {
  const int ext = ExtIndex(path, kRamExtensions);
  const bool compact = ext == kExtRam || ext == kExtErm;
  std::string bytes;
  if (!(compact ? ReadFile(path, bytes) : ReadTextFile(path, bytes))) return false;
  if (compact) {
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
  return RamBytes(path);
}

std::optional<std::string> FileCommands::RamBytes(const std::string& path) {
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
  return SaveFile(RamSave(), path);
}

FileCommands::SaveKind FileCommands::RamSave() const {
  return {&FileCommands::RamBytes, false, RamSaveDialog()};
}

FileCommands::LoadKind FileCommands::RamLoad() const {
  return {&FileCommands::RamUnsaved, kRamQuestion, &FileCommands::RamSave, RamOpenDialog(),
          &FileCommands::LoadRamFile};
}

void FileCommands::MeLoadRamClick() {
  p_.asking.Start([this] { return Ended(LoadCommand(RamLoad(), std::nullopt)); });
}

void FileCommands::OpenRamFile(const std::string& path) {
  p_.asking.Start([&] { return Ended(LoadCommand(RamLoad(), path)); });
}

void FileCommands::MeSaveRamClick() {
  p_.asking.Start([this] { return SaveCommand(RamSave()); });
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

Resumable<bool> FileCommands::SaveBeforeClosing(bool (FileCommands::*unsaved)() const,
                                                std::string_view question,
                                                SaveKind (FileCommands::*save)() const) {
  if (!(this->*unsaved)()) co_return true;
  const Reply reply = co_await p_.asking.YesNoCancel(std::string(question));
  switch (reply.answer) {
    case Answer::Yes:
      co_await SaveCommand((this->*save)());
      // A save dialog called off or a failed save keeps the window and the work.
      co_return !(this->*unsaved)();
    case Answer::No:
      co_return true;
    case Answer::Cancel:
      break;
  }
  co_return false;
}

Resumable<bool> FileCommands::CloseQuery() {
  const bool mpsDone =
      co_await SaveBeforeClosing(&FileCommands::MpsUnsaved, kMpsQuestion, &FileCommands::MpsSave);
  if (!mpsDone) co_return false;
  co_return co_await SaveBeforeClosing(&FileCommands::RamUnsaved, kRamQuestion,
                                       &FileCommands::RamSave);
}

Resumable<> FileCommands::CloseWhenAllowed(Resumable<bool> query, std::function<void()> close) {
  const bool allowed = co_await query;
  if (allowed && close) close();
}

bool FileCommands::FormCloseQuery(std::function<void()> close) {
  if (p_.asking.Waiting()) return false;
  Resumable<bool> query = CloseQuery();
  if (!query.Done()) {
    p_.asking.Keep(CloseWhenAllowed(std::move(query), std::move(close)));
    return false;
  }
  if (query.Result() && close) close();
  return query.Result();
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
