#include "app/form_layout.h"

#include <algorithm>

#include "app/variable_inspector.h"
#include "ram/variables.h"

namespace vellar {

PanelPlaces PlacePanels(const LayoutMeasures& m) {
  PanelPlaces p;
  const int extraWidth = std::max(0, m.clientWidth - m.busWidth - kFixedWidths - m.ramColumns);
  const int workHeight = m.clientHeight - m.controlHeight;
  const int processorWidth = kProcessorBase + extraWidth;
  p.control = {0, workHeight, m.clientWidth, m.controlHeight};
  p.processor = {0, 0, processorWidth, workHeight};
  const int ramWidth = m.clientWidth - processorWidth - m.busWidth - 6;
  p.ram = {processorWidth + m.busWidth + 6, 0, ramWidth, workHeight};
  p.bus = {processorWidth + 3, workHeight - m.busHeight, m.busWidth, m.busHeight};
  p.pictureX = processorWidth + 3;

  p.mpsGrid = {4, m.mpsGridTop, processorWidth - 8,
               workHeight - m.registerHeight - m.mpsGridTop - 8};
  p.registers = {4, workHeight - m.registerHeight - 4, processorWidth - 8, m.registerHeight};
  p.descriptionWidth = extraWidth + 100;

  int ramHeight = workHeight - m.mpsGridTop - 4;
  if (m.inspectorShown) {
    const int need = VariableInspector::kCaptionColumnWidth +
                     (m.inspectorColumns - 1) * (VariableInspector::kColumnWidth + 2);
    int height = VariableList::kRows * (m.gridRow + 2);
    if (need > ramWidth - 8) height += m.scrollBarExtent;
    p.inspector = {4, workHeight - height - 4, ramWidth - 8, height};
    ramHeight -= height + 4;
  }
  p.ramGrid = {4, m.mpsGridTop, ramWidth - 8, ramHeight};
  return p;
}

}  // namespace vellar
