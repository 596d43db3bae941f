#pragma once

#include <QDialog>
#include <QTimer>

#include "app/task_panel.h"

class QLabel;
class QPushButton;
class QTableWidget;

// The "Aufgabe" panel of the window: a dialog beside the work that the user may leave open
// while editing. It draws what the session's task panel gives and drives its check in slices
// from the event loop, so that the window answers while the cases run.
namespace vellar::ui {

class TaskDialog : public QDialog {
 public:
  TaskDialog(QWidget* parent, TaskPanel& panel);

  // Made when the panel is first shown; then drawn anew from the panel.
  static void Refresh(TaskDialog*& dialog, QWidget* parent, TaskPanel& panel);
  void Sync();

 private:
  void Slice();
  // Where the table goes as text whenever it changes, for scripts: VELLAR_TASK_TABLE.
  void WriteTableFile() const;

  TaskPanel& panel_;
  QLabel* title_;
  QLabel* text_;
  QPushButton* check_;
  QTableWidget* table_;
  QLabel* status_;
  QTimer slices_;
};

}  // namespace vellar::ui
