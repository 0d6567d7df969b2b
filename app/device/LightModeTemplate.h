#pragma once
// A built-in light mode of the keyboard as its layout file lists it.
#include <string>

namespace tessaro {

struct LightModeTemplate {
  // The mode's display name: the decimal number of its language text.
  std::string name;
  // The firmware's mode number (sent as mode - 1).
  int mode = 0;
  // Which settings the light page offers for the mode (LightAttribute bits);
  // stored as the light setting's config_func.
  int attribute = 0;

  bool operator==(const LightModeTemplate&) const = default;
};

// The attribute bits: each one shows one section of the light page.
enum LightAttribute : int {
  kLightBrightness = 0x0001,
  kLightSpeed = 0x0002,
  kLightDirectionLeftRight = 0x0004,
  kLightDirectionUpDown = 0x0008,
  kLightFreeColor = 0x0010,
  kLightOneColor = 0x0020,
  kLightPalette1 = 0x0040,
  kLightPalette2 = 0x0080,
  kLightPerKeyColors = 0x0100,
  kLightMusic = 0x0200,
  kLightScreenSync = 0x0400,
  kLightColorAreas = 0x0800,
  kLightPalette3 = 0x1000,
};

}  // namespace tessaro
