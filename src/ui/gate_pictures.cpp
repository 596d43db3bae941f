#include "ui/gate_pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPolygon>
#include <array>
#include <cmath>

namespace vellar::ui {

namespace {

constexpr QColor kClosedRed{220, 0, 0};
constexpr QColor kOpenGreen{0, 150, 0};
constexpr QColor kStripe{190, 190, 190};
constexpr QColor kPale{165, 165, 165};

// An arrow pointing right from x0 with its head from xh to the tip.
QPolygon Arrow(int x0, int xh, int tip) {
  return QPolygon({{x0, 7}, {xh, 7}, {xh, 3}, {tip, 8}, {xh, 13}, {xh, 9}, {x0, 9}});
}

void DrawRightPicture(QPainter& p, bool open, bool disabled) {
  const QColor color = disabled ? kPale : (open ? kOpenGreen : kClosedRed);
  if (open && !disabled) {
    p.setPen(kStripe);
    for (int x = -kGatePictureSize; x < kGatePictureSize; x += 4) {
      p.drawLine(x, kGatePictureSize - 1, x + kGatePictureSize - 1, 0);
    }
  }
  const QPolygon arrow = open ? Arrow(1, 10, 15) : Arrow(1, 7, 11);
  p.setPen(color);
  p.setBrush(disabled ? QBrush(Qt::NoBrush) : QBrush(color));
  p.drawPolygon(arrow);
  if (!open) {
    const QRect bar(13, 2, 2, 12);
    if (disabled) {
      p.drawRect(bar);
    } else {
      p.fillRect(bar.adjusted(0, 0, 1, 1), color);
    }
  }
}

bool PointsLeft(GatePicture picture) {
  return picture == GatePicture::ClosedLeft || picture == GatePicture::OpenLeft;
}

bool IsOpen(GatePicture picture) {
  return picture == GatePicture::OpenLeft || picture == GatePicture::OpenRight;
}

}  // namespace

namespace {

// Draws the picture at whatever size the button asks for, so that a larger view gets lines
// instead of enlarged pixels.
class GateIconEngine : public QIconEngine {
 public:
  explicit GateIconEngine(GatePicture picture) : picture_(picture) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const qreal scale = painter->device()->devicePixelRatioF();
    painter->drawImage(rect, GatePictureImage(picture_, mode == QIcon::Disabled, scale));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const qreal scale = qreal(size.width()) / kGatePictureSize;
    QPixmap pixmap = QPixmap::fromImage(GatePictureImage(picture_, mode == QIcon::Disabled, scale));
    // The icon sets the device pixel ratio itself from the size asked for.
    pixmap.setDevicePixelRatio(1.0);
    return pixmap;
  }
  QIconEngine* clone() const override { return new GateIconEngine(picture_); }

 private:
  GatePicture picture_;
};

}  // namespace

QImage GatePictureImage(GatePicture picture, bool disabled, qreal scale) {
  const int side = static_cast<int>(std::lround(kGatePictureSize * scale));
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    if (side != kGatePictureSize) {
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(qreal(side) / kGatePictureSize, qreal(side) / kGatePictureSize);
    }
    DrawRightPicture(p, IsOpen(picture), disabled);
  }
  if (PointsLeft(picture)) image = image.mirrored(true, false);
  image.setDevicePixelRatio(qreal(side) / kGatePictureSize);
  return image;
}

const QIcon& GateIcon(GatePicture picture) {
  static const std::array<QIcon, 4> icons = [] {
    std::array<QIcon, 4> result;
    for (int i = 0; i < 4; ++i) result[i] = QIcon(new GateIconEngine(static_cast<GatePicture>(i)));
    return result;
  }();
  return icons[static_cast<int>(picture)];
}

}  // namespace vellar::ui
