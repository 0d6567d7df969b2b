#include "uilib/controls/CCheckButton.h"

#include <gtest/gtest.h>

#include "platform/window/VirtualKeys.h"
#include "uilib/controls/CColorButton.h"
#include "uilib/controls/CRadioButton.h"
#include "uilib/controls/ControlTestWindow.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::Notification;
using testing::SkinFixture;

TEST(CCheckButtonTest, ClicksAndSpaceFlipTheCheck) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("check.png", 18, 18, 8));
  auto* check = w.Add<CCheckButton>(4, Rect{10, 10, 110, 30}, "Remember");
  ASSERT_EQ(check->SetImage("check.png"), 1);
  w.Show();
  EXPECT_EQ(w.Shown({12, 12}), SkinFixture::StateColor(0));

  w.Click({15, 15});
  EXPECT_EQ(check->GetCheck(), 1);
  EXPECT_EQ(check->GetState(), kStateChecked + kStateHover);
  EXPECT_EQ(w.Shown({12, 12}), SkinFixture::StateColor(5));
  w.Move({300, 200});
  EXPECT_EQ(w.Shown({12, 12}), SkinFixture::StateColor(4));

  // The click gave it the focus: Space flips it back and reports 7.
  w.Key(platform::vk::kSpace);
  EXPECT_EQ(check->GetCheck(), 0);
  EXPECT_EQ(w.dialog.notifications, (std::vector<Notification>{{4, kNotifyPressed, 0, 0},
                                                               {4, kNotifyActivated, 0, 0},
                                                               {4, kNotifyCheckChanged, 0, 0}}));

  // The hot key works without the focus.
  check->SetControlFocus(0);
  check->SetHotKey('R', kModAlt);
  w.ui.System().SetFocus(w.id);
  check->OnKeyDown(platform::vk::kSpace, 1, 0);
  EXPECT_EQ(check->GetCheck(), 0);
  check->OnKeyDown('R', 1, kModAlt);
  EXPECT_EQ(check->GetCheck(), 1);
  EXPECT_EQ(w.dialog.notifications.back(), (Notification{4, kNotifyCheckChanged, 0, 1}));
}

TEST(CCheckButtonTest, DisabledCheckBoxIgnoresSetCheckAndShowsItsDisabledFrame) {
  ControlTestWindow w;
  ASSERT_TRUE(w.ui.AddStrip("check.png", 18, 18, 8));
  auto* check = w.Add<CCheckButton>(4, Rect{10, 10, 110, 30}, "x", 1, 0);
  check->SetImage("check.png");
  EXPECT_EQ(check->SetCheck(1), 0);
  EXPECT_EQ(check->GetCheck(), 0);
  w.Show();
  EXPECT_EQ(w.Shown({12, 12}), SkinFixture::StateColor(3));
  w.Click({15, 15});
  EXPECT_TRUE(w.dialog.notifications.empty());
  check->SetEnabled(1);
  EXPECT_EQ(check->SetCheck(1), 1);
  check->SetEnabled(0);
  w.Show();
  EXPECT_EQ(w.Shown({12, 12}), SkinFixture::StateColor(7));
}

TEST(CRadioButtonTest, CheckingOneUnchecksOnlyItsGroup) {
  ControlTestWindow w;
  auto* a = w.Add<CRadioButton>(1, Rect{10, 10, 60, 30}, "a");
  auto* b = w.Add<CRadioButton>(2, Rect{10, 40, 60, 60}, "b");
  auto* c = w.Add<CRadioButton>(3, Rect{10, 70, 60, 90}, "c");
  for (CRadioButton* r : {a, b}) r->SetGroupName("speed");
  c->SetGroupName("colour");

  w.Click({20, 20});
  EXPECT_EQ(a->GetCheck(), 1);
  EXPECT_EQ(c->SetCheck(1), 1);
  w.Click({20, 50});
  EXPECT_EQ(std::vector<int>({a->GetCheck(), b->GetCheck(), c->GetCheck()}),
            std::vector<int>({0, 1, 1}));
  // Clicking the checked one keeps it checked and still reports the click.
  w.dialog.notifications.clear();
  w.Click({20, 50});
  EXPECT_EQ(b->GetCheck(), 1);
  EXPECT_EQ(w.dialog.CodesFrom(2), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));
  // Space checks (never unchecks) and reports 7 with 1.
  w.Key(platform::vk::kSpace);
  EXPECT_EQ(b->GetCheck(), 1);
  EXPECT_EQ(w.dialog.notifications.back(), (Notification{2, kNotifyCheckChanged, 0, 1}));
  // SetCheck on another member moves the check.
  a->SetCheck(1);
  EXPECT_EQ(std::vector<int>({a->GetCheck(), b->GetCheck(), c->GetCheck()}),
            std::vector<int>({1, 0, 1}));
}

TEST(CColorButtonTest, SwatchColoursBorderAndOutline) {
  constexpr ColorRef kRed = 0x0000FF;
  ControlTestWindow w;
  auto* swatch = w.Add<CColorButton>(9, Rect{100, 100, 120, 120}, "");
  swatch->SetColor(kRed);
  w.Show();
  EXPECT_EQ(swatch->GetColor(), kRed);
  struct Sample {
    Point at;
    Argb color;
  };
  auto expect = [&](std::initializer_list<Sample> samples) {
    for (const Sample& s : samples) {
      SCOPED_TRACE(::testing::Message() << s.at.x << "," << s.at.y);
      EXPECT_EQ(w.Shown(s.at), s.color);
    }
  };
  expect({{{102, 102}, 0xFFFF0000}, {{117, 117}, 0xFFFF0000}});
  w.Move({110, 110});
  expect({{{101, 101}, 0xFFF5F5F5}, {{110, 110}, 0xFFFF0000}});

  swatch->SetVisibleBorder(1);
  w.Show();
  expect({{{100, 100}, 0xFFEBEBEB},
          {{101, 101}, 0xFF050505},
          {{102, 110}, 0xFF050505},
          {{103, 103}, 0xFFFF0000},
          {{116, 116}, 0xFFFF0000},
          {{117, 117}, 0xFF050505}});
}

TEST(CColorButtonTest, PressChecksAndUnchecksUsableSwatchesOfTheGroup) {
  ControlTestWindow w;
  auto* a = w.Add<CColorButton>(1, Rect{10, 10, 30, 30}, "");
  auto* b = w.Add<CColorButton>(2, Rect{40, 10, 60, 30}, "");
  auto* hidden = w.Add<CColorButton>(3, Rect{70, 10, 90, 30}, "");
  auto* other = w.Add<CColorButton>(4, Rect{100, 10, 120, 30}, "");
  other->SetGroupName("presets");
  a->SetCheck(1);
  hidden->SetCheck(1);
  other->SetCheck(1);
  hidden->SetVisible(0);
  w.Move({50, 20});
  w.Press({50, 20});
  // Checked at the press, before the release.
  EXPECT_EQ(b->GetCheck(), 1);
  EXPECT_EQ(w.dialog.CodesFrom(2), (std::vector<unsigned>{kNotifyPressed}));
  w.Release({50, 20});
  EXPECT_EQ(w.dialog.CodesFrom(2), (std::vector<unsigned>{kNotifyPressed, kNotifyActivated}));
  EXPECT_EQ(std::vector<int>({a->GetCheck(), b->GetCheck(), hidden->GetCheck(), other->GetCheck()}),
            std::vector<int>({0, 1, 1, 1}));
  // The checked swatch keeps its pressed look when the pointer leaves.
  w.Move({300, 200});
  EXPECT_EQ(w.Shown({41, 11}), 0xFFF5F5F5);
}

}  // namespace
}  // namespace tumi
