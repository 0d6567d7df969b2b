#include "uilib/controls/CColorCombo.h"

#include <gtest/gtest.h>

#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::RecordingDialog;

class CColorComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      swatch = static_cast<CColorCombo*>(d.GetPaintManager().AddControl(
          std::make_unique<CColorCombo>(&d, 7, Rect{20, 20, 60, 40}, 1, 1)));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 200, 100});
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }
  WindowId Id() const { return dialog.GetSafeHwnd(); }
  Argb Shown(int x, int y) { return ui.System().ShownPixel(Id(), {x, y}); }

  HeadlessUi ui;
  RecordingDialog dialog;
  CColorCombo* swatch = nullptr;
};

TEST_F(CColorComboTest, BehavesAsAButton) {
  ui.System().MovePointer(Id(), {30, 30});
  ui.Pump();
  EXPECT_EQ(swatch->GetState(), 1);
  ui.System().Click(Id(), {30, 30});
  ui.Pump();
  EXPECT_EQ(dialog.CodesFrom(7), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));
  // Pressed, then released outside: only the press, and the normal look.
  dialog.notifications.clear();
  ui.System().PressButton(Id(), platform::MouseButton::kLeft, {30, 30});
  ui.System().MovePointer(Id(), {150, 80});
  ui.System().ReleaseButton(Id(), platform::MouseButton::kLeft, {150, 80});
  ui.Pump();
  EXPECT_EQ(dialog.CodesFrom(7), (std::vector<unsigned>{kNotifyPressed}));
  EXPECT_EQ(swatch->GetState(), 0);
}

TEST_F(CColorComboTest, DrawsTheColourOutlinedAndStruckThroughWhenDisabled) {
  swatch->SetAreaColor(0xFF00FF00);
  ui.Pump();
  EXPECT_EQ(Shown(40, 30), 0xFF00FF00u);
  EXPECT_EQ(RedOf(Shown(20, 30)), 0x05u);
  swatch->SetEnabled(0);
  ui.Pump();
  EXPECT_EQ(swatch->GetState(), 3);
  EXPECT_NEAR(RedOf(Shown(20, 25)), 0x80, 1);
  // A red diagonal from the bottom-left to the top-right corner crosses the
  // middle column near the middle.
  unsigned reddest = 0;
  int at = -1;
  for (int y = 21; y < 39; ++y) {
    if (RedOf(Shown(40, y)) > reddest) {
      reddest = RedOf(Shown(40, y));
      at = y;
    }
  }
  EXPECT_GT(reddest, 0xC0u);
  EXPECT_NEAR(at, 30, 1);
  EXPECT_EQ(Shown(40, 23), 0xFF00FF00u);
  ui.System().MovePointer(Id(), {30, 30});
  ui.System().Click(Id(), {30, 30});
  ui.Pump();
  EXPECT_TRUE(dialog.notifications.empty());
}

}  // namespace
}  // namespace tumi
