#pragma once
// The table between Linux input key codes (KEY_*) and the Windows virtual-key
// codes that the program stores, exchanges and lays out. Each key also carries
// the PC/AT set-1 scan code it sends and whether that code is E0-prefixed, so
// that naming and numeric-pad normalisation work from the same facts a
// keyboard hook would give.
//
// The numeric pad maps to its Num Lock-on codes (96 to 111), and its Enter to
// 108, the code the layout files give that key.
#include <cstdint>
#include <optional>

namespace platform {

struct VirtualKey {
  uint32_t vk = 0;
  uint32_t scan_code = 0;  // without the E0 prefix
  bool extended = false;

  bool operator==(const VirtualKey&) const = default;
};

// The virtual key of a Linux key code; nothing for keys the program has no
// code for (mouse buttons, unusual media keys).
std::optional<VirtualKey> VirtualKeyFromLinux(uint16_t linux_code);

// The Linux key code of a virtual-key code; nothing when no key sends it.
std::optional<uint16_t> LinuxKeyFromVirtual(uint32_t vk);

}  // namespace platform
