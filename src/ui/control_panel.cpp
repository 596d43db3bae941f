#include "ui/control_panel.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

#include "app/form_controls.h"
#include "app/form_sizes.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

// A group box whose caption stands on its frame line, so that two rows of items fit into
// 51 pixels.
class ClassicGroup : public QGroupBox {
 public:
  ClassicGroup(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 7, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(frame);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(frame.translated(1, 1));
    const QRect caption(8, 0, fontMetrics().horizontalAdvance(title()) + 4, 15);
    p.fillRect(caption, palette().color(QPalette::Window));
    style()->drawItemText(&p, caption.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::TextShowMnemonic,
                          palette(), isEnabled(), title(), QPalette::WindowText);
  }
};

QRect ToQRect(const FormRect& r) {
  return {r.x, r.y, r.width, r.height};
}

// The window's strip is the mouse's, one row at its design width.
const StripPlaces& Places() {
  static const StripPlaces places =
      PlaceStrip(kMouseSizes, kHintGroup.place.x + kHintGroup.place.width + kHintMargin, false);
  return places;
}

QGroupBox* AddGroup(QWidget* parent, const ControlGroup& look, const FormRect& place) {
  auto* group = new ClassicGroup(FromUtf8(look.caption), parent);
  group->setObjectName(FromUtf8(look.name));
  group->setGeometry(ToQRect(place));
  return group;
}

QRadioButton* AddRadio(QGroupBox* group, const ControlGroup& look, int item) {
  auto* radio = new QRadioButton(FromUtf8(look.items[item]), group);
  radio->setGeometry(kGroupItemX, Places().radioY[item], group->width() - 10, 16);
  return radio;
}

}  // namespace

ClockSlider::ClockSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setObjectName("TrZeit");
  setRange(RunControl::kMinPosition, RunControl::kMaxPosition);
  setSingleStep(1);
  setPageStep(2);
  setTickPosition(QSlider::TicksBelow);
  setTickInterval(1);
}

void ClockSlider::keyPressEvent(QKeyEvent* event) {
  int target = value();
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      target -= 1;
      break;
    case Qt::Key_Down:
    case Qt::Key_Right:
      target += 1;
      break;
    case Qt::Key_PageUp:
      target -= 2;
      break;
    case Qt::Key_PageDown:
      target += 2;
      break;
    case Qt::Key_Home:
      target = minimum();
      break;
    case Qt::Key_End:
      target = maximum();
      break;
    default:
      QSlider::keyPressEvent(event);
      return;
  }
  setValue(target);
  event->accept();
}

ControlPanel::ControlPanel(QWidget* parent, RunControl& run, RamView& ramView)
    : ColourPanel(parent, "PaControl", kActiveBorder, false), run_(run), ramView_(ramView) {
  setGeometry(0, 448, 1081, kControlStripHeight);
  // The strip's items are set a pixel smaller than the window's font so that they fit.
  setFont(WindowFont(12));

  const StripPlaces& places = Places();
  QGroupBox* raTor = AddGroup(this, kGateControlGroup, places.gateControl);
  automatic_ = AddRadio(raTor, kGateControlGroup, 0);
  manual_ = AddRadio(raTor, kGateControlGroup, 1);
  for (QRadioButton* item : {automatic_, manual_}) {
    connect(item, &QRadioButton::clicked, this,
            [this] { run_.SetGatesAutomatic(automatic_->isChecked()); });
  }

  QGroupBox* group = AddGroup(this, kSimulationGroup, places.simulation);
  AddRunButtons(group);

  trZeit_ = new ClockSlider(this);
  trZeit_->setGeometry(ToQRect(places.slider));
  connect(trZeit_, &QSlider::valueChanged, this, [this](int position) {
    run_.SetSliderPosition(position);
    // A paced automatic run snaps the slider back.
    Sync();
  });
  laZeit_ = AddLabel(this, QString(), places.labelX, places.labelY, trZeit_);
  laZeit_->setObjectName("LaZeit");

  QGroupBox* raRam = AddGroup(this, kRamViewGroup, places.ramView);
  raRam_ = raRam;
  dataView_ = AddRadio(raRam, kRamViewGroup, 0);
  assemblerView_ = AddRadio(raRam, kRamViewGroup, 1);
  for (QRadioButton* item : {dataView_, assemblerView_}) {
    connect(item, &QRadioButton::clicked, this, [this] {
      const int item = assemblerView_->isChecked() ? RamView::kAssemblerItem : RamView::kDataItem;
      ramView_.SelectItem(item);
    });
  }

  QGroupBox* hint = AddGroup(this, kHintGroup, places.hint);
  hint_ = hint;
  hintLines_ = {AddLabel(hint, FromUtf8(kHintGroup.items[0]), kGroupItemX, kHintLineY[0]),
                AddLabel(hint, FromUtf8(kHintGroup.items[1]), kGroupItemX, kHintLineY[1])};
  Sync();
}

void ControlPanel::resizeEvent(QResizeEvent* event) {
  ColourPanel::resizeEvent(event);
  // On a screen of 1024 pixels the strip is narrower than its design: the two groups on the
  // right move left into the room beside the clock-time label, so that the hint stays whole.
  const StripPlaces places = PlaceStrip(kMouseSizes, width(), false);
  raRam_->move(places.ramView.x, places.ramView.y);
  hint_->move(places.hint.x, places.hint.y);
}

void ControlPanel::AddRunButtons(QWidget* group) {
  for (int i = 0; i < kRunButtonCount; ++i) {
    const RunButtonLook& look = kRunButtons[i];
    auto* button = new QPushButton(FromUtf8(look.caption), group);
    button->setObjectName(FromUtf8(look.name));
    button->setToolTip(FromUtf8(look.hint));
    button->setGeometry(ToQRect(Places().runButtons[i]));
    const auto which = static_cast<RunButton>(i);
    connect(button, &QPushButton::clicked, this, [this, which] { run_.ButtonClick(which); });
    buttons_[i] = button;
  }
}

void ControlPanel::FocusGateControl() {
  (automatic_->isChecked() ? automatic_ : manual_)->setFocus();
}

void ControlPanel::Sync() {
  const RunControl& run = run_;
  (run.GatesAutomatic() ? automatic_ : manual_)->setChecked(true);
  for (int i = 0; i < kRunButtonCount; ++i) {
    buttons_[i]->setVisible(run.ButtonVisible(static_cast<RunButton>(i)));
  }
  if (trZeit_->value() != run.SliderPosition()) {
    const QSignalBlocker block(trZeit_);
    trZeit_->setValue(run.SliderPosition());
  }
  // The clock time with the system's decimal separator, whatever the window's own language.
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  laZeit_->setText(FromUtf8(RunControl::LabelText(run.SliderPosition(), separator)));
  laZeit_->adjustSize();
  const bool assembler = ramView_.RaRamItem() == RamView::kAssemblerItem;
  (assembler ? assemblerView_ : dataView_)->setChecked(true);
  // Where a breakpoint or a condition stopped the run, the box says which until the next start.
  const std::string& why = run.StopText();
  hintLines_[0]->setText(why.empty() ? FromUtf8(kHintGroup.items[0])
                                     : QStringLiteral("Lauf angehalten:"));
  hintLines_[1]->setText(why.empty() ? FromUtf8(kHintGroup.items[1]) : FromUtf8(why));
  for (QLabel* line : hintLines_) line->adjustSize();
}

}  // namespace vellar::ui
