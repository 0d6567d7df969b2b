#pragma once
// Integer geometry of windows and input, in pixels. A rectangle holds its
// left and top edges and excludes its right and bottom edges, as the UI code
// expects of window and control rectangles.
#include <algorithm>

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect FromSize(Point origin, Size size) {
    return {origin.x, origin.y, origin.x + size.width, origin.y + size.height};
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  Size GetSize() const { return {Width(), Height()}; }
  Point TopLeft() const { return {left, top}; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // The common part; empty (all zero) when the two do not overlap.
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    return r.IsEmpty() ? Rect{} : r;
  }
  // The smallest rectangle holding both; an empty side does not count.
  Rect Union(const Rect& o) const {
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace platform
