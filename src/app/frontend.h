#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_io.h"

// How the session meets the world: message boxes, questions, file pickers, the run timer,
// the slices of an unpaced run, focus, repaints and printing. The window implements it with Qt; the
// tests with a scripted fake; vellar-cli with a quiet one that reports messages on stderr.
namespace vellar {

// Controls whose focus the rules ask about or move.
enum class Control {
  None,
  MpsGrid,
  RamGrid,
  RamInspector,
  RegisterField,  // one of EdAX .. EdAL
  Slider,         // TrZeit
  GateControl,    // RaTor
  Other,
};

// What must be shown anew; the frontend may collect these and repaint in its own time.
enum Redraw : uint32_t {
  kRedrawMpsGrid = 1u << 0,      // cells, colours, the green row, the current cell
  kRedrawRamGrid = 1u << 1,      // cells, marks, the current cell, the layout of the view
  kRedrawInspector = 1u << 2,    // the variable inspector's cells
  kRedrawRegisters = 1u << 3,    // the register fields and the sign flag panel
  kRedrawGateButtons = 1u << 4,  // pictures, hints and enabled states of Tor_0 .. Tor_F, ShPlus
  kRedrawPicture = 1u << 5,      // the data-path picture's paths
  kRedrawRunControls = 1u << 6,  // RaTor, the run buttons, the slider and its label
  kRedrawMenus = 1u << 7,        // check marks of the menu items
  // FormResize: panels and grids are to be placed anew. The model asks for it whenever what
  // the layout depends on changes (the RAM view, the inspector shown or its columns, the MPS
  // grid's first widths); the window keeps no copies to compare.
  kRedrawLayout = 1u << 8,
  kRedrawPictureFull = 1u << 9,  // a real repaint of the picture: every path black
  // The task panel: shown or closed, its texts, the rows of its check; and while it checks,
  // the frontend gives the check its slices (TaskPanel::Advance).
  kRedrawTask = 1u << 10,
};

// The answer to a question that may also be called off.
enum class Answer { Yes, No, Cancel };

struct FileDialogOptions {
  std::string filter;      // "Beschreibung|*.a;*.b|..." as in the menus' dialogs
  int filterIndex = 1;     // the entry selected first, counted from 1
  std::string defaultExt;  // without the dot
  std::string initialDir;
  std::string fileName;  // the name the dialog suggests, where it suggests one
  // A task's start files may be picked along with it: where the frontend can read only the
  // files the user picks (the page), it takes them all and answers with all their names, one
  // a line; the command finds the task among them.
  bool withStartFiles = false;
};

// What a command asks the user, and what the user answers.
struct Question {
  enum class Kind {
    YesNo,        // "Ja" and "Nein"
    YesNoCancel,  // "Ja", "Nein" and "Abbrechen"
    OpenFile,     // a file to open
    SaveFile,     // a file to save to
    // Not a question to the user, but waited for as one: after a save has written the file the
    // picker named, where the files the user sees live elsewhere (the page's downloads and the
    // files the browser lets it write), the frontend carries the file there.
    FinishSave,
    Text,  // a line of text, with "OK" and "Abbrechen"
  };
  Kind kind = Kind::YesNo;
  std::string text;           // the question; for FinishSave the written file's path
  FileDialogOptions options;  // the file pickers'
  std::string caption;        // Text: the dialog's title
  std::string value;          // Text: what the field holds at first
};

// Yes, No or Cancel for the questions; for the pickers the file picked (none when the user
// cancels), for Text the line given (none when the user cancels), for FinishSave the error that
// leaves the save undone in the user's eyes (none when the file reached its place).
struct Reply {
  Answer answer = Answer::Cancel;
  std::optional<std::string> text;
};

class Frontend {
 public:
  virtual ~Frontend() = default;

  // A modal message box with an OK button; an empty caption means the application's title.
  // Nothing a command does afterwards depends on its confirmation, so no command waits for it.
  virtual void ShowMessage(std::string_view text, std::string_view caption = {}) = 0;
  // The application's general error box, for errors of the file layer and the printer.
  virtual void ShowError(std::string_view text) = 0;
  // A question of a command: the answer, where the frontend answers at once (a modal dialog);
  // none, where it shows the question and answers later with Asking::Respond. The command
  // waits for it meanwhile as model state (Asking::Pending).
  virtual std::optional<Reply> Ask(const Question& question) = 0;

  // The run timer: enabled or not, and its interval in milliseconds.
  virtual void SetTimer(bool enabled, int intervalMs) = 0;
  // An unpaced run has started: from its own event loop the frontend calls
  // RunControl::Advance, slice after slice, for as long as that returns true. Whatever the
  // user does meanwhile reaches the session between two slices.
  virtual void RunInSlices() = 0;

  virtual void Invalidate(uint32_t what) = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  virtual Control FocusedControl() const = 0;
  virtual void SetFocus(Control control) = 0;

  // Prints a listing on a printer the user picks; see PrintListing in the window.
  virtual void PrintListing(const std::vector<std::string>& lines, std::string_view title) = 0;
};

// A frontend whose questions are modal dialogs, each answered before the call returns.
class ModalFrontend : public Frontend {
 public:
  std::optional<Reply> Ask(const Question& question) override;

  // A question without icon, with Yes and No; true for Yes.
  virtual bool AskYesNo(std::string_view question) = 0;
  // A question without icon, with Yes, No and Cancel ("Ja", "Nein", "Abbrechen"). A frontend
  // that cannot call a question off answers it with Yes or No.
  virtual Answer AskYesNoCancel(std::string_view question) {
    return AskYesNo(question) ? Answer::Yes : Answer::No;
  }
  // A file picker; no value when the user cancels.
  virtual std::optional<std::string> AskOpenFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> AskSaveFile(const FileDialogOptions& options) = 0;
  // See Question::Kind::FinishSave; an error text, or none when the file is where it belongs.
  virtual FileStatus FinishSave(const std::string& /*path*/) { return {}; }
  // A line of text; none when the user cancels (as a frontend without anyone in front does).
  virtual std::optional<std::string> AskText(const Question& /*question*/) { return {}; }
};

}  // namespace vellar
