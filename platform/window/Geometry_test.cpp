#include <gtest/gtest.h>

#include "platform/window/DirtyRegion.h"
#include "platform/window/Displays.h"
#include "platform/window/Message.h"

namespace platform {
namespace {

TEST(DirtyRegion, MergesOverlapsAndClipsToTheClientArea) {
  DirtyRegion region;
  EXPECT_TRUE(region.IsEmpty());
  region.Add(Rect{0, 0, 10, 10});
  region.Add(Rect{50, 50, 60, 60});
  region.Add(Rect{5, 5, 55, 55});  // reaches both
  region.Add(Rect{3, 3, 3, 9});    // empty: ignored
  EXPECT_EQ(region.Rects({100, 100}), (std::vector<Rect>{Rect{0, 0, 60, 60}}));
  region.Clear();
  for (int i = 0; i < 20; ++i) region.Add(Rect{i * 10, 0, i * 10 + 5, 5});
  EXPECT_LE(region.Rects({1000, 1000}).size(), DirtyRegion::kMaxRects);  // collapsed on the way
  EXPECT_EQ(region.Bounds({100, 100}), (Rect{0, 0, 100, 5}));
  region.AddAll();
  EXPECT_EQ(region.Bounds({30, 40}), (Rect{0, 0, 30, 40}));
  EXPECT_EQ(region.Bounds({0, 0}), std::nullopt);
}

TEST(NearestMonitor, PrefersOverlapThenDistance) {
  std::vector<Monitor> monitors = {
      Monitor{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040}},
      Monitor{Rect{1920, 0, 3200, 1024}, Rect{1920, 30, 3200, 1024}},
  };
  EXPECT_EQ(NearestMonitor(monitors, Rect{1800, 10, 2200, 100}), monitors[1]);  // more overlap
  EXPECT_EQ(NearestMonitor(monitors, Rect{100, 100, 200, 200}), monitors[0]);
  EXPECT_EQ(NearestMonitor(monitors, Rect{4000, 500, 4100, 600}), monitors[1]);  // off screen
  EXPECT_EQ(NearestMonitor({}, Rect{0, 0, 1, 1}), Monitor{});
}

TEST(MessageParams, PointsKeepTheirSign) {
  for (Point p : {Point{0, 0}, Point{-1, -1}, Point{310, -20}, Point{32767, -32768}}) {
    EXPECT_EQ(UnpackPoint(PackPoint(p)), p);
  }
  EXPECT_EQ(SignedHighWord(PackWords(0x0001, -120)), -120);
}

}  // namespace
}  // namespace platform
