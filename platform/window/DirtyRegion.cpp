#include "platform/window/DirtyRegion.h"

namespace platform {

void DirtyRegion::Add(const Rect& rect) {
  if (all_ || rect.IsEmpty()) return;
  Rect merged = rect;
  // Swallow every rectangle the new one touches; repeat because the grown
  // rectangle may now reach others.
  for (bool grew = true; grew;) {
    grew = false;
    for (auto it = rects_.begin(); it != rects_.end();) {
      if (!merged.Intersect(*it).IsEmpty()) {
        merged = merged.Union(*it);
        it = rects_.erase(it);
        grew = true;
      } else {
        ++it;
      }
    }
  }
  rects_.push_back(merged);
  if (rects_.size() > kMaxRects) {
    Rect bounds;
    for (const Rect& r : rects_) bounds = bounds.Union(r);
    rects_.assign(1, bounds);
  }
}

void DirtyRegion::Clear() {
  all_ = false;
  rects_.clear();
}

std::vector<Rect> DirtyRegion::Rects(Size client) const {
  Rect area = Rect::FromSize({0, 0}, client);
  if (all_) return area.IsEmpty() ? std::vector<Rect>{} : std::vector<Rect>{area};
  std::vector<Rect> out;
  for (const Rect& r : rects_) {
    Rect clipped = r.Intersect(area);
    if (!clipped.IsEmpty()) out.push_back(clipped);
  }
  return out;
}

std::optional<Rect> DirtyRegion::Bounds(Size client) const {
  Rect bounds;
  for (const Rect& r : Rects(client)) bounds = bounds.Union(r);
  if (bounds.IsEmpty()) return std::nullopt;
  return bounds;
}

}  // namespace platform
