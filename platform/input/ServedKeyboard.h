#pragma once
// Which input devices discovery takes for a served keyboard. A keyboard may
// legitimately be virtual (Bluetooth through uhid, a uinput keyboard of a
// remote-desktop or accessibility tool), so the test is the device's ids, not
// where it lives in sysfs. What the program makes itself is never taken: the
// uinput pass-through clone carries the keyboard's own ids, so it is marked by
// its phys, and the virtual HID device has ids of its own.
#include <span>
#include <string>
#include <string_view>

#include "platform/input/InputEvent.h"

namespace platform {

// The ids of the program's virtual HID device "vhidev".
inline constexpr UsbId kVirtualDeviceId{0xDEED, 0xFEED};

// What discovery reads of the input device above an event node.
struct InputDeviceInfo {
  UsbId id;
  std::string phys;  // empty when the device has none (uinput devices often)
};

// The phys of the pass-through clone of a node with this phys. It keeps the
// original after the marker, so tools that show phys still tell which
// keyboard the clone stands for.
std::string PassThroughPhys(std::string_view original);
bool IsPassThroughClone(std::string_view phys);

bool IsServedKeyboard(const InputDeviceInfo& device, std::span<const UsbId> served);

}  // namespace platform
