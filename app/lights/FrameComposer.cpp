#include "app/lights/FrameComposer.h"

namespace tessaro {

void FrameComposer::Compose(const std::array<float, LightPicture::kColumns>& heights,
                            const LightPicture& foreground, const LightPicture& background,
                            LightPicture& frame) {
  constexpr int kColumns = LightPicture::kColumns;
  constexpr int kRows = LightPicture::kRows;
  for (int r = 1; r < kRows; ++r) {
    const float threshold = static_cast<float>(kRows - r) / kRows;
    const int base = r * kColumns;
    for (int c = 0; c < kColumns; ++c) {
      frame.cells[base + c] =
          heights[c] > threshold ? foreground.cells[base + c] : background.cells[base + c];
    }
  }
  const float bass = heights[kBassColumn] - kBassThreshold;
  constexpr int kMiddle = kColumns / 2;
  for (int c = 0; c < kColumns; ++c) {
    const int distance = c < kMiddle ? (kMiddle - 1 - c) : (c - kMiddle);
    const bool lit = static_cast<float>(distance) / kMiddle < bass;
    frame.cells[c] = lit ? foreground.cells[c] : background.cells[c];
  }
}

}  // namespace tessaro
