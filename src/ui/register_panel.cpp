#include "ui/register_panel.h"

#include <QLabel>
#include <QPainter>

#include "app/form_controls.h"
#include "app/register_fields.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

// The vertical bar of the ALU's plus: a bar with rounded ends.
class PlusBar : public QWidget {
 public:
  explicit PlusBar(QWidget* parent) : QWidget(parent) { setObjectName("ShPlus"); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(rect(), 2, 2);
  }
};

}  // namespace

std::vector<GateButton*> AddGates(QWidget* parent, std::span<const GatePlace> places,
                                  const GateControl& gates,
                                  const std::function<void(int)>& torClick) {
  std::vector<GateButton*> buttons;
  for (const GatePlace& p : places) {
    AddGateNumber(parent, p.gate, p.x, p.labelY);
    buttons.push_back(new GateButton(parent, p.gate, p.x, p.y, gates, torClick));
  }
  return buttons;
}

RegisterPanel::RegisterPanel(QWidget* parent, const DataPathParts& parts,
                             const DiagramGeometry& geometry,
                             const std::function<void(int)>& torClick)
    : PicturePanel(parent, "PaRegister", kProcessorColor, Picture::Register, geometry,
                   parts.picture, parts.menu),
      registers_(parts.registers),
      gateControl_(parts.gates) {
  AddBackdrop(this, kOpGreen, 98, 20);
  AddBackdrop(this, kIpBlue, 98, 72);
  auto* edOP = new RegisterField(this, OP, 100, 22, parts.registers);
  auto* edIP = new RegisterField(this, IP, 100, 74, parts.registers);
  auto* edBX = new RegisterField(this, BX, 100, 126, parts.registers);
  auto* edAX = new RegisterField(this, AX, 100, 180, parts.registers);
  AddLabel(this, kRegisterLabels[0], edOP);
  AddLabel(this, kRegisterLabels[1], edIP);
  AddLabel(this, kRegisterLabels[2], edBX);
  AddLabel(this, kRegisterLabels[3], edAX);
  gates_ = AddGates(this, kRegisterGates, parts.gates, torClick);

  paSignF_ = AddValuePanel(this, "PaSignF", QStringLiteral("0"), 101, 244);
  paSignF_->setToolTip(FromUtf8(kSignFlagHint));
  AddLabel(this, kRegisterLabels[5]);
  paSubtr_ = AddValuePanel(this, "PaSubtr", QStringLiteral("1"), 157, 244);
  paPlus1_ = AddValuePanel(this, "PaPlus1", QStringLiteral("1"), 260, 138);

  paALU_ = new ColourPanel(this, "PaALU", kProcessorColor, false);
  paALU_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  paALU_->setLineWidth(2);
  paALU_->setGeometry(222, 200, 131, 65);
  auto* edAL = new RegisterField(paALU_, AL, 52, 28, parts.registers);
  auto* shMinu = new QWidget(paALU_);
  shMinu->setObjectName("ShMinu");
  SetBackground(shMinu, Qt::black);
  shMinu->setGeometry(60, 12, 12, 4);
  shPlus_ = new PlusBar(paALU_);
  shPlus_->setGeometry(64, 8, 4, 12);
  AddLabel(this, kRegisterLabels[4], edAL);

  fields_ = {edAX, edBX, edIP, edOP, edAL};
}

void RegisterPanel::Sync() {
  const QString sign = FromUtf8(registers_.SignText());
  if (paSignF_->text() != sign) paSignF_->setText(sign);
  shPlus_->setVisible(gateControl_.PlusBarVisible());
}

void RegisterPanel::FillControls(DiagramControls& c) const {
  c.edAX = ToPathRect(fields_[0]->geometry());
  c.edBX = ToPathRect(fields_[1]->geometry());
  c.edIP = ToPathRect(fields_[2]->geometry());
  c.edOP = ToPathRect(fields_[3]->geometry());
  c.paSignF = ToPathRect(paSignF_->geometry());
  c.paSubtr = ToPathRect(paSubtr_->geometry());
  c.paPlus1 = ToPathRect(paPlus1_->geometry());
  c.paALU = ToPathRect(paALU_->geometry());
}

}  // namespace vellar::ui
