#include "support/fake_frontend.h"

#include <gtest/gtest.h>

namespace vellar::testing {

namespace {
const char* KindName(int kind) {
  static const char* names[] = {"message",     "error",       "question",   "choice",
                                "open dialog", "save dialog", "text dialog"};
  return names[kind];
}
}  // namespace

FakeFrontend::~FakeFrontend() {
  for (const Expected& e : expected_) {
    ADD_FAILURE() << "announced " << KindName(e.kind) << " never came: \"" << e.text << "\"";
  }
}

void FakeFrontend::ExpectMessage(std::string text, std::string caption_) {
  expected_.push_back({Expected::Message, std::move(text), std::move(caption_), false, {}, {}});
}

void FakeFrontend::ExpectError(std::string part) {
  expected_.push_back({Expected::Error, std::move(part), {}, false, {}, {}});
}

void FakeFrontend::ExpectQuestion(std::string question, bool answer) {
  expected_.push_back({Expected::Question, std::move(question), {}, answer, {}, {}});
}

void FakeFrontend::ExpectChoice(std::string question, Answer answer) {
  expected_.push_back({Expected::Choice, std::move(question), {}, false, {}, {}, answer});
}

void FakeFrontend::ExpectOpenFile(std::optional<std::string> path,
                                  std::optional<FileDialogOptions> options) {
  expected_.push_back({Expected::OpenFile, {}, {}, false, std::move(path), std::move(options)});
}

void FakeFrontend::ExpectSaveFile(std::optional<std::string> path,
                                  std::optional<FileDialogOptions> options) {
  expected_.push_back({Expected::SaveFile, {}, {}, false, std::move(path), std::move(options)});
}

void FakeFrontend::ExpectText(std::string prompt, std::optional<std::string> line) {
  expected_.push_back({Expected::Text, std::move(prompt), {}, false, std::move(line), {}});
}

std::optional<std::string> FakeFrontend::AskText(const Question& question) {
  textsOffered.push_back(question.value);
  auto e = Next(Expected::Text, question.text);
  if (!e) return std::nullopt;
  EXPECT_EQ(e->text, question.text);
  return e->path;
}

void FakeFrontend::ResetCollected() {
  messages.clear();
  dialogs.clear();
  printed.clear();
  invalidated = 0;
  sliceRequests = 0;
}

bool FakeFrontend::AllUsed() const {
  return expected_.empty();
}

std::optional<FakeFrontend::Expected> FakeFrontend::Next(Expected::Kind kind,
                                                         std::string_view what) {
  if (expected_.empty() || expected_.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << KindName(kind) << ": \"" << what << "\"";
    return std::nullopt;
  }
  Expected e = expected_.front();
  expected_.pop_front();
  return e;
}

void FakeFrontend::ShowMessage(std::string_view text, std::string_view caption_) {
  messages.emplace_back(text);
  if (auto e = Next(Expected::Message, text)) {
    EXPECT_EQ(e->text, text);
    EXPECT_EQ(e->caption, caption_);
  }
}

void FakeFrontend::ShowError(std::string_view text) {
  messages.emplace_back(text);
  const auto e = Next(Expected::Error, text);
  if (e && !e->text.empty()) {
    EXPECT_NE(text.find(e->text), std::string_view::npos) << "error: \"" << text << "\"";
  }
}

std::optional<Reply> FakeFrontend::Ask(const Question& question) {
  if (!answerLater) return ModalFrontend::Ask(question);
  asked.push_back(question);
  return std::nullopt;
}

bool FakeFrontend::AskYesNo(std::string_view question) {
  auto e = Next(Expected::Question, question);
  if (!e) return false;
  EXPECT_EQ(e->text, question);
  return e->answer;
}

Answer FakeFrontend::AskYesNoCancel(std::string_view question) {
  auto e = Next(Expected::Choice, question);
  if (!e) return Answer::Cancel;
  EXPECT_EQ(e->text, question);
  return e->choice;
}

std::optional<std::string> FakeFrontend::AskOpenFile(const FileDialogOptions& options) {
  return FileDialog(Expected::OpenFile, options);
}

std::optional<std::string> FakeFrontend::AskSaveFile(const FileDialogOptions& options) {
  return FileDialog(Expected::SaveFile, options);
}

std::optional<std::string> FakeFrontend::FileDialog(Expected::Kind kind,
                                                    const FileDialogOptions& options) {
  dialogs.push_back(options);
  const auto e = Next(kind, options.filter);
  if (!e) return std::nullopt;
  if (e->options) {
    EXPECT_EQ(options.filter, e->options->filter);
    EXPECT_EQ(options.filterIndex, e->options->filterIndex);
    EXPECT_EQ(options.defaultExt, e->options->defaultExt);
    if (!e->options->initialDir.empty()) {
      EXPECT_EQ(options.initialDir, e->options->initialDir);
    }
    if (!e->options->fileName.empty()) {
      EXPECT_EQ(options.fileName, e->options->fileName);
    }
  }
  return e->path;
}

void FakeFrontend::SetTimer(bool enabled, int intervalMs) {
  timerEnabled = enabled;
  timerInterval = intervalMs;
}

void FakeFrontend::PrintListing(const std::vector<std::string>& lines, std::string_view title) {
  printed.emplace_back(lines, std::string(title));
}

}  // namespace vellar::testing
