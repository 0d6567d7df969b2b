#include "uilib/keyboard/MLevelCtrl.h"

#include <gtest/gtest.h>

#include "uilib/core/ControlFactory.h"
#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::Notification;
using testing::RecordingDialog;
using testing::RecordingTextSink;

TEST(MLevelCtrlRangeTest, LevelsAreClampedAndEmptyRangesRefused) {
  MLevelCtrl level(nullptr, 1, Rect{0, 0, 336, 40}, "", 1, 1);
  EXPECT_EQ(level.SegmentCount(), 16);
  // 16 segments of (336 - 80) / 16 = 16 pixels, 5 apart.
  EXPECT_EQ(level.SegmentRect(1), (Rect{21, 0, 37, 12}));
  struct Case {
    int value;
    int level;
  };
  for (const Case& c : {Case{20, 15}, Case{-3, 0}, Case{7, 7}}) {
    level.SetLevelValue(c.value);
    EXPECT_EQ(level.GetLevelValue(), c.level) << c.value;
  }
  EXPECT_FALSE(level.SetRangeValue(10, 9));
  EXPECT_EQ(level.GetMaximum(), 15);
  // A new range pulls the level into it.
  EXPECT_TRUE(level.SetRangeValue(10, 12));
  EXPECT_EQ(level.GetLevelValue(), 10);
  // A range far wider than the control has no drawable segments.
  EXPECT_TRUE(level.SetRangeValue(-2000000000, 2000000000));
  EXPECT_EQ(level.SegmentCount(), 4000000001LL);
  EXPECT_TRUE(level.SegmentRect(0).IsEmpty());
}

class MLevelCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      level = static_cast<MLevelCtrl*>(
          d.CreateControl("MLevelCtrl", 9, Rect{20, 20, 20 + 336, 60}, "Speed "));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 400, 100});
    window = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }
  void Click(Point p) {
    ui.System().MovePointer(window, {20 + p.x, 20 + p.y});
    ui.System().Click(window, {20 + p.x, 20 + p.y});
    ui.Pump();
  }
  Argb Shown(Point p) { return ui.System().ShownPixel(window, {20 + p.x, 20 + p.y}); }

  HeadlessUi ui;
  RecordingTextSink texts;
  RecordingDialog dialog;
  WindowId window = platform::kNoWindow;
  MLevelCtrl* level = nullptr;
};

TEST_F(MLevelCtrlTest, SegmentsLightUpToTheLevelWithTheCaptionBelow) {
  ASSERT_NE(level, nullptr);
  level->SetLevelValue(3);
  ui.Pump();
  auto caption = texts.Find("Speed 3");
  ASSERT_TRUE(caption.has_value());
  EXPECT_EQ(caption->box, (Rect{0, 12, 336, 40}));
  // Segment k starts at x = 21k; the lit ones keep a 1-pixel unlit edge.
  const Argb lit = Shown({3 * 21 + 3, 5});
  const Argb unlit = Shown({4 * 21 + 3, 5});
  EXPECT_NE(lit, unlit);
  EXPECT_EQ(Shown({3, 5}), lit);
  EXPECT_EQ(Shown({3 * 21, 5}), unlit);
  EXPECT_NE(Shown({3 * 21 + 17, 5}), unlit);  // the gap
  level->SetRangeValue(0, 100);
  level->SetLevelValue(100);
  ui.Pump();
  EXPECT_TRUE(texts.Find("Speed 100%").has_value());
}

TEST_F(MLevelCtrlTest, AClickOnASegmentSetsTheLevel) {
  struct Case {
    Point p;
    int level;
    bool notified;
  };
  for (const Case& c : {Case{{21 * 5 + 2, 4}, 5, true},    // on segment 5
                        Case{{21 * 5 + 2, 4}, 5, false},   // the level it has: no news
                        Case{{21 * 6 - 3, 4}, 5, false},   // in the gap after segment 5
                        Case{{21 * 2 + 2, 20}, 5, false},  // below the segments
                        Case{{21 * 15 + 1, 0}, 15, true}}) {
    dialog.notifications.clear();
    Click(c.p);
    EXPECT_EQ(level->GetLevelValue(), c.level) << c.p.x << "," << c.p.y;
    ASSERT_EQ(dialog.notifications.size(), c.notified ? 1u : 0u);
    if (c.notified) {
      EXPECT_EQ(dialog.notifications[0],
                (Notification{9, kNotifyActivated, static_cast<std::uintptr_t>(c.level), 0}));
    }
  }
  level->SetEnabled(0);
  Click({2, 2});
  EXPECT_EQ(level->GetLevelValue(), 15);
}

}  // namespace
}  // namespace tumi
