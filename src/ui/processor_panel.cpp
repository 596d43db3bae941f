#include "ui/processor_panel.h"

#include "app/form_controls.h"
#include "ui/ui_style.h"

namespace vellar::ui {

ProcessorPanel::ProcessorPanel(QWidget* parent, const MpsGridParts& mpsParts,
                               const DataPathParts& pathParts, const DiagramGeometry& geometry,
                               const std::function<void(int)>& torClick)
    : ColourPanel(parent, "PaProzessor", kProcessorColor, false) {
  setFont(CaptionFont(13));
  setGeometry(2, 0, kBaseWidth, 492);
  AddCaption(this, FromUtf8(kProcessorCaption));
  grMps_ = new MpsGridView(this, mpsParts);
  grMps_->setObjectName("GrMps");
  grMps_->setGeometry(10, 24, 423, 145);
  paRegister_ = new RegisterPanel(this, pathParts, geometry, torClick);
  paRegister_->setGeometry(8, 176, 425, RegisterPanel::kHeight);
}

}  // namespace vellar::ui
