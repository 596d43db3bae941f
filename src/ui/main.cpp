// vellar: the simulator's window. Arguments: an MPS file, a RAM file and options.
#include <QApplication>
#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/ui_style.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  vellar::ui::ConfigureApplication(app);
  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  vellar::ui::TFoSim window;
  window.FormCreate(args);
  window.show();
  return QApplication::exec();
}
