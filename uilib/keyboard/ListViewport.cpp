#include "uilib/keyboard/ListViewport.h"

#include <algorithm>

namespace tumi {

int ListViewport::ContentHeight() const {
  long long content = static_cast<long long>(std::max(count, 0)) * Row();
  return static_cast<int>(std::min<long long>(content, 0x7FFFFFFF));
}

int ListViewport::Offset() const {
  if (range <= 0 || !NeedsScroll()) return 0;
  long long hidden = ContentHeight() - height;
  long long at = std::clamp(position, 0, range);
  return static_cast<int>(hidden * at / range);
}

int ListViewport::FirstVisible() const {
  if (count <= 0) return -1;
  return std::min(std::max(Offset() / Row(), 0), count - 1);
}

int ListViewport::LastVisible() const {
  if (count <= 0) return -1;
  return std::min((height + Offset()) / Row(), count - 1);
}

int ListViewport::RowAt(int y) const {
  if (y < 0 || y >= height || count <= 0) return -1;
  int row = (y + Offset()) / Row();
  return row < count ? row : -1;
}

}  // namespace tumi
