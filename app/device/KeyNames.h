#pragma once
// Short English names of keys, shown wherever a virtual-key code meets the
// user: the key combination dialog, recorded macro steps and key capture.
// Names come from a fixed US-English table of what the keys are called, with
// a few fixed names laid over it; each operation lays over its own set.
#include <cstdint>
#include <optional>
#include <string>

#include "app/device/KeyInput.h"
#include "app/device/RawInput.h"

namespace tessaro {

// A named keystroke. Modifier keys always come out side-specific (160 to 165).
struct NamedKey {
  uint32_t code = 0;
  std::string name;
  bool release = false;

  bool operator==(const NamedKey&) const = default;
};

// What key capture makes of a raw input record. The kind numbers are the ones
// macro recording sorts events by.
struct RawKeyEvent {
  enum class Kind { kMouse = 1, kKey = 2, kOther = 3 };

  Kind kind = Kind::kOther;
  uint32_t code = 0;  // kKey: the key code; kMouse: the button number (1 to 5)
  std::string name;   // empty for kOther and for a mouse record without a button change
  bool release = false;

  bool operator==(const RawKeyEvent&) const = default;
};

// The name the US-English layout gives the key; empty for codes it does not
// name (mouse buttons, unassigned codes).
std::string SystemKeyName(uint32_t code);

// The key combination dialog's name: F13 to F24 and the punctuation keys with
// both their characters ("[{"), then the system name.
std::string KeyComboName(uint32_t code);

// A keystroke seen while recording a macro. Numeric-pad keys are named as such
// whatever Num Lock says. Nothing for a key without a code.
std::optional<NamedKey> HookKeyName(const KeyInput& input);

// A raw input record seen while capturing a key.
RawKeyEvent RawKeyName(const RawInput& input);

}  // namespace tessaro
