#include "ui/bus_panel.h"

#include "app/form_controls.h"
#include "ui/register_panel.h"
#include "ui/ui_style.h"

namespace vellar::ui {

BusPanel::BusPanel(QWidget* parent, const DataPathParts& parts, const DiagramGeometry& geometry,
                   const std::function<void(int)>& torClick)
    : ColourPanel(parent, "PaBus", kBusColor, false) {
  resize(kWidth, kHeight);
  AddCaption(this, FromUtf8(kBusCaption));
  inner_ = new PicturePanel(this, "PaBus2", kBusColor, Picture::Bus, geometry, parts.picture,
                            parts.menu);
  inner_->setGeometry(4, 24, 185, 197);
  AddLabel(inner_, kBusLabels[0]);
  AddLabel(inner_, kBusLabels[1]);
  AddBackdrop(inner_, kIpBlue, 76, 146);
  auto* edDR = new RegisterField(inner_, DR, 78, 50, parts.registers);
  auto* edAR = new RegisterField(inner_, AR, 78, 148, parts.registers);
  AddLabel(inner_, kBusLabels[2], edDR);
  AddLabel(inner_, kBusLabels[3], edAR);
  gates_ = AddGates(inner_, kBusGates, parts.gates, torClick);
  fields_ = {edDR, edAR};
}

void BusPanel::FillControls(DiagramControls& c) const {
  c.edDR = ToPathRect(fields_[0]->geometry());
  c.edAR = ToPathRect(fields_[1]->geometry());
  auto rectOf = [this](int gate) {
    for (const GateButton* b : gates_) {
      if (b->Gate() == gate) return b->geometry();
    }
    return QRect();
  };
  c.tor9 = ToPathRect(rectOf(0x9));
  c.torA = ToPathRect(rectOf(0xA));
  c.torB = ToPathRect(rectOf(0xB));
  c.torC = ToPathRect(rectOf(0xC));
  c.busWidth = width();
}

}  // namespace vellar::ui
