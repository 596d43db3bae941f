#include "ui/panel_parts.h"

#include <QLabel>
#include <QPainter>

#include "app/menu_options.h"
#include "ui/ui_style.h"

namespace vellar::ui {

ColourPanel::ColourPanel(QWidget* parent, const char* name, const QColor& color, bool lowered)
    : QFrame(parent) {
  setObjectName(QString::fromLatin1(name));
  SetBackground(this, color);
  if (lowered) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
  }
}

PicturePanel::PicturePanel(QWidget* parent, const char* name, const QColor& color, Picture which,
                           const DiagramGeometry& geometry, const DataPathPicture& picture,
                           const MenuOptions& menu)
    : ColourPanel(parent, name, color, true),
      which_(which),
      geometry_(geometry),
      picture_(picture),
      menu_(menu) {}

void PicturePanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  PaintPicture(painter, which_, geometry_, picture_, !menu_.MePfeil);
}

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  if (buddy != nullptr) label->setBuddy(buddy);
  label->adjustSize();
  label->move(x, y);
  return label;
}

QLabel* AddLabel(QWidget* parent, const FormLabel& label, QWidget* buddy) {
  return AddLabel(parent, FromUtf8(label.text), label.x, label.y, buddy);
}

QLabel* AddCaption(QWidget* parent, const QString& text) {
  QLabel* label = AddLabel(parent, text, 6, 6);
  label->setFont(CaptionFont(12));
  label->adjustSize();
  return label;
}

QLabel* AddGateNumber(QWidget* parent, int gate, int x, int y) {
  auto* label = new QLabel(QString::number(gate, 16).toUpper(), parent);
  label->setObjectName(QStringLiteral("La_") + label->text());
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(x, y, 23, 16);
  return label;
}

QWidget* AddBackdrop(QWidget* parent, const QColor& color, int x, int y) {
  auto* shape = new QWidget(parent);
  SetBackground(shape, color);
  shape->setGeometry(x, y, 33, 27);
  return shape;
}

QLabel* AddValuePanel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* panel = new QLabel(text, parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAlignment(Qt::AlignCenter);
  SetBackground(panel, parent->palette().color(QPalette::Window));
  panel->setGeometry(x, y, 25, 21);
  return panel;
}

}  // namespace vellar::ui
