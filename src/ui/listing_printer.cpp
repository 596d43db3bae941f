#include "ui/listing_printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "ui/ui_style.h"

namespace vellar::ui {

namespace {

class LinePrinter {
 public:
  LinePrinter(QPrinter& printer, QPainter& painter)
      : printer_(printer), painter_(painter), metrics_(painter.fontMetrics()) {}

  // Writes one line of text, on as many printed lines as the page width needs.
  bool Write(const QString& text) {
    // An empty line takes the font's height only; a written one the gap as well.
    if (text.isEmpty()) return Advance(metrics_.height(), text);
    QString rest = text;
    while (!rest.isEmpty()) {
      const qsizetype fitting = FittingChars(rest);
      if (!Advance(metrics_.height() + kListingLineGap, rest.left(fitting))) return false;
      rest.remove(0, fitting);
    }
    return true;
  }

 private:
  // How many characters from the start fit across the page; at least one, so that even a
  // page narrower than a character gets on.
  qsizetype FittingChars(const QString& text) const {
    qsizetype n = 1;
    while (n < text.size() && metrics_.horizontalAdvance(text.left(n + 1)) <= printer_.width()) {
      ++n;
    }
    return n;
  }

  bool Advance(int height, const QString& text) {
    if (y_ > 0 && y_ + height > printer_.height()) {
      if (!printer_.newPage()) return false;
      y_ = 0;
    }
    if (!text.isEmpty()) painter_.drawText(0, y_ + metrics_.ascent(), text);
    y_ += height;
    return true;
  }

  QPrinter& printer_;
  QPainter& painter_;
  QFontMetrics metrics_;
  int y_ = 0;
};

QString PrintError() {
  return QStringLiteral(
      "Der Druckauftrag konnte nicht ausgeführt werden.\n"
      "Bitte prüfen Sie den Drucker.");
}

}  // namespace

std::optional<QString> PrintLines(QPrinter& printer, const std::vector<std::string>& lines,
                                  const QString& title) {
  printer.setDocName(title);
  QPainter painter;
  if (!painter.begin(&printer)) return PrintError();
  QFont font = GridFont();
  font.setPointSize(kListingPointSize);
  painter.setFont(font);
  LinePrinter out(printer, painter);
  bool ok = true;
  for (int i = 0; ok && i < kListingTopLines; ++i) ok = out.Write({});
  const QString indent(kListingIndent, QLatin1Char(' '));
  for (const std::string& line : lines) {
    if (!ok) break;
    ok = out.Write(indent + FromUtf8(line));
  }
  if (!ok) printer.abort();
  painter.end();
  if (!ok || printer.printerState() == QPrinter::Error) return PrintError();
  return std::nullopt;
}

}  // namespace vellar::ui
