#pragma once
// Integer geometry in client pixels: points, sizes and rectangles whose right
// and bottom edges are exclusive, as every control rectangle of the library.
#include <algorithm>

namespace tumi {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
  // Empty ({0,0,0,0}) when the two do not overlap.
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    return r.IsEmpty() ? Rect{} : r;
  }
  bool Intersects(const Rect& o) const { return !Intersect(o).IsEmpty(); }
  // The smallest rectangle holding both; an empty side does not count.
  Rect Union(const Rect& o) const {
    if (IsEmpty()) return o;
    if (o.IsEmpty()) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tumi
