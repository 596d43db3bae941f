#include "app/page_layout.h"

#include <algorithm>

namespace vellar {

namespace {

// The room between the panels.
constexpr int kGap = 3;

// The RAM panel as wide as the landscape form makes it for its columns.
int RamPanelWidth(const LayoutMeasures& m) {
  return m.ramColumns + kFixedWidths - kProcessorBase - 2 * kGap;
}

// Upright: the processor panel on the left, the full height of the panels; on the right the
// RAM panel above the bus panel and the picture beside it. The bus panel stays at the register
// panel's bottom right, where the picture's lines meet it. Inside each panel the grids and the
// registers go where the landscape form puts them for that panel's size, so one rule places
// both.
PanelPlaces PlaceUpright(const PageMeasures& pm) {
  const LayoutMeasures& m = pm.panels;
  const int work = m.clientHeight - m.controlHeight;
  const int ramWidth = std::max(RamPanelWidth(m), m.busWidth + kGap + pm.pictureWidth);
  const int ramHeight = work - m.busHeight - kGap;
  const int processorWidth = m.clientWidth - ramWidth - kGap;

  // A landscape form in which the processor panel gains just this width.
  LayoutMeasures left = m;
  left.clientWidth = processorWidth + m.busWidth + kFixedWidths - kProcessorBase + m.ramColumns;
  PanelPlaces p = PlacePanels(left);
  p.control = {0, work, m.clientWidth, m.controlHeight};
  p.bus = {processorWidth + kGap, work - m.busHeight, m.busWidth, m.busHeight};
  p.pictureX = p.bus.x + m.busWidth + kGap;
  p.pictureY = p.bus.y;

  // A landscape form whose RAM panel is this wide and this high: the inspector takes the width.
  LayoutMeasures right = m;
  right.ramColumns = m.ramColumns + ramWidth - RamPanelWidth(m);
  right.clientWidth = kProcessorBase + m.busWidth + 2 * kGap + ramWidth;
  right.clientHeight = ramHeight + m.controlHeight;
  const PanelPlaces r = PlacePanels(right);
  p.ram = {processorWidth + kGap, 0, ramWidth, ramHeight};
  p.ramGrid = r.ramGrid;
  p.ramGrid.width -= right.ramColumns - m.ramColumns;
  p.inspector = r.inspector;
  return p;
}

}  // namespace

PageLayout PlacePage(const PageMeasures& pm, const FormSizes& sizes) {
  PageLayout l;
  PageMeasures m = pm;
  LayoutMeasures& panels = m.panels;
  panels.gridRow = sizes.gridRow;
  l.upright = pm.stageHeight > pm.stageWidth && pm.stageWidth > 0;
  if (l.upright) {
    const int least = kProcessorBase + kGap +
                      std::max(RamPanelWidth(panels), panels.busWidth + kGap + pm.pictureWidth);
    l.width = std::clamp(pm.stageWidth, least, std::max(least, kPageMaxWidth));
    // Scaled down to the stage's width, the form is as tall as the stage.
    l.height = pm.stageWidth < l.width ? pm.stageHeight * l.width / pm.stageWidth : pm.stageHeight;
  } else {
    l.width = std::clamp(pm.stageWidth, kPageMinWidth, kPageMaxWidth);
    l.height = std::clamp(pm.stageHeight, kPageMinHeight, kPageMaxHeight);
  }
  l.strip = PlaceStrip(sizes, l.width, l.upright);
  panels.clientWidth = l.width;
  panels.clientHeight = l.height;
  panels.controlHeight = l.strip.height;
  l.panels = l.upright ? PlaceUpright(m) : PlacePanels(panels);
  return l;
}

}  // namespace vellar
