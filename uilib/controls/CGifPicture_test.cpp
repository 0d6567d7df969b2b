#include "uilib/controls/CGifPicture.h"

#include <gtest/gtest.h>

#include "uilib/controls/CPhotoFrame.h"
#include "uilib/controls/CSliderPicture.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::SkinFixture;

constexpr Rect kPicture{100, 100, 150, 140};
constexpr Point kInPicture{120, 120};

TEST(CGifPictureTest, TenFramesAtTenMillisecondTicksShowFiftyMillisecondsEach) {
  ControlTestWindow w;
  ASSERT_TRUE(SkinFixture::WriteGif(w.ui.SkinFile("busy.gif"), 20, 20, std::vector<int>(10, 10)));
  auto* gif = w.Add<CGifPicture>(2, kPicture);
  ASSERT_EQ(gif->SetImage("busy.gif"), 1);
  EXPECT_EQ(gif->GetGifFrameCount(), 10);
  w.pm().SetMTimer(10);
  EXPECT_EQ(gif->SetRunState(1, 0), 1);
  std::vector<int> frames;
  for (int tick = 1; tick <= 55; ++tick) {
    w.ui.System().FireDialogTimers();
    if (tick % 5 == 4) frames.push_back(gif->GetCurrentFrame());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
  w.ui.Pump();
  EXPECT_EQ(w.Shown(kInPicture), SkinFixture::StateColor(1));
  w.pm().KillMTimer();
}

TEST(CGifPictureTest, SingleFramesDoNotRunAndHoverCanDriveTheAnimation) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("still.png", 20, 20, 1));
  ASSERT_TRUE(SkinFixture::WriteGif(w.ui.SkinFile("busy.gif"), 20, 20, {10, 10, 10}));
  auto* still = w.Add<CGifPicture>(2, Rect{0, 0, 20, 20});
  ASSERT_EQ(still->SetImage("still.png"), 1);
  EXPECT_EQ(still->SetRunState(1, 0), 0);
  EXPECT_EQ(still->IsRunning(), 0);

  auto* gif = w.Add<CGifPicture>(3, kPicture);
  gif->SetImage("busy.gif");
  gif->SetMouseMoveActive(1);
  gif->SetRunState(0, 2);
  w.Move(kInPicture);
  EXPECT_EQ(gif->IsRunning(), 1);
  EXPECT_EQ(gif->GetCurrentFrame(), 0);
  w.pm().SetMTimer(10);
  for (int i = 0; i < 5; ++i) w.ui.System().FireDialogTimers();
  EXPECT_EQ(gif->GetCurrentFrame(), 1);
  w.Move({300, 250});
  EXPECT_EQ(gif->IsRunning(), 0);
  EXPECT_EQ(gif->GetCurrentFrame(), 0);
  EXPECT_EQ(w.Shown(kInPicture), SkinFixture::StateColor(0));
  w.pm().KillMTimer();
}

TEST(CPhotoFrameTest, ClickableLikeAButtonWithTheFrameOverThePhoto) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("photo_frame.png", 30, 30, 3));
  ASSERT_TRUE(w.ui.AddStrip("photo.png", 40, 30, 1));
  auto* photo = w.Add<CPhotoFrame>(4, kPicture);
  ASSERT_EQ(photo->SetImage("photo_frame.png", 3), 1);
  ASSERT_EQ(photo->SetPhotoFrame("photo.png"), 1);
  w.Show();
  EXPECT_EQ(w.Shown(kInPicture), SkinFixture::StateColor(0));
  w.Move(kInPicture);
  w.Press(kInPicture);
  EXPECT_EQ(w.Shown(kInPicture), SkinFixture::StateColor(2));
  w.Release(kInPicture);
  EXPECT_EQ(w.Shown(kInPicture), SkinFixture::StateColor(1));
  EXPECT_EQ(w.dialog.CodesFrom(4), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));
}

TEST(CSliderPictureTest, SlidesEndEvenUnderAHundredPixels) {
  struct Case {
    int mode;
    int ticks;
    Point shown;
    Point covered;
  };
  // A 50 x 40 picture: a hundredth of it is less than a pixel, so the edge
  // moves one pixel per tick.
  const Case cases[] = {
      {kSlideLeftToRight, 10, {109, 120}, {110, 120}},
      {kSlideTopToBottom, 10, {120, 109}, {120, 110}},
      {kSlideRightToLeft, 10, {140, 120}, {139, 120}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ControlTestWindow w;
    ASSERT_TRUE(w.ui.AddStrip("pic.png", 50, 40, 1));
    auto* picture = w.Add<CSliderPicture>(5, kPicture);
    picture->SetImage("pic.png");
    picture->SetShowMode(kShowStretched);
    w.pm().SetMTimer(10);
    EXPECT_EQ(picture->SetRun(1, c.mode), 1);
    for (int i = 0; i < c.ticks; ++i) w.ui.System().FireDialogTimers();
    w.ui.Pump();
    EXPECT_EQ(w.Shown(c.shown), SkinFixture::StateColor(0));
    EXPECT_EQ(w.Shown(c.covered), 0xFFF2F2F2u);
    for (int i = 0; i < 60 && picture->IsRunning(); ++i) w.ui.System().FireDialogTimers();
    EXPECT_EQ(picture->IsRunning(), 0);
    w.ui.Pump();
    EXPECT_EQ(w.Shown(c.covered), SkinFixture::StateColor(0));
    w.pm().KillMTimer();
  }
}

}  // namespace
}  // namespace tumi
