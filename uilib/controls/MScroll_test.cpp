#include "uilib/controls/MScroll.h"

#include <gtest/gtest.h>

#include <limits>

#include "uilib/controls/CScrollHorizontal.h"
#include "uilib/controls/CScrollVertical.h"

namespace tumi {
namespace {

// A parent that records repaint requests and notifications.
class RecordingParent : public MObject {
 public:
  long OnControlUpdate(const Rect&, int redraw, MControl*) override {
    redraws.push_back(redraw);
    return 0;
  }
  long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t) override {
    moves.push_back({id, code, static_cast<int>(wparam)});
    return 0;
  }
  struct Move {
    unsigned id;
    unsigned code;
    int position;
    friend bool operator==(const Move&, const Move&) = default;
  };
  std::vector<int> redraws;
  std::vector<Move> moves;
};

struct RangeCase {
  const char* name;
  int length;
  int maximum;
  int page;  // 0: automatic
  int position;
  int expected_page;
  int thumb_top;  // from the bar's start
  int thumb_length;
  int scrollable;
  int expected_position;
};

const RangeCase kRangeCases[] = {
    // 33 computed, below 100: the bar keeps 50 pixels beside the thumb.
    {"share below 100, short bar", 100, 300, 0, 0, 100, 0, 50, 1, 0},
    {"share below 100, long bar", 300, 3000, 0, 0, 300, 0, 100, 1, 0},
    {"share below 100, 120-pixel bar", 120, 1000, 0, 0, 120, 0, 70, 1, 0},
    {"large maximum: a tenth of it", 2000, 50000, 0, 0, 5000, 0, 200, 1, 0},
    {"middle position", 100, 300, 0, 150, 100, 25, 50, 1, 150},
    {"position at the end", 100, 300, 0, 300, 100, 50, 50, 1, 300},
    {"position beyond the end is kept in the range", 100, 300, 0, 900, 100, 50, 50, 1, 300},
    {"negative position", 100, 300, 0, -20, 100, 0, 50, 1, 0},
    {"explicit page", 200, 400, 50, 0, 50, 0, 100, 1, 0},
    {"page covers the range", 100, 50, 0, 0, 100, 0, 100, 0, 0},
    // Bars of 50 pixels or less have no room for the 50-pixel margin: the
    // thumb takes half the bar instead of a negative length.
    {"40-pixel bar", 40, 400, 0, 400, 40, 20, 20, 1, 400},
    {"10-pixel bar", 10, 400, 0, 0, 40, 0, 5, 1, 0},
    // Nothing to scroll: no thumb, no division by the empty range.
    {"zero maximum", 100, 0, 0, 5, 100, 0, 0, 0, 0},
    {"negative maximum", 100, -30, 0, 5, 100, 0, 0, 0, 0},
};

TEST(MScrollTest, RangeComputationPlacesTheThumb) {
  for (const RangeCase& c : kRangeCases) {
    RecordingParent parent;
    CScrollVertical v(&parent, 1, Rect{10, 20, 17, 20 + c.length}, 1);
    v.SetScrollInfo(c.maximum, c.position, c.page, 0);
    if (c.page == 0) v.SetScrollMaxRange(c.maximum);  // recomputes an automatic page
    EXPECT_EQ(v.GetScrollPage(), c.expected_page) << c.name;
    EXPECT_EQ(v.IsScrollable(), c.scrollable) << c.name;
    EXPECT_EQ(v.GetScrollCurrentPos(), c.expected_position) << c.name;
    if (c.thumb_length > 0) {
      EXPECT_EQ(v.GetThumbRect(),
                (Rect{10, 20 + c.thumb_top, 17, 20 + c.thumb_top + c.thumb_length}))
          << c.name;
    } else {
      EXPECT_TRUE(v.GetThumbRect().IsEmpty()) << c.name;
    }
    // The horizontal bar computes the same along x.
    CScrollHorizontal h(&parent, 2, Rect{20, 10, 20 + c.length, 17}, 1);
    h.SetScrollInfo(c.maximum, c.position, c.page, 0);
    if (c.page == 0) h.SetScrollMaxRange(c.maximum);
    EXPECT_EQ(h.IsScrollable(), c.scrollable) << c.name;
    if (c.thumb_length > 0) {
      EXPECT_EQ(h.GetThumbRect(),
                (Rect{20 + c.thumb_top, 10, 20 + c.thumb_top + c.thumb_length, 17}))
          << c.name;
    }
    EXPECT_TRUE(parent.moves.empty()) << c.name;  // programmatic changes are quiet
  }
}

TEST(MScrollTest, ContentOffsetPositionsAndRowSteps) {
  RecordingParent parent;
  CScrollVertical bar(&parent, 1, Rect{0, 0, 7, 100}, 1);
  bar.SetScrollMaxRange(300);
  // A position in content pixels: 100 of the 200 that lie beyond the bar.
  bar.SetScrollCurrentPosEx(100);
  EXPECT_EQ(bar.GetThumbRect().top, 25);
  bar.SetScrollCurrentPos(0);
  EXPECT_EQ(bar.ScrollRow(-1), 0);
  EXPECT_EQ(bar.ScrollRow(2), 1);
  EXPECT_EQ(bar.GetScrollCurrentPos(), 20);
  EXPECT_EQ(bar.ScrollRow(1000), 1);
  EXPECT_EQ(bar.GetScrollCurrentPos(), 300);
  bar.SetScrollCurrentPos(0);
  // The final position is taken at once; the thumb follows at the next range.
  bar.SetScrollFinalPos();
  EXPECT_EQ(bar.GetScrollCurrentPos(), 300);
  EXPECT_EQ(bar.GetThumbRect().top, 0);
  EXPECT_EQ(bar.SetRange(), 300);
  EXPECT_EQ(bar.GetThumbRect().top, 50);
  // A maximum change recomputes an automatic page but keeps a given one.
  bar.SetScrollSize(40, 5);
  bar.SetScrollMaxRange(2000);
  EXPECT_EQ(bar.GetScrollPage(), 40);
  EXPECT_EQ(bar.GetScrollStep(), 5);
  EXPECT_TRUE(parent.moves.empty());
}

TEST(MScrollTest, PressBesideTheThumbPagesTowardsIt) {
  RecordingParent parent;
  CScrollVertical bar(&parent, 1, Rect{0, 0, 7, 200}, 1);
  // A page of 50 in 400 is 25 pixels of this bar; the thumb is 100 long.
  bar.SetScrollInfo(400, 400, 50, 0);
  ASSERT_EQ(bar.GetThumbRect(), (Rect{0, 100, 7, 200}));
  const int expected[] = {300, 200, 100, 0};
  for (int position : expected) {
    bar.OnLButtonDown(0, {3, 10});
    bar.OnLButtonUp(0, {3, 10});
    EXPECT_EQ(bar.GetScrollCurrentPos(), position);
  }
  EXPECT_EQ(bar.GetThumbRect().top, 0);
  ASSERT_EQ(parent.moves.size(), 4u);
  EXPECT_EQ(parent.moves[0], (RecordingParent::Move{1, kNotifyScrolled, 300}));
  // At the top a press above cannot move the thumb: nothing is reported.
  bar.OnLButtonDown(0, {3, 0});
  EXPECT_EQ(parent.moves.size(), 4u);
  bar.OnLButtonUp(0, {3, 0});
  // Below the thumb it pages down, and paging leaves the look alone.
  int look = bar.GetThumbState();
  bar.OnLButtonDown(0, {3, 190});
  EXPECT_EQ(parent.moves.back(), (RecordingParent::Move{1, kNotifyScrolled, 100}));
  EXPECT_EQ(bar.IsChangeing(), 0);
  EXPECT_EQ(bar.GetThumbState(), look);
}

TEST(MScrollTest, DraggingTheThumbFollowsThePointerInsideTheBar) {
  RecordingParent parent;
  CScrollVertical bar(&parent, 1, Rect{0, 0, 7, 200}, 1);
  bar.SetScrollInfo(400, 0, 50, 0);
  bar.OnMouseMove(0, {3, 50});
  EXPECT_EQ(bar.GetThumbState(), 1);
  EXPECT_EQ(parent.redraws.back(), 0);  // hover: the parent's caches stay
  bar.OnLButtonDown(0, {3, 50});
  EXPECT_EQ(bar.GetThumbState(), 2);
  bar.OnMouseMove(0, {3, 80});
  EXPECT_EQ(bar.GetThumbRect().top, 30);
  EXPECT_EQ(parent.moves.back(), (RecordingParent::Move{1, kNotifyScrolled, 120}));
  // Past the end the thumb stops; coming back it moves only once the
  // pointer is back where the thumb stopped.
  bar.OnMouseMove(0, {3, 300});
  EXPECT_EQ(bar.GetThumbRect().top, 100);
  EXPECT_EQ(bar.GetScrollCurrentPos(), 400);
  size_t reported = parent.moves.size();
  bar.OnMouseMove(0, {3, 160});
  EXPECT_EQ(parent.moves.size(), reported);
  bar.OnMouseMove(0, {3, 140});
  EXPECT_EQ(bar.GetThumbRect().top, 90);
  EXPECT_EQ(parent.moves.back(), (RecordingParent::Move{1, kNotifyScrolled, 360}));
  bar.OnLButtonUp(0, {3, 140});
  EXPECT_EQ(bar.GetThumbState(), 1);
  bar.OnMouseMove(0, {3, 10});
  EXPECT_EQ(bar.GetThumbState(), 0);
  // Disabled: the thumb neither lights up nor moves.
  bar.SetEnabled(0);
  bar.OnMouseMove(0, {3, 120});
  bar.OnLButtonDown(0, {3, 10});
  EXPECT_EQ(bar.GetThumbState(), 0);
  EXPECT_EQ(bar.GetScrollCurrentPos(), 360);
}

TEST(MScrollTest, AnUnscrollableBarIgnoresTheMouse) {
  RecordingParent parent;
  CScrollHorizontal bar(&parent, 2, Rect{0, 0, 200, 7}, 1);
  bar.SetScrollMaxRange(0);
  EXPECT_EQ(bar.OnLButtonDown(0, {50, 3}), 0);
  EXPECT_EQ(bar.OnMouseMove(0, {60, 3}), 0);
  EXPECT_EQ(bar.MoveRange(10), 0);
  EXPECT_TRUE(parent.moves.empty());
  // Scrollable again: dragging along x reports positions.
  bar.SetScrollInfo(400, 0, 50, 0);
  bar.OnLButtonDown(0, {50, 3});
  bar.OnMouseMove(0, {60, 3});
  EXPECT_EQ(parent.moves.back(), (RecordingParent::Move{2, kNotifyScrolled, 40}));
  // Any delta is limited to the bar, even one that would overflow.
  EXPECT_EQ(bar.MoveRange(std::numeric_limits<int>::max()), 90);
  EXPECT_EQ(bar.GetScrollCurrentPos(), 400);
  EXPECT_EQ(bar.MoveRange(std::numeric_limits<int>::min()), -100);
  EXPECT_EQ(bar.GetScrollCurrentPos(), 0);
}

}  // namespace
}  // namespace tumi
