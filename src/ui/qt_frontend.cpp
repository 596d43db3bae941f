#include "ui/qt_frontend.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>

#include "ui/file_type_names.h"
#include "ui/german_file_columns.h"
#include "ui/listing_printer.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

QString Caption(std::string_view caption) {
  return caption.empty() ? QGuiApplication::applicationDisplayName() : FromUtf8(caption);
}

}  // namespace

QtFrontend::QtFrontend(QWidget* window, ViewHost& host) : window_(window), host_(host) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { host_.TimerTick(); });
  // A timer of 0 ms fires once the events waiting are handled: input and painting come
  // between two slices.
  slices_.setInterval(0);
  QObject::connect(&slices_, &QTimer::timeout, &context_, [this] { Slice(); });
  QObject::connect(qApp, &QApplication::focusChanged, &context_,
                   [this](QWidget*, QWidget* now) { focus_ = ControlOf(now); });
}

void QtFrontend::RegisterControl(QWidget* widget, Control control) {
  controls_.emplace_back(widget, control);
  focus_ = ControlOf(QApplication::focusWidget());
}

void QtFrontend::ShowMessage(std::string_view text, std::string_view caption) {
  QMessageBox box(QMessageBox::NoIcon, Caption(caption), FromUtf8(text), QMessageBox::Ok, window_);
  RunModal(box);
}

void QtFrontend::ShowError(std::string_view text) {
  QMessageBox box(QMessageBox::Critical, Caption({}), FromUtf8(text), QMessageBox::Ok, window_);
  RunModal(box);
}

bool QtFrontend::AskYesNo(std::string_view question) {
  QMessageBox box(QMessageBox::NoIcon, Caption({}), FromUtf8(question),
                  QMessageBox::Yes | QMessageBox::No, window_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return RunModal(box) == QMessageBox::Yes;
}

Answer QtFrontend::AskYesNoCancel(std::string_view question) {
  QMessageBox box(QMessageBox::NoIcon, Caption({}), FromUtf8(question),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, window_);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = RunModal(box);
  return answer == QMessageBox::Yes  ? Answer::Yes
         : answer == QMessageBox::No ? Answer::No
                                     : Answer::Cancel;
}

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // A description that already ends with its patterns shows them once.
    const QString shown = QStringLiteral("(%1)").arg(patterns);
    result << (parts[i].endsWith(shown) ? parts[i] : QStringLiteral("%1 %2").arg(parts[i], shown));
  }
  return result;
}

std::optional<std::string> QtFrontend::AskFile(const FileDialogOptions& options, bool save) {
  QFileDialog dialog(window_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The session asks before it overwrites, in its own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setIconProvider(&FileTypeNames::Instance());
  GermanFileColumns::Install(dialog);
  const QStringList filters = NameFilters(options.filter);
  dialog.setNameFilters(filters);
  if (options.filterIndex >= 1 && options.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[options.filterIndex - 1]);
  }
  // In lower case like the filters' patterns: the names are case-sensitive here, and a
  // "prog.MPD" would not show under "*.mpd". The extension is read in any case.
  dialog.setDefaultSuffix(FromUtf8(options.defaultExt).toLower());
  if (!options.initialDir.empty()) dialog.setDirectory(FromUtf8(options.initialDir));
  // Qt's default size and column widths cut the size and date columns short.
  dialog.resize(760, 460);
  if (auto* details = dialog.findChild<QTreeView*>()) {
    details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  }
  if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtFrontend::AskOpenFile(const FileDialogOptions& options) {
  return AskFile(options, false);
}

std::optional<std::string> QtFrontend::AskSaveFile(const FileDialogOptions& options) {
  return AskFile(options, true);
}

std::optional<std::string> QtFrontend::AskText(const Question& question) {
  QInputDialog dialog(window_);
  dialog.setWindowTitle(Caption(question.caption));
  dialog.setLabelText(FromUtf8(question.text));
  dialog.setTextValue(FromUtf8(question.value));
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
  if (RunModal(dialog) != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

void QtFrontend::SetTimer(bool enabled, int intervalMs) {
  if (timer_.interval() != intervalMs) timer_.setInterval(intervalMs);
  if (!enabled) {
    timer_.stop();
  } else if (!timer_.isActive()) {
    timer_.start();
  }
}

void QtFrontend::RunInSlices() {
  if (!slices_.isActive()) slices_.start();
}

void QtFrontend::Slice() {
  // Reading the clock costs more than a phase at the fastest level, so it is read only every
  // few ticks; a few milliseconds apart the window still answers at once.
  const auto end = std::chrono::steady_clock::now() + kSliceTime;
  do {
    if (!host_.Advance(kTicksPerClockRead)) {
      slices_.stop();
      return;
    }
  } while (std::chrono::steady_clock::now() < end);
}

void QtFrontend::StopRunning() {
  timer_.stop();
  slices_.stop();
}

void QtFrontend::Invalidate(uint32_t what) {
  pending_ |= what;
  if (refreshPosted_) return;
  refreshPosted_ = true;
  QMetaObject::invokeMethod(
      &context_, [this] { Flush(); }, Qt::QueuedConnection);
}

void QtFrontend::Flush() {
  refreshPosted_ = false;
  const uint32_t what = std::exchange(pending_, 0);
  if (what != 0) host_.Refresh(what);
}

void QtFrontend::SetCaption(std::string_view caption) {
  window_->setWindowTitle(FromUtf8(caption));
}

Control QtFrontend::FocusedControl() const {
  return focus_;
}

Control QtFrontend::ControlOf(const QWidget* focus) const {
  if (focus == nullptr) return Control::None;
  for (const QWidget* w = focus; w != nullptr; w = w->parentWidget()) {
    for (const auto& [widget, control] : controls_) {
      if (widget == w) return control;
    }
  }
  return Control::Other;
}

void QtFrontend::SetFocus(Control control) {
  for (const auto& [widget, c] : controls_) {
    if (c == control) {
      widget->setFocus();
      return;
    }
  }
}

void QtFrontend::PrintListing(const std::vector<std::string>& lines, std::string_view title) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, window_);
  if (RunModal(dialog) != QDialog::Accepted) return;
  if (const auto error = PrintLines(printer, lines, FromUtf8(title))) {
    ShowError(error->toStdString());
  }
}

}  // namespace vellar::ui
