#include "platform/screen/SimulatedScreenCapture.h"

#include <cmath>

namespace platform {
namespace {

uint32_t Rainbow(double turn) {
  auto channel = [turn](double offset) {
    return static_cast<uint32_t>(127.5 + 127.5 * std::sin(2.0 * M_PI * (turn + offset)));
  };
  return channel(0.0) << 16 | channel(1.0 / 3.0) << 8 | channel(2.0 / 3.0);
}

}  // namespace

bool SimulatedScreenCapture::Grab(ScreenImage& image) {
  pixels_.resize(static_cast<size_t>(kWidth) * kHeight);
  const double shift = static_cast<double>(clock_.Now().count() % 4000) / 4000.0;
  std::vector<uint32_t> row(kWidth);
  for (int x = 0; x < kWidth; ++x) row[x] = Rainbow(static_cast<double>(x) / kWidth - shift);
  for (int y = 0; y < kHeight; ++y) {
    // Darker towards the bottom, so rows differ too.
    const uint32_t dim = static_cast<uint32_t>(256 - 128 * y / kHeight);
    uint32_t* line = &pixels_[static_cast<size_t>(y) * kWidth];
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t p = row[x];
      line[x] = (((p >> 16) & 0xFF) * dim / 256) << 16 | (((p >> 8) & 0xFF) * dim / 256) << 8 |
                ((p & 0xFF) * dim / 256);
    }
  }
  image = {kWidth, kHeight, kWidth, pixels_.data()};
  return true;
}

}  // namespace platform
