#include "app/touch_layout.h"

namespace vellar {

void TouchLayout::Set(bool on) {
  if (on == on_) return;
  on_ = on;
  for (GridEditing* g : grids_) g->SetRowHeight(Sizes().gridRow);
  frontend_.Invalidate(kRedrawMenus | kRedrawLayout | kRedrawMpsGrid | kRedrawRamGrid |
                       kRedrawInspector | kRedrawGateButtons | kRedrawRunControls);
}

}  // namespace vellar
