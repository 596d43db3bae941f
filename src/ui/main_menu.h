#pragma once

#include <utility>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

// The menu bar as the form's table gives it; each item runs its command through the window.
namespace vellar {
struct MenuItem;
}

namespace vellar::ui {

class TFoSim;

class MainMenu {
 public:
  MainMenu(QMenuBar* bar, TFoSim& window);

  // The check marks and greyed items as the session holds them, and the zoom level shown.
  void Sync();
  // The greyed items whose rule changes with every clock, as the menu opens.
  void SyncOnOpen(const QMenu* menu);

 private:
  void AddItem(QMenu* menu, const MenuItem& item);
  void AddZoomLevels(QMenu* zoom);
  // Only the levels at which the window fits its screen are offered.
  void SyncZoomItems();

  TFoSim& window_;
  // The items with a check mark or a rule for being greyed.
  std::vector<std::pair<QAction*, const MenuItem*>> stateful_;
  std::vector<QAction*> zoomItems_;
};

}  // namespace vellar::ui
