#include "ui/statistics_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/hex.h"
#include "ui/ui_style.h"

namespace vellar::ui {

StatisticsDialog::StatisticsDialog(QWidget* parent, Session& session)
    : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("Statistik"));
  setWindowTitle(QStringLiteral("Statistik"));
  rows_ = new QTableWidget(0, 3, this);
  rows_->setHorizontalHeaderLabels(
      {QStringLiteral("MPS"), QStringLiteral("Beschreibung"), QStringLiteral("Anzahl")});
  rows_->verticalHeader()->hide();
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->setSelectionMode(QAbstractItemView::NoSelection);
  summary_ = new QLabel(this);
  summary_->setFont(QFont(QStringLiteral("Liberation Mono"), 10));
  auto* reset = new QPushButton(QStringLiteral("&Zurücksetzen"), this);
  reset->setObjectName(QStringLiteral("StatistikZuruecksetzen"));
  auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
  connect(reset, &QPushButton::clicked, this, [this] {
    session_.breakpoints.ResetStats();
    Sync();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::hide);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(reset);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rows_, 1);
  layout->addWidget(summary_);
  layout->addLayout(buttons);
  resize(460, 760);
  Sync();
}

void StatisticsDialog::Sync() {
  const RunStats& stats = session_.breakpoints.Stats();
  uint64_t most = 0;
  int ran = 0;
  for (uint64_t count : stats.rows) {
    most = std::max(most, count);
    ran += count != 0 ? 1 : 0;
  }
  rows_->setRowCount(ran);
  int line = 0;
  for (int a = 0; a < 256; ++a) {
    const uint64_t count = stats.rows[static_cast<size_t>(a)];
    if (count == 0) continue;
    const Rgb shade = Breakpoints::HeatShade(count, most);
    const QString texts[] = {QString::fromStdString(HexByte(static_cast<unsigned>(a))),
                             FromUtf8(session_.mps.Description(a)), QString::number(count)};
    for (int col = 0; col < 3; ++col) {
      auto* item = new QTableWidgetItem(texts[col]);
      if (col == 2) {
        item->setBackground(QColor(shade.r, shade.g, shade.b));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      rows_->setItem(line, col, item);
    }
    ++line;
  }
  rows_->resizeColumnsToContents();
  rows_->horizontalHeader()->setStretchLastSection(true);
  QStringList lines;
  for (const std::string& text : session_.breakpoints.SummaryLines(session_.mps)) {
    lines << FromUtf8(text);
  }
  summary_->setText(lines.join(QLatin1Char('\n')));
}

}  // namespace vellar::ui
