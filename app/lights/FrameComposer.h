#pragma once
// Puts the spectrum over the background: in rows 1 to 63 a column shows the
// foreground up to its height; row 0 is a bass bar that widens from the
// middle towards both edges with the height of column 5.
#include <array>

#include "app/lights/LightPicture.h"

namespace tessaro {

struct FrameComposer {
  static constexpr int kBassColumn = 5;
  static constexpr float kBassThreshold = 0.05f;

  static void Compose(const std::array<float, LightPicture::kColumns>& heights,
                      const LightPicture& foreground, const LightPicture& background,
                      LightPicture& frame);
};

}  // namespace tessaro
