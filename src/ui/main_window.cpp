#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "app/form_menus.h"
#include "ui/bus_panel.h"
#include "ui/control_panel.h"
#include "ui/help_dialog.h"
#include "ui/key_hook_filter.h"
#include "ui/main_menu.h"
#include "ui/portrait.h"
#include "ui/processor_panel.h"
#include "ui/ram_panel.h"
#include "ui/task_dialog.h"
#include "ui/ui_style.h"
#include "ui/window_layout.h"
#include "ui/zoom.h"

namespace vellar::ui {

namespace {

// The client area, which lays the window out whenever its size changes.
class ClientArea : public QWidget {
 public:
  ClientArea(QWidget* parent, std::function<void()> resized)
      : QWidget(parent), resized_(std::move(resized)) {}

 protected:
  void resizeEvent(QResizeEvent*) override { resized_(); }

 private:
  std::function<void()> resized_;
};

}  // namespace

TFoSim::TFoSim() {
  setObjectName("FoSim");
  setWindowTitle(QStringLiteral("Mikroprozessor Simulation"));
  menu_ = std::make_unique<MainMenu>(menuBar(), *this);

  auto torClick = [this](int gate) { TorClick(gate); };
  client_ = new ClientArea(this, [this] { FormResize(); });
  setCentralWidget(client_);
  // Each panel gets the parts it shows and forwards to.
  const DataPathParts pathParts{session_.picture, session_.menu, session_.registers,
                                session_.gates};
  paProzessor_ = new ProcessorPanel(client_, {session_.mpsEditor, session_.mpsEditing}, pathParts,
                                    geometry_, torClick);
  paBus_ = new BusPanel(client_, pathParts, geometry_, torClick);
  paBus_->move(456, 224);
  portrait_ = std::make_unique<Portrait>(client_);
  // The picture lies beneath the panels: at the smallest height it slides under the bus
  // panel instead of hiding its caption.
  paBus_->raise();
  paRAM_ = new RamPanel(client_, {session_.ramGrid, session_.ramEditor, session_.inspector,
                                  session_.ramEditing, session_.inspectorEditing});
  paControl_ = new ControlPanel(client_, session_.run, session_.ramView);

  RegisterPanel* paRegister = paProzessor_->PaRegister();
  fields_.assign(paRegister->Fields().begin(), paRegister->Fields().end());
  fields_.insert(fields_.end(), paBus_->Fields().begin(), paBus_->Fields().end());
  gateButtons_ = paRegister->Gates();
  gateButtons_.insert(gateButtons_.end(), paBus_->Gates().begin(), paBus_->Gates().end());

  frontend_.RegisterControl(paProzessor_->GrMps(), Control::MpsGrid);
  frontend_.RegisterControl(paRAM_->GrRam(), Control::RamGrid);
  frontend_.RegisterControl(paRAM_->RamInspector(), Control::RamInspector);
  for (RegisterField* field : fields_) frontend_.RegisterControl(field, Control::RegisterField);
  frontend_.RegisterControl(paControl_->TrZeit(), Control::Slider);
  frontend_.RegisterControl(paControl_->findChild<QWidget*>("RaTor"), Control::GateControl);

  layout_ = std::make_unique<WindowLayout>(
      LayoutParts{client_, paProzessor_, paBus_, portrait_->ImBild(), portrait_->MoBild(), paRAM_,
                  paControl_},
      LayoutModel{session_.ramGrid, session_.machine, session_.mpsGrid, session_.menu},
      [this] { Placed(); });

  setMinimumSize(kMinimumSize - kFrame);
  setMaximumSize(kMaximumSize - kFrame);
  resize(kStartSize - kFrame);
  // Centred, and on a small screen (1024 x 768, a projector with 1366 x 768 at a larger view)
  // within it as far as the minimum size allows.
  FitToScreen();
  // The client area gets its size now, so the first layout need not wait for the window to
  // be shown.
  layout()->activate();
}

TFoSim::~TFoSim() {
  if (keyHook_ != nullptr) qApp->removeEventFilter(keyHook_);
  frontend_.StopRunning();
  // The panels go before the session they show.
  delete client_;
  client_ = nullptr;
  delete aufgabe_;
}

void TFoSim::FormCreate(const std::vector<std::string>& args) {
  keyHook_ = new KeyHookFilter(
      this, [this](const KeyMessage& message) { return session_.keys.OnAppMessage(message); });
  qApp->installEventFilter(keyHook_);
  session_.deferCommandLineStart = true;
  session_.FormCreate(args);
  // Not the MPS grid: entering it would switch to automatic gate control.
  paControl_->FocusGateControl();
  Refresh(~0u);
}

void TFoSim::FormResize() {
  if (client_ != nullptr) layout_->FormResize();
}

void TFoSim::Placed() {
  RegisterPanel* paRegister = paProzessor_->PaRegister();
  DiagramControls controls;
  paRegister->FillControls(controls);
  paBus_->FillControls(controls);
  controls.processorWidth = paProzessor_->width();
  controls.dy = paBus_->y() + paBus_->Inner()->y() - paProzessor_->y() - paRegister->y();
  geometry_ = ComputeGeometry(controls);
  if (paProzessor_->geometry() != placedProcessor_ || paBus_->geometry() != placedBus_) {
    placedProcessor_ = paProzessor_->geometry();
    placedBus_ = paBus_->geometry();
    // Moved or resized panels are erased and drawn anew: every path black.
    session_.picture.FullRepaint();
  }
}

void TFoSim::Refresh(uint32_t what) {
  if (client_ == nullptr) return;
  // The model asks for a new layout whenever what it depends on has changed.
  if (what & kRedrawLayout) FormResize();
  if (what & kRedrawMpsGrid) paProzessor_->GrMps()->Refresh();
  if (what & kRedrawRamGrid) paRAM_->GrRam()->Refresh();
  if (what & kRedrawInspector) paRAM_->RamInspector()->Refresh();
  if (what & kRedrawRegisters) {
    for (RegisterField* field : fields_) field->Sync();
  }
  if (what & kRedrawGateButtons) {
    for (GateButton* button : gateButtons_) button->Sync();
  }
  if (what & (kRedrawRegisters | kRedrawGateButtons)) paProzessor_->PaRegister()->Sync();
  if (what & (kRedrawPicture | kRedrawPictureFull)) {
    paProzessor_->PaRegister()->update();
    paBus_->Inner()->update();
  }
  if (what & kRedrawRunControls) paControl_->Sync();
  if (what & kRedrawMenus) {
    menu_->Sync();
  }
  if (what & kRedrawTask) TaskDialog::Refresh(aufgabe_, this, session_.Task());
}

void TFoSim::TimerTick() {
  session_.run.TimerTimer();
}

bool TFoSim::Advance(int ticks) {
  return session_.run.Advance(ticks);
}

void TFoSim::TorClick(int gate) {
  session_.TorClick(gate);
}

void TFoSim::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A window manager holds the window between its size limits; without one, the window does.
  const QSize held = event->size().expandedTo(minimumSize()).boundedTo(maximumSize());
  if (held != event->size()) QTimer::singleShot(0, this, [this, held] { resize(held); });
}

void TFoSim::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Once the window is on the screen, so that a run started by /S can be paused.
  QTimer::singleShot(0, this, [this] { session_.StartCommandLineRun(); });
}

void TFoSim::closeEvent(QCloseEvent* event) {
  if (session_.run.Running()) {
    // A run going on ends as Pause ends it, with the clock it has begun.
    session_.run.BuStoppClick();
    session_.run.RunToEnd();
  }
  // Unsaved work is offered for saving first, as a load does; "Abbrechen" keeps the window.
  if (!session_.files.FormCloseQuery()) {
    event->ignore();
    return;
  }
  frontend_.StopRunning();
  event->accept();
}

void TFoSim::MenuClick(std::string_view name) {
  if (RunMenuCommand(session_, name)) return;
  if (name == "MeEnde") {
    close();
  } else if (name == "MeInfo") {
    frontend_.ShowMessage(ResourceText(":/info.txt").toStdString() + "\nVersion " VELLAR_VERSION);
  } else if (name == "MeHilf") {
    TDlgHelp dialog(this);
    RunModal(dialog);
  }
}

void TFoSim::MeZoomClick(int wanted) {
  const QScreen* shownOn = screen();
  const int percent = shownOn != nullptr
                          ? FittingZoom(wanted, kMinimumSize, shownOn->availableGeometry().size())
                          : wanted;
  StoreZoom(percent);
  // Once the menu has closed: the windows are shown anew at the new scale.
  QTimer::singleShot(0, this, [this, percent] {
    if (percent == CurrentZoom()) return;
    ApplyZoom(percent);
    FitToScreen();
    Refresh(kRedrawMenus);
  });
}

void TFoSim::FitToScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect desk = screen->availableGeometry();
  const QSize outer = (size() + kFrame).boundedTo(desk.size()).expandedTo(kMinimumSize);
  resize(outer - kFrame);
  const QPoint centred = desk.center() - QPoint(outer.width() / 2, outer.height() / 2);
  move(std::max(centred.x(), desk.left()), std::max(centred.y(), desk.top()));
}

}  // namespace vellar::ui
