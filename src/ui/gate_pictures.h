#pragma once

#include <QIcon>
#include <QImage>

#include "app/gate_control.h"

// The four pictures of the gate buttons, drawn here: a closed gate is a red arrow that ends
// at a red bar, an open gate a green arrow on a striped ground; each points the way its path
// runs, and each has a pale outline form for the disabled button.
namespace vellar::ui {

inline constexpr int kGatePictureSize = 17;

// The picture at scale 1, or drawn with more pixels for a window shown larger (the image
// then carries that device pixel ratio).
QImage GatePictureImage(GatePicture picture, bool disabled, qreal scale = 1.0);
// Both forms in one icon, drawn afresh for the scale of the screen; built once per picture.
const QIcon& GateIcon(GatePicture picture);

}  // namespace vellar::ui
