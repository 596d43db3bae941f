#pragma once

#include <functional>

#include "ui/grid_views.h"
#include "ui/panel_parts.h"
#include "ui/register_panel.h"

// PaProzessor: the MPS grid above, the register panel with the picture below.
namespace vellar::ui {

class ProcessorPanel : public ColourPanel {
 public:
  static constexpr int kBaseWidth = 455;

  ProcessorPanel(QWidget* parent, const MpsGridParts& mpsParts, const DataPathParts& pathParts,
                 const DiagramGeometry& geometry, const std::function<void(int)>& torClick);

  MpsGridView* GrMps() const { return grMps_; }
  RegisterPanel* PaRegister() const { return paRegister_; }

 private:
  MpsGridView* grMps_;
  RegisterPanel* paRegister_;
};

}  // namespace vellar::ui
