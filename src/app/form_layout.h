#pragma once

#include "app/form_controls.h"
#include "app/grid_editing.h"

// FormResize: where the panels and grids go for the client area's size, the RAM grid's
// columns and the variable inspector. The window and the page measure what they show and
// place their panels where this says; the controls inside the panels keep their design places.
namespace vellar {

struct LayoutMeasures {
  int clientWidth = 0;
  int clientHeight = 0;
  // All the RAM grid's columns and one default column more: room for the lines, the border
  // and, in the assembler view, the vertical scroll bar.
  int ramColumns = 0;
  int busWidth = 0;
  int busHeight = 0;
  int mpsGridTop = 0;  // in the processor panel
  int registerHeight = 0;
  bool inspectorShown = false;
  int inspectorColumns = 0;
  int scrollBarExtent = 0;
  // The control strip and a grid row: larger in the page's form for fingers.
  int controlHeight = kControlStripHeight;
  int gridRow = GridEditing::kRowHeight;
};

struct PanelPlaces {
  FormRect control, processor, ram, bus;
  int pictureX = 0;  // ImBild and MoBild, at the top
  int pictureY = 0;
  // In the processor panel; the MPS grid's description column takes the width it gains.
  FormRect mpsGrid, registers;
  int descriptionWidth = 0;
  // In the RAM panel; the inspector only where it is shown.
  FormRect ramGrid, inspector;
};

// The processor panel's width without extra; 473 = 455 + 6 + 12.
inline constexpr int kProcessorBase = 455;
inline constexpr int kFixedWidths = 473;

PanelPlaces PlacePanels(const LayoutMeasures& m);

}  // namespace vellar
