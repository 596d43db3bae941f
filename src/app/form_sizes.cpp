#include "app/form_sizes.h"

#include <algorithm>

namespace vellar {

namespace {
// Between the two rows of an upright strip.
constexpr int kRowGap = 6;
}  // namespace

StripPlaces PlaceStrip(const FormSizes& sizes, int width, bool twoRows) {
  StripPlaces s;
  // A taller strip gives its groups and the slider the height it gains.
  const int grow = sizes.controlHeight - kMouseSizes.controlHeight;
  const auto group = [grow](const ControlGroup& g) {
    return FormRect{g.place.x, g.place.y, g.place.width, g.place.height + grow};
  };
  s.gateControl = group(kGateControlGroup);
  s.simulation = group(kSimulationGroup);
  s.ramView = group(kRamViewGroup);
  s.hint = group(kHintGroup);
  for (int i = 0; i < kRunButtonCount; ++i) {
    s.runButtons[i] = kRunButtons[i].Rect(sizes.runButtonWidth, sizes.runButtonHeight);
  }
  // The group holds the row of buttons as it holds the mouse's, with the same margin right.
  const FormRect& mouseSim = kSimulationGroup.place;
  const FormRect last =
      kRunButtons.back().Rect(kMouseSizes.runButtonWidth, kMouseSizes.runButtonHeight);
  s.simulation.width =
      mouseSim.width + s.runButtons.back().x + s.runButtons.back().width - last.x - last.width;
  const int sliderGap = kSliderPlace.x - mouseSim.x - mouseSim.width;
  const int labelGap = kClockLabelX - kSliderPlace.x - kSliderPlace.width;
  s.slider = {s.simulation.x + s.simulation.width + sliderGap, kSliderPlace.y, sizes.sliderWidth,
              kSliderPlace.height + grow};
  s.labelX = s.slider.x + s.slider.width + labelGap;
  s.labelY = kClockLabelY + grow / 2;
  // The second choice below the first, with room for the larger button.
  s.radioY = {kRadioY[0], kRadioY[1] + 2 * (sizes.choice - kMouseSizes.choice)};

  s.height = sizes.controlHeight;
  if (twoRows) {
    const int below = s.gateControl.height + kRowGap;
    const int gap = kHintGroup.place.x - kRamViewGroup.place.x - kRamViewGroup.place.width;
    s.ramView.x = s.gateControl.x;
    s.hint.x = s.ramView.x + s.ramView.width + gap;
    s.ramView.y += below;
    s.hint.y += below;
    s.height += below;
  } else {
    const int left = std::max(0, s.hint.x + s.hint.width + kHintMargin - width);
    s.ramView.x -= left;
    s.hint.x -= left;
  }
  return s;
}

}  // namespace vellar
