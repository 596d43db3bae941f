#pragma once

#include <QColor>
#include <QString>
#include <optional>

// How a cell of the MPS grid and of the RAM grid looks: its text, its alignment and the
// colours of the run's marks. A stand-in kept apart from the grids until the session supplies
// these as data of its own; the grids only draw what it says.
namespace vellar {
class Session;
}

namespace vellar::ui {

struct CellLook {
  QString text;
  bool leftAligned = false;
  std::optional<QColor> fill;
  std::optional<QColor> textColor;
};

CellLook MpsCellLook(const Session& session, int col, int row);
CellLook RamCellLook(const Session& session, int col, int row);

}  // namespace vellar::ui
