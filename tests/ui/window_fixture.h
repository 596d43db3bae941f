#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/main_window.h"

// The window on the offscreen platform, shown and active, and a watcher that answers the
// modal boxes a test announces and fails the test on any other, so that no test can hang on
// a box nobody answers.
namespace vellar::ui::testing {

class ModalAnswerer : public QObject {
 public:
  // How a file dialog was set up when it came.
  struct FileDialogSeen {
    bool save = false;
    QStringList filters;
    QString selectedFilter;
    QString defaultSuffix;
    QString directory;
    // The type column's text for x.mpd, x.mps, x.ras, x.rad, x.ram and x.erm.
    QStringList typeNames;
  };

  ModalAnswerer();
  // The next message box is answered with this button.
  void Expect(QMessageBox::StandardButton answer);
  // The next modal is a file dialog; it is answered with this file, or cancelled. The
  // action, if any, looks at the dialog first.
  void ExpectFileDialog(const QString& file = {},
                        std::function<void(QFileDialog*)> inspect = nullptr);
  // The next modal is some other dialog; the action looks at it and must close it.
  void ExpectDialog(std::function<void(QDialog*)> action);
  bool AllUsed() const { return expected_.empty(); }

  // Every box seen, in order: a message box's text, a file dialog's name filters.
  std::vector<QString> texts;
  // How each message box looked: its icon and its buttons' captions.
  struct BoxSeen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasPixmap = false;
    QStringList buttons;
  };
  std::vector<BoxSeen> boxes;
  std::vector<FileDialogSeen> fileDialogs;

 private:
  enum class Kind { Box, File, Dialog };
  struct Answer {
    Kind kind;
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    QString file;
    std::function<void(QDialog*)> action;
  };
  void Poll();
  void AnswerFileDialog(QFileDialog* dialog);
  bool Next(Kind kind, const char* what, const QString& detail);

  QTimer poll_;
  std::deque<Answer> expected_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Create({}); }
  void TearDown() override;

  void Create(const std::vector<std::string>& args);
  // Lets the window refresh what the session changed.
  void Settle();

  template <class T = QWidget>
  T* Find(const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  // Where a child widget stands in the client area.
  QRect InClient(const QWidget* w) const;
  // Sizes the window so that its client area has this size.
  void ResizeClient(int width, int height);

  Session& session() { return window->session(); }

  // Keys as the user types them: each goes to the widget that has the focus at that moment,
  // which is a grid's cell editor once it has opened.
  static QWidget* Focused();
  void Type(const QString& text);
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // The offscreen platform has no window manager to give the window back its activation
  // when a message box closes; the desktop does that.
  void Reactivate();

  ModalAnswerer answers;
  std::unique_ptr<TFoSim> window;
};

}  // namespace vellar::ui::testing
