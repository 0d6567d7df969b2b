#pragma once
// The fields of a light setting that the keyboard is told. The store keeps
// them in its own record; the caller copies them over.
#include <cstdint>

namespace tessaro {

struct LightParams {
  int mode = 0;
  int colorindex = 0;
  int direction = 0;
  int speed = 0;
  int brightness = 0;
  uint32_t color_value = 0;  // colour reference 0x00BBGGRR
  int colorful = 0;
};

}  // namespace tessaro
