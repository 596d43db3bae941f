#include <gtest/gtest.h>

#include <vector>

#include "app/form_json.h"
#include "app/page_layout.h"

// The page's form: the control strip's places for a mouse (the window's design) and for
// fingers, and upright on a tablet the panels stacked so that the whole screen is used.
namespace vellar::testing {
namespace {

bool Inside(const FormRect& inner, const FormRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

bool Overlap(const FormRect& a, const FormRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

std::string Text(const FormRect& r) {
  return "[" + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) +
         "," + std::to_string(r.height) + "]";
}

// As the page measures its panels, in the data view (the RAM grid's widest) or the assembler
// view, with the inspector shown.
PageMeasures Tablet(int width, int height, bool dataView) {
  PageMeasures m;
  m.stageWidth = width;
  m.stageHeight = height;
  m.pictureWidth = 189;
  m.pictureHeight = 223;
  m.panels = {.ramColumns = dataView ? 387 : 313,
              .busWidth = 193,
              .busHeight = 225,
              .mpsGridTop = 24,
              .registerHeight = 305,
              .inspectorShown = true,
              .inspectorColumns = 4,
              .scrollBarExtent = 17};
  return m;
}

TEST(StripPlaces, TheMouseStripIsTheWindowsDesignAndTheFingersMakeRoomForTheirButtons) {
  const StripPlaces mouse = PlaceStrip(kMouseSizes, 1032, false);
  EXPECT_EQ(Text(mouse.gateControl), Text(kGateControlGroup.place));
  EXPECT_EQ(Text(mouse.simulation), Text(kSimulationGroup.place));
  EXPECT_EQ(Text(mouse.ramView), Text(kRamViewGroup.place));
  EXPECT_EQ(Text(mouse.hint), Text(kHintGroup.place));
  EXPECT_EQ(Text(mouse.slider), Text(kSliderPlace));
  for (int i = 0; i < kRunButtonCount; ++i)
    EXPECT_EQ(Text(mouse.runButtons[i]), Text(kRunButtons[i].Rect()));
  EXPECT_EQ(mouse.labelX, kClockLabelX);
  EXPECT_EQ(mouse.labelY, kClockLabelY);
  EXPECT_EQ(mouse.radioY, kRadioY);
  EXPECT_EQ(mouse.height, kControlStripHeight);
  // On the window's narrowest strip the RAM view and the hint move left, the hint stays whole.
  const StripPlaces narrow = PlaceStrip(kMouseSizes, 1000, false);
  EXPECT_EQ(narrow.hint.x + narrow.hint.width + kHintMargin, 1000);
  EXPECT_EQ(narrow.ramView.x, kRamViewGroup.place.x - 32);

  // For fingers: 44-pixel buttons two pixels apart in a wider group, the slider after it.
  const StripPlaces finger = PlaceStrip(kFingerSizes, 1032, false);
  EXPECT_EQ(Text(finger.runButtons[6]), "[192,18,44,44]");
  EXPECT_EQ(Text(finger.simulation), "[176,14,240,70]");
  EXPECT_EQ(Text(finger.slider), "[430,20,131,56]");
  EXPECT_EQ(finger.labelX, 564);
  EXPECT_EQ(finger.labelY, 42);
  EXPECT_EQ(finger.radioY[1], 46);
  for (const StripPlaces* s : {&mouse, &finger}) {
    for (const FormRect& b : s->runButtons)
      EXPECT_TRUE(Inside(b, {0, 0, s->simulation.width, s->simulation.height}));
    EXPECT_LT(s->labelX, s->ramView.x);
  }
}

TEST(PageLayout, WiderThanTallThePageIsTheWindowsForm) {
  PageMeasures m = Tablet(1200, 760, true);
  const PageLayout l = PlacePage(m, kMouseSizes);
  EXPECT_FALSE(l.upright);
  EXPECT_EQ(l.width, 1200);
  EXPECT_EQ(l.height, 760);
  m.panels.clientWidth = 1200;
  m.panels.clientHeight = 760;
  const PanelPlaces p = PlacePanels(m.panels);
  EXPECT_EQ(Text(l.panels.processor), Text(p.processor));
  EXPECT_EQ(Text(l.panels.ramGrid), Text(p.ramGrid));
  EXPECT_EQ(Text(l.panels.control), Text(p.control));
  EXPECT_EQ(l.panels.pictureY, 0);
  // Smaller than the window's smallest client area: the page scales that down.
  const PageLayout small = PlacePage(Tablet(800, 500, true), kFingerSizes);
  EXPECT_EQ(small.width, kPageMinWidth);
  EXPECT_EQ(small.height, kPageMinHeight);
  EXPECT_EQ(small.panels.control.height, kFingerSizes.controlHeight);
}

// Upright the panels tile the form: inside it, apart, and together nine tenths of it at least;
// the bus panel at the register panel's bottom right, where the picture's lines meet it. The
// form is scaled to the screen's width no smaller than a finger needs.
TEST(PageLayout, UprightThePanelsAreStackedAndUseTheWholeHeight) {
  for (const auto& [width, height, sizes, dataView] :
       {std::tuple{768, 1024, kFingerSizes, true}, std::tuple{768, 1024, kFingerSizes, false},
        std::tuple{834, 1194, kFingerSizes, true}, std::tuple{1024, 1366, kFingerSizes, false},
        std::tuple{900, 1300, kMouseSizes, true}}) {
    const PageMeasures m = Tablet(width, height, dataView);
    const PageLayout l = PlacePage(m, sizes);
    const PanelPlaces& p = l.panels;
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    EXPECT_TRUE(l.upright);
    const double scale = std::min(1.0, double(width) / l.width);
    EXPECT_NEAR(l.height * scale, height, 1);
    EXPECT_GE(sizes.gridRow * scale, 32 * (sizes.gridRow >= 32));
    EXPECT_GE(scale, 0.85);

    const FormRect client{0, 0, l.width, l.height};
    const FormRect picture{p.pictureX, p.pictureY, m.pictureWidth, m.pictureHeight};
    const std::vector<FormRect> panels{p.processor, p.ram, p.bus, picture, p.control};
    long covered = 0;
    for (size_t i = 0; i < panels.size(); ++i) {
      EXPECT_TRUE(Inside(panels[i], client)) << Text(panels[i]);
      covered += long(panels[i].width) * panels[i].height;
      for (size_t k = i + 1; k < panels.size(); ++k) {
        EXPECT_FALSE(Overlap(panels[i], panels[k])) << Text(panels[i]) << Text(panels[k]);
      }
    }
    EXPECT_GE(covered, 0.9 * l.width * l.height);
    EXPECT_EQ(p.control.y + p.control.height, l.height);
    EXPECT_EQ(p.processor.height, p.control.y);
    EXPECT_EQ(p.bus.x, p.processor.width + 3);
    EXPECT_EQ(p.bus.y + p.bus.height, p.processor.height);

    // Inside the panels: the grids and registers apart, the RAM grid as wide as its columns.
    const FormRect processorInside{0, 0, p.processor.width, p.processor.height};
    const FormRect ramInside{0, 0, p.ram.width, p.ram.height};
    EXPECT_TRUE(Inside(p.mpsGrid, processorInside));
    EXPECT_TRUE(Inside(p.registers, processorInside));
    EXPECT_FALSE(Overlap(p.mpsGrid, p.registers));
    EXPECT_TRUE(Inside(p.ramGrid, ramInside));
    EXPECT_TRUE(Inside(p.inspector, ramInside));
    EXPECT_FALSE(Overlap(p.ramGrid, p.inspector));
    EXPECT_EQ(p.ramGrid.width, m.panels.ramColumns + 4);
    EXPECT_GE(p.mpsGrid.height, 8 * (sizes.gridRow + 1));
    EXPECT_GE(p.ramGrid.height, 8 * (sizes.gridRow + 1));

    // The strip in two rows, its groups apart and inside it.
    const StripPlaces& s = l.strip;
    const std::vector<FormRect> groups{s.gateControl, s.simulation, s.slider, s.ramView, s.hint};
    for (size_t i = 0; i < groups.size(); ++i) {
      EXPECT_TRUE(Inside(groups[i], {0, 0, l.width, s.height})) << Text(groups[i]);
      for (size_t k = i + 1; k < groups.size(); ++k) EXPECT_FALSE(Overlap(groups[i], groups[k]));
    }
    EXPECT_EQ(s.height, p.control.height);
  }
  const std::string json = WritePageLayout(PlacePage(Tablet(768, 1024, true), kFingerSizes));
  EXPECT_NE(json.find("\"width\":857,\"height\":1142,\"upright\":true"), std::string::npos) << json;
  EXPECT_NE(json.find("\"runButtons\":[[8,18,44,44],[54,18,44,44]"), std::string::npos) << json;
}

}  // namespace
}  // namespace vellar::testing
