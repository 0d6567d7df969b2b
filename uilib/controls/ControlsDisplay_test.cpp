// The buttons, value controls, pictures and the colour wheel on a real X
// server with the real skin: one of each that the program uses, saved as a
// screenshot in the build folder and sampled. Skipped without Xvfb.
#include <gtest/gtest.h>

#include "uilib/controls/CCheckButton.h"
#include "uilib/controls/CColorButton.h"
#include "uilib/controls/CGifPicture.h"
#include "uilib/controls/CImageButton.h"
#include "uilib/controls/CRadioButton.h"
#include "uilib/controls/CirclePalette.h"
#include "uilib/controls/MButton.h"
#include "uilib/controls/MPicture.h"
#include "uilib/controls/MProgress.h"
#include "uilib/controls/MSlider.h"
#include "uilib/controls/UpgradeButton.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/XvfbUi.h"

namespace tumi {
namespace {

using testing::RecordingDialog;
using testing::XvfbUi;

constexpr int kShow = static_cast<int>(platform::ShowCommand::kShow);

template <typename Control, typename... Args>
Control* Add(RecordingDialog& d, Args&&... args) {
  return static_cast<Control*>(
      d.GetPaintManager().AddControl(std::make_unique<Control>(&d, std::forward<Args>(args)...)));
}

TEST(ControlsDisplayTest, OneOfEachDrawnFromTheSkin) {
  if (!XvfbUi::Available()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbUi ui(XvfbUi::Skin::kProgram);
  ASSERT_TRUE(ui.Started()) << ui.Why();

  RecordingDialog dialog;
  ASSERT_NE(dialog.Create(platform::kNoWindow, Rect{0, 0, 1280, 720}), platform::kNoWindow);
  ASSERT_EQ(dialog.LoadBKImage("main_bkg.png"), 1);
  auto* add = Add<CImageButton>(dialog, 1u, Rect{40, 40, 70, 70}, "Add");
  EXPECT_EQ(add->SetImage("imgbtn_add.png", 4), 1);
  auto* apply = Add<MButton>(dialog, 2u, Rect{100, 40, 260, 76}, "Apply");
  EXPECT_EQ(apply->SetImage("btn_apply.png", 4), 1);
  auto* check = Add<CCheckButton>(dialog, 3u, Rect{40, 100, 240, 120}, "Start with the system");
  EXPECT_EQ(check->SetImage("btn_checkbox.png"), 1);
  check->SetCheck(1);
  for (int i = 0; i < 2; ++i) {
    auto* radio = Add<CRadioButton>(dialog, 4u + i, Rect{40, 130 + 25 * i, 240, 150 + 25 * i},
                                    i ? "Exit" : "Minimise to the tray");
    EXPECT_EQ(radio->SetImage("btn_radiobox.png"), 1);
    if (i == 0) radio->SetCheck(1);
  }
  auto* red = Add<CColorButton>(dialog, 6u, Rect{40, 200, 60, 220}, "");
  red->SetColor(0x0000FF);
  auto* colourful = Add<CColorButton>(dialog, 7u, Rect{70, 196, 98, 224}, "");
  EXPECT_EQ(colourful->SetImage("btn_colorful.png", 1), 1);
  auto* slider = Add<MSlider>(dialog, 8u, Rect{300, 40, 536, 96});
  EXPECT_EQ(slider->SetImage("img_slider_back.png", 1), 1);
  EXPECT_EQ(slider->SetThumbImage("img_thumb.png"), 1);
  slider->SetProgress(5);
  auto* logo = Add<MPicture>(dialog, 9u, Rect{300, 110, 325, 135});
  EXPECT_EQ(logo->SetImage("logo/logo.png"), 1);
  auto* busy = Add<CGifPicture>(dialog, 10u, Rect{340, 110, 440, 210});
  EXPECT_EQ(busy->SetImage("loading.gif"), 1);
  auto* wheel = Add<CirclePalette>(dialog, 11u, Rect{600, 150, 740, 290});
  EXPECT_EQ(wheel->SetImage("img_circlepalette.png"), 1);
  auto* upgrade = Add<UpgradeButton>(dialog, 12u, Rect{800, 40, 830, 70}, "");
  EXPECT_EQ(upgrade->SetImage("main_sysbtn_website.png", 4), 1);
  upgrade->SetUpgradeStatus(1);
  auto* progress = Add<MProgress>(dialog, 13u, Rect{800, 100, 1000, 120});
  progress->SetProgress(42);
  progress->EnableShowText(1);
  dialog.ShowWindow(kShow);

  const WindowId window = dialog.GetSafeHwnd();
  EXPECT_EQ(ui.WaitForPixel(window, {50, 210}, 0xFF0000), 0xFF0000u);
  platform::Screenshot before = ui.Shot(window);
  ASSERT_TRUE(before.Valid());
  EXPECT_FALSE(XvfbUi::SaveScreenshot(before, "controls_one_of_each").empty());
  // The badge of the upgrade button is red.
  EXPECT_EQ(before.Pixel(829 - 8, 40 + 8) & 0xFF0000, 0xFF0000u);

  // The wheel reports the colour the screen showed under the pointer.
  const Point pick{640, 200};
  const std::uint32_t shown = before.Pixel(pick.x, pick.y);
  ASSERT_TRUE(ui.Click(window, pick));
  ASSERT_TRUE(ui.PumpUntil([&] { return !dialog.notifications.empty(); }));
  const testing::Notification& n = dialog.notifications.back();
  EXPECT_EQ(n.id, 11u);
  EXPECT_EQ(n.code, kNotifyColorPicked);
  EXPECT_EQ(static_cast<ColorRef>(n.lparam), ColorRefFromArgb(shown));
}

}  // namespace
}  // namespace tumi
