#pragma once

#include <functional>
#include <string_view>
#include <utility>

// Every call from a widget into the session goes through here. An unpaced run is performed
// inside its click handler and lets the event loop run meanwhile, so handlers nest: the
// window can be asked to close while a handler is still on the stack, and then waits until
// the last one returns. Runs no longer stack inside each other, so the depth stays small; the
// limit below only keeps some unforeseen chain of handlers from using up the stack, and a
// command it turns away is never turned away without a word.
namespace vellar::ui {

class HandlerGuard {
 public:
  static constexpr int kMaxDepth = 64;
  static constexpr std::string_view kRefusedText =
      "Der Befehl wird nicht ausgeführt, weil noch zu viele Befehle ineinander laufen.\n"
      "Halten Sie den Prozessor mit „||“ (Pause) an und wiederholen Sie den Befehl.";

  // tell shows kRefusedText; it is not called again while it is showing.
  explicit HandlerGuard(std::function<void()> tell = {}) : tell_(std::move(tell)) {}

  // Runs a command; when handlers are nested too deep, tells the user instead and gives false.
  template <class F>
  bool operator()(F&& handler) {
    if (depth_ >= kMaxDepth) {
      Tell();
      return false;
    }
    Run(std::forward<F>(handler));
    return true;
  }

  // For a handler that only records a wish or keeps books and never lets the event loop run
  // (Pause, a grid's focus): it cannot nest, so it runs at any depth.
  template <class F>
  void Always(F&& handler) {
    Run(std::forward<F>(handler));
  }

  // For the run timer's tick: beyond the limit it is skipped without a word, since the timer
  // fires again and the tick then gets its turn.
  template <class F>
  bool Tick(F&& handler) {
    if (depth_ >= kMaxDepth) return false;
    Run(std::forward<F>(handler));
    return true;
  }

  bool Busy() const { return depth_ > 0; }
  int Deepest() const { return deepest_; }
  // Runs once, after the outermost handler has returned.
  void WhenIdle(std::function<void()> next) { whenIdle_ = std::move(next); }

 private:
  template <class F>
  void Run(F&& handler) {
    ++depth_;
    if (depth_ > deepest_) deepest_ = depth_;
    std::forward<F>(handler)();
    if (--depth_ == 0 && whenIdle_) {
      auto next = std::move(whenIdle_);
      whenIdle_ = nullptr;
      next();
    }
  }

  void Tell() {
    if (telling_ || !tell_) return;
    telling_ = true;
    tell_();
    telling_ = false;
  }

  int depth_ = 0;
  int deepest_ = 0;
  bool telling_ = false;
  std::function<void()> tell_;
  std::function<void()> whenIdle_;
};

}  // namespace vellar::ui
