#pragma once
// The library's two colour formats. A colour reference is 0x00BBGGRR (red in
// the low byte): window back colours, area fills, colour keys. A drawing colour
// is ARGB 0xAARRGGBB: text, frames, fills.
#include <cstdint>

namespace tumi {

using ColorRef = uint32_t;
using Argb = uint32_t;

constexpr Argb MakeArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}
constexpr uint32_t AlphaOf(Argb c) {
  return c >> 24;
}
constexpr uint32_t RedOf(Argb c) {
  return (c >> 16) & 0xFF;
}
constexpr uint32_t GreenOf(Argb c) {
  return (c >> 8) & 0xFF;
}
constexpr uint32_t BlueOf(Argb c) {
  return c & 0xFF;
}

// Red moves from the low byte to bits 16-23; the caller picks the alpha (254
// for window backgrounds, 255 for opaque fills).
constexpr Argb ArgbFromColorRef(ColorRef ref, uint32_t alpha) {
  return MakeArgb(alpha, ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}
constexpr ColorRef ColorRefFromArgb(Argb c) {
  return RedOf(c) | (GreenOf(c) << 8) | (BlueOf(c) << 16);
}

}  // namespace tumi
