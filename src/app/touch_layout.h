#pragma once

#include "app/frontend.h"
#include "app/grid_editing.h"

// The form for a mouse or for fingers: the same controls and rules, only their sizes change.
// A tablet's page starts with the finger sizes (the browser says it has a coarse pointer), and
// a menu item switches either way.
namespace vellar {

// The sizes that change for fingers, in the form's pixels. The usual guides ask for about
// 44 pixels for a finger; a portrait tablet shows the form at about three quarters.
struct FormSizes {
  int gridRow = GridEditing::kRowHeight;  // a grid row without its line
  int gridFont = 13;                      // the grids' and their editors' text
  // The square around a gate button that a press hits. The button itself keeps its size: the
  // bus gates' numbers stand right above the buttons below them.
  int gateTarget = 23;
  int runButtonWidth = 30;
  int runButtonHeight = 25;
  int choice = 13;  // a radio button's side
  // The control strip below the panels, and the slider in it (it makes room for the wider
  // run buttons; its label then fills the gap before "RAM-Anzeige").
  int controlHeight = 73;
  int sliderWidth = 161;
};

inline constexpr FormSizes kMouseSizes{};
inline constexpr FormSizes kFingerSizes{.gridRow = 44,
                                        .gridFont = 16,
                                        .gateTarget = 39,
                                        .runButtonWidth = 44,
                                        .runButtonHeight = 44,
                                        .choice = 20,
                                        .controlHeight = 92,
                                        .sliderWidth = 131};

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
