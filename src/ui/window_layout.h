#pragma once

#include <functional>

class QWidget;

// FormResize: places and sizes the panels and grids for the client size, the RAM view and
// the inspector's visibility. The controls inside the panels keep their design places.
namespace vellar {
class RamGrid;
struct Machine;
struct MenuOptions;
struct MpsGrid;
}  // namespace vellar

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

// What the layout reads and sets in the model: the RAM grid's view and widths (built in both
// views once to measure it), the description column's width and the inspector's check mark.
struct LayoutModel {
  RamGrid& ramGrid;
  const Machine& machine;
  MpsGrid& mpsGrid;
  const MenuOptions& menu;
};

class WindowLayout {
 public:
  // placed: called after the panels are placed, to recompute the picture's geometry.
  WindowLayout(const LayoutParts& parts, const LayoutModel& model, std::function<void()> placed);

  void FormResize();

 private:
  void CalcMinimalGridSize();

  LayoutParts p_;
  LayoutModel m_;
  std::function<void()> placed_;
  bool minimalGridSizeDone_ = false;
};

}  // namespace vellar::ui
