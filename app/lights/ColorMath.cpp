#include "app/lights/ColorMath.h"

#include <cmath>

namespace tessaro::color {

uint32_t Hsv(int hue, int saturation, int value) {
  if (saturation == 0) return Ref(value, value, value);
  const int h = ((hue % 360) + 360) % 360;
  const int sector = h / 60;
  const int d = h - 60 * sector;
  const int p = value * (256 - saturation) / 256;
  const int q = value * (15360 - saturation * d) / 15360;
  const int t = value * (15360 - saturation * (60 - d)) / 15360;
  switch (sector) {
    case 0:
      return Ref(value, t, p);
    case 1:
      return Ref(q, value, p);
    case 2:
      return Ref(p, value, t);
    case 3:
      return Ref(p, q, value);
    case 4:
      return Ref(t, p, value);
    default:
      return Ref(value, p, q);
  }
}

uint32_t SineRainbow(int degrees) {
  // The effect was tuned with pi as 3.14 and this phase step; keep both.
  constexpr double kPi = 3.14;
  constexpr double kPhase = 2.0933335;
  const double t = degrees / 360.0 * 2.0 * kPi;
  auto channel = [](double s) { return static_cast<int>((s + 1.0) * 127.0); };
  return Ref(channel(std::sin(t)), channel(std::sin(t - kPhase)), channel(std::sin(t + kPhase)));
}

}  // namespace tessaro::color
