#include "uilib/core/ImageStrip.h"

#include <algorithm>

namespace tumi {

ImageStrip::ImageStrip(int image_width, int image_height, int frame_count,
                       StripOrientation orientation)
    : width_(std::max(image_width, 0)),
      height_(std::max(image_height, 0)),
      count_(std::max(frame_count, 1)),
      orientation_(orientation) {}

int ImageStrip::FrameWidth() const {
  return orientation_ == StripOrientation::kHorizontal ? width_ / count_ : width_;
}

int ImageStrip::FrameHeight() const {
  return orientation_ == StripOrientation::kVertical ? height_ / count_ : height_;
}

int ImageStrip::ClampState(int state) const {
  return std::clamp(state, 0, count_ - 1);
}

Rect ImageStrip::Frame(int state) const {
  const int i = ClampState(state);
  if (orientation_ == StripOrientation::kHorizontal) {
    return Rect::FromSize(i * FrameWidth(), 0, FrameWidth(), height_);
  }
  return Rect::FromSize(0, i * FrameHeight(), width_, FrameHeight());
}

}  // namespace tumi
