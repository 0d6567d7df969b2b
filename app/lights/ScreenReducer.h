#pragma once
// Shrinks a screen grab to 18 by 6 colours by averaging an evenly spread
// 8 by 8 sample of each cell. Reading 64 pixels a cell instead of all of them
// keeps a grab of a large screen cheap, and a cell's colour is still the mean
// of what it covers.
#include <array>
#include <cstdint>

#include "platform/screen/ScreenCapture.h"

namespace tessaro {

struct ScreenReducer {
  static constexpr int kColumns = 18;
  static constexpr int kRows = 6;
  static constexpr int kSamples = 8;                     // per cell and axis
  using Cells = std::array<uint32_t, kColumns * kRows>;  // row by row, 0x00BBGGRR

  static Cells Reduce(const platform::ScreenImage& image);
  static uint32_t At(const Cells& cells, int column, int row) {
    return cells[row * kColumns + column];
  }
};

}  // namespace tessaro
