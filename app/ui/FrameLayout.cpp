#include "app/ui/FrameLayout.h"

#include "app/ui/FrameIds.h"

namespace tessaro {

namespace {
constexpr int kCaptionBottom = 50;
constexpr int kSystemButtonTop = 20;
constexpr int kSystemButtonSize = 30;
constexpr int kHomeWidth = 372;
constexpr int kPageLeft = 80;
constexpr int kFooterHeight = 40;
}  // namespace

std::vector<ControlPlace> FrameLayout(int w, int h) {
  using tumi::Rect;
  // The home content's left edge centres a 360-pixel column; the controls
  // themselves are 372 wide, as the device list's items want.
  const int home_x = (w - 360) / 2;
  auto system_button = [](int right) {
    return Rect{right - kSystemButtonSize, kSystemButtonTop, right, kCaptionBottom};
  };
  std::vector<ControlPlace> places = {
      {frame::kBackground, {0, 0, w, h}},
      {frame::kBorderLeft, {0, 0, 1, h}},
      {frame::kBorderRight, {w - 1, 0, w, h}},
      {frame::kBorderTop, {0, 0, w, 1}},
      {frame::kBorderBottom, {0, h - 1, w, h}},
      {frame::kCaption, {1, 1, w - 1, kCaptionBottom}},
      {frame::kCaptionText, {w / 2 - 150, 10, w / 2 + 150, 40}},
      {frame::kLogo, {16, 19, 41, 44}},
      {frame::kHeaderArea, {kPageLeft, kCaptionBottom, w - 1, 96}},
      {frame::kPageIcon, {96, 61, 120, 85}},
      {frame::kPageTitle, {130, 58, 500, 88}},
      {frame::kConnectionIcon, {w - 96, 61, w - 72, 85}},
      {frame::kBattery, {w - 62, 63, w - 16, 83}},
      {frame::kCloseButton, system_button(w - 20)},
      {frame::kMinimizeButton, system_button(w - 70)},
      {frame::kWebsiteButton, system_button(w - 120)},
      {frame::kStatusText, {home_x, 280, home_x + kHomeWidth, 318}},
      {frame::kDeviceList, {home_x, 318, home_x + kHomeWidth, 580}},
      {frame::kVersion, {10, h - kFooterHeight, 170, h - 5}},
      {frame::kNotice, {w / 2 - 350, h - kFooterHeight, w / 2 + 350, h - 5}},
      {frame::kTabBacking, {1, kCaptionBottom, 76, h - 1}},
      {frame::kTabStrip, {1, 60, 79, h - 10}},
  };
  for (unsigned page = frame::kHomePage; page <= frame::kSettingsPage; ++page) {
    places.push_back({page, {kPageLeft, kCaptionBottom, w - 1, h - 1}});
  }
  return places;
}

TabSpan PinnedSettingsTab(int height) {
  return {height - 116, height - 46};
}

}  // namespace tessaro
