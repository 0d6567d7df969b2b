#include "uilib/keyboard/ListViewport.h"

#include <gtest/gtest.h>

namespace tumi {
namespace {

TEST(ListViewportTest, OffsetsAndVisibleRows) {
  struct Case {
    ListViewport view;
    int offset;
    int first;
    int last;
  };
  const Case cases[] = {
      // Ten rows of 32 in 200 pixels: 120 hidden, half way scrolled is 60.
      {{10, 32, 200, 160, 320}, 60, 1, 8},
      {{10, 32, 200, 0, 320}, 0, 0, 6},
      {{10, 32, 200, 320, 320}, 120, 3, 9},
      // A position beyond the range counts as the end.
      {{10, 32, 200, 900, 320}, 120, 3, 9},
      // Rows that fit never scroll, whatever the bar says.
      {{5, 32, 200, 100, 160}, 0, 0, 4},
      // An empty list has a range of 0: no division, no rows.
      {{0, 32, 200, 5, 0}, 0, -1, -1},
      {{10, 32, 200, 5, 0}, 0, 0, 6},
      {{3, 0, 200, 0, 0}, 0, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.view.count << " rows at " << c.view.position);
    EXPECT_EQ(c.view.Offset(), c.offset);
    EXPECT_EQ(c.view.FirstVisible(), c.first);
    EXPECT_EQ(c.view.LastVisible(), c.last);
  }
}

TEST(ListViewportTest, RowsUnderThePointer) {
  ListViewport view{10, 32, 200, 160, 320};
  EXPECT_EQ(view.RowAt(0), 1);  // 60 pixels scrolled: row 1 starts at -28
  EXPECT_EQ(view.RowAt(4), 2);
  EXPECT_EQ(view.RowAt(200), -1);
  EXPECT_EQ(view.RowAt(-1), -1);
  EXPECT_EQ(view.DrawTop(3), 64);
  ListViewport short_list{2, 32, 200, 0, 0};
  EXPECT_EQ(short_list.RowAt(70), -1);
  EXPECT_FALSE(short_list.NeedsScroll());
}

}  // namespace
}  // namespace tumi
