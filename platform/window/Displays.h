#pragma once
// Screen and work-area geometry. UI thread only.
#include <vector>

#include "platform/window/Geometry.h"

namespace platform {

struct Monitor {
  Rect bounds;     // screen coordinates
  Rect work_area;  // bounds without panels and docks
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

class Displays {
 public:
  virtual ~Displays() = default;
  virtual std::vector<Monitor> Monitors() const = 0;  // the primary first; never empty
};

// The monitor that overlaps the rectangle most, or else the one nearest to its
// centre; the first when the list is empty of both.
Monitor NearestMonitor(const std::vector<Monitor>& monitors, const Rect& rect);

}  // namespace platform
