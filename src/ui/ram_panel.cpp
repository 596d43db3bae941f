#include "ui/ram_panel.h"

#include "ui/ui_style.h"

namespace vellar::ui {

RamPanel::RamPanel(QWidget* parent, const RamGridParts& parts)
    : ColourPanel(parent, "PaRAM", kRamColor, false) {
  setGeometry(672, 0, 225, 505);
  AddCaption(this, FromUtf8(kRamCaption));
  grRam_ = new RamGridView(this, parts);
  grRam_->setObjectName("GrRam");
  grRam_->setGeometry(4, 24, 213, 329);
  inspector_ = new InspectorView(this, parts);
  inspector_->setObjectName("RamInspector");
  inspector_->setGeometry(8, 360, 209, 81);
  inspector_->hide();
}

}  // namespace vellar::ui
