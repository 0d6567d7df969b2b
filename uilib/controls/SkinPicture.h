#pragma once
// A skin picture a control owns itself rather than through the window's image
// cache (icons and pictures that are replaced often), with the geometry of its
// frames side by side.
#include <memory>
#include <string>

#include "uilib/core/Image.h"
#include "uilib/core/Rect.h"

namespace tumi {

class SkinPicture {
 public:
  // Loads a skin-relative name (Windows-style separators are fine); false
  // leaves the picture empty.
  bool Load(const std::string& name, int frame_count);
  void Clear() { *this = SkinPicture(); }

  bool Empty() const { return !image_; }
  const Image* Get() const { return image_.get(); }
  int FrameCount() const { return frame_count_; }
  int FrameWidth() const { return frame_width_; }
  int FrameHeight() const { return frame_height_; }
  // The source rectangle of a frame (clamped into the strip).
  Rect Frame(int index) const;

 private:
  std::shared_ptr<const Image> image_;
  int frame_count_ = 1;
  int frame_width_ = 0;
  int frame_height_ = 0;
};

}  // namespace tumi
