#pragma once
// One entry of the profile or macro list.
#include <cstdint>
#include <string>

#include "uilib/core/Rect.h"

namespace tumi {

struct DListItem {
  std::string text;
  int image = -1;          // index given when added; the program passes -1
  std::uint32_t data = 0;  // the profile or macro id
  Rect rect;               // the row in content coordinates, set while drawing
};

}  // namespace tumi
