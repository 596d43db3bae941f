#include "ui/main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/menu_options.h"
#include "ui/main_window.h"
#include "ui/zoom.h"

namespace vellar::ui {

namespace {

using Handler = void (TFoSim::*)();

QAction* AddItem(QMenu* menu, TFoSim& window, const char* name, const QString& text,
                 Handler handler, QKeySequence key = {}, bool checkable = false) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  action->setCheckable(checkable);
  QObject::connect(action, &QAction::triggered, &window,
                   [&window, handler] { (window.*handler)(); });
  return action;
}

}  // namespace

MainMenu::MainMenu(QMenuBar* bar, TFoSim& w) : window_(w) {
  QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
  AddItem(file, w, "MeLoadMps", QStringLiteral("MPS l&aden"), &TFoSim::MeLoadMpsClick, Qt::Key_F2);
  AddItem(file, w, "MeSaveMps", QStringLiteral("MPS s&peichern"), &TFoSim::MeSaveMpsClick,
          Qt::Key_F3);
  AddItem(file, w, "MePrnMps", QStringLiteral("MPS drucken"), &TFoSim::MePrnMpsClick);
  file->addSeparator();
  AddItem(file, w, "MeLoadRam", QStringLiteral("RAM &laden"), &TFoSim::MeLoadRamClick, Qt::Key_F5);
  AddItem(file, w, "MeSaveRam", QStringLiteral("RAM &speichern"), &TFoSim::MeSaveRamClick,
          Qt::Key_F6);
  AddItem(file, w, "MePrnRam", QStringLiteral("RAM drucken"), &TFoSim::MePrnRamClick);
  file->addSeparator();
  AddItem(file, w, "MeEnde", QStringLiteral("&Ende"), &TFoSim::MeEndeClick);

  QMenu* edit = bar->addMenu(QStringLiteral("&Bearbeiten"));
  meUndo_ = AddItem(edit, w, "MeUndo", QStringLiteral("&Rückgängig"), &TFoSim::MeUndoClick,
                    Qt::CTRL | Qt::Key_Z);
  meRedo_ = AddItem(edit, w, "MeRedo", QStringLiteral("&Wiederholen"), &TFoSim::MeRedoClick,
                    Qt::CTRL | Qt::Key_Y);
  meRedo_->setShortcuts({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z});
  edit->addSeparator();
  // The key hook gives the key, and only where it erases nothing; the menu names it.
  QAction* stepBack = AddItem(edit, w, "MeStepBack", QStringLiteral("Schritt &zurück\tRücktaste"),
                              &TFoSim::MeStepBackClick);
  // Asked when the menu opens: every clock of a run changes the answer.
  QObject::connect(edit, &QMenu::aboutToShow, &w,
                   [&w, stepBack] { stepBack->setEnabled(w.session().stepBack.MenuEnabled()); });
  edit->addSeparator();
  QMenu* breakpoints = edit->addMenu(QStringLiteral("&Haltepunkte"));
  breakpoints->setObjectName(QStringLiteral("MeHaltepunkte"));
  AddItem(breakpoints, w, "MeBreakpoint", QStringLiteral("Haltepunkt &setzen/löschen"),
          &TFoSim::MeBreakpointClick, QKeySequence(QString::fromLatin1(Session::kBreakpointKey)));
  AddItem(breakpoints, w, "MeConditions", QStringLiteral("&Bedingungen …"),
          &TFoSim::MeConditionsClick);
  AddItem(breakpoints, w, "MeClearBreakpoints", QStringLiteral("&Alle löschen"),
          &TFoSim::MeClearBreakpointsClick);
  breakpoints->addSeparator();
  // The list, made anew each time the menu opens: a click in a margin changes it.
  QObject::connect(breakpoints, &QMenu::aboutToShow, &w, [&w, breakpoints] {
    for (QAction* item : breakpoints->actions()) {
      if (item->property("listed").toBool()) breakpoints->removeAction(item);
    }
    std::vector<std::string> list = w.session().breakpoints.List();
    if (list.empty()) list.emplace_back("(keine)");
    for (const std::string& entry : list) {
      QAction* item = breakpoints->addAction(QString::fromStdString(entry));
      item->setProperty("listed", true);
      item->setEnabled(false);
    }
  });

  QMenu* reset = bar->addMenu(QStringLiteral("&Zurücksetzen"));
  AddItem(reset, w, "MeClrReg", QStringLiteral("&Register löschen"), &TFoSim::MeClrRegClick,
          Qt::Key_F9);
  AddItem(reset, w, "MeClrRam", QStringLiteral("R&AM löschen"), &TFoSim::MeClrRamClick);
  AddItem(reset, w, "MeClrMps", QStringLiteral("&MPS löschen"), &TFoSim::MeClrMpsClick);

  QMenu* view = bar->addMenu(QStringLiteral("&Ansicht"));
  meVariablen_ = AddItem(view, w, "MeVariablen", QStringLiteral("&Variableninspektor anzeigen"),
                         &TFoSim::MeVariablenClick, {}, true);
  AddItem(view, w, "MeStatistik", QStringLiteral("&Statistik"), &TFoSim::MeStatistikClick);
  view->addSeparator();
  meKonfl_ = AddItem(view, w, "MeKonfl", QStringLiteral("MPS auf &Konflike prüfen"),
                     &TFoSim::MeKonflClick, {}, true);
  meTorKz_ = AddItem(view, w, "MeTorKz", QStringLiteral("&Tornummern im MPS verwenden"),
                     &TFoSim::MeTorKzClick, {}, true);
  view->addSeparator();
  meBus8_ =
      AddItem(view, w, "MeBus_8", QStringLiteral("&Bus-8-Bit"), &TFoSim::MeBus_8Click, {}, true);
  mePfeil_ = AddItem(view, w, "MePfeil", QStringLiteral("Bus ohne &Pfeile"), &TFoSim::MePfeilClick,
                     {}, true);
  view->addSeparator();
  QMenu* zoom = view->addMenu(QStringLiteral("Ver&größerung"));
  zoom->setObjectName(QStringLiteral("MeZoom"));
  auto* levels = new QActionGroup(zoom);
  for (int percent : kZoomLevels) {
    QAction* item = zoom->addAction(QStringLiteral("%1 %").arg(percent));
    item->setObjectName(QStringLiteral("MeZoom%1").arg(percent));
    item->setCheckable(true);
    item->setChecked(percent == CurrentZoom());
    levels->addAction(item);
    QObject::connect(item, &QAction::triggered, &w, [&w, percent] { w.MeZoomClick(percent); });
    zoomItems_.push_back(item);
  }
  // Asked again when the menu opens: the window may have gone to another screen.
  QObject::connect(zoom, &QMenu::aboutToShow, &w, [this] { SyncZoomItems(); });

  QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
  AddItem(help, w, "MeInfo", QStringLiteral("Info"), &TFoSim::MeInfoClick);
  AddItem(help, w, "MeHilf", QStringLiteral("&Hilfe"), &TFoSim::MeHilfClick, Qt::Key_F1);
}

void MainMenu::Sync(const MenuOptions& options, bool canUndo, bool canRedo) {
  meUndo_->setEnabled(canUndo);
  meRedo_->setEnabled(canRedo);
  meVariablen_->setChecked(options.MeVariablen);
  meKonfl_->setChecked(options.MeKonfl);
  meTorKz_->setChecked(options.MeTorKz);
  meBus8_->setChecked(options.MeBus_8);
  mePfeil_->setChecked(options.MePfeil);
  SyncZoomItems();
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
