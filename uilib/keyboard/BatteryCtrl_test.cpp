#include "uilib/keyboard/BatteryCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "uilib/core/PaintManager.h"
#include "uilib/testing/HeadlessUi.h"
#include "uilib/testing/RecordingDialog.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::HeadlessUi;
using testing::RecordingDialog;
using testing::RecordingTextSink;
using testing::SkinFixture;

// Outline: a 45x20 nine-patch (its centre in RegionColor(kCentre)); level
// picture 45x20 and charge icon 12x10, both in StateColor(0).
class BatteryCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SkinFixture::WriteNinePatch(ui.SkinFile("bkg.png"), 45, 20, Margins{1, 1, 1, 1}));
    ASSERT_TRUE(ui.AddStrip("value.png", 45, 20, 1));
    ASSERT_TRUE(ui.AddStrip("charge.png", 12, 10, 1));
    dialog.on_init = [this](RecordingDialog& d, const Rect&) {
      battery = static_cast<BatteryCtrl*>(d.GetPaintManager().AddArea(
          std::make_unique<BatteryCtrl>(&d, 46, Rect{100, 50, 170, 80}, 1, 1)));
    };
    dialog.Create(platform::kNoWindow, Rect{0, 0, 300, 200});
    window = dialog.GetSafeHwnd();
    dialog.ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
    ui.Pump();
  }
  Argb Shown(int x, int y) { return ui.System().ShownPixel(window, {100 + x, 50 + y}); }
  static Argb Bar() { return SkinFixture::StateColor(0); }
  static Argb Outline() { return SkinFixture::RegionColor(SkinFixture::kCentre); }

  HeadlessUi ui;
  RecordingTextSink texts;
  RecordingDialog dialog;
  WindowId window = platform::kNoWindow;
  BatteryCtrl* battery = nullptr;
};

TEST_F(BatteryCtrlTest, BarAndPercentFollowTheLevel) {
  EXPECT_EQ(battery->SetImage("bkg.png", 3), 1);
  EXPECT_EQ(battery->SetBatteryIcon("value.png", "charge.png"), 1);
  ui.Pump();
  auto full = texts.Find("100%");
  ASSERT_TRUE(full.has_value());
  EXPECT_EQ(full->box, (Rect{0, 0, 45, 30}));
  EXPECT_EQ(Shown(43, 5), Bar());

  struct Case {
    int level;
    int stored;
    const char* text;
    int bar;  // columns of the level picture
  };
  for (const Case& c : {Case{50, 50, "50%", 22}, Case{150, 100, "100%", 45}, Case{-5, 0, "", 0}}) {
    SCOPED_TRACE(c.level);
    texts.Clear();
    battery->SetBatteryInfo(c.level, 0);
    ui.Pump();
    EXPECT_EQ(battery->GetLevel(), c.stored);
    if (*c.text) {
      EXPECT_TRUE(texts.Find(c.text).has_value());
    } else {
      EXPECT_TRUE(texts.Texts().empty());
    }
    if (c.bar > 1) {
      EXPECT_EQ(Shown(c.bar - 1, 5), Bar());
    }
    if (c.bar < 44) {
      EXPECT_EQ(Shown(std::max(c.bar, 5), 5), Outline());
    }
  }
}

TEST_F(BatteryCtrlTest, ChargingShowsTheIconBesideTheOutlineAndAnimatesTheBar) {
  battery->SetImage("bkg.png", 1);
  battery->SetBatteryIcon("value.png", "charge.png");
  ui.Pump();
  texts.Clear();
  battery->SetBatteryInfo(40, 1);
  ui.Pump();
  EXPECT_TRUE(texts.Texts().empty());
  // Icon at x = 45 + 5, y = (30 - 10) / 2.
  EXPECT_EQ(Shown(50, 10), SkinFixture::StateColor(0));
  EXPECT_NE(Shown(50, 9), Bar());
  EXPECT_EQ(Shown(17, 5), Bar());
  EXPECT_EQ(Shown(18, 5), Outline());
  EXPECT_EQ(battery->GetChargingLevel(), 40);
  for (int i = 0; i < BatteryCtrl::kTicksPerStep; ++i) battery->OnTimer();
  EXPECT_EQ(battery->GetChargingLevel(), 40 + BatteryCtrl::kChargeStep);
  // The same values again change nothing; a missing picture is refused.
  battery->SetBatteryInfo(40, 1);
  EXPECT_EQ(battery->GetChargingLevel(), 40 + BatteryCtrl::kChargeStep);
  EXPECT_EQ(battery->SetImage("none.png", 1), 0);
}

}  // namespace
}  // namespace tumi
