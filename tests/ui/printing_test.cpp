// Listings printed to a PDF file and read back with the poppler tools: the pages, the lines,
// the indent and the breaking of long lines, the document name; and the menu's print dialog.
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <string>
#include <vector>

#include "ui/listing_printer.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

// Courier's advance is 0.6 of its size: 6.6 points at 11 points.
constexpr double kCharPoints = 0.6 * 11;

QString RunTool(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().data();
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The printed lines of each page, without the empty ones.
std::vector<QStringList> PagesOf(const QString& pdf) {
  std::vector<QStringList> pages;
  const QStringList texts =
      RunTool(QStringLiteral("pdftotext"),
              {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
          .split(QLatin1Char('\f'));
  for (const QString& text : texts) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      if (!line.trimmed().isEmpty()) lines << line.trimmed();
    }
    if (!lines.isEmpty()) pages.push_back(lines);
  }
  return pages;
}

// The left edge, in points, of the first word of each printed line of the first page.
std::vector<double> LeftEdges(const QString& pdf) {
  const QString html =
      RunTool(QStringLiteral("pdftotext"),
              {QStringLiteral("-bbox-layout"), QStringLiteral("-f"), QStringLiteral("1"),
               QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
  static const QRegularExpression line(QStringLiteral("<line xMin=\"([0-9.]+)\""));
  std::vector<double> edges;
  for (auto it = line.globalMatch(html); it.hasNext();)
    edges.push_back(it.next().captured(1).toDouble());
  return edges;
}

class PrintingTest : public WindowTest {
 protected:
  QString PrintToPdf(const std::vector<std::string>& lines, const QString& title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = QtFile(dir, "listing.pdf");
    printer.setOutputFileName(pdf);
    EXPECT_EQ(PrintLines(printer, lines, title), std::nullopt);
    return pdf;
  }

  TempDir dir;
};

TEST_F(PrintingTest, ListingGoesOnPagesLineByLine) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 150; ++i) lines.push_back("Zeile " + std::to_string(1000 + i) + " Prüfung");
  // Wider than the page: broken where it stops fitting, the rest on the next line.
  std::string wide;
  for (int i = 0; i < 300; ++i) wide += "0123456789abcdefghijklmnopqrstuvwxyz"[i % 36];
  lines.insert(lines.begin() + 3, wide);
  const QString pdf = PrintToPdf(lines, QStringLiteral("bubble.ras"));

  EXPECT_TRUE(RunTool(QStringLiteral("pdfinfo"), {pdf})
                  .contains(QRegularExpression(QStringLiteral("Title: +bubble.ras\n"))));
  const QString fonts = RunTool(QStringLiteral("pdffonts"), {pdf});
  EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("(Courier|Mono).*Bold"))))
      << fonts.toStdString();

  const std::vector<QStringList> pages = PagesOf(pdf);
  ASSERT_GE(pages.size(), 3u);
  QStringList printed;
  for (const QStringList& page : pages) printed << page;
  // The wide line comes back in pieces whose text joins to the whole.
  ASSERT_GT(printed.size(), 4);
  const QString first = printed[3];
  EXPECT_TRUE(QString::fromStdString(wide).startsWith(first)) << first.toStdString();
  QString joined;
  qsizetype pieces = 0;
  while (joined.size() < qsizetype(wide.size()) && 3 + pieces < printed.size()) {
    joined += printed[3 + pieces++];
  }
  EXPECT_GE(pieces, 3);
  EXPECT_EQ(joined, QString::fromStdString(wide));
  printed.remove(3, pieces);
  ASSERT_EQ(printed.size(), 150);
  for (int i = 0; i < 150; ++i) {
    ASSERT_EQ(printed[i], QStringLiteral("Zeile %1 Prüfung").arg(1001 + i)) << i;
  }

  // Full pages hold the same number of lines; the first holds one or two less for the two
  // empty lines at its top (the wide line counts as its pieces).
  const qsizetype full = pages[1].size();
  EXPECT_GE(full, 50);
  EXPECT_LE(full, 75);
  for (size_t p = 2; p + 1 < pages.size(); ++p) EXPECT_EQ(pages[p].size(), full) << p;
  EXPECT_GE(full - pages[0].size(), 1);
  EXPECT_LE(full - pages[0].size(), 2);

  // Twelve blanks in front of every listing line, none in front of a continued piece.
  const std::vector<double> edges = LeftEdges(pdf);
  ASSERT_GE(edges.size(), 6u);
  EXPECT_NEAR(edges[0] - edges[4], 12 * kCharPoints, 1.0);
  EXPECT_NEAR(edges[0], edges[3], 0.5);
  EXPECT_NEAR(edges[4], edges[5], 0.5);
}

class MenuPrintTest : public PrintingTest {
 protected:
  // The next print dialog is confirmed for this PDF file.
  void ExpectPrintTo(const QString& pdf) {
    answers.ExpectDialog([pdf](QDialog* dialog) {
      ASSERT_NE(qobject_cast<QPrintDialog*>(dialog), nullptr);
      // Without printers the dialog offers printing to a PDF file, named in its field.
      auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
      ASSERT_NE(file, nullptr);
      file->setText(pdf);
      dialog->accept();
    });
  }
};

TEST_F(MenuPrintTest, PrintsOnlyWhenThePrintDialogIsConfirmed) {
  const QString pdf = QtFile(dir, "mps.pdf");
  answers.ExpectDialog([](QDialog* dialog) {
    EXPECT_NE(qobject_cast<QPrintDialog*>(dialog), nullptr);
    dialog->reject();
  });
  window->MenuClick("MePrnMps");
  EXPECT_TRUE(answers.AllUsed());
  EXPECT_TRUE(answers.texts.empty());
  EXPECT_FALSE(QFile::exists(pdf));

  ExpectPrintTo(pdf);
  window->MenuClick("MePrnMps");
  const std::vector<QStringList> pages = PagesOf(pdf);
  ASSERT_EQ(pages.size(), 1u);
  // A cleared store: the two comment lines and the header line (whose wide gap the reader
  // takes for a column break).
  EXPECT_EQ(pages[0].join(QLatin1Char(' ')).toStdString(),
            "; VellarD-Programm-Speicher: ; AD Befehl 0 1 2 3 4 5 6 7 8 9 A B C D E F FA");
}

TEST_F(MenuPrintTest, APrinterThatFailsIsReportedInTheErrorBox) {
  ExpectPrintTo(QtFile(dir, "fehlt/ram.pdf"));
  answers.Expect(QMessageBox::Ok);
  window->MenuClick("MePrnRam");
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith(QStringLiteral("Der Druckauftrag konnte nicht")));
}

}  // namespace
}  // namespace vellar::ui::testing
