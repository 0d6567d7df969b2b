#include "HueWheel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Png.h"

namespace skin {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSamples = 4;  // per axis, for the anti-aliased rim

struct Rgb {
  double r, g, b;
};

// Full-value HSV: hue in degrees, saturation 0..1.
Rgb HueColour(double hue, double saturation) {
  const double h = std::fmod(hue, 360.0) / 60.0;
  const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
  Rgb c{};
  switch (static_cast<int>(h)) {
    case 0:
      c = {1, x, 0};
      break;
    case 1:
      c = {x, 1, 0};
      break;
    case 2:
      c = {0, 1, x};
      break;
    case 3:
      c = {0, x, 1};
      break;
    case 4:
      c = {x, 0, 1};
      break;
    default:
      c = {1, 0, x};
      break;
  }
  auto blend = [saturation](double v) { return 1.0 - saturation * (1.0 - v); };
  return {blend(c.r), blend(c.g), blend(c.b)};
}

}  // namespace

bool HueWheel::Write(const std::string& path, int side) {
  const double centre = side / 2.0;
  const double radius = centre - 5.0;  // pickable wheel; the ring lies outside it
  Surface surface = NewSurface(side, side);
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < side; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < side; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double dx = x + (sx + 0.5) / kSamples - centre;
          const double dy = y + (sy + 0.5) / kSamples - centre;
          const double distance = std::hypot(dx, dy);
          if (distance > radius) continue;
          const double hue = std::atan2(dx, -dy) * 180.0 / kPi + 360.0;
          const Rgb c = HueColour(hue, distance / radius);
          r += c.r, g += c.g, b += c.b, a += 1;
        }
      }
      const double n = kSamples * kSamples;
      auto byte = [n](double v) { return static_cast<uint32_t>(std::lround(v / n * 255.0)); };
      // Premultiplied ARGB: the channel sums already carry the coverage.
      row[x] = byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  Context cr(cairo_create(surface.get()));
  cairo_set_line_width(cr.get(), 3.0);
  cairo_set_source_rgb(cr.get(), 0x05 / 255.0, 0x08 / 255.0, 0x0B / 255.0);
  cairo_arc(cr.get(), centre, centre, radius + 2.5, 0, 2 * kPi);
  cairo_stroke(cr.get());
  cairo_set_line_width(cr.get(), 1.0);
  cairo_set_source_rgb(cr.get(), 0x24 / 255.0, 0x31 / 255.0, 0x3E / 255.0);
  cairo_arc(cr.get(), centre, centre, radius + 4.5, 0, 2 * kPi);
  cairo_stroke(cr.get());
  return SavePng(surface.get(), path);
}

}  // namespace skin
