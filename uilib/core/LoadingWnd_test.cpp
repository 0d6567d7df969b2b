#include "uilib/core/LoadingWnd.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/window/testing/RecordingHandler.h"
#include "uilib/core/MDialog.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::SkinFixture;

TEST(LoadingWndTest, AnimatesEverySecondTickAndReportsTheCloseButton) {
  HeadlessUi ui;
  std::filesystem::create_directories(ui.SkinFile("loading"));
  ASSERT_TRUE(SkinFixture::WriteGif(ui.SkinFile("loading/loading.gif"), 20, 10, {10, 10, 10}));
  ASSERT_TRUE(ui.AddStrip("img_sys_close.png", 20, 20, 4));
  platform::RecordingHandler owner_messages;
  platform::WindowParams params;
  params.bounds = {0, 0, 800, 600};
  params.handler = &owner_messages;
  WindowId owner = ui.System().Create(params);

  LoadingWnd loading;
  ASSERT_NE(loading.CreateDlg(owner, Rect{100, 100, 500, 300}), platform::kNoWindow);
  loading.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  EXPECT_EQ(loading.FrameCount(), 3);
  EXPECT_EQ(loading.CloseRect(), (Rect{361, 10, 381, 30}));
  std::vector<int> frames;
  for (int i = 0; i < 6; ++i) {
    ui.Advance(LoadingWnd::kAnimationPeriodMs);
    frames.push_back(loading.CurrentFrame());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 2, 0}));
  // The shown close button follows hover and press.
  WindowId id = loading.GetSafeHwnd();
  ui.System().MovePointer(id, {365, 15});
  ui.Pump();
  EXPECT_EQ(loading.CloseState(), 1);
  EXPECT_EQ(ui.System().ShownPixel(id, {370, 20}), SkinFixture::StateColor(1));
  ui.System().Click(id, {365, 15});
  ui.Pump();
  EXPECT_EQ(owner_messages.Numbers({kMsgLoadingClosed}),
            (std::vector<std::uint32_t>{kMsgLoadingClosed}));
  loading.PostMessageW(platform::msg::kClose);
  ui.Pump();
  EXPECT_FALSE(loading.IsRunning());
}

TEST(ShadowTest, FollowsItsWindow) {
  HeadlessUi ui;
  testing::RecordingDialog dialog;
  dialog.Create(platform::kNoWindow, Rect{100, 100, 400, 300});
  dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  dialog.SetSize(4);
  ASSERT_TRUE(dialog.CreateShadow(true));
  MShadow& shadow = dialog.GetPaintManager().Shadow();
  ui.Pump();
  EXPECT_TRUE(shadow.IsWindowVisible());
  EXPECT_EQ(shadow.GetWindowRect(), (Rect{101, 101, 409, 309}));
  dialog.MoveWindow(Rect{200, 150, 500, 350});
  ui.Pump();
  EXPECT_EQ(shadow.GetWindowRect(), (Rect{201, 151, 509, 359}));
  // Some of the shadow is drawn, and it fades out towards its edge.
  WindowId id = shadow.GetSafeHwnd();
  std::uint32_t edge = ui.System().ShownPixel(id, {0, 150});
  std::uint32_t inner = ui.System().ShownPixel(id, {8, 150});
  EXPECT_LT(edge >> 24, inner >> 24);
  dialog.DestroyWindow();
  EXPECT_FALSE(ui.System().IsWindow(id));
}

}  // namespace
}  // namespace tumi
