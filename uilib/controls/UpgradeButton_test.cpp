#include "uilib/controls/UpgradeButton.h"

#include <gtest/gtest.h>

#include "uilib/controls/CHelpButton.h"
#include "uilib/controls/CTimerButton.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/controls/DownloadButton.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::RecordingTextSink;
using testing::SkinFixture;

constexpr Rect kButton{20, 20, 120, 50};

TEST(UpgradeButtonTest, BadgeShowsWhileAnUpdateIsAvailable) {
  RecordingTextSink texts;
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("upgrade.png", 100, 30, 4));
  auto* button = w.Add<UpgradeButton>(3, kButton, "");
  button->SetImage("upgrade.png", 4);
  w.Show();
  EXPECT_EQ(w.Shown({111, 28}), SkinFixture::StateColor(0));
  button->SetUpgradeStatus(1);
  w.ui.Pump();
  EXPECT_EQ(w.Shown({111, 28}), 0xFFFF0000u);
  EXPECT_TRUE(texts.Find("1").has_value());
}

TEST(UpgradeButtonTest, DownloadProgressFillsFromTheLeftAndIsClamped) {
  struct Case {
    int set;
    int shown;
    const char* text;  // null: the plain button
  };
  const Case cases[] = {{50, 50, "50%"}, {150, 100, "100%"}, {-5, 0, nullptr}, {0, 0, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    RecordingTextSink texts;
    ControlTestWindow w;
    ASSERT_TRUE(w.ui.AddStrip("download.png", 100, 30, 4));
    auto* button = w.Add<DownloadButton>(3, kButton, "Download");
    button->SetImage("download.png", 4);
    button->SetDownloadProcess(c.set);
    w.Show();
    EXPECT_EQ(button->GetDownloadProcess(), c.shown);
    Argb left = w.Shown({kButton.left + 45, 21});  // above the text
    Argb right = w.Shown({kButton.left + 55, 21});
    if (c.text) {
      EXPECT_EQ(left, SkinFixture::StateColor(1));
      EXPECT_EQ(right, SkinFixture::StateColor(c.shown == 100 ? 1 : 0));
      EXPECT_TRUE(texts.Find(c.text).has_value());
    } else {
      EXPECT_EQ(left, SkinFixture::StateColor(0));
      EXPECT_TRUE(texts.Find("Download").has_value());
    }
  }
}

TEST(UpgradeButtonTest, TimerButtonCountsDownTenSeconds) {
  RecordingTextSink texts;
  ControlTestWindow w;
  auto* button = w.Add<CTimerButton>(3, kButton, "Retry");
  button->SetRun(1);
  w.ui.Pump();
  EXPECT_TRUE(texts.Find("Retry(10s)").has_value());
  auto tick = [&](int ms) { w.ui.Advance(ms); };
  tick(1500);
  EXPECT_TRUE(texts.Find("Retry(9s)").has_value());
  tick(8400);  // 9 900 ms
  EXPECT_TRUE(texts.Find("Retry(1s)").has_value());
  EXPECT_TRUE(w.dialog.notifications.empty());
  tick(100);
  EXPECT_EQ(button->IsRunning(), 0);
  EXPECT_EQ(w.dialog.CodesFrom(3), (std::vector<unsigned>{kNotifyActivated}));
  // A click while running stops it and reports too.
  button->SetRun(1);
  w.Click({30, 30});
  EXPECT_EQ(button->IsRunning(), 0);
  EXPECT_EQ(w.dialog.CodesFrom(3),
            (std::vector<unsigned>{kNotifyActivated, kNotifyPressed, kNotifyActivated}));
  tick(20000);
  EXPECT_EQ(w.dialog.notifications.size(), 3u);
}

TEST(UpgradeButtonTest, HelpButtonShowsItsTitleInTheBubble) {
  ControlTestWindow w;
  w.Add<CHelpButton>(44, kButton, "Hold to repeat");
  w.Move({30, 30});
  const BubbleRequest& bubble = w.pm().LastBubble();
  EXPECT_EQ(bubble.text, "Hold to repeat");
  EXPECT_EQ(bubble.point, (Point{20, 45}));
  EXPECT_EQ(bubble.mode, 2);
  w.Move({300, 250});
  // Hidden by its owner already: another owner's hide is refused.
  EXPECT_EQ(w.pm().ShowAirBladder(0, 44), 1);
  EXPECT_EQ(w.pm().ShowAirBladder(0, 45), 0);
}

}  // namespace
}  // namespace tumi
