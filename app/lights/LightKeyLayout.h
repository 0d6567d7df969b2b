#pragma once
// The parts of the loaded layout the light engines use: the key matrix (low
// byte of the key code per cell, kNoKey where there is none) with the row and
// column counts as the layout gives them, and the light position of each key.
#include <array>
#include <cstdint>
#include <map>

namespace tessaro {

struct LightKeyLayout {
  static constexpr int kMaxRows = 8;
  static constexpr int kMaxColumns = 32;
  static constexpr uint8_t kNoKey = 0xFF;

  int rows = 0;  // unchecked, as read from the layout
  int columns = 0;
  std::array<std::array<uint8_t, kMaxColumns>, kMaxRows> key_matrix{};
  std::map<uint32_t, int> light_slots;  // key code -> light position

  LightKeyLayout() {
    for (auto& row : key_matrix) row.fill(kNoKey);
  }
};

}  // namespace tessaro
