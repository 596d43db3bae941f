#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QTest>

namespace vellar::ui::testing {

ModalAnswerer::ModalAnswerer() {
  poll_.setInterval(10);
  connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
  poll_.start();
}

void ModalAnswerer::Expect(QMessageBox::StandardButton answer) {
  expected_.push_back({Kind::Box, answer, {}, {}});
}

void ModalAnswerer::ExpectFileDialog(const QString& file,
                                     std::function<void(QFileDialog*)> inspect) {
  expected_.push_back({Kind::File, QMessageBox::NoButton, file,
                       [inspect](QDialog* d) { inspect(static_cast<QFileDialog*>(d)); }});
  if (!inspect) expected_.back().action = nullptr;
}

void ModalAnswerer::ExpectDialog(std::function<void(QDialog*)> action) {
  expected_.push_back({Kind::Dialog, QMessageBox::NoButton, {}, std::move(action)});
}

bool ModalAnswerer::Next(Kind kind, const char* what, const QString& detail) {
  if (expected_.empty() || expected_.front().kind != kind) {
    ADD_FAILURE() << "unexpected " << what << ": " << detail.toStdString();
    return false;
  }
  return true;
}

void ModalAnswerer::AnswerFileDialog(QFileDialog* dialog) {
  texts.push_back(dialog->nameFilters().join(QStringLiteral(";;")));
  QStringList typeNames;
  for (const char* suffix : {"mpd", "mps", "ras", "rad", "ram", "erm"}) {
    const QFileInfo file(dialog->directory(), QStringLiteral("x.") + QLatin1String(suffix));
    typeNames << (dialog->iconProvider() ? dialog->iconProvider()->type(file) : QString());
  }
  fileDialogs.push_back({dialog->acceptMode() == QFileDialog::AcceptSave, dialog->nameFilters(),
                         dialog->selectedNameFilter(), dialog->defaultSuffix(),
                         dialog->directory().absolutePath(), typeNames});
  if (!Next(Kind::File, "file dialog", texts.back())) {
    dialog->reject();
    return;
  }
  const QString file = expected_.front().file;
  const auto inspect = std::move(expected_.front().action);
  expected_.pop_front();
  if (inspect) inspect(dialog);
  if (file.isEmpty()) {
    dialog->reject();
    return;
  }
  dialog->selectFile(file);
  // QFileDialog's own accept (it fills in the default extension), reached through QDialog's.
  static_cast<QDialog*>(dialog)->accept();
}

void ModalAnswerer::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  if (auto* files = qobject_cast<QFileDialog*>(modal)) {
    AnswerFileDialog(files);
    return;
  }
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (box == nullptr) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!Next(Kind::Dialog, "dialog", modal->metaObject()->className())) {
      if (dialog != nullptr) dialog->reject();
      return;
    }
    const auto action = std::move(expected_.front().action);
    expected_.pop_front();
    action(dialog);
    return;
  }
  texts.push_back(box->text());
  BoxSeen seen{box->icon(), !box->iconPixmap().isNull(), {}};
  for (const QAbstractButton* b : box->buttons()) seen.buttons << b->text();
  seen.buttons.sort();
  boxes.push_back(seen);
  QAbstractButton* button = (expected_.empty() || expected_.front().kind != Kind::Box)
                                ? nullptr
                                : box->button(expected_.front().button);
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
