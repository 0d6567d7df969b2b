#include "platform/window/Displays.h"

#include <cstdint>
#include <limits>

namespace platform {

namespace {

std::int64_t Area(const Rect& r) {
  return r.IsEmpty() ? 0 : static_cast<std::int64_t>(r.Width()) * r.Height();
}

std::int64_t DistanceSquared(const Rect& area, Point p) {
  auto axis = [](int v, int lo, int hi) -> std::int64_t {
    if (v < lo) return lo - v;
    if (v >= hi) return v - hi + 1;
    return 0;
  };
  std::int64_t dx = axis(p.x, area.left, area.right);
  std::int64_t dy = axis(p.y, area.top, area.bottom);
  return dx * dx + dy * dy;
}

}  // namespace

Monitor NearestMonitor(const std::vector<Monitor>& monitors, const Rect& rect) {
  if (monitors.empty()) return {};
  const Monitor* best = &monitors.front();
  std::int64_t best_overlap = 0;
  for (const Monitor& m : monitors) {
    std::int64_t overlap = Area(m.bounds.Intersect(rect));
    if (overlap > best_overlap) {
      best_overlap = overlap;
      best = &m;
    }
  }
  if (best_overlap > 0) return *best;
  Point centre{rect.left + rect.Width() / 2, rect.top + rect.Height() / 2};
  std::int64_t best_distance = std::numeric_limits<std::int64_t>::max();
  for (const Monitor& m : monitors) {
    std::int64_t d = DistanceSquared(m.bounds, centre);
    if (d < best_distance) {
      best_distance = d;
      best = &m;
    }
  }
  return *best;
}

}  // namespace platform
