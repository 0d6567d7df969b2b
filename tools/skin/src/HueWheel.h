// The colour wheel of the light page. Drawn pixel by pixel rather than from
// vector art: the control picks the colour under the pointer from the screen,
// so every pixel inside the pickable radius must be the exact hue and
// saturation of its angle and distance.
#pragma once

#include <string>

namespace skin {

class HueWheel {
 public:
  // side: image size; red at the top, hues run clockwise, white at the centre.
  static bool Write(const std::string& path, int side);
};

}  // namespace skin
