#pragma once
// The vertical geometry of a list of equal rows scrolled by a bar: how far
// the content is moved up, which rows show and which row is under a point.
// Pure arithmetic, shared by the lists of this folder.

namespace tumi {

struct ListView {
  int offset = 0;  // pixels of content above the visible area
  int first = -1;  // first visible row, -1 without rows
  int last = -1;   // last visible row, -1 without rows
};

class ListScroll {
 public:
  // A bar at `position` of `maximum` moves content of `content` pixels in a
  // view `height` high. Never negative; 0 for an empty range or content that
  // fits, so empty lists never divide by zero.
  static int Offset(int content, int height, int position, int maximum);
  // The visible rows of `count` rows of `row_height` in a view `height` high.
  static ListView View(int count, int row_height, int height, int position, int maximum);
  // The bar position that shows rows from `offset` pixels on (the smallest
  // position whose offset reaches it).
  static int PositionFor(int content, int height, int maximum, int offset);
  // The bar position that brings `row` fully into view, moving as little as
  // possible.
  static int PositionShowing(int row, int count, int row_height, int height, int position,
                             int maximum);
  // The row whose band holds the y coordinate (relative to the view's top),
  // -1 outside every row.
  static int RowAt(const ListView& view, int count, int row_height, int y);
};

}  // namespace tumi
