#pragma once
// The tables between what the program stores and what the virtual device
// plays: virtual-key codes to HID keyboard usages, the program's function codes
// to consumer-page usages, mouse button codes to report bits, and the
// shortcuts as key sequences.
#include <cstdint>
#include <optional>
#include <vector>

namespace tessaro {

// Function codes stand for consumer-control functions (volume, media, browser);
// they sit above the keyboard usages, which end with the modifiers at 231.
inline constexpr int kFirstFunctionCode = 232;
inline constexpr int kLastFunctionCode = 249;
inline constexpr int kFirstModifierUsage = 224;  // left Ctrl, Shift, Alt, GUI at 224 to 227

// The HID keyboard usage of a virtual-key code, or a function code 232 to 249
// for media and browser keys; 0 for a key without a usage.
int VirtualKeyToUsage(uint32_t vk);

// The consumer-page usage of a function code; 0 for any other code.
uint16_t ConsumerUsage(int function_code);

// The mouse report bit of a mouse button code (1 left, 2 middle, 3 right, 7 and
// 8 the side buttons); nothing for other codes.
std::optional<int> MouseButtonBit(int button_code);

struct ShortcutStep {
  int usage = 0;
  bool down = false;

  bool operator==(const ShortcutStep&) const = default;
};

// The key presses and releases of shortcut 1 to 15, in order; empty for other
// values.
std::vector<ShortcutStep> ShortcutSequence(int value);

}  // namespace tessaro
