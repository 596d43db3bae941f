#pragma once

#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

// emscripten's C++ library still has the coroutine support under its old name.
#if __has_include(<coroutine>)
#include <coroutine>
namespace vellar::coro {
using std::coroutine_handle;
using std::suspend_never;
}  // namespace vellar::coro
#else
#include <experimental/coroutine>
namespace vellar::coro {
using std::experimental::coroutine_handle;
using std::experimental::suspend_never;
}  // namespace vellar::coro
#endif

// A command that may have to wait for the user: a coroutine that runs at once when it is
// called, as far as it can without an answer. Where the frontend answers at once (a modal
// dialog) it runs to its end before the call returns, as a plain function would; where the
// answer comes later, it stops at the question and goes on when the answer arrives
// (Asking::Respond). A command waiting for another (co_await) goes on when that one ends.
// Parameters are taken by value: a command that waits outlives its caller's arguments. No
// argument inside a co_await is written as a braced temporary (`co_await f({})`): GCC 12 builds
// such a temporary wrongly when the command had waited before (its strings freed where they
// were never made, seen with AddressSanitizer).
namespace vellar {

template <class T = void>
class Resumable;

namespace task_detail {

// The command that goes on next: the one that waited for a command that has just ended. It goes
// on from GoOn, after the ended one has left its frame, not from inside it: its caller destroys
// that frame. (Handing over with a tail call, as coroutines usually do, is what the WebAssembly
// the page runs on cannot do.)
inline coro::coroutine_handle<> next;

struct PromiseBase {
  coro::coroutine_handle<> caller;

  coro::suspend_never initial_suspend() noexcept { return {}; }
  // The frame stays until its Resumable is gone, so that the result can be read; the command that
  // waited for this one goes on next.
  struct Finish {
    bool await_ready() noexcept { return false; }
    template <class P>
    void await_suspend(coro::coroutine_handle<P> self) noexcept {
      next = self.promise().caller;
    }
    void await_resume() noexcept {}
  };
  Finish final_suspend() noexcept { return {}; }
  // The model does not throw; nothing could tell the user what went wrong half-way.
  void unhandled_exception() noexcept { std::terminate(); }
};

template <class T>
struct Promise : PromiseBase {
  std::optional<T> value;
  Resumable<T> get_return_object();
  void return_value(T v) { value = std::move(v); }
};

template <>
struct Promise<void> : PromiseBase {
  Resumable<void> get_return_object();
  void return_void() {}
};

}  // namespace task_detail

template <class T>
class [[nodiscard]] Resumable {
 public:
  using promise_type = task_detail::Promise<T>;
  using Handle = coro::coroutine_handle<promise_type>;

  Resumable() = default;
  explicit Resumable(Handle handle) : handle_(handle) {}
  Resumable(Resumable&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Resumable& operator=(Resumable&& other) noexcept {
    if (this != &other) {
      Drop();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Resumable(const Resumable&) = delete;
  Resumable& operator=(const Resumable&) = delete;
  // A command dropped while it waits ends there, with every command it waits for.
  ~Resumable() { Drop(); }

  bool Done() const { return !handle_ || handle_.done(); }
  // The result of a command that has ended.
  T Result() const requires(!std::is_void_v<T>) { return *handle_.promise().value; }

  // co_await: goes on at once after a command that ended, or when it ends.
  bool await_ready() const noexcept { return Done(); }
  void await_suspend(coro::coroutine_handle<> caller) noexcept {
    handle_.promise().caller = caller;
  }
  T await_resume() const {
    if constexpr (!std::is_void_v<T>) return Result();
  }

 private:
  void Drop() {
    if (handle_) handle_.destroy();
    handle_ = {};
  }

  Handle handle_;
};

namespace task_detail {

template <class T>
Resumable<T> Promise<T>::get_return_object() {
  return Resumable<T>(Resumable<T>::Handle::from_promise(*this));
}

inline Resumable<void> Promise<void>::get_return_object() {
  return Resumable<void>(Resumable<void>::Handle::from_promise(*this));
}

}  // namespace task_detail

// Resumes a command that waited for an answer, and then each command that waited for one that
// ended, until one waits again or the outermost has ended.
inline void GoOn(coro::coroutine_handle<> command) {
  while (command) {
    command.resume();
    command = std::exchange(task_detail::next, {});
  }
}

// A command whose result nobody waits for, as Asking takes a command to start.
template <class T>
Resumable<> Ended(Resumable<T> command) {
  co_await command;
}

}  // namespace vellar
