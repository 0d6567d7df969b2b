#pragma once
// Control identifiers of the main window. Every control reports to the window
// with its identifier, so the ranges below decide which page handles what.
namespace tessaro::frame {

enum Id : unsigned {
  kBackground = 30,
  kBorderLeft = 31,
  kBorderTop = 32,
  kBorderRight = 33,
  kBorderBottom = 34,
  kHeaderArea = 35,
  kCaption = 36,
  kLogo = 37,
  kCaptionText = 38,
  kPageTitle = 39,
  kPageIcon = 40,
  kCloseButton = 41,
  kMinimizeButton = 42,
  kWebsiteButton = 44,
  kStoreButton = 45,
  kBattery = 46,
  kConnectionIcon = 47,
  kTabBacking = 48,
  kTabStrip = 49,
  kHomePage = 50,
  kKeyPage = 51,
  kMacroPage = 52,
  kLightPage = 53,
  kSettingsPage = 54,
  kStatusText = 55,
  kDeviceList = 56,
  kNotice = 57,
  kVersion = 58,
};

// The ranges of the pages' own controls.
inline constexpr unsigned kFrameFirst = 30, kFrameLast = 58;
inline constexpr unsigned kKeyPageFirst = 59, kKeyPageLast = 69;
inline constexpr unsigned kLightPageFirst = 70, kLightPageLast = 204;
inline constexpr unsigned kMacroPageFirst = 205, kMacroPageLast = 243;
inline constexpr unsigned kSettingsPageFirst = 244, kSettingsPageLast = 252;

// Notification codes the frame reacts to (a click, a choice in the device list).
inline constexpr unsigned kNotifyClick = 2;
inline constexpr unsigned kNotifyDeviceChosen = 1;

// Tab positions of the tab strip and the tab ids they carry.
inline constexpr int kTabCount = 5;
inline constexpr int kHomePosition = 0;
inline constexpr int kKeyPosition = 1;
inline constexpr int kSettingsPosition = 4;

}  // namespace tessaro::frame
