#pragma once
// Which handler of the main window a control notification goes to, from the
// control's identifier and the notification code. Entries that take any
// code are looked at first, then those that act on a click only.
namespace tessaro {

enum class FrameRoute {
  kUnhandled,
  kAccepted,  // taken and ignored (43, 111, 216, 234)
  kTabSwitch,
  kDeviceChosen,
  kCloseButton,
  kMinimize,
  kWebsite,
  kStore,
  kKeyPage,  // key assignment and the profile list and buttons
  kLightPage,
  kMacroPage,
  kSettingsPage,
};

// The notification code a key function choice is also reported with.
inline constexpr unsigned kNotifyKeyFunction = 1825;

FrameRoute RouteNotification(unsigned id, unsigned code);

}  // namespace tessaro
