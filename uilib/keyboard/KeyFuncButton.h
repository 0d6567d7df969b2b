#pragma once
// The fixed buttons of the key function grid: a row of function icons over an
// on-screen keyboard, each with the code it stands for (HID keyboard usage
// codes for keys, 232 to 249 for the functions).
#include <span>

#include "uilib/core/Rect.h"

namespace tumi {

struct KeyFuncButton {
  const char* label;  // drawn on a key button; empty for an icon button
  const char* icon;   // skin file of an icon button; null for a key button
  int code;
  int left;
  int right;
  int top;
  int height;

  Rect Area() const { return Rect{left, top, right, top + height}; }
};

inline constexpr int kKeyFuncButtonHeight = 28;
// Codes up to this one are keys; above it are functions, which carry tooltips.
inline constexpr int kLastKeyCode = 231;

// Row by row, left to right: the order the buttons are added in.
std::span<const KeyFuncButton> KeyFuncButtons();

}  // namespace tumi
