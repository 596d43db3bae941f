#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/asking.h"
#include "app/edit_history.h"
#include "app/frontend.h"
#include "app/memory.h"
#include "app/menu_options.h"
#include "app/ram_view.h"
#include "app/run_control.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "mps/mps_store.h"
#include "ram/ram_grid.h"
#include "ram/variables.h"

// The "&Datei" menu: loading and saving the MPS and the RAM, clearing the RAM, and the
// caption that names the files. A load reads and checks the whole file before it touches
// anything, and a save replaces the old file only once the new one is complete. The commands
// that ask (whether to save first, which file, whether to overwrite) are coroutines that wait
// for their answers in Asking; one of them at a time.
namespace vellar {

inline constexpr std::array<std::string_view, 2> kMpsExtensions = {"MPD", "MPS"};
inline constexpr std::array<std::string_view, 4> kRamExtensions = {"RAD", "RAS", "RAM", "ERM"};
enum MpsExt : int { kExtMpd = 0, kExtMps = 1 };
enum RamExt : int { kExtRad = 0, kExtRas = 1, kExtRam = 2, kExtErm = 3 };

inline constexpr std::string_view kDesignCaption = "Mikroprozessor Simulation";

// The index of the file name's extension (without the dot, any case) in the table; -1 when
// it is not there or the name has none.
int ExtIndex(std::string_view fileName, std::span<const std::string_view> table);

class FileCommands {
 public:
  struct Parts {
    MpsStore& mps;
    MpsGrid& mpsGrid;
    RamGrid& ramGrid;
    Memory& memory;
    VariableList& variables;
    Machine& machine;
    MenuOptions& menu;
    RunControl& run;
    RamView& ramView;
    EditHistory& history;
    Asking& asking;
    Frontend& frontend;
  };

  explicit FileCommands(const Parts& parts);

  const std::string& MpsFileName() const { return mpsFileName_; }
  const std::string& RamFileName() const { return ramFileName_; }

  // "Mikroprozessor Simulation - <MPS file> - <RAM file>".
  void UpdateCaption();

  // The MPS: loading (reset included) and writing, by the extension, without a question; false
  // after an error, which the frontend has shown and which changed nothing.
  bool LoadMpsFile(const std::string& path);
  bool SaveMpsFile(const std::string& path);
  // The bytes SaveMpsFile writes to a file of that name.
  std::string MpsFileBytes(const std::string& path) const;
  std::vector<std::string> BuildMpdText() const;
  void MeLoadMpsClick();
  // The load command for a file the frontend names itself (the page's examples): the question
  // about unsaved changes first; after a save that worked, the file is loaded.
  void OpenMpsFile(const std::string& path);
  void MeSaveMpsClick();

  // The RAM likewise.
  bool LoadRamFile(const std::string& path);
  bool SaveRamFile(const std::string& path);
  // The bytes SaveRamFile writes to a file of that name; none, after the message, for a .ram
  // that would lose bytes.
  std::optional<std::string> RamFileBytes(const std::string& path);
  // Switches to the layout's view, as its item in "RA&M-Anzeige" does, and lists that view.
  std::vector<std::string> RamListing(bool assembler);
  void MeLoadRamClick();
  void OpenRamFile(const std::string& path);
  void MeSaveRamClick();
  void MeClrRamClick();

  // Loads each named file, MPS files first, once the questions about unsaved work of each
  // store concerned were asked as the load asks them; for a command that opens several (a
  // task's start files, a link). True once all are loaded; false when a save was called off
  // (nothing is loaded then) or a file did not load.
  Resumable<bool> LoadFilesCommand(std::vector<std::string> mps, std::vector<std::string> ram);

  // Unsaved work: the MPS or the RAM differs from what was last loaded or saved.
  bool HasUnsavedWork() const;
  // Closing the window or the page: for each store with unsaved work "Mps speichern ?" and
  // "Ram speichern ?", with Ja, Nein and Abbrechen. Closing may go on once each store was saved
  // or given up; not after Abbrechen, nor when the save did not happen. Then `close` runs: at
  // once, when the frontend answered at once, and true is returned; otherwise after the last
  // answer. False while the answers are still to come, or when closing may not go on.
  bool FormCloseQuery(std::function<void()> close = {});

  // The file dialogs, with the start directories the command line left.
  FileDialogOptions MpsDialog() const;
  FileDialogOptions RamOpenDialog() const;
  FileDialogOptions RamSaveDialog() const;
  std::string mpsDialogDir;
  std::string ramDialogDir;

 private:
  bool ReadFile(const std::string& path, std::string& bytes);
  // ReadFile for the text formats, which refuses a text saved as UTF-16.
  bool ReadTextFile(const std::string& path, std::string& bytes);
  // What the save command of a store needs: the file's bytes for a name (none after an error
  // shown), which store it is, and the dialog.
  struct SaveKind {
    std::optional<std::string> (FileCommands::*bytes)(const std::string&);
    bool mps;
    FileDialogOptions options;
  };
  SaveKind MpsSave() const;
  SaveKind RamSave() const;
  std::optional<std::string> MpsBytes(const std::string& path);
  std::optional<std::string> RamBytes(const std::string& path);
  // Writes the store's file, replacing an old one only once the new one is complete.
  bool WriteFile(const SaveKind& kind, const std::string& path);
  bool SaveFile(const SaveKind& kind, const std::string& path);
  // After a save: the store is what the file holds, and the caption names it.
  void Saved(bool mps, const std::string& path);
  // What the load command of a store needs.
  struct LoadKind {
    bool (FileCommands::*unsaved)() const;
    std::string_view question;
    SaveKind (FileCommands::*save)() const;
    FileDialogOptions options;
    bool (FileCommands::*load)(const std::string&);
  };
  LoadKind MpsLoad() const;
  LoadKind RamLoad() const;
  // Asks whether to save the store's unsaved changes, and saves them when told to. Nothing
  // when there was nothing to ask or the answer was "Nein"; else whether the changes are saved.
  Resumable<std::optional<bool>> OfferToSave(LoadKind kind);
  // The load command of either store: with unsaved changes the user may save instead of
  // loading; otherwise a file is picked, or the one given is taken, and loaded.
  // True when the file was loaded.
  Resumable<bool> LoadCommand(LoadKind kind, std::optional<std::string> path);
  // The save command of either store: a file is picked, an existing one confirmed, and saved.
  Resumable<> SaveCommand(SaveKind kind);
  // True when nothing of that name exists, or the user agrees to replace it.
  Resumable<bool> ConfirmOverwrite(std::string path);
  // Closing: the question for one store, and its save on Ja; true when closing may go on.
  Resumable<bool> SaveBeforeClosing(bool (FileCommands::*unsaved)() const,
                                    std::string_view question,
                                    SaveKind (FileCommands::*save)() const);
  Resumable<bool> CloseQuery();
  Resumable<> CloseWhenAllowed(Resumable<bool> query, std::function<void()> close);
  bool MpsUnsaved() const;
  bool RamUnsaved() const;
  void LoadRamText(std::string_view bytes);
  void LoadRamBinary(std::string_view bytes);

  Parts p_;
  std::string mpsFileName_;
  std::string ramFileName_;
};

}  // namespace vellar
