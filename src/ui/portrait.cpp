#include "ui/portrait.h"

#include <QMouseEvent>
#include <QPainter>
#include <functional>

#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

class ClickLabel : public QLabel {
 public:
  ClickLabel(QWidget* parent, std::function<void()> clicked)
      : QLabel(parent), clicked_(std::move(clicked)) {}

  // A picture with more pixels for a window drawn larger than 1:1; at 1:1 the label shows
  // its own pixmap pixel for pixel.
  void SetSharpPixmap(const QPixmap& pixmap) { sharp_ = pixmap; }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (sharp_.isNull() || devicePixelRatioF() <= 1.0) {
      QLabel::paintEvent(event);
      return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(0, 0), pixmap().deviceIndependentSize().toSize()), sharp_);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      clicked_();
    }
  }

 private:
  std::function<void()> clicked_;
  QPixmap sharp_;
};

}  // namespace

Portrait::Portrait(QWidget* parent) {
  const QString text = ResourceText(":/bild_text.txt");
  auto* picture = new ClickLabel(parent, [this] { ImBildClick(); });
  picture->SetSharpPixmap(QPixmap(QStringLiteral(":/bild_4x.png")));
  imBild_ = picture;
  imBild_->setObjectName("ImBild");
  imBild_->setPixmap(QPixmap(QStringLiteral(":/bild.png")));
  imBild_->setGeometry(460, -8, 194, 232);
  imBild_->setToolTip(text.section(QLatin1Char('\n'), 0, 0));
  moBild_ = new ClickLabel(parent, [this] { MoBildClick(); });
  moBild_->setObjectName("MoBild");
  moBild_->setFont(CaptionFont(11, false));
  moBild_->setTextFormat(Qt::PlainText);
  moBild_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  moBild_->setText(text);
  moBild_->setGeometry(476, 0, 189, 223);
  moBild_->hide();
}

void Portrait::ImBildClick() {
  imBild_->hide();
  moBild_->show();
}

void Portrait::MoBildClick() {
  moBild_->hide();
  imBild_->show();
}

}  // namespace vellar::ui
