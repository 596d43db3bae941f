#pragma once

#include <optional>
#include <string>
#include <utility>

#include "app/frontend.h"
#include "app/task.h"

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

  // co_await in a command: the reply to the question.
  class Asked {
   public:
    Asked(Asking& asking, Question question) : asking_(asking), question_(std::move(question)) {}
    Asked(const Asked&) = delete;
    Asked& operator=(const Asked&) = delete;
    // A command dropped while it waits takes its question with it.
    ~Asked();

    bool await_ready();
    void await_suspend(coro::coroutine_handle<> command);
    Reply await_resume() { return std::move(*reply_); }

   private:
    friend class Asking;
    Asking& asking_;
    Question question_;
    std::optional<Reply> reply_;
    coro::coroutine_handle<> resume_;
    bool pending_ = false;
  };

  Asked Ask(Question question) { return Asked(*this, std::move(question)); }
  Asked YesNo(std::string question) {
    return Ask({Question::Kind::YesNo, std::move(question), {}});
  }
  Asked YesNoCancel(std::string question) {
    return Ask({Question::Kind::YesNoCancel, std::move(question), {}});
  }
  Asked OpenFile(FileDialogOptions options) {
    return Ask({Question::Kind::OpenFile, {}, std::move(options)});
  }
  Asked SaveFile(FileDialogOptions options) {
    return Ask({Question::Kind::SaveFile, {}, std::move(options)});
  }
  Asked FinishSave(std::string path) {
    return Ask({Question::Kind::FinishSave, std::move(path), {}});
  }

  // Starts a command that may ask (command() begins it and gives its Task), unless another
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
  void Keep(Task<> command);

  // Whether a command waits for an answer, and the question it waits for.
  bool Waiting() const { return pending_ != nullptr; }
  const Question* Pending() const { return pending_ ? &pending_->question_ : nullptr; }
  // The frontend's answer to the pending question: the command goes on, to its end or to its
  // next question. False when no question is pending.
  bool Respond(Reply reply);

 private:
  Frontend& frontend_;
  Asked* pending_ = nullptr;
  Task<> waiting_;
};

}  // namespace vellar
