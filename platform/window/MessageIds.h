#pragma once
// Message numbers. The UI code and the program keep the numbers their windows
// have always used, so these are plain integers with the classic values; the
// program's own messages (1090, 1092, 1654, 1690, 1691, 1825 to 1827, 2022)
// live above kUser and need no entry here.
#include <cstdint>

namespace platform::msg {

inline constexpr std::uint32_t kNull = 0x0000;
inline constexpr std::uint32_t kCreate = 0x0001;    // sent by Create before it returns
inline constexpr std::uint32_t kDestroy = 0x0002;   // sent by Destroy, owned windows first
inline constexpr std::uint32_t kMove = 0x0003;      // lparam: client origin on the screen
inline constexpr std::uint32_t kSize = 0x0005;      // wparam: kSize* below; lparam: width, height
inline constexpr std::uint32_t kActivate = 0x0006;  // wparam: 1 active, 0 inactive
inline constexpr std::uint32_t kSetFocus = 0x0007;
inline constexpr std::uint32_t kKillFocus = 0x0008;
inline constexpr std::uint32_t kPaint = 0x000F;  // BeginPaint gives the surface and damage
inline constexpr std::uint32_t kClose = 0x0010;  // DefaultHandling destroys the window
inline constexpr std::uint32_t kQuit = 0x0012;   // never dispatched; ends the run loops
inline constexpr std::uint32_t kEraseBackground = 0x0014;
inline constexpr std::uint32_t kShowWindow = 0x0018;  // wparam: 1 shown, 0 hidden
inline constexpr std::uint32_t kNcDestroy = 0x0082;   // the last message a window receives
inline constexpr std::uint32_t kNcActivate = 0x0086;  // wparam: 1 active, 0 lost activation
inline constexpr std::uint32_t kKeyDown = 0x0100;     // wparam: virtual key; lparam: KeyParam
inline constexpr std::uint32_t kKeyUp = 0x0101;
inline constexpr std::uint32_t kChar = 0x0102;        // wparam: one Unicode code point
inline constexpr std::uint32_t kSysKeyDown = 0x0104;  // a key pressed while Alt is held
inline constexpr std::uint32_t kSysKeyUp = 0x0105;
inline constexpr std::uint32_t kImeStartComposition = 0x010D;
inline constexpr std::uint32_t kImeEndComposition = 0x010E;
inline constexpr std::uint32_t kImeComposition = 0x010F;  // text: KeyboardInput::CurrentComposition
// wparam kScClose: the desktop's close button or shortcut; DefaultHandling
// turns it into kClose, so a handler that wants another behaviour takes it.
inline constexpr std::uint32_t kSysCommand = 0x0112;
inline constexpr std::uint32_t kTimer = 0x0113;      // wparam: timer id
inline constexpr std::uint32_t kMouseMove = 0x0200;  // wparam: kMk* flags; lparam: client point
inline constexpr std::uint32_t kLButtonDown = 0x0201;
inline constexpr std::uint32_t kLButtonUp = 0x0202;
inline constexpr std::uint32_t kLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kRButtonDown = 0x0204;
inline constexpr std::uint32_t kRButtonUp = 0x0205;
inline constexpr std::uint32_t kRButtonDblClk = 0x0206;
inline constexpr std::uint32_t kMButtonDown = 0x0207;
inline constexpr std::uint32_t kMButtonUp = 0x0208;
inline constexpr std::uint32_t kMButtonDblClk = 0x0209;
// wparam: wheel delta (120 per notch, positive away from the user) in the high
// word, kMk* flags in the low word; lparam: the point in screen coordinates.
inline constexpr std::uint32_t kMouseWheel = 0x020A;
inline constexpr std::uint32_t kCaptureChanged = 0x0215;  // to the window that lost the capture
inline constexpr std::uint32_t kExitSizeMove = 0x0232;    // a window drag ended
inline constexpr std::uint32_t kDropFiles = 0x0233;       // wparam: drop id for TakeDroppedFiles
inline constexpr std::uint32_t kMouseHover = 0x02A1;
inline constexpr std::uint32_t kMouseLeave = 0x02A3;
inline constexpr std::uint32_t kUser = 0x0400;

inline constexpr std::uintptr_t kScClose = 0xF060;

// kSize wparam.
inline constexpr std::uintptr_t kSizeRestored = 0;
inline constexpr std::uintptr_t kSizeMinimized = 1;
inline constexpr std::uintptr_t kSizeMaximized = 2;

// Mouse message wparam flags: buttons and modifiers held.
inline constexpr std::uintptr_t kMkLButton = 0x0001;
inline constexpr std::uintptr_t kMkRButton = 0x0002;
inline constexpr std::uintptr_t kMkShift = 0x0004;
inline constexpr std::uintptr_t kMkControl = 0x0008;
inline constexpr std::uintptr_t kMkMButton = 0x0010;

// Key message lparam: repeat count 1, the scan code, bit 24 for the right-hand
// and navigation keys, bit 29 while Alt is held, bit 30 when the key was
// already down (auto-repeat), bit 31 on release.
inline std::intptr_t KeyParam(int scan_code, bool extended, bool alt, bool was_down,
                              bool releasing) {
  std::uint32_t v = 1u | (static_cast<std::uint32_t>(scan_code & 0xFF) << 16);
  if (extended) v |= 1u << 24;
  if (alt) v |= 1u << 29;
  if (was_down) v |= 1u << 30;
  if (releasing) v |= 1u << 31;
  return static_cast<std::intptr_t>(v);
}

}  // namespace platform::msg
