#include "uilib/controls/MButton.h"

#include <gtest/gtest.h>

#include "uilib/controls/CImageButton.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/core/ControlFactory.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::RecordingTextSink;
using testing::SkinFixture;

constexpr Rect kButton{20, 20, 100, 50};
constexpr Point kInside{30, 30};
constexpr Point kOutside{200, 200};

TEST(MButtonTest, GesturesReportPressAndClick) {
  struct Case {
    const char* name;
    bool enabled;
    Point release_at;
    std::vector<unsigned> codes;
    int state_after;
  };
  const Case cases[] = {
      {"release inside", true, kInside, {kNotifyPressed, kNotifyActivated}, kStateHover},
      {"release outside", true, kOutside, {kNotifyPressed}, kStateNormal},
      {"disabled", false, kInside, {}, kStateDisabled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlTestWindow w;
    auto* button = w.Add<MButton>(7, kButton, "OK", 1, c.enabled ? 1 : 0);
    w.Move(kInside);
    w.Press(kInside);
    w.Move(c.release_at);
    w.Release(c.release_at);
    EXPECT_EQ(w.dialog.CodesFrom(7), c.codes);
    EXPECT_EQ(button->GetState(), c.state_after);
  }
}

TEST(MButtonTest, EachStateShowsItsFrameFromOneCache) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("btn.png", 30, 30, 4));
  auto* button = w.Add<MButton>(7, kButton, "");
  ASSERT_EQ(button->SetImage("btn.png", 4), 1);
  w.ui.Pump();
  int builds = button->CacheBuildCount();
  EXPECT_EQ(w.Shown(kInside), SkinFixture::StateColor(0));
  w.Move(kInside);
  EXPECT_EQ(w.Shown(kInside), SkinFixture::StateColor(1));
  EXPECT_EQ(w.ui.System().CurrentCursor(), platform::CursorShape::kHand);
  w.Press(kInside);
  EXPECT_EQ(w.Shown(kInside), SkinFixture::StateColor(2));
  w.Release(kInside);
  w.Move(kOutside);
  EXPECT_EQ(w.Shown(kInside), SkinFixture::StateColor(0));
  EXPECT_EQ(w.ui.System().CurrentCursor(), platform::CursorShape::kArrow);
  EXPECT_EQ(button->CacheBuildCount(), builds);
  button->SetEnabled(0);
  w.ui.Pump();
  EXPECT_EQ(w.Shown(kInside), SkinFixture::StateColor(3));
}

TEST(MButtonTest, FramesStretchAsNinePatchesWithTheCornerSize) {
  ControlTestWindow w;
  // A 30 x 30 frame whose corners are 10 pixels, on a 80 x 60 button.
  ASSERT_TRUE(SkinFixture::WriteNinePatch(w.ui.SkinFile("nine.png"), 30, 30, {10, 10, 10, 10}));
  auto* button = w.Add<MButton>(7, Rect{20, 20, 100, 80}, "");
  ASSERT_EQ(button->SetImage("nine.png", 1), 1);
  w.ui.Pump();
  struct Sample {
    Point at;
    SkinFixture::Region region;
  };
  const Sample samples[] = {
      {{20, 20}, SkinFixture::kTopLeft},     {{29, 29}, SkinFixture::kTopLeft},
      {{30, 30}, SkinFixture::kCentre},      {{60, 20}, SkinFixture::kTop},
      {{99, 20}, SkinFixture::kTopRight},    {{20, 50}, SkinFixture::kLeft},
      {{60, 50}, SkinFixture::kCentre},      {{99, 50}, SkinFixture::kRight},
      {{20, 79}, SkinFixture::kBottomLeft},  {{60, 79}, SkinFixture::kBottom},
      {{90, 70}, SkinFixture::kBottomRight},
  };
  for (const Sample& s : samples) {
    SCOPED_TRACE(::testing::Message() << s.at.x << "," << s.at.y);
    EXPECT_EQ(w.Shown(s.at), SkinFixture::RegionColor(s.region));
  }
}

TEST(MButtonTest, TitleIsGreyWhenDisabledAndNudgedWhilePressed) {
  RecordingTextSink texts;
  ControlTestWindow w;
  auto* button = w.Add<MButton>(7, kButton, "Apply");
  button->SetTextColor(0xFF112233);
  button->SetTextRect(Rect{10, 0, 70, 30});
  texts.Clear();
  w.Show();
  auto boxes = [&] {
    std::vector<std::pair<Rect, Argb>> out;
    for (const DrawnText& t : texts.Texts()) out.push_back({t.box, t.color});
    return out;
  };
  // One draw per state slot of the cache, slot i at x = 80 * i.
  EXPECT_EQ(boxes(), (std::vector<std::pair<Rect, Argb>>{
                         {Rect{10, 0, 70, 30}, 0xFF112233},
                         {Rect{90, 0, 150, 30}, 0xFF112233},
                         {Rect{171, 1, 231, 31}, 0xFF112233},
                         {Rect{250, 0, 310, 30}, kDisabledTextColor},
                     }));
}

TEST(MButtonTest, ImageButtonDrawsFramesUnscaledAndShowsItsBubble) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("img.png", 20, 20, 4));
  auto* button = w.Add<CImageButton>(8, kButton, "Tip");
  ASSERT_EQ(button->SetImage("img.png", 4), 1);
  button->SetAlrBladderMode(kAirBladderRight);
  w.ui.Pump();
  EXPECT_EQ(w.Shown({39, 39}), SkinFixture::StateColor(0));
  EXPECT_NE(w.Shown({40, 40}), SkinFixture::StateColor(0));  // the frame is 20 x 20
  w.Move(kInside);
  EXPECT_EQ(w.Shown({30, 30}), SkinFixture::StateColor(1));
  const BubbleRequest& bubble = w.pm().LastBubble();
  EXPECT_EQ(bubble.text, "Tip");
  EXPECT_EQ(bubble.point, (Point{100, 35}));
  EXPECT_EQ(bubble.type, 5);
  EXPECT_EQ(bubble.mode, kAirBladderRight);
  EXPECT_EQ(w.pm().ShowAirBladder(0, 0), 1);  // was shown
}

TEST(MButtonTest, FactoryCreatesTheButtonClasses) {
  for (const char* name : {"MButton", "CImageButton"}) {
    SCOPED_TRACE(name);
    ControlArgs args;
    args.id = 3;
    args.rect = kButton;
    args.title = "x";
    auto control = ControlFactory::Create(FactoryKind::kDialog, name, args);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->GetClassNameW(), name);
  }
}

}  // namespace
}  // namespace tumi
