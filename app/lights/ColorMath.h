#pragma once
// Colour helpers of the light engines. Colours are references 0x00BBGGRR (red
// in the low byte), the form the keyboard picture and the reports use.
#include <cstdint>

namespace tessaro::color {

constexpr uint32_t Ref(int red, int green, int blue) {
  return static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
         (static_cast<uint32_t>(blue) << 16);
}
constexpr int Red(uint32_t ref) {
  return static_cast<int>(ref & 0xFF);
}
constexpr int Green(uint32_t ref) {
  return static_cast<int>((ref >> 8) & 0xFF);
}
constexpr int Blue(uint32_t ref) {
  return static_cast<int>((ref >> 16) & 0xFF);
}

// A pattern level in percent as the 0 to 255 factor of its colours. Integer
// arithmetic so that 100 percent is the full 255 (a floating 2.55 gives 254).
constexpr int LevelFactor(int percent) {
  return percent * 255 / 100;
}
// Every channel times factor / 256.
constexpr uint32_t Dim(uint32_t ref, int factor) {
  return Ref(Red(ref) * factor / 256, Green(ref) * factor / 256, Blue(ref) * factor / 256);
}

// Hue in whole degrees (taken modulo 360, negative ones too), saturation and
// value 0 to 255, in the integer sectors the keyboard effects were tuned with.
uint32_t Hsv(int hue, int saturation, int value);
// The three phase-shifted sines of an angle in degrees, each 0 to 254.
uint32_t SineRainbow(int degrees);

}  // namespace tessaro::color
