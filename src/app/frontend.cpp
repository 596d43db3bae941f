#include "app/frontend.h"

namespace vellar {

std::optional<Reply> ModalFrontend::Ask(const Question& question) {
  switch (question.kind) {
    case Question::Kind::YesNo:
      return Reply{AskYesNo(question.text) ? Answer::Yes : Answer::No, std::nullopt};
    case Question::Kind::YesNoCancel:
      return Reply{AskYesNoCancel(question.text), std::nullopt};
    case Question::Kind::OpenFile:
      return Reply{Answer::Yes, AskOpenFile(question.options)};
    case Question::Kind::SaveFile:
      return Reply{Answer::Yes, AskSaveFile(question.options)};
    case Question::Kind::FinishSave: {
      FileStatus status = FinishSave(question.text);
      if (status.ok()) return Reply{Answer::Yes, std::nullopt};
      return Reply{Answer::No, std::move(status.error)};
    }
    case Question::Kind::Text: {
      std::optional<std::string> line = AskText(question);
      return Reply{line ? Answer::Yes : Answer::Cancel, std::move(line)};
    }
  }
  return Reply{};
}

}  // namespace vellar
