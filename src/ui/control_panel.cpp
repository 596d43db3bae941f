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
#include <algorithm>

#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

// What the "Hinweis" box says while no breakpoint has stopped a run.
const std::array<QString, 2> kRowHint = {QStringLiteral("Einfügen/Löschen von Zeilen"),
                                         QStringLiteral("mit Strg+Einf/Strg+Entf")};

// The RAM view selector and the hint where the strip is at least as wide as its design.
constexpr QRect kRaRamPlace{672, 14, 169, 51};
constexpr QRect kHintPlace{848, 13, 177, 51};
constexpr int kHintMargin = 7;

struct RunButtonLook {
  const char* name;
  const char* caption;
  const char* hint;
  int place;  // in the row of buttons, counted from 0
};

// In the order of RunButton.
constexpr std::array<RunButtonLook, kRunButtonCount> kRunButtons = {{
    {"BuReset", "|<", "Zurücksetzen", 0},
    {"BuPhase", ">", "Bus-Takt", 1},
    {"Bu2Phasen", ">>", "Alu-Takt", 2},
    {"BuTakt", ">>", "1 Takt", 1},
    {"BuPause", "||", "Pause", 2},
    {"BuBefehl", ">|", "1 Befehl", 3},
    {"BuBisHalt", ">||", "Bis Halt-Befehl", 4},
}};

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

QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& title, QRect bounds) {
  auto* group = new ClassicGroup(title, parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setGeometry(bounds);
  return group;
}

QRadioButton* AddRadio(QGroupBox* group, const QString& text, int y) {
  auto* radio = new QRadioButton(text, group);
  radio->setGeometry(8, y, group->width() - 10, 16);
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
  setGeometry(0, 448, 1081, kHeight);
  // The strip's items are set a pixel smaller than the window's font so that they fit.
  setFont(WindowFont(12));

  QGroupBox* raTor = AddGroup(this, "RaTor", QStringLiteral("Torsteuerung"), {8, 14, 161, 51});
  automatic_ = AddRadio(raTor, QStringLiteral("Automatisch aus MPS"), 15);
  manual_ = AddRadio(raTor, QStringLiteral("Manuell"), 32);
  for (QRadioButton* item : {automatic_, manual_}) {
    connect(item, &QRadioButton::clicked, this,
            [this] { run_.SetGatesAutomatic(automatic_->isChecked()); });
  }

  QGroupBox* group = AddGroup(this, "GroupBox1", QStringLiteral("Simulation"), {176, 14, 170, 51});
  AddRunButtons(group);

  trZeit_ = new ClockSlider(this);
  trZeit_->setGeometry(360, 20, 161, 37);
  connect(trZeit_, &QSlider::valueChanged, this, [this](int position) {
    run_.SetSliderPosition(position);
    // A paced automatic run snaps the slider back.
    Sync();
  });
  laZeit_ = AddLabel(this, QString(), 524, 33, trZeit_);
  laZeit_->setObjectName("LaZeit");

  QGroupBox* raRam = AddGroup(this, "RaRam", QStringLiteral("RA&M-Anzeige"), kRaRamPlace);
  raRam_ = raRam;
  dataView_ = AddRadio(raRam, QStringLiteral("Daten"), 15);
  assemblerView_ = AddRadio(raRam, QStringLiteral("Assembler"), 32);
  for (QRadioButton* item : {dataView_, assemblerView_}) {
    connect(item, &QRadioButton::clicked, this, [this] {
      const int item = assemblerView_->isChecked() ? RamView::kAssemblerItem : RamView::kDataItem;
      ramView_.SelectItem(item);
    });
  }

  QGroupBox* hint = AddGroup(this, "Hinweis", QStringLiteral("Hinweis"), kHintPlace);
  hint_ = hint;
  hintLines_ = {AddLabel(hint, kRowHint[0], 8, 16), AddLabel(hint, kRowHint[1], 8, 32)};
  Sync();
}

void ControlPanel::resizeEvent(QResizeEvent* event) {
  ColourPanel::resizeEvent(event);
  // On a screen of 1024 pixels the strip is narrower than its design: the two groups on the
  // right move left into the room beside the clock-time label, so that the hint stays whole.
  const int left = std::max(0, kHintPlace.x() + kHintPlace.width() + kHintMargin - width());
  raRam_->move(kRaRamPlace.x() - left, kRaRamPlace.y());
  hint_->move(kHintPlace.x() - left, kHintPlace.y());
}

void ControlPanel::AddRunButtons(QWidget* group) {
  for (int i = 0; i < kRunButtonCount; ++i) {
    const RunButtonLook& look = kRunButtons[i];
    auto* button = new QPushButton(QString::fromLatin1(look.caption), group);
    button->setObjectName(QString::fromLatin1(look.name));
    button->setToolTip(QString::fromUtf8(look.hint));
    button->setGeometry(8 + 32 * look.place, 18, 30, 25);
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
  hintLines_[0]->setText(why.empty() ? kRowHint[0] : QStringLiteral("Lauf angehalten:"));
  hintLines_[1]->setText(why.empty() ? kRowHint[1] : FromUtf8(why));
  for (QLabel* line : hintLines_) line->adjustSize();
}

}  // namespace vellar::ui
