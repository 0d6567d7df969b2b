#include "uilib/controls/ListScroll.h"

#include <algorithm>
#include <cstdint>

namespace tumi {

int ListScroll::Offset(int content, int height, int position, int maximum) {
  if (maximum <= 0 || content <= height) return 0;
  position = std::clamp(position, 0, maximum);
  // 64 bits: tall content times a large maximum overflows an int.
  auto offset = static_cast<std::int64_t>(content - height) * position / maximum;
  return static_cast<int>(offset);
}

ListView ListScroll::View(int count, int row_height, int height, int position, int maximum) {
  ListView view;
  if (count <= 0 || row_height <= 0) return view;
  view.offset = Offset(count * row_height, height, position, maximum);
  view.first = std::clamp(view.offset / row_height, 0, count - 1);
  view.last = std::clamp((view.offset + std::max(height, 0)) / row_height, 0, count - 1);
  return view;
}

int ListScroll::PositionFor(int content, int height, int maximum, int offset) {
  int range = content - height;
  if (maximum <= 0 || range <= 0 || offset <= 0) return 0;
  if (offset >= range) return maximum;
  auto scaled = static_cast<std::int64_t>(offset) * maximum;
  return static_cast<int>((scaled + range - 1) / range);
}

int ListScroll::PositionShowing(int row, int count, int row_height, int height, int position,
                                int maximum) {
  if (row < 0 || row >= count || row_height <= 0) return position;
  int content = count * row_height;
  int offset = Offset(content, height, position, maximum);
  int top = row * row_height;
  if (top < offset) return PositionFor(content, height, maximum, top);
  if (top + row_height > offset + height) {
    return PositionFor(content, height, maximum, top + row_height - height);
  }
  return position;
}

int ListScroll::RowAt(const ListView& view, int count, int row_height, int y) {
  if (view.first < 0 || row_height <= 0 || y < 0) return -1;
  int row = (y + view.offset) / row_height;
  if (row < view.first || row > view.last || row >= count) return -1;
  return row;
}

}  // namespace tumi
