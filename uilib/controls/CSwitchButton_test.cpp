#include "uilib/controls/CSwitchButton.h"

#include <gtest/gtest.h>

#include "uilib/controls/CIconButton.h"
#include "uilib/controls/CTextButton.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/keyboard/CKeyboardTips.h"
#include "uilib/testing/RecordingTextSink.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::Notification;
using testing::RecordingTextSink;
using testing::SkinFixture;

constexpr Point kIn{30, 30};

TEST(CSwitchButtonTest, ClickFlipsBetweenTheTwoPictures) {
  ControlTestWindow w;
  // Frame i of the off strip is StateColor(i); frame i of the on strip is
  // StateColor(2i) on its left half and StateColor(2i + 1) on its right.
  ASSERT_TRUE(w.ui.AddStrip("off.png", 20, 20, 4));
  ASSERT_TRUE(w.ui.AddStrip("on.png", 10, 20, 8));
  auto* sw = w.Add<CSwitchButton>(5, Rect{20, 20, 60, 40}, "");
  ASSERT_EQ(sw->SetImage("on.png", "off.png", 4), 1);
  w.Show();
  const Point right_half{30, 30};
  EXPECT_EQ(w.Shown(right_half), SkinFixture::StateColor(0));
  w.Click(right_half);
  EXPECT_EQ(sw->GetCheck(), 1);
  EXPECT_EQ(w.dialog.notifications.back(), (Notification{5, kNotifyActivated, 0, 1}));
  EXPECT_EQ(w.Shown(right_half), SkinFixture::StateColor(3));  // on, hover
  w.Click(right_half);
  EXPECT_EQ(w.dialog.notifications.back(), (Notification{5, kNotifyActivated, 0, 0}));
  EXPECT_EQ(w.Shown(right_half), SkinFixture::StateColor(1));  // off, hover
  EXPECT_EQ(sw->SetCheck(1), 1);
  sw->SetEnabled(0);
  w.Show();
  EXPECT_EQ(w.Shown(right_half), SkinFixture::StateColor(7));  // on, disabled
  sw->SetEnabled(1);
  w.Show();
  EXPECT_EQ(w.Shown(right_half), SkinFixture::StateColor(1));  // on, normal
}

TEST(CTextButtonTest, TitlePlacedByAlignmentInTheStateColour) {
  RecordingTextSink texts;
  ControlTestWindow w;
  auto* button = w.Add<CTextButton>(6, Rect{0, 0, 200, 40}, "More");
  Size text = MRender::GetTextBounds(button->GetFontSpec(), "More");
  struct Case {
    unsigned h;
    unsigned v;
    Point at;  // in slot 0
  };
  const Case cases[] = {
      {0, 0, {0, 2}},
      {1, 4, {(200 - text.cx - 6) / 2, (40 - text.cy) / 2 + 2}},
      {2, 8, {200 - text.cx - 6, 40 - text.cy + 2}},
  };
  for (const Case& c : cases) {
    texts.Clear();
    button->SetAlignment(c.h, c.v);
    w.Show();
    auto drawn = texts.Texts();
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].box, Rect::FromSize(c.at.x, c.at.y, text.cx, text.cy));
    std::vector<Argb> colours;
    for (const DrawnText& t : drawn) colours.push_back(t.color);
    EXPECT_EQ(colours, (std::vector<Argb>{0xFECCCCCC, 0xFEFEDB00, 0xFEA0A0A0, 0xFE808080}));
  }
}

TEST(CIconButtonTest, ReleaseChecksAndTheCheckedOneStaysPressed) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("tab.png", 40, 40, 4));
  auto* a = w.Add<CIconButton>(1, Rect{0, 0, 40, 40}, "");
  auto* b = w.Add<CIconButton>(2, Rect{50, 0, 90, 40}, "");
  for (CIconButton* i : {a, b}) i->SetImage("tab.png", 4);
  a->SetCheck(1);
  w.Move({60, 20});
  w.Press({60, 20});
  EXPECT_EQ(b->GetCheck(), 0);  // checked at the release, not the press
  w.Release({60, 20});
  EXPECT_EQ(w.dialog.CodesFrom(2), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));
  EXPECT_EQ(a->GetCheck(), 0);
  EXPECT_EQ(b->GetCheck(), 1);
  w.Move({300, 200});
  EXPECT_EQ(w.Shown({60, 20}), SkinFixture::StateColor(2));
  EXPECT_EQ(w.Shown({20, 20}), SkinFixture::StateColor(0));
}

}  // namespace
}  // namespace tumi

namespace tumi {
namespace {

TEST(CIconButtonTest, HoverShowsTheThreeLineTipWhenEnabled) {
  ControlTestWindow w;
  auto* icon = w.Add<CIconButton>(1, Rect{100, 100, 140, 140}, "");
  icon->SetTips("Light", "Effects and colours", "F2");
  w.Move({120, 120});
  EXPECT_EQ(icon->GetTipWindow(), nullptr);  // tips are off
  w.Move({300, 250});
  icon->SetShowTips(1);
  w.Move({120, 120});
  CKeyboardTips* tip = icon->GetTipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tip->GetTitle(), "Light");
  EXPECT_EQ(tip->GetLine2(), "F2");
  platform::Point at = w.ui.System().ClientToScreen(w.id, {120, 110});
  EXPECT_EQ(tip->GetPoint(), (Point{at.x, at.y}));
  w.Move({300, 250});
  EXPECT_FALSE(tip->IsWindowVisible());
}

}  // namespace
}  // namespace tumi
