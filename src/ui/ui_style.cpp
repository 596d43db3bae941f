#include "ui/ui_style.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFocusEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTranslator>
#include <QWidget>

namespace vellar::ui {

namespace {

QFont MakeFont(const QStringList& families, int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// Scroll bars as wide as the grids' widths assume: the RAM panel's allowance for the
// assembler view's vertical bar is 17 pixels.
class VellarStyle : public QProxyStyle {
 public:
  VellarStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_ScrollBarExtent) return 17;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
  // Message boxes with plain "OK", "Ja" and "Nein" buttons.
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

QFont WindowFont(int pixelSize) {
  return MakeFont({"Liberation Sans", "Arial", "DejaVu Sans"}, pixelSize, true);
}

QFont CaptionFont(int pixelSize, bool bold) {
  return MakeFont({"Arial", "Liberation Sans", "DejaVu Sans"}, pixelSize, bold);
}

QFont GridFont() {
  return MakeFont({"Courier New", "Liberation Mono", "DejaVu Sans Mono"}, 13, true);
}

void ConfigureApplication(QApplication& app) {
  app.setStyle(new VellarStyle);
  QPalette palette = app.style()->standardPalette();
  palette.setColor(QPalette::Window, kButtonFace);
  palette.setColor(QPalette::Button, kButtonFace);
  app.setPalette(palette);
  app.setFont(WindowFont());
  // Message boxes with an empty caption carry this name. It is the application name, not the
  // display name: the platform appends a display name to every window caption, and the caption
  // must read exactly "Mikroprozessor Simulation - firmware.mpd - bubble.ras".
  app.setApplicationName(QStringLiteral("Mikroprozessor Simulation"));
  // Qt's own dialogs (files, printing) speak German too, whatever the desktop's language.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }
}

int RunModal(QDialog& dialog) {
  const int result = dialog.exec();
  if (QWidget* below = dialog.parentWidget()) below->window()->activateWindow();
  return result;
}

QString ResourceText(const char* path) {
  QFile file(QString::fromLatin1(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).remove(QLatin1Char('\r')).trimmed();
}

bool IsWindowSwitch(const QFocusEvent& event) {
  return event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason;
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace vellar::ui
