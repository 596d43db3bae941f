#include "ui/help_dialog.h"

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/main_window.h"
#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kOkLeft = 143;
constexpr int kCancelLeft = 227;
// The help text is laid out with tabs of eight columns.
constexpr int kTabColumns = 8;
constexpr int kTextMargin = 2;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(left, 0, kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

TDlgHelp::TDlgHelp(QWidget* owner) : QDialog(owner) {
  setObjectName("DlgHelp");
  setWindowTitle(QStringLiteral("VellarD Hilfe"));
  setSizeGripEnabled(false);

  panel1_ = new QWidget(this);
  panel1_->setObjectName("Panel1");
  auto* fill = new QVBoxLayout(panel1_);
  fill->setContentsMargins(0, 0, 0, 0);
  memo1_ = new QPlainTextEdit(panel1_);
  memo1_->setObjectName("Memo1");
  memo1_->setFrameShape(QFrame::NoFrame);
  memo1_->setReadOnly(true);
  memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font = GridFont();
  font.setPixelSize(12);
  font.setBold(false);
  memo1_->setFont(font);
  // The text is laid out for 62 columns; with the usual margin the last would wrap.
  memo1_->document()->setDocumentMargin(kTextMargin);
  memo1_->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) * kTabColumns);
  memo1_->setPlainText(ResourceText(":/hilfe.txt"));
  fill->addWidget(memo1_);

  okBtn_ = MakeButton(this, "OKBtn", QStringLiteral("OK"), kOkLeft);
  okBtn_->setDefault(true);
  connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
  cancelBtn_ = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"), kCancelLeft);
  connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

  // Small enough to be sized freely, large enough that the buttons stay below the text.
  setMinimumSize(kCancelLeft + kButtonWidth + 8, kPanelFromBottom + 2 * kButtonHeight);
  resize(kOuterSize - TFoSim::kFrame);
  if (owner != nullptr) {
    const QRect over = owner->frameGeometry();
    move(over.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
  }
  okBtn_->setFocus();
}

void TDlgHelp::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int ch = height();
  okBtn_->move(kOkLeft, ch - kButtonsFromBottom);
  cancelBtn_->move(kCancelLeft, ch - kButtonsFromBottom);
  panel1_->setGeometry(0, 0, width(), ch - kPanelFromBottom);
}

}  // namespace vellar::ui
