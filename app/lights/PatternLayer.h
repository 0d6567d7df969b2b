#pragma once
// One layer (foreground or background) of the music light picture, painted
// from a pattern number, a level in percent and the current hue angle.
//
// Patterns: 0 to 8 one colour (black, white, red, orange, yellow, green, cyan,
// blue, violet); 9 to 14 horizontal bands; 15 a sine rainbow across the
// columns; 16 an HSV rainbow across the columns; 17 and 18 HSV hue wheels
// around (128, 32) and (128, 64); 19 one HSV colour of the hue angle; 20 one
// sine colour. Any other number leaves the picture as it is.
//
// Painting is cached: a layer repaints only when its result changes, which for
// patterns 0 to 14 is only when the pattern or the level changes.
#include <cstdint>

#include "app/lights/LightPicture.h"

namespace tessaro {

class PatternLayer {
 public:
  static constexpr int kPatternCount = 21;

  void Paint(int pattern, int level, int hue_angle);
  const LightPicture& Picture() const { return picture_; }

 private:
  static bool FollowsHue(int pattern) { return pattern >= 15; }
  void PaintAll(int pattern, int factor, int hue_angle);
  void PaintBands(const uint32_t* colors, int count, int factor);
  void PaintWheel(int centre_row, int factor, int hue_angle);
  void FillColumns(const uint32_t* row);
  void FillAll(uint32_t color);

  LightPicture picture_{};
  bool painted_ = false;
  int pattern_ = -1;
  int level_ = -1;
  int hue_angle_ = 0;
};

}  // namespace tessaro
