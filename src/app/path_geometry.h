#pragma once

#include <array>

// Where the lines of the data-path picture run, worked out from where the controls stand.
// The window and the page place their controls themselves and paint from what comes out of
// here, so the picture's shape is written down once.
namespace vellar {

struct PathPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

struct PathRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The controls the paths run between, in their panels' coordinates.
struct DiagramControls {
  // On the register panel.
  PathRect edAX, edBX, edIP, edOP, paSignF, paSubtr, paPlus1, paALU;
  // On the inner bus panel.
  PathRect edDR, edAR, tor9, torA, torB, torC;
  int processorWidth = 0;  // PaProzessor
  int busWidth = 0;        // PaBus
  // PaBus.Top + PaBus2.Top - PaProzessor.Top - PaRegister.Top
  int dy = 0;
};

struct DiagramGeometry {
  // Register picture.
  PathPoint ax, bx, ip, op, signF, subtr, plus1;
  int left = 0, top = 0, width = 0, height = 0;  // PaALU
  int yres = 0, xin1 = 0, xin2 = 0, xout = 0, xmem = 0, xexit = 0, dy = 0;
  static constexpr int xreg = 28;
  static constexpr int xseq = 8;
  // Bus picture.
  PathPoint dr, ar;
  int xdl = 0, xdr = 0, xbexit = 0, ym9 = 0, ymA = 0, ymB = 0, ymC = 0;
};

// Recomputed after every layout; with the standard design only the right exit moves.
DiagramGeometry ComputeGeometry(const DiagramControls& c);

constexpr int kMaxRoutePoints = 5;

// A polyline: its first `count` points.
struct PathRoute {
  std::array<PathPoint, kMaxRoutePoints> points{};
  int count = 0;
};

// The routes of a gate's buses, in the order of GatePathOf(gate).buses; an empty route for a
// bus the gate does not have.
std::array<PathRoute, 2> GateRoutes(const DiagramGeometry& g, int gate);

// Line k (0 for bit 0) of a bus drawn as `lines` parallel lines along the route, two pixels
// apart: the offsets keep the lines parallel and let them meet at every corner. An empty
// route for a route of fewer than two points.
PathRoute BusLine(const PathRoute& route, int lines, int k);

// The arrows on the register picture, drawn after every gate's path when they are shown:
// three points each.
constexpr int kArrowCount = 8;
std::array<std::array<PathPoint, 3>, kArrowCount> ArrowStrokes(const DiagramGeometry& g);

}  // namespace vellar
