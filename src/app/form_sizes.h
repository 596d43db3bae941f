#pragma once

#include <array>

#include "app/form_controls.h"
#include "app/grid_editing.h"

// The form for a mouse or for fingers: the same controls, only their sizes change; and where
// the control strip's controls go for those sizes, for both frontends.
namespace vellar {

// The sizes that change for fingers, in the form's pixels. The usual guides ask for about
// 44 pixels for a finger; a portrait tablet shows the form at about nine tenths.
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
  int controlHeight = kControlStripHeight;
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

// The control strip's places, in the strip's coordinates (the run buttons and the choices in
// their group's).
struct StripPlaces {
  int height = 0;
  FormRect gateControl, simulation, ramView, hint;
  std::array<FormRect, kRunButtonCount> runButtons{};
  FormRect slider;
  int labelX = 0, labelY = 0;
  std::array<int, 2> radioY{};
};

// For a strip this wide. In one row the RAM view and the hint move left on a strip narrower
// than its design; two rows (an upright page) put them below the others.
StripPlaces PlaceStrip(const FormSizes& sizes, int width, bool twoRows);

}  // namespace vellar
