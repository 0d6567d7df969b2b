#include "uilib/controls/ListScroll.h"

#include <gtest/gtest.h>

namespace tumi {
namespace {

TEST(ListScrollTest, VisibleRows) {
  struct Case {
    const char* name;
    int count, height, position, maximum;
    ListView expected;
  };
  const Case cases[] = {
      {"empty list, empty range", 0, 150, 0, 0, {0, -1, -1}},
      {"empty list, stale position", 0, 150, 40, 0, {0, -1, -1}},
      {"rows fit", 3, 150, 0, 90, {0, 0, 2}},
      {"rows fit, stale position", 3, 150, 90, 90, {0, 0, 2}},
      {"top of nine", 9, 150, 0, 270, {0, 0, 5}},
      {"bottom of nine", 9, 150, 270, 270, {120, 4, 8}},
      {"between rows", 9, 150, 20, 270, {8, 0, 5}},
      {"position past the maximum", 9, 150, 900, 270, {120, 4, 8}},
      {"zero height", 4, 0, 60, 120, {60, 2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ListView v = ListScroll::View(c.count, 30, c.height, c.position, c.maximum);
    EXPECT_EQ(v.offset, c.expected.offset);
    EXPECT_EQ(v.first, c.expected.first);
    EXPECT_EQ(v.last, c.expected.last);
  }
}

TEST(ListScrollTest, RowUnderAPoint) {
  ListView top = ListScroll::View(9, 30, 150, 0, 270);
  EXPECT_EQ(ListScroll::RowAt(top, 9, 30, 0), 0);
  EXPECT_EQ(ListScroll::RowAt(top, 9, 30, 149), 4);
  EXPECT_EQ(ListScroll::RowAt(top, 9, 30, -1), -1);
  ListView scrolled = ListScroll::View(9, 30, 150, 20, 270);  // offset 8
  EXPECT_EQ(ListScroll::RowAt(scrolled, 9, 30, 21), 0);
  EXPECT_EQ(ListScroll::RowAt(scrolled, 9, 30, 22), 1);
  ListView few = ListScroll::View(2, 30, 150, 0, 60);
  EXPECT_EQ(ListScroll::RowAt(few, 2, 30, 70), -1);
  EXPECT_EQ(ListScroll::RowAt(ListView{}, 0, 30, 10), -1);
}

TEST(ListScrollTest, BringingARowIntoView) {
  // Nine rows of 30 in a view of 150: offsets 0 to 120 over positions 0 to 270.
  struct Case {
    const char* name;
    int row, position, expected_offset;
  };
  const Case cases[] = {
      {"already shown", 2, 0, 0},   {"below the view", 6, 0, 60},
      {"the last row", 8, 0, 120},  {"above the view", 1, 270, 30},
      {"the first row", 0, 270, 0}, {"partly shown at the bottom", 5, 20, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int position = ListScroll::PositionShowing(c.row, 9, 30, 150, c.position, 270);
    EXPECT_GE(position, 0);
    EXPECT_LE(position, 270);
    EXPECT_EQ(ListScroll::Offset(270, 150, position, 270), c.expected_offset);
  }
  EXPECT_EQ(ListScroll::PositionShowing(3, 0, 30, 150, 0, 0), 0);
  EXPECT_EQ(ListScroll::PositionFor(90, 150, 90, 40), 0);
}

}  // namespace
}  // namespace tumi
