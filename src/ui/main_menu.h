#pragma once

#include <vector>

class QAction;
class QMenuBar;

// The menu bar: its items, shortcuts and check marks; each item calls the window's handler
// of the same name.
namespace vellar {
struct MenuOptions;
}

namespace vellar::ui {

class TFoSim;

class MainMenu {
 public:
  MainMenu(QMenuBar* bar, TFoSim& window);

  // The check marks as the session holds them, and the zoom level shown; undo and redo
  // while there is a step.
  void Sync(const MenuOptions& options, bool canUndo, bool canRedo);

 private:
  QAction* meUndo_ = nullptr;
  QAction* meRedo_ = nullptr;
  QAction* meVariablen_ = nullptr;
  QAction* meKonfl_ = nullptr;
  QAction* meTorKz_ = nullptr;
  QAction* meBus8_ = nullptr;
  QAction* mePfeil_ = nullptr;
  // Only the levels at which the window fits its screen are offered.
  void SyncZoomItems();

  TFoSim& window_;
  std::vector<QAction*> zoomItems_;
};

}  // namespace vellar::ui
