#include "ui/task_dialog.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <chrono>

#include "ui/qt_frontend.h"
#include "ui/ui_style.h"

namespace vellar::ui {

TaskDialog::TaskDialog(QWidget* parent, TaskPanel& panel) : QDialog(parent), panel_(panel) {
  setObjectName(QStringLiteral("Aufgabe"));
  setModal(false);
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("AufgabeTitel"));
  QFont bold = title_->font();
  bold.setBold(true);
  // The form's fonts are set in pixels, and then have no point size to scale.
  if (bold.pixelSize() > 0) {
    bold.setPixelSize(bold.pixelSize() * 6 / 5);
  } else {
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
  }
  title_->setFont(bold);
  title_->setWordWrap(true);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("AufgabeText"));
  text_->setWordWrap(true);
  text_->setTextFormat(Qt::RichText);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  check_ = new QPushButton(this);
  check_->setObjectName(QStringLiteral("BuPruefen"));
  table_ = new QTableWidget(0, 4, this);
  table_->setObjectName(QStringLiteral("AufgabeTabelle"));
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->horizontalHeader()->setStretchLastSection(false);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("AufgabeStand"));
  // Closed by its close box or Escape; a check going on still runs to its end.
  connect(this, &QDialog::finished, this, [this] { panel_.Close(); });
  connect(check_, &QPushButton::clicked, this, [this] { panel_.PruefenClick(); });
  // The menu's key reaches the window only while it is active; here it does the same.
  auto* key = new QShortcut(QKeySequence(FromUtf8(TaskPanel::kCheckKey)), this);
  connect(key, &QShortcut::activated, this, [this] { panel_.PruefenClick(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addWidget(text_);
  layout->addWidget(check_, 0, Qt::AlignLeft);
  layout->addWidget(table_, 1);
  layout->addWidget(status_);
  slices_.setInterval(0);
  connect(&slices_, &QTimer::timeout, this, [this] { Slice(); });
  resize(520, 440);
  // Beside the main window's right edge, where the RAM grid is least covered.
  if (parent != nullptr) move(parent->geometry().right() - width() - 40, parent->y() + 80);
}

void TaskDialog::Refresh(TaskDialog*& dialog, QWidget* parent, TaskPanel& panel) {
  if (dialog == nullptr) {
    if (!panel.Shown()) return;
    dialog = new TaskDialog(parent, panel);
  }
  dialog->Sync();
}

void TaskDialog::Sync() {
  const TaskPanelView v = panel_.View();
  setWindowTitle(FromUtf8(v.caption));
  title_->setText(FromUtf8(v.title));
  QString paragraphs;
  for (const std::string& p : v.paragraphs) {
    paragraphs += QStringLiteral("<p>") + FromUtf8(p).toHtmlEscaped() + QStringLiteral("</p>");
  }
  text_->setText(paragraphs);
  text_->setVisible(!v.paragraphs.empty());
  check_->setText(FromUtf8(v.button));
  check_->setToolTip(FromUtf8(v.buttonHint));
  QStringList columns;
  for (const std::string& c : v.columns) columns << FromUtf8(c);
  table_->setHorizontalHeaderLabels(columns);
  table_->setRowCount(static_cast<int>(v.rows.size()));
  for (int r = 0; r < table_->rowCount(); ++r) {
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(FromUtf8(v.rows[static_cast<size_t>(r)][c]));
      if (c == 1 || c == 3) item->setTextAlignment(Qt::AlignCenter);
      table_->setItem(r, c, item);
    }
  }
  table_->resizeColumnsToContents();
  status_->setText(FromUtf8(v.status));
  if (v.checking && !slices_.isActive()) slices_.start();
  WriteTableFile();
  if (v.shown && !isVisible()) show();
  if (!v.shown && isVisible()) hide();
}

void TaskDialog::Slice() {
  const auto end = std::chrono::steady_clock::now() + QtFrontend::kSliceTime;
  do {
    if (!panel_.Advance(QtFrontend::kTicksPerClockRead)) {
      slices_.stop();
      return;
    }
  } while (std::chrono::steady_clock::now() < end);
}

void TaskDialog::WriteTableFile() const {
  const QString path = qEnvironmentVariable("VELLAR_TASK_TABLE");
  if (path.isEmpty()) return;
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(QByteArray::fromStdString(panel_.TableText()));
  }
}

}  // namespace vellar::ui
