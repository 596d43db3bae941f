#include "ui/file_type_names.h"

#include <QFileInfo>
#include <array>

namespace vellar::ui {

namespace {

struct TypeName {
  const char* suffix;
  const char* name;
};

constexpr std::array<TypeName, 7> kTypeNames = {{
    {"mpd", "VellarD-Mikroprogramm (Text)"},
    {"mps", "VellarD-Mikroprogramm (kompakt)"},
    {"ras", "VellarD-RAM als Assembler-Text"},
    {"rad", "VellarD-RAM als Daten-Text"},
    {"ram", "VellarD-RAM, 32 Byte (kompakt)"},
    {"erm", "VellarD-RAM, 256 Byte (kompakt)"},
    {"aufgabe", "VellarD-Aufgabe"},
}};

}  // namespace

QString FileTypeName(const QString& suffix) {
  const QString lower = suffix.toLower();
  for (const TypeName& type : kTypeNames) {
    if (lower == QLatin1String(type.suffix)) return QString::fromUtf8(type.name);
  }
  return {};
}

QString FileTypeNames::type(const QFileInfo& info) const {
  if (!info.isDir()) {
    const QString name = FileTypeName(info.suffix());
    if (!name.isEmpty()) return name;
  }
  return QFileIconProvider::type(info);
}

FileTypeNames& FileTypeNames::Instance() {
  static FileTypeNames names;
  return names;
}

}  // namespace vellar::ui
