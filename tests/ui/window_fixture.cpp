#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMenuBar>
#include <QTest>

namespace vellar::ui::testing {

ModalAnswerer::ModalAnswerer() {
  poll_.setInterval(10);
  connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
  poll_.start();
}

void ModalAnswerer::Expect(QMessageBox::StandardButton answer) {
  expected_.push_back(answer);
}

void ModalAnswerer::ExpectFileDialog() {
  expected_.push_back(kFileDialog);
}

void ModalAnswerer::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  if (auto* files = qobject_cast<QFileDialog*>(modal)) {
    texts.push_back(files->nameFilters().join(QStringLiteral(";;")));
    if (expected_.empty() || expected_.front() != kFileDialog) {
      ADD_FAILURE() << "unexpected file dialog";
    } else {
      expected_.pop_front();
    }
    files->reject();
    return;
  }
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (box == nullptr) {
    ADD_FAILURE() << "unexpected dialog " << modal->metaObject()->className();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  texts.push_back(box->text());
  QAbstractButton* button = (expected_.empty() || expected_.front() == kFileDialog)
                                ? nullptr
                                : box->button(expected_.front());
  if (button == nullptr) {
    ADD_FAILURE() << "unexpected message box: " << box->text().toStdString();
    box->reject();
    return;
  }
  expected_.pop_front();
  button->click();
}

void WindowTest::Create(const std::vector<std::string>& args) {
  window = std::make_unique<TFoSim>();
  window->FormCreate(args);
  window->show();
  QApplication::setActiveWindow(window.get());
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  Settle();
}

void WindowTest::TearDown() {
  EXPECT_TRUE(answers.AllUsed()) << "an announced message box did not come";
  window.reset();
}

void WindowTest::Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QRect WindowTest::InClient(const QWidget* w) const {
  const QPoint topLeft = w->mapTo(window->centralWidget(), QPoint(0, 0));
  return {topLeft, w->size()};
}

void WindowTest::ResizeClient(int width, int height) {
  window->resize(width, height + window->menuBar()->height());
  Settle();
  ASSERT_EQ(window->centralWidget()->size(), QSize(width, height));
}

QWidget* WindowTest::Focused() {
  QWidget* focus = QApplication::focusWidget();
  EXPECT_NE(focus, nullptr) << "no widget has the focus";
  return focus;
}

void WindowTest::Type(const QString& text) {
  for (const QChar c : text) {
    if (QWidget* focus = Focused()) QTest::keyClick(focus, c.toLatin1());
    Reactivate();
  }
}

void WindowTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (QWidget* focus = Focused()) QTest::keyClick(focus, key, modifiers);
  Reactivate();
}

void WindowTest::Reactivate() {
  if (QApplication::activeWindow() == window.get()) return;
  QApplication::setActiveWindow(window.get());
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

}  // namespace vellar::ui::testing
