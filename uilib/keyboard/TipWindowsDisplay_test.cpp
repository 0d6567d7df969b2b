// The key tip and the dialog's bubble on a real X server with the real skin:
// per-pixel alpha windows over the dialog, saved as a screenshot in the build
// folder and sampled. Skipped when Xvfb is not installed.
#include <gtest/gtest.h>

#include "uilib/core/MDialog.h"
#include "uilib/keyboard/CKeyboardTips.h"
#include "uilib/keyboard/MAirBladder.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/XvfbUi.h"

namespace tumi {
namespace {

using testing::RecordingDialog;
using testing::XvfbUi;

constexpr int kShow = static_cast<int>(platform::ShowCommand::kShow);
// The skin's tip card and its fire line (img_tip_bk.png).
constexpr std::uint32_t kCard = 0x121A23;

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d < -tolerance || d > tolerance) return false;
  }
  return true;
}

TEST(TipWindowsDisplayTest, KeyTipAndBubbleFloatOverTheDialog) {
  if (!XvfbUi::Available()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbUi ui(XvfbUi::Skin::kProgram);
  ASSERT_TRUE(ui.Started()) << ui.Why();

  RecordingDialog dialog;
  ASSERT_NE(dialog.Create(platform::kNoWindow, Rect{0, 0, 1280, 720}), platform::kNoWindow);
  ASSERT_EQ(dialog.LoadBKImage("main_bkg.png"), 1);
  dialog.ShowWindow(kShow);

  CKeyboardTips tip;
  ASSERT_NE(tip.CreateTip(dialog.GetSafeHwnd(), "KeyboardTip Window"), platform::kNoWindow);
  ASSERT_EQ(tip.LoadBKImage("img_tip_bk.png"), 1);
  tip.SetAirBladderMsg("Caps Lock", "Macro: Greeting", "Ctrl+G", Point{400, 300});
  tip.ShowWindow(kShow);
  ASSERT_EQ(dialog.SetAirBladderMsg("Apply the profile", Point{800, 300}, 1), 1);

  // The tip's card, away from its text, and its fire line along the top.
  EXPECT_EQ(ui.WaitForPixel(tip.GetSafeHwnd(), {4, 50}, kCard), kCard);
  platform::Screenshot shot = ui.Shot(dialog.GetSafeHwnd());
  ASSERT_TRUE(shot.Valid());
  const std::uint32_t fire = shot.Pixel(400, 201);
  EXPECT_GT(fire >> 16, 0xC0u) << std::hex << fire;
  EXPECT_TRUE(Near(shot.Pixel(305 + 4, 250), kCard, 2)) << std::hex << shot.Pixel(309, 250);
  // The title is drawn: light pixels in its line.
  int light = 0;
  for (int x = 315; x < 485; ++x) light += (shot.Pixel(x, 218) & 0xFF) > 0x80;
  EXPECT_GT(light, 3);

  // The bubble below the dialog's point, on the same card.
  MAirBladder* bubble = dialog.GetPaintManager().GetAirBladder();
  ASSERT_NE(bubble, nullptr);
  const Rect b = bubble->GetWindowRect();
  EXPECT_EQ(b.left, 775);
  EXPECT_EQ(b.top, 300);
  EXPECT_TRUE(Near(shot.Pixel(b.left + 3, b.top + b.Height() / 2), kCard, 2))
      << std::hex << shot.Pixel(b.left + 3, b.top + b.Height() / 2);
  // Neither took the focus from the dialog.
  EXPECT_EQ(ui.System().ActiveWindow(), dialog.GetSafeHwnd());
  EXPECT_TRUE(tip.IsWindowVisible());
  EXPECT_TRUE(bubble->IsWindowVisible());
  EXPECT_FALSE(ui.SaveScreenshot(dialog.GetSafeHwnd(), "tips_key_tip_and_bubble").empty());
}

}  // namespace
}  // namespace tumi
