#pragma once

#include <string>

#include "app/path_geometry.h"
#include "app/session.h"

// What the page draws, as one JSON text: the registers, the gate buttons, the control strip,
// the menus' check marks, the picture's draws and the visible rows of the three grids with
// each cell's look and the grids' editing as the model decides them. The page asks for it once per
// frame.
namespace vellar::web {

std::string WriteView(Session& session);

// Where the picture's lines run, for the page's places of the controls: for every gate its
// buses (which picture, the lines with eight lines a bus and with one) and the arrows.
std::string WritePictureGeometry(const DiagramGeometry& geometry);

}  // namespace vellar::web
