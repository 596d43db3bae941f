#pragma once

#include <optional>
#include <string>
#include <utility>

#include "app/frontend.h"
#include "app/resumable.h"

// The question a command waits for. A command that must ask ("Mps speichern ?", a file to
// open) asks here and goes on with the answer: at once where the frontend answers from a modal
// dialog, later where it shows the question and answers with an ordinary call (Respond). So the
// model never waits inside a call for the user, and a frontend needs no way to stop in the
// middle of one.
namespace vellar {

class Asking {
 public:
  explicit Asking(Frontend& frontend) : frontend_(frontend) {}
  Asking(const Asking&) = delete;
  Asking& operator=(const Asking&) = delete;

  // co_await in a command: the reply to the question, which the part keeps as its state.
  class Asked {
   public:
    explicit Asked(Asking& asking) : asking_(&asking) {}
    bool await_ready();
    void await_suspend(coro::coroutine_handle<> command) { asking_->command_ = command; }
    Reply await_resume() { return std::move(asking_->reply_); }

   private:
    Asking* asking_;
  };

  Asked Ask(Question question) {
    question_ = std::move(question);
    return Asked(*this);
  }
  Asked YesNo(std::string question) {
    return Ask({Question::Kind::YesNo, std::move(question), {}, {}, {}});
  }
  Asked YesNoCancel(std::string question) {
    return Ask({Question::Kind::YesNoCancel, std::move(question), {}, {}, {}});
  }
  Asked OpenFile(FileDialogOptions options) {
    return Ask({Question::Kind::OpenFile, {}, std::move(options), {}, {}});
  }
  Asked SaveFile(FileDialogOptions options) {
    return Ask({Question::Kind::SaveFile, {}, std::move(options), {}, {}});
  }
  Asked FinishSave(std::string path) {
    return Ask({Question::Kind::FinishSave, std::move(path), {}, {}, {}});
  }
  Asked Text(std::string caption, std::string prompt, std::string value) {
    return Ask({Question::Kind::Text, std::move(prompt), {}, std::move(caption), std::move(value)});
  }

  // Starts a command that may ask (command() begins it and gives its Resumable), unless another
  // command waits for an answer: the user answers one question at a time, as in the window,
  // where the question's dialog keeps every menu from being chosen. False when refused; nothing
  // was done then.
  template <class StartCommand>
  bool Start(StartCommand&& command) {
    if (Waiting()) return false;
    Keep(command());
    return true;
  }
  // Keeps a command that was started and waits, until it has ended.
  void Keep(Resumable<> command);

  // Whether a command waits for an answer, and the question it waits for.
  bool Waiting() const { return static_cast<bool>(command_); }
  const Question* Pending() const { return command_ ? &question_ : nullptr; }
  // The frontend's answer to the pending question: the command goes on, to its end or to its
  // next question. False when no question is pending.
  bool Respond(Reply reply);

 private:
  Frontend& frontend_;
  Question question_;  // the last one asked; pending while command_ waits for it
  Reply reply_;
  coro::coroutine_handle<> command_;  // the command waiting for the answer
  Resumable<> waiting_;               // the outermost command, started by Start or Keep
};

}  // namespace vellar
