// Where the data-path picture's lines run, without a window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/path_geometry.h"
#include "app/path_values.h"

namespace vellar {
namespace {

// The controls where the window and the page place them by default (processor panel at its
// narrowest width).
DiagramControls StandardControls() {
  DiagramControls c;
  c.edAX = {100, 180, 27, 21};
  c.edBX = {100, 126, 27, 21};
  c.edIP = {100, 74, 27, 21};
  c.edOP = {100, 22, 27, 21};
  c.paSignF = {101, 244, 25, 21};
  c.paSubtr = {157, 244, 25, 21};
  c.paPlus1 = {260, 138, 25, 21};
  c.paALU = {222, 200, 131, 65};
  c.edDR = {78, 50, 27, 21};
  c.edAR = {78, 148, 27, 21};
  c.tor9 = {26, 29, 23, 23};
  c.torA = {26, 69, 23, 23};
  c.torB = {138, 29, 23, 23};
  c.torC = {138, 69, 23, 23};
  c.processorWidth = 455;
  c.busWidth = 193;
  c.dy = 108;
  return c;
}

std::vector<PathPoint> Points(const PathRoute& route) {
  return {route.points.begin(), route.points.begin() + route.count};
}

TEST(PathGeometryTest, EveryBusOfTheValueTableHasARouteOfStraightPieces) {
  const DiagramGeometry g = ComputeGeometry(StandardControls());
  for (int gate = 0; gate < kGateCount; ++gate) {
    const std::array<PathRoute, 2> routes = GateRoutes(g, gate);
    const int buses = GatePathOf(gate).count;
    for (int b = 0; b < 2; ++b) {
      SCOPED_TRACE(testing::Message() << "gate " << gate << " bus " << b);
      if (b >= buses) {
        EXPECT_EQ(routes[b].count, 0);
        continue;
      }
      ASSERT_GE(routes[b].count, 2);
      for (int j = 1; j < routes[b].count; ++j) {
        const PathPoint p = routes[b].points[j - 1];
        const PathPoint q = routes[b].points[j];
        EXPECT_TRUE((p.x == q.x) != (p.y == q.y)) << "piece " << j;
      }
    }
  }
}

// Gate 0 from the ALU's output into AX: left from AX, down, right under the ALU, up into it.
// Bit 0 runs seven pixels inside the middle of the bus, bit 7 seven outside, as the window's
// picture shows them.
TEST(PathGeometryTest, TheEightLinesOfABusRunTwoPixelsApartAndMeetAtTheCorners) {
  const DiagramGeometry g = ComputeGeometry(StandardControls());
  const PathRoute route = GateRoutes(g, 0)[0];
  EXPECT_EQ(Points(route),
            (std::vector<PathPoint>{{113, 190}, {28, 190}, {28, 289}, {287, 289}, {287, 265}}));
  EXPECT_EQ(Points(BusLine(route, 8, 0)),
            (std::vector<PathPoint>{{113, 197}, {35, 197}, {35, 282}, {280, 282}, {280, 265}}));
  EXPECT_EQ(Points(BusLine(route, 8, 7)),
            (std::vector<PathPoint>{{113, 183}, {21, 183}, {21, 296}, {294, 296}, {294, 265}}));
  for (int k = 1; k < 8; ++k) {
    const PathRoute outer = BusLine(route, 8, k);
    const PathRoute inner = BusLine(route, 8, k - 1);
    for (int j = 0; j < route.count; ++j) {
      const int dx = inner.points[j].x - outer.points[j].x;
      const int dy = inner.points[j].y - outer.points[j].y;
      // Two pixels across each piece; at the corners two pixels along both pieces.
      const bool end = j == 0 || j == route.count - 1;
      EXPECT_EQ(std::abs(dx) + std::abs(dy), end ? 2 : 4) << "bit " << k << " point " << j;
    }
  }
  EXPECT_EQ(Points(BusLine(route, 1, 0)), Points(route));
}

TEST(PathGeometryTest, TheRightExitFollowsTheProcessorPanelsWidth) {
  DiagramControls c = StandardControls();
  const PathRoute narrow = GateRoutes(ComputeGeometry(c), 0x9)[0];
  c.processorWidth += 100;
  const PathRoute wide = GateRoutes(ComputeGeometry(c), 0x9)[0];
  EXPECT_EQ(wide.points[0].x, narrow.points[0].x + 100);
  EXPECT_EQ(wide.points[0].y, narrow.points[0].y);
  for (int j = 1; j < narrow.count; ++j) EXPECT_EQ(wide.points[j], narrow.points[j]);
  // Gate 9 enters the bus picture from DR's middle and leaves it on the left at the height
  // of its button, moved down onto the register picture by dy.
  EXPECT_EQ(narrow.points[0].y, 29 + 23 / 2 + 108);
}

TEST(PathGeometryTest, ARouteOfOnePointHasNoLines) {
  PathRoute one;
  one.points[0] = {5, 5};
  one.count = 1;
  EXPECT_EQ(BusLine(one, 8, 0).count, 0);
}

}  // namespace
}  // namespace vellar
