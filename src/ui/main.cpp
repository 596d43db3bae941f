// vellar: the simulator's window. Arguments: an MPS file, a RAM file and options.
#include <QApplication>
#include <QIcon>
#include <iostream>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/ui_style.h"
#include "ui/zoom.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  vellar::ui::ConfigureApplication(app);
  // Installed, the desktop finds our entry and icon by this name (vellar.desktop, vellar.png).
  QGuiApplication::setDesktopFileName(QStringLiteral("vellar"));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vellar")));
  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  // Before the first window: it is created at the scale it will be shown at.
  const vellar::ui::ZoomArgument zoom = vellar::ui::TakeZoomArgument(args);
  if (!zoom.error.empty()) std::cerr << zoom.error << '\n';
  const int wanted = zoom.percent != 0 ? zoom.percent : vellar::ui::StoredZoom();
  const int percent = vellar::ui::StartZoom(wanted, vellar::ui::TFoSim::kMinimumSize);
  if (percent != wanted) {
    std::cerr << "vellar: Mit " << wanted << " % passt das Fenster nicht auf den Bildschirm; es "
              << "erscheint mit " << percent << " %.\n";
  }
  vellar::ui::ApplyZoom(percent);
  vellar::ui::TFoSim window;
  window.FormCreate(args);
  window.show();
  // Without a window manager no one else gives the window the keyboard.
  window.activateWindow();
  return QApplication::exec();
}
