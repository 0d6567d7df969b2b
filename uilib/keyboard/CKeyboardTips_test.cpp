#include "uilib/keyboard/CKeyboardTips.h"

#include <gtest/gtest.h>

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

constexpr int kShow = static_cast<int>(platform::ShowCommand::kShow);

class CKeyboardTipsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        SkinFixture::WriteNinePatch(ui.SkinFile("img_tip_bk.png"), 190, 100, Margins{6, 6, 6, 6}));
    owner.Create(platform::kNoWindow, Rect{0, 0, 1280, 720});
    owner.ShowWindow(kShow);
    ASSERT_NE(tip.CreateTip(owner.GetSafeHwnd(), "KeyboardTip Window"), platform::kNoWindow);
    ASSERT_EQ(tip.LoadBKImage("img_tip_bk.png"), 1);
    ui.Pump();
  }

  Rect Bounds() { return FromPlatform(ui.System().Bounds(tip.GetSafeHwnd())); }

  HeadlessUi ui;
  RecordingDialog owner;
  CKeyboardTips tip;
};

TEST_F(CKeyboardTipsTest, CardSitsAboveThePointWithItsThreeLines) {
  RecordingTextSink sink;
  EXPECT_EQ(tip.SetAirBladderMsg("Caps Lock", "Macro: Greeting", "Ctrl+G", Point{800, 400}), 1);
  EXPECT_EQ(tip.GetType(), 5);
  EXPECT_EQ(tip.GetMode(), 4);
  tip.ShowWindow(kShow);
  ui.Pump();
  EXPECT_EQ(Bounds(), (Rect{705, 300, 895, 400}));
  struct Line {
    const char* text;
    int top;
    int pixels;
    Argb color;
  };
  for (const Line& line :
       {Line{"Caps Lock", 8, 14, 0xFFC8C8C8}, Line{"Macro: Greeting", 35, 14, 0xFFFFFFFF},
        Line{"Ctrl+G", 63, 18, 0xFFFFFFFF}}) {
    SCOPED_TRACE(line.text);
    auto drawn = sink.Find(line.text);
    ASSERT_TRUE(drawn.has_value());
    EXPECT_EQ(drawn->box, (Rect{10, line.top, 180, line.top + 20}));
    EXPECT_EQ(drawn->font.pixel_size, line.pixels);
    EXPECT_EQ(drawn->color, line.color);
    // Centred both ways.
    EXPECT_NEAR(drawn->bounds.left - drawn->box.left, drawn->box.right - drawn->bounds.right, 1);
  }
  // The background under the text.
  EXPECT_EQ(ui.System().ShownPixel(tip.GetSafeHwnd(), {3, 3}),
            SkinFixture::RegionColor(SkinFixture::kTopLeft));
  EXPECT_EQ(ui.System().ShownPixel(tip.GetSafeHwnd(), {95, 96}),
            SkinFixture::RegionColor(SkinFixture::kBottom));
}

TEST_F(CKeyboardTipsTest, AnEmptyTitleNeitherMovesNorDraws) {
  tip.SetAirBladderMsg("Esc", "", "", Point{800, 400});
  tip.ShowWindow(kShow);
  ui.Pump();
  RecordingTextSink sink;
  tip.SetAirBladderMsg("", "Line", "Line", Point{300, 300});
  EXPECT_EQ(tip.GetLine1(), "Line");
  EXPECT_EQ(Bounds(), (Rect{705, 300, 895, 400}));
  tip.InvalidateRect();
  ui.Pump();
  EXPECT_TRUE(sink.Texts().empty());
}

TEST_F(CKeyboardTipsTest, StaysUntilItsOwnerHidesItOrLosesTheActivation) {
  tip.SetAirBladderMsg("F1", "Play", "", Point{400, 300});
  tip.ShowWindow(kShow);
  ui.Advance(20000);
  EXPECT_TRUE(tip.IsWindowVisible());
  // Showing it never took the activation from the owner, nor does the
  // desktop giving it the focus.
  EXPECT_EQ(ui.System().ActiveWindow(), owner.GetSafeHwnd());
  ui.System().ActivateFromDesktop(tip.GetSafeHwnd());
  ui.Pump();
  EXPECT_EQ(ui.System().ActiveWindow(), owner.GetSafeHwnd());
  EXPECT_TRUE(tip.IsWindowVisible());
  tip.OnOwnerDeactivated();
  EXPECT_FALSE(tip.IsWindowVisible());
}

}  // namespace
}  // namespace tumi
