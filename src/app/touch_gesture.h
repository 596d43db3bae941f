#pragma once

// What a finger does on a grid, told apart from its raw touches the same way on every
// frontend: a swipe scrolls and never selects or types, a tap is a click, a second tap soon
// after is a double click, and a finger held still is the right mouse button.
namespace vellar {

enum class TouchPhase {
  Down,
  Move,
  Up,
  // The frontend's timer, started at Down for TouchGesture::kLongPressMs.
  Hold,
  // The browser took the touch over (a pinch), or it ended elsewhere.
  Cancel,
};

// A touch in the grid's client area, in pixels, with the time in milliseconds.
struct TouchPoint {
  TouchPhase phase = TouchPhase::Down;
  int x = 0;
  int y = 0;
  int ms = 0;
};

class TouchGesture {
 public:
  // About what the tablets' own long press waits.
  static constexpr int kLongPressMs = 500;
  static constexpr int kDoubleTapMs = 400;
  // A finger wobbles: further than this from where it came down, it swipes.
  static constexpr int kSlopPixels = 10;

  enum class Kind { None, Scroll, Tap, DoubleTap, LongPress };
  struct Result {
    Kind kind = Kind::None;
    // Where the finger came down (the cell it means), and for Scroll how far it has moved
    // since then.
    int x = 0;
    int y = 0;
    int dx = 0;
    int dy = 0;
  };

  Result Feed(const TouchPoint& p);

 private:
  Result At(Kind kind) const { return {kind, x0_, y0_, 0, 0}; }
  bool Near(int x, int y, int slop) const;
  Result Lifted(const TouchPoint& p);

  bool down_ = false;
  bool swiping_ = false;
  bool held_ = false;
  int x0_ = 0;
  int y0_ = 0;
  int t0_ = 0;
  // The last tap, while a second one would make it a double tap.
  bool tapped_ = false;
  int tapX_ = 0;
  int tapY_ = 0;
  int tapMs_ = 0;
};

}  // namespace vellar
