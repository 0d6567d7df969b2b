#pragma once
// The colour of one light position (the layout's light slot map gives a key's
// position).
#include <cstdint>

namespace tessaro {

struct PositionColor {
  int position = 0;
  uint32_t color = 0;  // colour reference 0x00BBGGRR
};

}  // namespace tessaro
