#pragma once
// A picture of the music light: 256 columns by 64 rows of colour references
// 0x00BBGGRR, row 0 on top. The key colour refresh samples it at the keys.
#include <array>
#include <cstdint>

namespace tessaro {

struct LightPicture {
  static constexpr int kColumns = 256;
  static constexpr int kRows = 64;

  std::array<uint32_t, kColumns * kRows> cells{};

  uint32_t At(int column, int row) const { return cells[row * kColumns + column]; }
  uint32_t& At(int column, int row) { return cells[row * kColumns + column]; }
};

}  // namespace tessaro
