#pragma once

#include "app/form_sizes.h"
#include "app/frontend.h"
#include "app/grid_editing.h"

// The form for a mouse or for fingers: the same controls and rules, only their sizes change.
// A tablet's page starts with the finger sizes (the browser says it has a coarse pointer), and
// a menu item switches either way.
namespace vellar {

class TouchLayout {
 public:
  TouchLayout(GridEditing& mps, GridEditing& ram, GridEditing& inspector, Frontend& frontend)
      : grids_{&mps, &ram, &inspector}, frontend_(frontend) {}

  bool On() const { return on_; }
  const FormSizes& Sizes() const { return on_ ? kFingerSizes : kMouseSizes; }
  void Set(bool on);
  // The menu item "Fingerbedienung".
  void MeTouchClick() { Set(!on_); }

 private:
  GridEditing* grids_[3];
  Frontend& frontend_;
  bool on_ = false;
};

}  // namespace vellar
