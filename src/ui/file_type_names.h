#pragma once

#include <QFileIconProvider>
#include <QString>

// The German names of VellarD's file types in the file dialogs' type column. Without them
// Qt asks the desktop's MIME database, which knows .ras as a raster image. The installed
// MIME types (packaging/vellard-mime.xml) carry the same names for the file managers and for
// the desktop's own file dialogs.
namespace vellar::ui {

// The name for a file extension without its dot, in any case; empty for other extensions.
QString FileTypeName(const QString& suffix);

class FileTypeNames : public QFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override;

  // One for every dialog: a dialog does not own its provider.
  static FileTypeNames& Instance();
};

}  // namespace vellar::ui
