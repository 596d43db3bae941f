#pragma once

#include <array>
#include <string>
#include <vector>

// "Ansicht" -> "Vergrößerung": the whole program drawn larger for the projector. Qt draws every
// widget, text and line at the larger scale (as on a screen with more pixels per point), so
// nothing is an enlarged bitmap and every position inside the window stays what it is at
// 100 %. The choice is kept for the next start; the command line may choose for one start.
namespace vellar::ui {

inline constexpr std::array<int, 4> kZoomLevels = {100, 125, 150, 200};

struct ZoomArgument {
  int percent = 0;    // 0: not given
  std::string error;  // a German message for a value that is no zoom level
};

// Takes "--zoom=N" and "--zoom N" out of the arguments; the last one counts.
ZoomArgument TakeZoomArgument(std::vector<std::string>& args);

bool IsZoomLevel(int percent);

// The level chosen last time in the menu; 100 when none or an unknown one was stored.
int StoredZoom();
void StoreZoom(int percent);

// The level the program is drawn at now.
int CurrentZoom();

// Draws every window of the program at this level. Before the first window exists it only
// sets the scale; afterwards the windows on the screen are shown again at the new scale,
// keeping their sizes in the window's own pixels. At 100 % nothing is touched at start.
void ApplyZoom(int percent);

}  // namespace vellar::ui
