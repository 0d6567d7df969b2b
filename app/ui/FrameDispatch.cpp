#include "app/ui/FrameDispatch.h"

#include <initializer_list>

#include "app/ui/FrameIds.h"

namespace tessaro {

namespace {

constexpr unsigned kAnyCode = 0xFFFFFFFF;
constexpr unsigned kColourCheckBoxCode = 27;
constexpr unsigned kEditChangedCode = 29;

struct Span {
  unsigned first;
  unsigned last;
};

bool InSpans(unsigned id, std::initializer_list<Span> spans) {
  for (const Span& s : spans) {
    if (id >= s.first && id <= s.last) return true;
  }
  return false;
}

struct CodeEntry {
  Span ids;
  unsigned code;
  FrameRoute route;
};

// The entries that name their notification code (or take any), in the order
// they are looked at.
constexpr CodeEntry kCodeEntries[] = {
    {{frame::kTabStrip, frame::kTabStrip}, frame::kNotifyClick, FrameRoute::kTabSwitch},
    {{frame::kDeviceList, frame::kDeviceList},
     frame::kNotifyDeviceChosen,
     FrameRoute::kDeviceChosen},
    {{66, 67}, kAnyCode, FrameRoute::kKeyPage},  // profile list, key picture
    {{72, 72}, kAnyCode, FrameRoute::kLightPage},
    {{116, 116}, kColourCheckBoxCode, FrameRoute::kLightPage},
    {{123, 125}, kAnyCode, FrameRoute::kLightPage},
    {{207, 207}, kAnyCode, FrameRoute::kMacroPage},
    {{69, 69}, kAnyCode, FrameRoute::kKeyPage},
    {{0, 0xFFFFFFFF}, kNotifyKeyFunction, FrameRoute::kKeyPage},
    {{71, 71}, kAnyCode, FrameRoute::kLightPage},
    {{213, 213}, kAnyCode, FrameRoute::kMacroPage},
    {{223, 223}, kEditChangedCode, FrameRoute::kMacroPage},
    {{242, 242}, kEditChangedCode, FrameRoute::kMacroPage},
    {{43, 43}, kAnyCode, FrameRoute::kAccepted},
    {{111, 111}, kAnyCode, FrameRoute::kAccepted},
    {{216, 216}, kAnyCode, FrameRoute::kAccepted},
    {{234, 234}, kAnyCode, FrameRoute::kAccepted},
};

FrameRoute RouteClick(unsigned id) {
  switch (id) {
    case frame::kCloseButton:
      return FrameRoute::kCloseButton;
    case frame::kMinimizeButton:
      return FrameRoute::kMinimize;
    case frame::kWebsiteButton:
      return FrameRoute::kWebsite;
    case frame::kStoreButton:
      return FrameRoute::kStore;
    default:
      break;
  }
  if (InSpans(id, {{60, 64}})) return FrameRoute::kKeyPage;
  if (InSpans(id, {{75, 75},
                   {77, 77},
                   {79, 80},
                   {84, 91},
                   {93, 100},
                   {102, 110},
                   {113, 113},
                   {120, 122},
                   {126, 134},
                   {150, 156},
                   {158, 204}}) ||
      (id >= 136 && id <= 148 && id % 2 == 0)) {
    return FrameRoute::kLightPage;
  }
  if (InSpans(id, {{210, 212}, {217, 222}, {225, 227}, {230, 231}, {235, 237}, {243, 243}})) {
    return FrameRoute::kMacroPage;
  }
  if (InSpans(id, {{246, 251}})) return FrameRoute::kSettingsPage;
  return FrameRoute::kUnhandled;
}

}  // namespace

FrameRoute RouteNotification(unsigned id, unsigned code) {
  for (const CodeEntry& entry : kCodeEntries) {
    if (id < entry.ids.first || id > entry.ids.last) continue;
    if (entry.code == kAnyCode || entry.code == code) return entry.route;
  }
  if (code == frame::kNotifyClick) return RouteClick(id);
  return FrameRoute::kUnhandled;
}

}  // namespace tessaro
