#pragma once

#include <QPoint>
#include <QRect>

#include "app/path_geometry.h"

// The data-path picture's geometry is the model's (app/path_geometry.h); the window hands it
// its controls' places in Qt's terms and paints the points it gets back.
namespace vellar::ui {

inline PathRect ToPathRect(const QRect& r) {
  return {r.left(), r.top(), r.width(), r.height()};
}

inline QPoint ToQPoint(const PathPoint& p) {
  return {p.x, p.y};
}

}  // namespace vellar::ui
