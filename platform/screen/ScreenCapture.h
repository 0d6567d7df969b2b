#pragma once
// Grabs of the whole screen for the screen-sync light.
#include <cstdint>

namespace platform {

// One grab: `height` rows of `width` pixels, rows `stride` pixels apart, each
// pixel 0x00RRGGBB. Valid until the next grab or the capture's end.
struct ScreenImage {
  int width = 0;
  int height = 0;
  int stride = 0;
  const uint32_t* pixels = nullptr;

  uint32_t At(int x, int y) const { return pixels[static_cast<long>(y) * stride + x]; }
};

class ScreenCapture {
 public:
  virtual ~ScreenCapture() = default;
  // False when the screen cannot be grabbed now (no display, an unsupported
  // pixel format); the caller tries again later.
  virtual bool Grab(ScreenImage& image) = 0;
};

}  // namespace platform
