#pragma once
// Where the main window's frame controls sit for a window of a given size.
// The caption, system buttons and home content follow the width; the tab
// strip and the pages fill the height.
#include <vector>

#include "uilib/core/Rect.h"

namespace tessaro {

struct ControlPlace {
  unsigned id = 0;
  tumi::Rect rect;
};

// Every frame control and the five pages, in the order they are placed.
std::vector<ControlPlace> FrameLayout(int width, int height);

// The settings tab is pinned to the bottom of the tab strip: its item's
// top and bottom in window coordinates.
struct TabSpan {
  int top = 0;
  int bottom = 0;
};
TabSpan PinnedSettingsTab(int height);

}  // namespace tessaro
