#pragma once

#include "app/form_layout.h"
#include "app/form_sizes.h"

// The page's form in the browser's window: its size, its panels and its control strip. Wider
// than tall it is the window's form (between the window's smallest and largest size); taller
// than wide (a tablet upright) the RAM panel stands above the bus and the picture, beside the
// processor panel, and the strip takes two rows, so that the screen's height is used.
namespace vellar {

// What the page measured besides what FormResize takes: the browser's area for the form and
// the picture's size. The measures' client size, strip height and row height are set here.
struct PageMeasures {
  LayoutMeasures panels;
  int stageWidth = 0;
  int stageHeight = 0;
  int pictureWidth = 0;
  int pictureHeight = 0;
};

struct PageLayout {
  // The form's size; the page scales it down to the stage where it is larger.
  int width = 0;
  int height = 0;
  bool upright = false;
  PanelPlaces panels;
  StripPlaces strip;
};

// The window's smallest and largest client area, which the page keeps to when wider than tall.
inline constexpr int kPageMinWidth = 1032;
inline constexpr int kPageMinHeight = 521;
inline constexpr int kPageMaxWidth = 1392;
inline constexpr int kPageMaxHeight = 1469;

PageLayout PlacePage(const PageMeasures& m, const FormSizes& sizes);

}  // namespace vellar
