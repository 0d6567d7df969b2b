#include "uilib/controls/Hsl.h"

#include <algorithm>
#include <cmath>

namespace tumi {

namespace {

double HueChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

int Byte(double v) {
  return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

}  // namespace

ColorRef HslColor::ToColorRef(const Hsl& hsl) {
  double h = hsl.h - std::floor(hsl.h);  // hue 1 is red again
  double s = std::clamp(hsl.s, 0.0, 1.0);
  double l = std::clamp(hsl.l, 0.0, 1.0);
  double r = l;
  double g = l;
  double b = l;
  if (s > 0) {
    double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    double p = 2 * l - q;
    r = HueChannel(p, q, h + 1.0 / 3);
    g = HueChannel(p, q, h);
    b = HueChannel(p, q, h - 1.0 / 3);
  }
  return static_cast<ColorRef>(Byte(r) | (Byte(g) << 8) | (Byte(b) << 16));
}

Hsl HslColor::FromColorRef(ColorRef color) {
  double r = (color & 0xFF) / 255.0;
  double g = ((color >> 8) & 0xFF) / 255.0;
  double b = ((color >> 16) & 0xFF) / 255.0;
  double hi = std::max({r, g, b});
  double lo = std::min({r, g, b});
  Hsl hsl;
  hsl.l = (hi + lo) / 2;
  double d = hi - lo;
  if (d <= 0) return hsl;
  hsl.s = hsl.l > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
  double h;
  if (hi == r) {
    h = (g - b) / d + (g < b ? 6 : 0);
  } else if (hi == g) {
    h = (b - r) / d + 2;
  } else {
    h = (r - g) / d + 4;
  }
  hsl.h = h / 6;
  return hsl;
}

}  // namespace tumi
