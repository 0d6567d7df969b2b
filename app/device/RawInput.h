#pragma once
// One raw input record while a key is being captured: a mouse button change, a
// keystroke, or an event of some other input device that has no name.
#include <cstdint>

#include "app/device/KeyInput.h"

namespace tessaro {

struct RawInput {
  enum class Device { kMouse, kKeyboard, kOther };

  // Button transition bits of a mouse record; one record may carry several.
  static constexpr uint16_t kLeftDown = 0x0001;
  static constexpr uint16_t kLeftUp = 0x0002;
  static constexpr uint16_t kRightDown = 0x0004;
  static constexpr uint16_t kRightUp = 0x0008;
  static constexpr uint16_t kMiddleDown = 0x0010;
  static constexpr uint16_t kMiddleUp = 0x0020;
  static constexpr uint16_t kButton4Down = 0x0040;
  static constexpr uint16_t kButton4Up = 0x0080;
  static constexpr uint16_t kButton5Down = 0x0100;
  static constexpr uint16_t kButton5Up = 0x0200;

  Device device = Device::kOther;
  uint16_t mouse_buttons = 0;  // kMouse: the transition bits above
  // kKeyboard: vk is the device-independent code, so both Shift keys report
  // 16, both Ctrl keys 17 and both Alt keys 18.
  KeyInput key;
};

}  // namespace tessaro
