#pragma once
// The state frames of a strip image: equal frames side by side (or, for the
// vertical scroll bar pictures, one above the other); frame i is state i.
#include "uilib/core/Rect.h"

namespace tumi {

enum class StripOrientation { kHorizontal, kVertical };

class ImageStrip {
 public:
  static constexpr int kDefaultFrameCount = 4;  // normal, hover, pressed, disabled

  // A frame count below 1 counts as 1, so a strip always has a frame to draw.
  ImageStrip(int image_width, int image_height, int frame_count = kDefaultFrameCount,
             StripOrientation orientation = StripOrientation::kHorizontal);

  int FrameCount() const { return count_; }
  // Integer division: pixels left over at the end belong to no frame.
  int FrameWidth() const;
  int FrameHeight() const;
  // States below 0 draw frame 0, states beyond the strip its last frame.
  int ClampState(int state) const;
  // Source rectangle of the (clamped) state's frame within the image.
  Rect Frame(int state) const;

 private:
  int width_;
  int height_;
  int count_;
  StripOrientation orientation_;
};

}  // namespace tumi
