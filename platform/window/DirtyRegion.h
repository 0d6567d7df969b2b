#pragma once
// The damage of one window: a few rectangles, merged where they overlap and
// collapsed into their bounding box when there are too many to be worth
// keeping apart. Not locked; the window core guards it.
#include <optional>
#include <vector>

#include "platform/window/Geometry.h"

namespace platform {

class DirtyRegion {
 public:
  static constexpr std::size_t kMaxRects = 8;

  void Add(const Rect& rect);
  void AddAll() { all_ = true; }
  void Clear();
  bool IsEmpty() const { return !all_ && rects_.empty(); }
  // The damage within a client area of this size.
  std::vector<Rect> Rects(Size client) const;
  std::optional<Rect> Bounds(Size client) const;

 private:
  bool all_ = false;
  std::vector<Rect> rects_;
};

}  // namespace platform
