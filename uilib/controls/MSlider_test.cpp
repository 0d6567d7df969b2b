#include "uilib/controls/MSlider.h"

#include <gtest/gtest.h>

#include "uilib/controls/ControlTestWindow.h"
#include "uilib/controls/MProgress.h"
#include "uilib/testing/RecordingTextSink.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::Notification;
using testing::RecordingTextSink;

// 236 pixels wide with the default 36-pixel thumb: a 200-pixel track.
constexpr Rect kSlider{20, 20, 256, 56};

TEST(MSliderTest, ProgressPlacesTheThumb) {
  struct Case {
    int minimum;
    int maximum;
    int set;
    int progress;
    int thumb_offset;
  };
  const Case cases[] = {
      {0, 10, 5, 5, 100},
      {0, 10, 10, 10, 200},
      {0, 10, 11, 10, 200},
      {0, 10, -1, 0, 0},
      {10, 20, 15, 15, 100},
      {10, 20, 5, 0, 0},
      // An empty range keeps the thumb at the left.
      {4, 4, 4, 4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.minimum << ".." << c.maximum << " set " << c.set);
    ControlTestWindow w;
    auto* slider = w.Add<MSlider>(3, kSlider);
    slider->SetMinProgress(c.minimum);
    slider->SetMaxProgress(c.maximum);
    EXPECT_EQ(slider->SetProgress(c.set), c.progress);
    EXPECT_EQ(slider->GetThumbRect(), Rect::FromSize(kSlider.left + c.thumb_offset, 20, 36, 36));
    w.Show();
  }
}

TEST(MSliderTest, ClickDragAndWheelReportTheValue) {
  ControlTestWindow w;
  auto* slider = w.Add<MSlider>(3, kSlider);
  // 50 pixels right of the left edge: 50 * 11 / 200 = 2.
  w.Move({70, 30});
  w.Press({70, 30});
  EXPECT_EQ(slider->GetProgress(), 2);
  EXPECT_EQ(slider->GetSliderState(), 2);  // the thumb came under the pointer
  w.Move({130, 30});                       // 110 * 11 / 200 = 6
  w.Move({131, 30});                       // still 6: nothing reported
  w.Release({131, 30});
  EXPECT_EQ(w.dialog.notifications, (std::vector<Notification>{{3, kNotifyScrolled, 2, 0},
                                                               {3, kNotifyScrolled, 6, 0},
                                                               {3, kNotifyActivated, 0, 0}}));
  w.dialog.notifications.clear();
  w.Wheel({131, 30}, 120);  // away from the user: up
  w.Wheel({131, 30}, -120);
  w.Wheel({131, 30}, -120);
  EXPECT_EQ(slider->GetProgress(), 5);
  EXPECT_EQ(w.dialog.CodesFrom(3),
            (std::vector<unsigned>{kNotifyActivated, kNotifyActivated, kNotifyActivated}));
  slider->SetProgress(0);
  w.dialog.notifications.clear();
  w.Wheel({131, 30}, -120);  // already at the minimum
  EXPECT_TRUE(w.dialog.notifications.empty());
}

TEST(MSliderTest, NoRoomForTheThumbKeepsTheValue) {
  ControlTestWindow w;
  auto* slider = w.Add<MSlider>(3, Rect{20, 20, 56, 56});  // as wide as its thumb
  slider->SetProgress(3);
  EXPECT_EQ(slider->MoveThumbPos({50, 30}), 3);
  EXPECT_EQ(slider->GetThumbRect().left, 20);
  w.Click({40, 30});
  EXPECT_EQ(w.dialog.CodesFrom(3), (std::vector<unsigned>{kNotifyActivated}));
}

TEST(MSliderTest, TitleAndValueAreShownBelow) {
  RecordingTextSink texts;
  ControlTestWindow w;
  auto* slider = w.Add<MSlider>(3, kSlider);
  slider->SetTitle("Speed ");
  slider->SetProgress(7);
  w.Show();
  auto drawn = texts.Find("Speed 7");
  ASSERT_TRUE(drawn.has_value());
  EXPECT_EQ(drawn->box, Rect::FromSize(0, 16, 236, 20));
  EXPECT_EQ(drawn->color, 0xFF050505u);
}

TEST(MProgressTest, TextBarAndGuards) {
  struct Case {
    int maximum;
    int progress;
    const char* text;
    int filled;  // pixels of the 100-pixel bar
  };
  const Case cases[] = {
      {100, 42, "42%", 42}, {50, 42, "42", 84}, {50, 60, "50", 100}, {0, 5, "0", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingTextSink texts;
    ControlTestWindow w;
    auto* bar = w.Add<MProgress>(6, Rect{100, 100, 200, 120});
    bar->SetMaxProgress(c.maximum);
    bar->SetProgress(c.progress);
    bar->EnableShowText(1);
    w.Show();
    EXPECT_TRUE(texts.Find(c.text).has_value());
    Argb bar_colour = 0xFFFFE100;
    if (c.filled > 0) {
      EXPECT_EQ(w.Shown({100 + c.filled - 1, 118}), bar_colour);
    }
    if (c.filled < 100) {
      EXPECT_NE(w.Shown({100 + c.filled, 118}), bar_colour);
    }
  }
}

TEST(MProgressTest, RunningStepsEveryThirdTickAndWraps) {
  ControlTestWindow w;
  auto* bar = w.Add<MProgress>(6, Rect{100, 100, 200, 120});
  bar->SetMaxProgress(3);
  w.pm().SetMTimer(10);
  EXPECT_EQ(bar->SetRun(1, 1), 1);
  EXPECT_EQ(bar->GetProgress(), 1);
  std::vector<int> seen;
  for (int tick = 0; tick < 9; ++tick) {
    w.ui.System().FireDialogTimers();
    seen.push_back(bar->GetProgress());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 1, 2, 2, 2, 0, 0, 0, 1}));
  bar->SetEnabled(0);
  EXPECT_EQ(bar->SetRun(0), 1);  // disabled: unchanged
  EXPECT_EQ(bar->SetProgress(2), 1);
  w.pm().KillMTimer();
}

}  // namespace
}  // namespace tumi
