// The file dialogs name VellarD's file types in German, with the very names the installed
// MIME types give the desktop.
#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

#include "ui/file_type_names.h"
#include "window_fixture.h"

namespace vellar::ui::testing {
namespace {

// The German comment of each type in the MIME file, in the order of the file.
QStringList MimeComments() {
  QFile file(QStringLiteral(VELLAR_MIME_XML));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << VELLAR_MIME_XML;
  QStringList comments;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement &&
        xml.name() == QLatin1String("comment") &&
        xml.attributes().value(QStringLiteral("xml:lang")) == QLatin1String("de")) {
      comments << xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return comments;
}

TEST(FileTypeNamesTest, AreTheNamesOfTheInstalledMimeTypes) {
  QStringList names;
  for (const char* suffix : {"mpd", "mps", "ras", "rad", "ram", "erm", "aufgabe"}) {
    names << FileTypeName(QLatin1String(suffix));
  }
  EXPECT_EQ(names.join(u'|').toStdString(), MimeComments().join(u'|').toStdString());
  // Extensions in any case, as the loaders read them; other files keep the desktop's names.
  EXPECT_EQ(FileTypeName(QStringLiteral("RaS")), names[2]);
  EXPECT_EQ(FileTypeName(QStringLiteral("txt")), QString());
  EXPECT_EQ(FileTypeName(QString()), QString());
  TempDir dir;
  ASSERT_TRUE(QDir(QtFolder(dir)).mkdir(QStringLiteral("ordner.ras")));
  EXPECT_NE(FileTypeNames::Instance().type(QFileInfo(QtFile(dir, "ordner.ras"))), names[2]);
}

class FileTypesTest : public WindowTest {};

TEST_F(FileTypesTest, MpsAndRamDialogsShowTheGermanNames) {
  answers.ExpectFileDialog();
  answers.ExpectFileDialog();
  for (Qt::Key key : {Qt::Key_F2, Qt::Key_F6}) {
    QTest::keyClick(window.get(), key);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Settle();
  }
  ASSERT_EQ(answers.fileDialogs.size(), 2u);
  // The six types of MPS and RAM; the task comes last.
  const QStringList names = MimeComments().mid(0, 6);
  ASSERT_EQ(names.size(), 6);
  for (const auto& seen : answers.fileDialogs) {
    EXPECT_EQ(seen.typeNames.join(u'|').toStdString(), names.join(u'|').toStdString());
  }
}

}  // namespace
}  // namespace vellar::ui::testing
