#include "ui/main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/form_menus.h"
#include "ui/main_window.h"
#include "ui/ui_style.h"
#include "ui/zoom.h"

namespace vellar::ui {

MainMenu::MainMenu(QMenuBar* bar, TFoSim& w) : window_(w) {
  for (const Menu& table : MainMenus()) {
    if (table.place == FormPlace::Page) continue;
    QMenu* menu = bar->addMenu(FromUtf8(table.caption));
    for (const MenuItem& item : table.items) {
      if (item.place != FormPlace::Page) AddItem(menu, item);
    }
    // Asked again when the menu opens: every clock of a run may change the answers.
    QObject::connect(menu, &QMenu::aboutToShow, &w, [this, menu] { SyncOnOpen(menu); });
  }
}

void MainMenu::AddItem(QMenu* menu, const MenuItem& item) {
  if (item.Separator()) {
    menu->addSeparator();
    return;
  }
  const QString name = FromUtf8(item.name);
  if (item.submenu) {
    QMenu* sub = menu->addMenu(FromUtf8(item.caption));
    sub->setObjectName(name);
    AddZoomLevels(sub);
    return;
  }
  QString caption = FromUtf8(item.caption);
  if (!item.keyText.empty()) caption += QLatin1Char('\t') + FromUtf8(item.keyText);
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  QList<QKeySequence> keys;
  for (std::string_view key : item.keys) {
    if (!key.empty()) keys << QKeySequence::fromString(FromUtf8(key), QKeySequence::PortableText);
  }
  action->setShortcuts(keys);
  action->setCheckable(item.checked != nullptr);
  QObject::connect(action, &QAction::triggered, &window_,
                   [this, &item] { window_.MenuClick(item.name); });
  if (item.checked != nullptr || item.enabled != nullptr) stateful_.emplace_back(action, &item);
}

void MainMenu::AddZoomLevels(QMenu* zoom) {
  auto* levels = new QActionGroup(zoom);
  for (int percent : kZoomLevels) {
    QAction* item = zoom->addAction(QStringLiteral("%1 %").arg(percent));
    item->setObjectName(QStringLiteral("MeZoom%1").arg(percent));
    item->setCheckable(true);
    item->setChecked(percent == CurrentZoom());
    levels->addAction(item);
    QObject::connect(item, &QAction::triggered, &window_,
                     [this, percent] { window_.MeZoomClick(percent); });
    zoomItems_.push_back(item);
  }
  // Asked again when the menu opens: the window may have gone to another screen.
  QObject::connect(zoom, &QMenu::aboutToShow, &window_, [this] { SyncZoomItems(); });
}

void MainMenu::Sync() {
  Session& session = window_.session();
  for (const auto& [action, item] : stateful_) {
    if (item->checked != nullptr) action->setChecked(item->checked(session));
    if (item->enabled != nullptr && !item->enabledOnOpen) {
      action->setEnabled(item->enabled(session));
    }
  }
  SyncZoomItems();
}

void MainMenu::SyncOnOpen(const QMenu* menu) {
  for (const auto& [action, item] : stateful_) {
    if (item->enabledOnOpen && menu->actions().contains(action)) {
      action->setEnabled(item->enabled(window_.session()));
    }
  }
}

void MainMenu::SyncZoomItems() {
  const QScreen* screen = window_.screen();
  for (size_t i = 0; i < zoomItems_.size(); ++i) {
    const int level = kZoomLevels[i];
    zoomItems_[i]->setChecked(level == CurrentZoom());
    zoomItems_[i]->setEnabled(
        level == CurrentZoom() || screen == nullptr ||
        ZoomFits(level, TFoSim::kMinimumSize, screen->availableGeometry().size()));
  }
}

}  // namespace vellar::ui
