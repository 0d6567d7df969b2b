#include "app/ui/PageUpdate.h"

#include "app/ui/FrameIds.h"

namespace tessaro {

namespace {

const TabInfo kTabs[frame::kTabCount] = {
    {0, "icon\\tab_home.png", 50, frame::kHomePage, {}},
    {1, "icon\\tab_customkey.png", 51, frame::kKeyPage, {51, "icon\\icon_keyboard.png"}},
    {2, "icon\\tab_macro.png", 52, frame::kMacroPage, {52, "icon\\icon_macro.png"}},
    {3, "icon\\tab_light.png", 53, frame::kLightPage, {53, "icon\\icon_lightmode.png"}},
    {5, "icon\\tab_config.png", 56, frame::kSettingsPage, {56, "icon\\icon_config.png"}},
};

constexpr int kLastFirstGeneration = 200;
constexpr int kLastSecondGeneration = 299;

bool SecondGeneration(int device_type) {
  return device_type > kLastFirstGeneration && device_type <= kLastSecondGeneration;
}

bool WirelessMode(int connection_mode) {
  return connection_mode == 1 || connection_mode == 2;
}

}  // namespace

const TabInfo* TabAt(int position) {
  if (position < 0 || position >= frame::kTabCount) return nullptr;
  return &kTabs[position];
}

bool OpensOnHomePage(int device_type, int connection_mode) {
  return SecondGeneration(device_type) && WirelessMode(connection_mode);
}

FrameView UpdatePages(const DetectionState& state) {
  FrameView view;
  if (!state.present) return view;  // home, tabs hidden, no heading

  view.status_text = FrameView::kConnected;
  view.connection_mode = state.connection_mode;
  if (state.device_type <= kLastSecondGeneration) view.page_tabs_visible = true;
  if (SecondGeneration(state.device_type)) {
    view.menu_flags = FrameView::kSecondGenerationMenu;
    view.reset_button_visible = true;
  }

  if (WirelessMode(state.connection_mode) && !state.opened) {
    // The receiver is there but the keyboard behind it is not reachable.
    view.status_text = FrameView::kNotConnected;
    view.header_shown = false;
    return view;
  }

  view.tabs_shown = true;
  view.header_shown = true;
  view.reload = true;
  if (!OpensOnHomePage(state.device_type, state.connection_mode)) {
    view.selected_position = frame::kKeyPosition;
    view.heading = TabAt(frame::kKeyPosition)->heading;
  }
  return view;
}

}  // namespace tessaro
