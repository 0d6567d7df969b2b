#include "uilib/controls/CirclePalette.h"

#include <gtest/gtest.h>

#include "uilib/controls/ControlTestWindow.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::Notification;
using testing::SkinFixture;

TEST(CirclePaletteTest, PicksTheWheelColourUnderThePointerWithinReach) {
  ControlTestWindow w;
  // A 140 x 140 "wheel" of four vertical bands, 35 pixels each.
  ASSERT_TRUE(w.ui.AddStrip("wheel.png", 35, 140, 4));
  auto* wheel = w.Add<CirclePalette>(12, Rect{100, 100, 240, 240});
  ASSERT_EQ(wheel->SetImage("wheel.png"), 1);
  EXPECT_EQ(wheel->GetDistanse({170, 170}), 0);
  EXPECT_EQ(wheel->GetDistanse({173, 174}), 5);
  EXPECT_EQ(wheel->GetDistanse({180, 180}), 14);  // 14.14 truncated

  auto colour = [](int band) { return ColorRefFromArgb(SkinFixture::StateColor(band)); };
  w.Move({150, 170});
  w.Press({150, 170});  // band 1, 20 from the centre
  w.Move({235, 170});   // 65 away: still in reach, band 3
  w.Move({236, 170});   // 66 away: ignored
  w.Release({236, 170});
  EXPECT_EQ(w.dialog.notifications,
            (std::vector<Notification>{{12, kNotifyColorPicked, 0, colour(1)},
                                       {12, kNotifyColorPicked, 0, colour(3)}}));
  EXPECT_EQ(wheel->GetSelectColor(), colour(3));
  EXPECT_EQ(wheel->GetThumbRect(), Rect::FromSize(230, 165, 10, 10));

  // The same point again does not report; a far press is ignored.
  w.dialog.notifications.clear();
  w.Click({235, 170});
  w.Click({100, 100});
  EXPECT_TRUE(w.dialog.notifications.empty());
}

}  // namespace
}  // namespace tumi
