#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "support/test_paths.h"
#include "window_fixture.h"

// The window's "Aufgabe" panel: a task from the command line shows it beside the window, not
// modal; "Prüfen" fills its table while the event loop goes on; the window closes with the
// panel open.
namespace vellar::ui::testing {
namespace {

using vellar::testing::ExamplePath;

class TaskDialogTest : public WindowTest {};

TEST_F(TaskDialogTest, PruefenFillsTheTableBesideTheWindow) {
  Create({ExamplePath("sortieren.aufgabe"), ExamplePath("bubble.ras")});
  auto* dialog = window->findChild<QDialog*>(QStringLiteral("Aufgabe"));
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Aufgabe"));
  // The title stands out above the text, in a larger bold font.
  const auto* title = dialog->findChild<QLabel*>(QStringLiteral("AufgabeTitel"));
  const auto* text = dialog->findChild<QLabel*>(QStringLiteral("AufgabeText"));
  ASSERT_TRUE(title && text);
  EXPECT_TRUE(title->font().bold());
  EXPECT_GT(QFontInfo(title->font()).pixelSize(), QFontInfo(text->font()).pixelSize());
  auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("AufgabeTabelle"));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 0);

  QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BuPruefen")), Qt::LeftButton);
  for (int i = 0; i < 500 && table->rowCount() < 3; ++i) QTest::qWait(10);
  ASSERT_EQ(table->rowCount(), 3);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(table->item(row, 1)->text(), QStringLiteral("✓"));
  EXPECT_TRUE(window->isEnabled());
  window.reset();
}

}  // namespace
}  // namespace vellar::ui::testing
