#pragma once

#include <QMainWindow>
#include <QSize>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "ui/data_path_geometry.h"
#include "ui/qt_frontend.h"

class QLabel;

// TFoSim, the main window: it owns the session and shows it in its panels. It wires the
// panels, the menu, the key hook and the timer to the session's handlers and decides
// nothing itself.
namespace vellar::ui {

class BusPanel;
class ControlPanel;
class TaskDialog;
class GateButton;
class KeyHookFilter;
class MainMenu;
class Portrait;
class ProcessorPanel;
class RamPanel;
class RegisterField;
class WindowLayout;

class TFoSim : public QMainWindow, private ViewHost {
 public:
  // Outer sizes of the window; the desktop's frame around the client area is taken as four
  // pixels on each side and a caption of 23 pixels.
  static constexpr QSize kStartSize{1061, 745};
  // Narrow enough for a screen of 1024 pixels; only the control strip's right-hand groups
  // move left below its design width.
  static constexpr QSize kMinimumSize{1024, 552};
  static constexpr QSize kMaximumSize{1400, 1500};
  static constexpr QSize kFrame{8, 31};

  TFoSim();
  ~TFoSim() override;

  // The window's creation: the key hook, the session's first state and the arguments.
  void FormCreate(const std::vector<std::string>& args);
  void FormResize();

  Session& session() { return session_; }
  QtFrontend& frontend() { return frontend_; }
  const DiagramGeometry& Geometry() const { return geometry_; }

  // A menu item by its name: the session's command, or what the window does itself (closing,
  // its info and help).
  void MenuClick(std::string_view name);
  // "Ansicht" -> "Vergrößerung": the whole window at this level, kept for the next start.
  void MeZoomClick(int percent);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh(uint32_t what) override;
  void TimerTick() override;
  bool Advance(int ticks) override;
  void TorClick(int gate);
  // Within the screen's free area, as far as the minimum size allows, and centred on it.
  void FitToScreen();
  // After a layout: the picture's coordinates anew, and a real repaint when panels moved.
  void Placed();

  QtFrontend frontend_{this, *this};
  Session session_{frontend_};
  DiagramGeometry geometry_;
  QWidget* client_ = nullptr;
  ProcessorPanel* paProzessor_ = nullptr;
  BusPanel* paBus_ = nullptr;
  std::unique_ptr<Portrait> portrait_;
  RamPanel* paRAM_ = nullptr;
  ControlPanel* paControl_ = nullptr;
  std::vector<RegisterField*> fields_;
  std::vector<GateButton*> gateButtons_;
  std::unique_ptr<MainMenu> menu_;
  std::unique_ptr<WindowLayout> layout_;
  KeyHookFilter* keyHook_ = nullptr;
  QRect placedProcessor_;
  QRect placedBus_;
  // The task panel, made when a task is first shown.
  TaskDialog* aufgabe_ = nullptr;
};

}  // namespace vellar::ui
