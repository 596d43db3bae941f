#include "app/asking.h"

namespace vellar {

Asking::Asked::~Asked() {
  if (pending_) asking_.pending_ = nullptr;
}

bool Asking::Asked::await_ready() {
  reply_ = asking_.frontend_.Ask(question_);
  return reply_.has_value();
}

void Asking::Asked::await_suspend(coro::coroutine_handle<> command) {
  resume_ = command;
  pending_ = true;
  asking_.pending_ = this;
}

void Asking::Keep(Task<> command) {
  if (!command.Done()) waiting_ = std::move(command);
}

bool Asking::Respond(Reply reply) {
  Asked* const asked = pending_;
  if (asked == nullptr) return false;
  // Taken off first: going on, the command may ask its next question.
  pending_ = nullptr;
  asked->pending_ = false;
  asked->reply_ = std::move(reply);
  GoOn(asked->resume_);
  if (waiting_.Done()) waiting_ = Task<>();
  return true;
}

}  // namespace vellar
