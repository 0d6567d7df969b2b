#pragma once
// What the main window shows after a detection, after a tab switch and after
// a model was chosen in the device list: pure decisions, which KeyboardDlg
// carries out on its controls.
#include <cstdint>
#include <optional>
#include <string>

namespace tessaro {

// The page header: title text key (0 for none) and page icon (empty for none).
struct PageHeading {
  int title = 0;
  std::string icon;
  friend bool operator==(const PageHeading&, const PageHeading&) = default;
};

// One tab of the tab strip, by position.
struct TabInfo {
  int tab_id = 0;
  std::string tab_icon;
  int title = 0;
  unsigned page = 0;  // the page's control identifier
  PageHeading heading;
};

// The five tabs in position order; nullptr outside 0 to 4.
const TabInfo* TabAt(int position);

struct DetectionState {
  bool present = false;  // the enumeration found an interface of a served keyboard
  bool opened = false;   // some mode's interface was found
  int device_type = 0;   // of the loaded layout
  int connection_mode = 0;
};

struct FrameView {
  static constexpr int kConnected = 60;
  static constexpr int kNotConnected = 61;
  static constexpr uint32_t kSecondGenerationMenu = 0x47;

  int status_text = kNotConnected;
  int selected_position = 0;
  bool tabs_shown = false;                // the tab strip and its backing area
  std::optional<bool> header_shown;       // the page header area; nullopt: unchanged
  std::optional<bool> page_tabs_visible;  // positions 1 to 4; nullopt: unchanged
  std::optional<uint32_t> menu_flags;
  bool reset_button_visible = false;
  PageHeading heading;
  bool reload = false;  // queue CheckFirmwareVersion, then ReloadFromDevice
  int connection_mode = 0;
};

// The page update after a detection.
FrameView UpdatePages(const DetectionState& state);

// Whether keyboards of the type and connection mode open on the home page:
// second-generation keyboards in the two wireless modes.
bool OpensOnHomePage(int device_type, int connection_mode);

}  // namespace tessaro
