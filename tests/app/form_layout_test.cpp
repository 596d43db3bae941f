#include <gtest/gtest.h>

#include "app/form_layout.h"

// FormResize as both frontends place their panels: worked examples at a wide client with and
// without the inspector, and a narrow one where the processor panel gains nothing.
namespace vellar::testing {
namespace {

bool Same(const FormRect& a, const FormRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(FormLayout, PanelsTileTheClientAndTheInspectorTakesItsRowsFromTheRamGrid) {
  LayoutMeasures m{.clientWidth = 1100,
                   .clientHeight = 600,
                   .ramColumns = 300,
                   .busWidth = 193,
                   .busHeight = 225,
                   .mpsGridTop = 24,
                   .registerHeight = 305,
                   .inspectorColumns = 10,
                   .scrollBarExtent = 17};
  PanelPlaces p = PlacePanels(m);
  // 134 pixels to spare: the processor panel and the description column take them.
  EXPECT_TRUE(Same(p.control, {0, 527, 1100, 73}));
  EXPECT_TRUE(Same(p.processor, {0, 0, 589, 527}));
  EXPECT_TRUE(Same(p.ram, {788, 0, 312, 527}));
  EXPECT_TRUE(Same(p.bus, {592, 302, 193, 225}));
  EXPECT_EQ(p.pictureX, 592);
  EXPECT_TRUE(Same(p.mpsGrid, {4, 24, 581, 190}));
  EXPECT_TRUE(Same(p.registers, {4, 218, 581, 305}));
  EXPECT_EQ(p.descriptionWidth, 234);
  EXPECT_TRUE(Same(p.ramGrid, {4, 24, 304, 499}));

  // Ten columns do not fit beside the captions: three rows and a scroll bar.
  m.inspectorShown = true;
  p = PlacePanels(m);
  EXPECT_TRUE(Same(p.inspector, {4, 440, 304, 83}));
  EXPECT_TRUE(Same(p.ramGrid, {4, 24, 304, 412}));

  // Narrow: nothing to spare, and two columns fit without a scroll bar.
  m.clientWidth = 900;
  m.inspectorColumns = 2;
  p = PlacePanels(m);
  EXPECT_TRUE(Same(p.processor, {0, 0, 455, 527}));
  EXPECT_EQ(p.descriptionWidth, 100);
  EXPECT_TRUE(Same(p.ram, {654, 0, 246, 527}));
  EXPECT_TRUE(Same(p.inspector, {4, 457, 238, 66}));
  EXPECT_TRUE(Same(p.ramGrid, {4, 24, 238, 429}));
}

}  // namespace
}  // namespace vellar::testing
