#include "app/touch_gesture.h"

#include <cstdlib>

namespace vellar {

bool TouchGesture::Near(int x, int y, int slop) const {
  return std::abs(x - x0_) <= slop && std::abs(y - y0_) <= slop;
}

TouchGesture::Result TouchGesture::Feed(const TouchPoint& p) {
  switch (p.phase) {
    case TouchPhase::Down:
      down_ = true;
      swiping_ = false;
      held_ = false;
      x0_ = p.x;
      y0_ = p.y;
      t0_ = p.ms;
      return {};
    case TouchPhase::Move:
      if (!down_ || held_) return {};
      if (!swiping_ && Near(p.x, p.y, kSlopPixels)) return {};
      swiping_ = true;
      tapped_ = false;
      return {Kind::Scroll, x0_, y0_, p.x - x0_, p.y - y0_};
    case TouchPhase::Hold:
      if (!down_ || swiping_ || held_ || p.ms - t0_ < kLongPressMs) return {};
      held_ = true;
      tapped_ = false;
      return At(Kind::LongPress);
    case TouchPhase::Up:
      return Lifted(p);
    case TouchPhase::Cancel:
      down_ = false;
      tapped_ = false;
      return {};
  }
  return {};
}

TouchGesture::Result TouchGesture::Lifted(const TouchPoint& p) {
  if (!down_) return {};
  down_ = false;
  if (swiping_ || held_) return {};
  // Held long without the frontend's timer coming (a busy page): still a long press.
  if (p.ms - t0_ >= kLongPressMs) {
    tapped_ = false;
    return At(Kind::LongPress);
  }
  const bool second =
      tapped_ && p.ms - tapMs_ <= kDoubleTapMs && Near(tapX_, tapY_, 2 * kSlopPixels);
  if (second) {
    tapped_ = false;
    return At(Kind::DoubleTap);
  }
  tapped_ = true;
  tapX_ = x0_;
  tapY_ = y0_;
  tapMs_ = p.ms;
  return At(Kind::Tap);
}

}  // namespace vellar
