#pragma once

#include <functional>

class QWidget;

// FormResize: places and sizes the panels and grids for the client size, the RAM view and
// the inspector's visibility. The controls inside the panels keep their design places.
namespace vellar {
class Session;
}

namespace vellar::ui {

class ProcessorPanel;
class BusPanel;
class RamPanel;
class ControlPanel;

struct LayoutParts {
  QWidget* client = nullptr;
  ProcessorPanel* paProzessor = nullptr;
  BusPanel* paBus = nullptr;
  QWidget* imBild = nullptr;
  QWidget* moBild = nullptr;
  RamPanel* paRAM = nullptr;
  ControlPanel* paControl = nullptr;
};

class WindowLayout {
 public:
  // The processor panel's width without extra; 473 = 455 + 6 + 12.
  static constexpr int kProcessorBase = 455;
  static constexpr int kFixedWidths = 473;

  // placed: called after the panels are placed, to recompute the picture's geometry.
  WindowLayout(const LayoutParts& parts, Session& session, std::function<void()> placed);

  void FormResize();

 private:
  void CalcMinimalGridSize();
  void PlaceInspector();

  LayoutParts p_;
  Session& session_;
  std::function<void()> placed_;
  bool minimalGridSizeDone_ = false;
};

}  // namespace vellar::ui
