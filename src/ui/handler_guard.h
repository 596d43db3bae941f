#pragma once

#include <functional>
#include <utility>

// Every call from a widget into the session goes through here. An unpaced run is performed
// inside its click handler and lets the event loop run meanwhile, so handlers nest: the
// window can be asked to close while a handler is still on the stack, and then waits until
// the last one returns; and each run button or space bar pressed during such a run starts a
// run nested in it, which is refused beyond a depth, so that a held space bar cannot use up
// the stack.
namespace vellar::ui {

class HandlerGuard {
 public:
  static constexpr int kMaxDepth = 64;

  // Runs the handler; false when it was refused.
  template <class F>
  bool operator()(F&& handler) {
    if (depth_ >= kMaxDepth) return false;
    ++depth_;
    if (depth_ > deepest_) deepest_ = depth_;
    std::forward<F>(handler)();
    if (--depth_ == 0 && whenIdle_) {
      auto next = std::move(whenIdle_);
      whenIdle_ = nullptr;
      next();
    }
    return true;
  }

  bool Busy() const { return depth_ > 0; }
  int Deepest() const { return deepest_; }
  // Runs once, after the outermost handler has returned.
  void WhenIdle(std::function<void()> next) { whenIdle_ = std::move(next); }

 private:
  int depth_ = 0;
  int deepest_ = 0;
  std::function<void()> whenIdle_;
};

}  // namespace vellar::ui
