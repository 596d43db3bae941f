#include "ui/german_file_columns.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>

namespace vellar::ui {

namespace {

constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

}  // namespace

QVariant GermanFileColumns::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (files != nullptr && role == Qt::DisplayRole) {
    const QModelIndex source = mapToSource(index);
    // QLocale() is the window's language, which the application sets to German.
    if (index.column() == kSizeColumn && !files->isDir(source)) {
      return QLocale().formattedDataSize(files->size(source));
    }
    if (index.column() == kDateColumn) {
      return QLocale().toString(files->lastModified(source), QStringLiteral("d. MMM yyyy HH:mm"));
    }
  }
  return QIdentityProxyModel::data(index, role);
}

void GermanFileColumns::Install(QFileDialog& dialog) {
  dialog.setProxyModel(new GermanFileColumns(&dialog));
}

}  // namespace vellar::ui
