#include "uilib/keyboard/MAirBladder.h"

#include <gtest/gtest.h>

#include <functional>

#include "uilib/core/MDialog.h"
#include "uilib/core/MRender.h"
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
constexpr int kStays = MAirBladder::kTypeStays;

class MAirBladderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        SkinFixture::WriteNinePatch(ui.SkinFile("img_tip_bk.png"), 40, 30, Margins{6, 6, 6, 6}));
    owner.Create(platform::kNoWindow, Rect{0, 0, 1000, 700});
    owner.ShowWindow(kShow);
    ASSERT_NE(bubble.CreateTip(owner.GetSafeHwnd(), "AirBladder Window"), platform::kNoWindow);
    ASSERT_EQ(bubble.LoadBKImage("img_tip_bk.png"), 1);
    ui.Pump();
  }

  Rect Bounds() { return FromPlatform(ui.System().Bounds(bubble.GetSafeHwnd())); }
  bool Visible() { return bubble.IsWindowVisible(); }
  // The measured width of the text and its one-line height.
  Size Measure(const std::string& text) {
    FontSpec font{bubble.GetFontFamily(), MAirBladder::kFontPixels, kFontRegular};
    Size whole = MRender::GetTextBounds(font, text, TextFormat{});
    TextFormat one_line;
    one_line.single_line = true;
    return {whole.cx, MRender::GetTextBounds(font, text, one_line).cy};
  }

  HeadlessUi ui;
  RecordingDialog owner;
  MAirBladder bubble;
};

TEST_F(MAirBladderTest, PlacesTheWindowBesideThePointForEachMode) {
  const Point p{500, 300};
  struct Case {
    const char* text;
    int mode;
    // The expected rectangle from the text's width, height and line height.
    std::function<Rect(int w, int h, int lh)> expected;
  };
  const Case cases[] = {
      {"Save profile", 1,
       [&](int w, int h, int) {
         return Rect{p.x, p.y - h / 2 - 10, p.x + w + 40, p.y - h / 2 - 10 + h + 20};
       }},
      {"Save profile", 2,
       [&](int w, int h, int) {
         return Rect{p.x - w - 40, p.y - 27, p.x, p.y + h - 7};
       }},
      {"Save profile", 3,
       [&](int w, int h, int) {
         return Rect{p.x - 25, p.y, p.x + w + 15, p.y + h + 30};
       }},
      {"Save profile", 4,
       [&](int w, int h, int) {
         int left = p.x - (w + 30) / 2;
         return Rect{left, p.y - h - 20, left + w + 30, p.y};
       }},
      {"One\nTwo lines\nThree\nFour", 1,
       [&](int w, int h, int) {
         return Rect{p.x, p.y - h / 2 - 10, p.x + w + 40, p.y - h / 2 - 10 + h + 20};
       }},
      {"One\nTwo lines\nThree\nFour", 5,
       [&](int w, int h, int) {
         return Rect{p.x, p.y - 10, p.x + w + 40, p.y - 10 + h - 35};
       }},
      // Two lines fewer than one: at least one line still fits.
      {"Save profile", 5,
       [&](int w, int, int lh) {
         return Rect{p.x, p.y - 10, p.x + w + 40, p.y - 10 + lh + 2};
       }},
      {"Save profile", 9, [](int, int, int) { return Rect{}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.mode << " " << c.text);
    std::string text = c.text;
    Size m = Measure(text);
    int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    Rect want = c.expected(m.cx, lines * m.cy, m.cy);
    EXPECT_EQ(bubble.SetAirBladderMsg(text, p, 1, c.mode), 1);
    EXPECT_EQ(bubble.FitRect(), want);
    if (want.Width() > 0) {
      EXPECT_EQ(Bounds(), want);
    }
  }
}

TEST_F(MAirBladderTest, MultiLineTextIsCentredOnlyAboveThePoint) {
  RecordingTextSink sink;
  const std::string text = "Short\nA much longer second line";
  const Size m = Measure(text);
  for (int mode : {2, 4}) {
    SCOPED_TRACE(mode);
    sink.Clear();
    bubble.SetAirBladderMsg(text, Point{600, 400}, kStays, mode);
    bubble.ShowWindow(kShow);
    ui.Pump();
    auto drawn = sink.Find(text);
    ASSERT_TRUE(drawn.has_value());
    const Rect r = Bounds();
    EXPECT_EQ(drawn->box.left, 8);
    EXPECT_EQ(drawn->box.Width(), r.Width() - 16);
    EXPECT_EQ(drawn->box.Height(), 2 * m.cy + 2);
    EXPECT_EQ(drawn->box.top, (r.Height() - 2 * m.cy) / 2 + 1);
    EXPECT_EQ(drawn->color, MAirBladder::kTextColor);
    EXPECT_EQ(drawn->font.pixel_size, 14);
    if (mode == 2) {
      EXPECT_EQ(drawn->bounds.left, drawn->box.left);
      EXPECT_EQ(drawn->bounds.top, drawn->box.top);
    } else {
      EXPECT_GT(drawn->bounds.left, drawn->box.left);
    }
  }
  // A single line is centred in every mode.
  sink.Clear();
  bubble.SetAirBladderMsg("Single", Point{600, 400}, kStays, 2);
  ui.Pump();
  auto single = sink.Find("Single");
  ASSERT_TRUE(single.has_value());
  EXPECT_GT(single->bounds.left, single->box.left);
}

TEST_F(MAirBladderTest, HidesFiveSecondsAfterTheLastNewMessage) {
  bubble.SetAirBladderMsg("Tip", Point{100, 100}, 1, 3);
  bubble.ShowWindow(kShow);
  ui.Advance(3000);
  // The same message again does not restart the five seconds.
  bubble.SetAirBladderMsg("Tip", Point{100, 100}, 1, 3);
  ui.Advance(1999);
  EXPECT_TRUE(Visible());
  ui.Advance(1);
  EXPECT_FALSE(Visible());

  // A new message does.
  bubble.ShowWindow(kShow);
  bubble.SetAirBladderMsg("Tip", Point{100, 100}, 2, 3);
  ui.Advance(3000);
  bubble.SetAirBladderMsg("Other tip", Point{100, 100}, 2, 3);
  ui.Advance(4999);
  EXPECT_TRUE(Visible());
  ui.Advance(1);
  EXPECT_FALSE(Visible());

  // Type 4 stays.
  bubble.SetAirBladderMsg("Stays", Point{100, 100}, kStays, 3);
  bubble.ShowWindow(kShow);
  ui.Advance(20000);
  EXPECT_TRUE(Visible());
}

TEST_F(MAirBladderTest, LosingTheOwnersActivationHidesAllButMode5) {
  for (int mode : {1, 3, 4, 5}) {
    SCOPED_TRACE(mode);
    bubble.SetAirBladderMsg("Tip " + std::to_string(mode), Point{100, 100}, kStays, mode);
    bubble.ShowWindow(kShow);
    bubble.OnOwnerDeactivated();
    EXPECT_EQ(Visible(), mode == 5);
  }
}

TEST_F(MAirBladderTest, DrawsTheBackgroundAsANinePatchWithTransparentCorners) {
  bubble.SetAirBladderMsg("", Point{}, kStays, 3);  // no text on the picture
  bubble.MoveWindow(Rect{100, 100, 300, 180});
  bubble.ShowWindow(kShow);
  ui.Pump();
  const WindowId w = bubble.GetSafeHwnd();
  auto shown = [&](int x, int y) { return ui.System().ShownPixel(w, {x, y}); };
  EXPECT_EQ(shown(3, 3), SkinFixture::RegionColor(SkinFixture::kTopLeft));
  EXPECT_EQ(shown(100, 2), SkinFixture::RegionColor(SkinFixture::kTop));
  EXPECT_EQ(shown(100, 40), SkinFixture::RegionColor(SkinFixture::kCentre));
  EXPECT_EQ(shown(199 - 2, 79 - 2), SkinFixture::RegionColor(SkinFixture::kBottomRight));
  // The last row and column are drawn too; only the very corner is cut round.
  EXPECT_EQ(shown(100, 79), SkinFixture::RegionColor(SkinFixture::kBottom));
  EXPECT_EQ(shown(199, 40), SkinFixture::RegionColor(SkinFixture::kRight));
  EXPECT_LT(shown(0, 0) >> 24, 0xFFu);
}

TEST_F(MAirBladderTest, WithoutAWindowOnlyTheValuesAreStored) {
  MAirBladder loose;
  EXPECT_EQ(loose.SetAirBladderMsg("Tip", Point{50, 60}, 1, 3), 1);
  EXPECT_EQ(loose.GetText(), "Tip");
  EXPECT_EQ(loose.GetPoint(), (Point{50, 60}));
  EXPECT_EQ(loose.LoadBKImage("missing.png"), 0);
  loose.CloseWindow();
  EXPECT_EQ(loose.ShowWindow(kShow), 0);
}

// The dialog's bubble: made on first use, owned by the dialog, shown without
// taking the activation, hidden when the dialog loses it, and made again
// after something closed it.
TEST(MAirBladderOfDialogTest, DialogShowsItsBubbleBelowThePoint) {
  HeadlessUi ui;
  ASSERT_TRUE(
      SkinFixture::WriteNinePatch(ui.SkinFile("img_tip_bk.png"), 40, 30, Margins{6, 6, 6, 6}));
  RecordingDialog dialog;
  dialog.Create(platform::kNoWindow, Rect{0, 0, 800, 600});
  dialog.ShowWindow(kShow);
  ui.Pump();
  PaintManager& pm = dialog.GetPaintManager();
  EXPECT_EQ(pm.ShowAirBladder(1, 0), 0);  // no bubble yet

  ASSERT_EQ(dialog.SetAirBladderMsg("Apply the profile", Point{150, 100}, 1), 1);
  MAirBladder* bubble = pm.GetAirBladder();
  ASSERT_NE(bubble, nullptr);
  const WindowId w = bubble->GetSafeHwnd();
  EXPECT_EQ(ui.System().Owner(w), dialog.GetSafeHwnd());
  EXPECT_EQ(ui.System().Title(w), "AirBladder Window");
  EXPECT_TRUE(bubble->IsWindowVisible());
  EXPECT_EQ(ui.System().ActiveWindow(), dialog.GetSafeHwnd());
  Rect r = FromPlatform(ui.System().Bounds(w));
  EXPECT_EQ(r.left, 125);
  EXPECT_EQ(r.top, 100);

  // Owner keys: only the owner hides it.
  EXPECT_EQ(pm.ShowAirBladder(1, 7), 1);
  EXPECT_EQ(pm.ShowAirBladder(0, 8), 0);
  EXPECT_TRUE(bubble->IsWindowVisible());
  EXPECT_EQ(pm.ShowAirBladder(0, 7), 1);
  EXPECT_FALSE(bubble->IsWindowVisible());

  pm.ShowAirBladder(1, 0);
  ui.System().DeactivateApp();
  ui.Pump();
  EXPECT_FALSE(bubble->IsWindowVisible());

  bubble->CloseWindow();
  ui.Pump();
  EXPECT_FALSE(ui.System().IsWindow(w));
  ASSERT_EQ(dialog.SetAirBladderMsg("Again", Point{150, 100}, 1), 1);
  ASSERT_NE(pm.GetAirBladder(), nullptr);
  EXPECT_TRUE(pm.GetAirBladder()->IsWindowVisible());
  ui.Advance(MAirBladder::kHideDelayMs);
  EXPECT_FALSE(pm.GetAirBladder()->IsWindowVisible());
}

}  // namespace
}  // namespace tumi
