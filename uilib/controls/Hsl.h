#pragma once
// The HSL colour model of the palettes: hue, saturation and lightness each
// from 0 to 1, converted to and from colour references (0x00BBGGRR).
#include "uilib/core/Color.h"

namespace tumi {

struct Hsl {
  double h = 0;
  double s = 0;
  double l = 0;
};

class HslColor {
 public:
  static ColorRef ToColorRef(const Hsl& hsl);
  static Hsl FromColorRef(ColorRef color);
};

}  // namespace tumi
