#include "app/asking.h"

namespace vellar {

bool Asking::Asked::await_ready() {
  std::optional<Reply> reply = asking_->frontend_.Ask(asking_->question_);
  if (!reply) return false;
  asking_->reply_ = std::move(*reply);
  return true;
}

void Asking::Keep(Resumable<> command) {
  if (!command.Done()) waiting_ = std::move(command);
}

bool Asking::Respond(Reply reply) {
  if (!command_) return false;
  reply_ = std::move(reply);
  // Taken off first: going on, the command may ask its next question.
  GoOn(std::exchange(command_, {}));
  if (waiting_.Done()) waiting_ = Resumable<>();
  return true;
}

}  // namespace vellar
