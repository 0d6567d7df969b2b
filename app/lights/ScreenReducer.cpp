#include "app/lights/ScreenReducer.h"

#include "app/lights/ColorMath.h"

namespace tessaro {

ScreenReducer::Cells ScreenReducer::Reduce(const platform::ScreenImage& image) {
  Cells cells{};
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return cells;
  // Sample positions: the centres of kSamples equal parts of each cell.
  std::array<int, kColumns * kSamples> xs;
  std::array<int, kRows * kSamples> ys;
  for (int i = 0; i < kColumns * kSamples; ++i) {
    xs[i] = static_cast<int>((2L * i + 1) * image.width / (2L * kColumns * kSamples));
  }
  for (int i = 0; i < kRows * kSamples; ++i) {
    ys[i] = static_cast<int>((2L * i + 1) * image.height / (2L * kRows * kSamples));
  }
  for (int row = 0; row < kRows; ++row) {
    std::array<uint32_t, kColumns * 3> sums{};
    for (int sy = 0; sy < kSamples; ++sy) {
      const uint32_t* line =
          image.pixels + static_cast<long>(ys[row * kSamples + sy]) * image.stride;
      for (int i = 0; i < kColumns * kSamples; ++i) {
        const uint32_t rgb = line[xs[i]];
        uint32_t* sum = &sums[(i / kSamples) * 3];
        sum[0] += (rgb >> 16) & 0xFF;
        sum[1] += (rgb >> 8) & 0xFF;
        sum[2] += rgb & 0xFF;
      }
    }
    constexpr uint32_t kCount = kSamples * kSamples;
    for (int column = 0; column < kColumns; ++column) {
      const uint32_t* sum = &sums[column * 3];
      cells[row * kColumns + column] =
          color::Ref(static_cast<int>(sum[0] / kCount), static_cast<int>(sum[1] / kCount),
                     static_cast<int>(sum[2] / kCount));
    }
  }
  return cells;
}

}  // namespace tessaro
