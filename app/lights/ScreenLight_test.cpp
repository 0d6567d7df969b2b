#include "app/lights/ScreenLight.h"

#include <gtest/gtest.h>

#include "app/lights/ColorMath.h"
#include "platform/screen/FakeScreenCapture.h"

namespace tessaro {
namespace {

// A 180 by 60 screen whose 18 by 6 cells of 10 by 10 pixels each have their
// own colour.
uint32_t CellRgb(int x, int y) {
  return (x * 10u) << 16 | (y * 40u) << 8 | 7u;
}
uint32_t CellRef(int x, int y) {
  return color::Ref(x * 10, y * 40, 7);
}

struct ScreenRig {
  platform::FakeScreenCapture capture{180, 60};
  platform::FakeClock clock;
  ScreenGrid grid;
  ScreenLight light{capture, clock, grid};

  ScreenRig() {
    for (int x = 0; x < 18; ++x) {
      for (int y = 0; y < 6; ++y) capture.Fill(x * 10, y * 10, 10, 10, CellRgb(x, y));
    }
  }
};

TEST(ScreenLightTest, EighteenBySixMapsEveryCellToItsOwnPixel) {
  ScreenRig rig;
  ASSERT_TRUE(rig.light.SetUp(18, 6));
  rig.light.Stop();
  ASSERT_TRUE(rig.light.CaptureOnce());
  for (int x = 0; x < 18; ++x) {
    for (int y = 0; y < 6; ++y) EXPECT_EQ(rig.grid.At(x, y), CellRef(x, y)) << x << "," << y;
  }
  EXPECT_EQ(rig.grid.At(18, 0), 0u);
  EXPECT_EQ(rig.grid.At(0, 6), 0u);
}

// Past 18 columns every cell repeats pixel (17, last row); rows 6 and 7 repeat
// row 5 of their column.
TEST(ScreenLightTest, CellsBeyondTheReducedPictureReuseTheLastColour) {
  struct Case {
    int columns, rows;
  };
  for (const Case& c : {Case{22, 6}, Case{32, 8}, Case{20, 4}}) {
    ScreenRig rig;
    ASSERT_TRUE(rig.light.SetUp(c.columns, c.rows));
    rig.light.Stop();
    ASSERT_TRUE(rig.light.CaptureOnce());
    const int last_row = std::min(c.rows, 6) - 1;
    for (int x = 0; x < c.columns; ++x) {
      for (int y = 0; y < c.rows; ++y) {
        const uint32_t expected = x >= 18 ? CellRef(17, last_row) : CellRef(x, std::min(y, 5));
        EXPECT_EQ(rig.grid.At(x, y), expected)
            << c.columns << "x" << c.rows << " at " << x << "," << y;
      }
    }
  }
}

TEST(ScreenLightTest, CountsAreHeldToTheGridAndZeroDoesNothing) {
  ScreenRig rig;
  EXPECT_FALSE(rig.light.SetUp(0, 6));
  EXPECT_FALSE(rig.light.SetUp(18, 0));
  EXPECT_FALSE(rig.light.SetUp(-4, 6));
  EXPECT_FALSE(rig.light.Running());
  ASSERT_TRUE(rig.light.SetUp(40, 12));
  EXPECT_EQ(rig.light.Columns(), 32);
  EXPECT_EQ(rig.light.Rows(), 8);
  ASSERT_TRUE(rig.light.SetUp(10, 3));  // the running thread goes on with new counts
  EXPECT_EQ(rig.light.Columns(), 10);
  EXPECT_TRUE(rig.light.Running());
}

TEST(ScreenLightTest, FailedGrabKeepsTheGrid) {
  ScreenRig rig;
  ASSERT_TRUE(rig.light.SetUp(18, 6));
  rig.light.Stop();
  ASSERT_TRUE(rig.light.CaptureOnce());
  rig.capture.Fill(0, 0, 180, 60, 0xFFFFFF);
  rig.capture.SetFails(true);
  EXPECT_FALSE(rig.light.CaptureOnce());
  EXPECT_EQ(rig.grid.At(3, 2), CellRef(3, 2));
}

TEST(ScreenLightTest, EnabledThreadGrabsWithARestAndStopsGrabbingWhenDisabled) {
  ScreenRig rig;
  rig.light.SetEnabled(true);
  ASSERT_TRUE(rig.light.SetUp(18, 6));
  while (rig.capture.Grabs() < 3) std::this_thread::yield();
  rig.light.SetEnabled(false);
  // Wait until the thread has gone into its disabled rest.
  while (rig.clock.Sleeps().empty() || rig.clock.Sleeps().back() != platform::Milliseconds(100) ||
         rig.clock.Sleeps().size() < 4) {
    std::this_thread::yield();
  }
  const int grabs = rig.capture.Grabs();
  rig.clock.ClearSleeps();
  while (rig.clock.Sleeps().size() < 30) std::this_thread::yield();
  EXPECT_EQ(rig.capture.Grabs(), grabs);
  rig.light.Stop();
  EXPECT_EQ(rig.grid.At(5, 5), CellRef(5, 5));  // the last colours stay
}

TEST(ScreenReducerTest, CellsAreTheMeanOfWhatTheyCover) {
  platform::FakeScreenCapture capture(1920, 1080);
  // The first cell (0..106, 0..179): its left half white, right half black.
  capture.Fill(0, 0, 53, 180, 0xFFFFFF);
  capture.Fill(1707, 900, 213, 180, 0x204080);
  platform::ScreenImage image;
  ASSERT_TRUE(capture.Grab(image));
  const ScreenReducer::Cells cells = ScreenReducer::Reduce(image);
  EXPECT_EQ(ScreenReducer::At(cells, 0, 0), color::Ref(127, 127, 127));
  EXPECT_EQ(ScreenReducer::At(cells, 17, 5), color::Ref(0x20, 0x40, 0x80));
  EXPECT_EQ(ScreenReducer::At(cells, 8, 3), 0u);
}

}  // namespace
}  // namespace tessaro
