#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/frontend.h"

// A frontend for scenario tests: messages and questions must be announced in advance, with
// their answers; anything a test did not announce fails it. Timer ticks and the slices of an
// unpaced run are given by hand.
namespace vellar::testing {

class FakeFrontend : public ModalFrontend {
 public:
  ~FakeFrontend() override;

  // Announcements, consumed in order.
  void ExpectMessage(std::string text, std::string caption = {});
  // The file layer's own wording: any text, or one that contains the part a test names.
  void ExpectError(std::string part = {});
  void ExpectQuestion(std::string question, bool answer);
  // A question with Yes, No and Cancel.
  void ExpectChoice(std::string question, Answer answer);
  // A file dialog and its answer; with options, the dialog must be opened with the same
  // filter, preselected entry and default extension (and start folder and suggested name,
  // when they are named).
  void ExpectOpenFile(std::optional<std::string> path,
                      std::optional<FileDialogOptions> options = std::nullopt);
  void ExpectSaveFile(std::optional<std::string> path,
                      std::optional<FileDialogOptions> options = std::nullopt);
  // A line of text asked for, and the line given (none: "Abbrechen").
  void ExpectText(std::string prompt, std::optional<std::string> line);
  // Forgets what was collected (messages, dialogs, redraws, prints, event calls), so that a
  // test step checks only what it caused; announcements stay.
  void ResetCollected();
  // True when every announcement was used.
  bool AllUsed() const;

  void ShowMessage(std::string_view text, std::string_view caption) override;
  void ShowError(std::string_view text) override;
  std::optional<Reply> Ask(const Question& question) override;
  bool AskYesNo(std::string_view question) override;
  Answer AskYesNoCancel(std::string_view question) override;
  std::optional<std::string> AskOpenFile(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFile(const FileDialogOptions& options) override;
  FileStatus FinishSave(const std::string& /*path*/) override { return {finishSaveError}; }
  std::optional<std::string> AskText(const Question& question) override;
  void SetTimer(bool enabled, int intervalMs) override;
  void RunInSlices() override { ++sliceRequests; }
  void Invalidate(uint32_t what) override { invalidated |= what; }
  void SetCaption(std::string_view text) override { caption = text; }
  Control FocusedControl() const override { return focus; }
  void SetFocus(Control control) override { focus = control; }
  void PrintListing(const std::vector<std::string>& lines, std::string_view title) override;

  bool timerEnabled = false;
  int timerInterval = 0;
  int sliceRequests = 0;  // how often an unpaced run asked for slices
  uint32_t invalidated = 0;
  std::string caption;
  Control focus = Control::None;
  std::vector<std::string> messages;       // every message and error shown
  std::vector<FileDialogOptions> dialogs;  // every file dialog opened
  std::vector<std::pair<std::vector<std::string>, std::string>> printed;
  // What carrying a written file to where the user sees it fails with; empty: it works.
  std::string finishSaveError;
  // As the page does it: every question stays pending (Asking::Pending) until the test
  // answers it (Asking::Respond); none is announced. Each is recorded here.
  bool answerLater = false;
  std::vector<Question> asked;
  std::vector<std::string> textsOffered;  // what each line of text asked for held at first

 private:
  struct Expected {
    enum Kind { Message, Error, Question, Choice, OpenFile, SaveFile, Text } kind;
    std::string text;
    std::string caption;
    bool answer = false;
    std::optional<std::string> path;
    std::optional<FileDialogOptions> options;
    Answer choice = Answer::Cancel;
  };
  std::optional<std::string> FileDialog(Expected::Kind kind, const FileDialogOptions& options);
  std::optional<Expected> Next(Expected::Kind kind, std::string_view what);

  std::deque<Expected> expected_;
};

}  // namespace vellar::testing
