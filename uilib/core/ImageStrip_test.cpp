#include "uilib/core/ImageStrip.h"

#include <gtest/gtest.h>

namespace tumi {
namespace {

TEST(ImageStrip, FramesAreSelectedAndClamped) {
  using enum StripOrientation;
  const struct {
    const char* name;
    int width, height, count;
    StripOrientation orientation;
    int state;
    Rect want;
  } cases[] = {
      {"frame 0 of four", 240, 30, 4, kHorizontal, 0, {0, 0, 60, 30}},
      {"frame 2 of four", 240, 30, 4, kHorizontal, 2, {120, 0, 180, 30}},
      {"state beyond the frames draws the last", 240, 30, 4, kHorizontal, 7, {180, 0, 240, 30}},
      {"negative state draws the first", 240, 30, 4, kHorizontal, -1, {0, 0, 60, 30}},
      {"integer division drops the remainder", 243, 30, 4, kHorizontal, 3, {180, 0, 240, 30}},
      {"frame count 0 counts as 1", 240, 30, 0, kHorizontal, 2, {0, 0, 240, 30}},
      {"negative frame count counts as 1", 240, 30, -5, kHorizontal, 0, {0, 0, 240, 30}},
      {"vertical strip", 28, 239, 3, kVertical, 1, {0, 79, 28, 158}},
      {"vertical strip clamps too", 28, 240, 4, kVertical, 9, {0, 180, 28, 240}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ImageStrip strip(c.width, c.height, c.count, c.orientation);
    EXPECT_GE(strip.FrameCount(), 1);
    EXPECT_EQ(strip.Frame(c.state), c.want);
  }
}

}  // namespace
}  // namespace tumi
