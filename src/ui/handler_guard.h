#pragma once

#include <functional>
#include <utility>

// Every call from a widget into the session goes through here. An unpaced run is performed
// inside its click handler and lets the event loop run meanwhile, so the window can be asked
// to close while a handler is still on the stack; it then waits until the last one returns.
namespace vellar::ui {

class HandlerGuard {
 public:
  template <class F>
  void operator()(F&& handler) {
    ++depth_;
    std::forward<F>(handler)();
    if (--depth_ == 0 && whenIdle_) {
      auto next = std::move(whenIdle_);
      whenIdle_ = nullptr;
      next();
    }
  }

  bool Busy() const { return depth_ > 0; }
  // Runs once, after the outermost handler has returned.
  void WhenIdle(std::function<void()> next) { whenIdle_ = std::move(next); }

 private:
  int depth_ = 0;
  std::function<void()> whenIdle_;
};

}  // namespace vellar::ui
