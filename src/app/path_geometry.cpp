#include "app/path_geometry.h"

#include <initializer_list>

namespace vellar {

namespace {

// The centre of a control, halves truncated.
PathPoint Centre(const PathRect& r) {
  return {r.x + r.width / 2, r.y + r.height / 2};
}

int Sign(int v) {
  return (v > 0) - (v < 0);
}

PathRoute Route(std::initializer_list<PathPoint> points) {
  PathRoute route;
  for (const PathPoint& p : points) route.points[route.count++] = p;
  return route;
}

// The path from the ALU's output along the result bus, as gates 0, 2, 4 and 6 share it.
PathRoute ResultRoute(const DiagramGeometry& g, PathPoint target) {
  return Route({target,
                {DiagramGeometry::xreg, target.y},
                {DiagramGeometry::xreg, g.yres},
                {g.xout, g.yres},
                {g.xout, g.top + g.height}});
}

// From the bus panel's right exit at height y into the memory input below the ALU.
PathRoute MemoryRoute(const DiagramGeometry& g, int y) {
  return Route(
      {{g.xexit, y}, {g.xmem, y}, {g.xmem, g.yres}, {g.xout, g.yres}, {g.xout, g.top + g.height}});
}

enum class Direction { Down, Right, Up, Left };

std::array<PathPoint, 3> Arrow(int x, int y, Direction direction) {
  switch (direction) {
    case Direction::Down:
      return {{{x - 10, y - 5}, {x, y + 5}, {x + 10, y - 5}}};
    case Direction::Right:
      return {{{x - 5, y - 10}, {x + 5, y}, {x - 5, y + 10}}};
    case Direction::Up:
      return {{{x - 10, y + 5}, {x, y - 5}, {x + 10, y + 5}}};
    case Direction::Left:
      break;
  }
  return {{{x + 5, y - 10}, {x - 5, y}, {x + 5, y + 10}}};
}

}  // namespace

DiagramGeometry ComputeGeometry(const DiagramControls& c) {
  DiagramGeometry g;
  g.ax = Centre(c.edAX);
  g.bx = Centre(c.edBX);
  g.ip = Centre(c.edIP);
  g.op = Centre(c.edOP);
  g.signF = Centre(c.paSignF);
  g.subtr = Centre(c.paSubtr);
  g.plus1 = Centre(c.paPlus1);
  g.left = c.paALU.x;
  g.top = c.paALU.y;
  g.width = c.paALU.width;
  g.height = c.paALU.height;
  g.yres = g.top + g.height + 24;
  g.xin1 = g.left + 10;
  g.xin2 = g.left + g.width - 10;
  g.xout = g.left + g.width / 2;
  g.xmem = g.left + g.width + 24;
  g.xexit = c.processorWidth;
  g.dy = c.dy;
  g.dr = Centre(c.edDR);
  g.ar = Centre(c.edAR);
  g.xdl = (c.tor9.x + c.tor9.width + c.edDR.x) / 2;
  g.xdr = (c.edDR.x + c.edDR.width + c.torB.x) / 2;
  g.xbexit = c.busWidth;
  g.ym9 = c.tor9.y + c.tor9.height / 2;
  g.ymA = c.torA.y + c.torA.height / 2;
  g.ymB = c.torB.y + c.torB.height / 2;
  g.ymC = c.torC.y + c.torC.height / 2;
  return g;
}

std::array<PathRoute, 2> GateRoutes(const DiagramGeometry& g, int gate) {
  const int t = g.top;
  switch (gate & 0xF) {
    case 0x0:
      return {ResultRoute(g, g.ax)};
    case 0x1:
      return {Route({g.ax, {g.xin1, g.ax.y}, {g.xin1, t}})};
    case 0x2:
      return {ResultRoute(g, g.bx)};
    case 0x3:
      return {Route({g.bx, {g.xin1, g.bx.y}, {g.xin1, t}})};
    case 0x4:
      return {ResultRoute(g, g.ip)};
    case 0x5:
      return {Route({g.ip, {g.xin1, g.ip.y}, {g.xin1, t}})};
    case 0x6:
      return {ResultRoute(g, g.op)};
    case 0x7:
      return {Route({{g.xin2, t}, {g.xin2, g.plus1.y}, g.plus1})};
    case 0x8:
      return {MemoryRoute(g, g.ar.y + g.dy), Route({{0, g.ar.y}, g.ar})};
    case 0x9:
      return {Route({{g.xexit, g.ym9 + g.dy}, {g.xin2, g.ym9 + g.dy}, {g.xin2, t}}),
              Route({g.dr, {g.xdl, g.dr.y}, {g.xdl, g.ym9}, {0, g.ym9}})};
    case 0xA:
      return {MemoryRoute(g, g.ymA + g.dy),
              Route({g.dr, {g.xdl, g.dr.y}, {g.xdl, g.ymA}, {0, g.ymA}})};
    case 0xB:
    case 0xC: {
      const int ym = gate == 0xB ? g.ymB : g.ymC;
      return {Route({g.dr, {g.xdr, g.dr.y}, {g.xdr, ym}, {g.xbexit, ym}}),
              Route({g.ar, {g.xbexit, g.ar.y}})};
    }
    case 0xD:
      return {Route({g.subtr, {g.left, g.subtr.y}})};
    case 0xE:
      return {
          Route({g.ax, g.signF, {DiagramGeometry::xseq, g.signF.y}, {DiagramGeometry::xseq, 0}})};
    default:
      return {Route({g.op, {g.xin1, g.op.y}, {g.xin1, 0}})};
  }
}

PathRoute BusLine(const PathRoute& route, int lines, int k) {
  const auto& p = route.points;
  const int n = route.count - 1;
  if (n < 1) return {};
  std::array<PathPoint, kMaxRoutePoints> d{};
  d[0] = {p[0].y != p[1].y ? 1 : 0, p[0].x != p[1].x ? 1 : 0};
  for (int j = 1; j < n; ++j) {
    d[j] = d[j - 1];
    if (p[j].x != p[j - 1].x) {
      d[j].x = Sign(p[j].y - p[j + 1].y) * d[j - 1].y * Sign(p[j].x - p[j - 1].x);
    } else {
      d[j].y = Sign(p[j].x - p[j + 1].x) * d[j - 1].x * Sign(p[j].y - p[j - 1].y);
    }
  }
  d[n] = {(p[n].y != p[n - 1].y ? 1 : 0) * d[n - 1].x, (p[n].x != p[n - 1].x ? 1 : 0) * d[n - 1].y};
  const int offset = lines - 1 - 2 * k;
  PathRoute line;
  line.count = route.count;
  for (int j = 0; j <= n; ++j)
    line.points[j] = {p[j].x + offset * d[j].x, p[j].y + offset * d[j].y};
  return line;
}

std::array<std::array<PathPoint, 3>, kArrowCount> ArrowStrokes(const DiagramGeometry& g) {
  return {Arrow(g.xout + 50, g.yres, Direction::Right),
          Arrow(g.xout - 50, g.yres, Direction::Left),
          Arrow(g.xout - 210, g.yres, Direction::Left),
          Arrow(g.xin2, g.top - 30, Direction::Down),
          Arrow(g.xin1, g.top - 30, Direction::Down),
          Arrow(DiagramGeometry::xreg, g.top + 20, Direction::Up),
          Arrow(g.xmem + 40, g.ar.y + g.dy, Direction::Right),
          Arrow(g.xmem + 40, g.ymA + g.dy, Direction::Right)};
}

}  // namespace vellar
