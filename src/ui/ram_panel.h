#pragma once

#include "ui/grid_views.h"
#include "ui/panel_parts.h"

// PaRAM: the RAM grid and, below it, the variable inspector while it is shown.
namespace vellar::ui {

class RamPanel : public ColourPanel {
 public:
  RamPanel(QWidget* parent, const RamGridParts& parts);

  RamGridView* GrRam() const { return grRam_; }
  InspectorView* RamInspector() const { return inspector_; }

 private:
  RamGridView* grRam_;
  InspectorView* inspector_;
};

}  // namespace vellar::ui
