#pragma once

#include <QDialog>

#include "app/session.h"

class QLabel;
class QTableWidget;

// Ansicht → "Statistik": how often each MPS row ran, shaded as a heat map, and the summary
// of the clocks and instructions since the last "Zurücksetzen". Shown beside the window; it
// reads the session's counts each time it is shown or a run has ended.
namespace vellar::ui {

class StatisticsDialog : public QDialog {
 public:
  StatisticsDialog(QWidget* parent, Session& session);
  void Sync();

 private:
  Session& session_;
  QTableWidget* rows_;
  QLabel* summary_;
};

}  // namespace vellar::ui
