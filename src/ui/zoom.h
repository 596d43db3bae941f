#pragma once

#include <QSize>
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

// Whether the window at its smallest (minimumOuter, at 100 %) fits the screen's free area at
// this level. Qt measures the area in the pixels of the level drawn at the moment, availableAt.
bool ZoomFits(int percent, QSize minimumOuter, QSize available, int availableAt = CurrentZoom());
// The level itself when it fits, else the largest that does; 100 % counts as fitting always,
// there being nothing smaller.
int FittingZoom(int percent, QSize minimumOuter, QSize available, int availableAt = CurrentZoom());
// The level to start with on the primary screen: the one asked for as far as it fits.
int StartZoom(int wanted, QSize minimumOuter);

// Draws every window of the program at this level. Before the first window exists it only
// sets the scale; afterwards the windows on the screen are shown again at the new scale,
// keeping their sizes in the window's own pixels, and the window that had the keyboard has
// it again (without a window manager nobody else gives it back). At 100 % nothing is touched
// at start.
void ApplyZoom(int percent);

}  // namespace vellar::ui
