#include "uilib/controls/MPalette.h"

#include <gtest/gtest.h>

#include "uilib/controls/ControlTestWindow.h"
#include "uilib/controls/Hsl.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::Notification;

// 233 x 210 at (10, 10) with the default 150-pixel palette: the plane spans
// x 10 to 195, the bar x 201 to 243, both y 10 to 160.
constexpr Rect kPalette{10, 10, 243, 220};

TEST(HslColorTest, ConvertsBothWays) {
  struct Case {
    Hsl hsl;
    ColorRef color;
  };
  const Case cases[] = {
      {{0, 1, 0.5}, 0x0000FF}, {{1.0 / 3, 1, 0.5}, 0x00FF00}, {{2.0 / 3, 1, 0.5}, 0xFF0000},
      {{0, 0, 1}, 0xFFFFFF},   {{0, 0, 0}, 0x000000},         {{0.5, 1, 0.5}, 0xFFFF00},
      {{1, 1, 0.5}, 0x0000FF},  // hue 1 wraps to red
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.color);
    EXPECT_EQ(HslColor::ToColorRef(c.hsl), c.color);
    EXPECT_EQ(HslColor::ToColorRef(HslColor::FromColorRef(c.color)), c.color);
  }
}

TEST(MPaletteTest, ClicksPickHueLightnessAndSaturation) {
  ControlTestWindow w;
  auto* palette = w.Add<MPalette>(620, kPalette);
  ASSERT_EQ(palette->GetPlaneRect(), (Rect{10, 10, 205, 160}));
  ASSERT_EQ(palette->GetBarRect(), (Rect{211, 10, 243, 160}));
  struct Case {
    Point at;
    int hue;
    int saturation;
    int lightness;
  };
  const Case cases[] = {
      {{10, 85}, 0, 200, 110},      // left edge of the plane
      {{205, 100}, 360, 200, 128},  // right edge: red again
      {{107, 10}, 179, 200, 20},    // top: the darkest row shown
      {{220, 10}, 179, 0, 20},      // bar top: grey
      {{220, 209}, 179, 200, 20},   // 199 below the bar top on a 150 palette
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.at.x << "," << c.at.y);
    w.dialog.notifications.clear();
    w.Click(c.at);
    EXPECT_EQ(palette->GetHue(), c.hue);
    EXPECT_EQ(palette->GetSaturation(), c.saturation);
    EXPECT_EQ(palette->GetLightness(), c.lightness);
    EXPECT_EQ(w.dialog.notifications,
              (std::vector<Notification>{{620, kNotifyColorPicked, palette->GetSelectColor(), 0}}));
  }
  // The same colour again is not reported.
  w.dialog.notifications.clear();
  w.Click({220, 209});
  EXPECT_TRUE(w.dialog.notifications.empty());
}

TEST(MPaletteTest, DraggingTheBarReportsTheSelectedColour) {
  ControlTestWindow w;
  auto* palette = w.Add<MPalette>(620, kPalette);
  w.Move({220, 10});
  w.Press({220, 10});
  w.Move({220, 85});
  w.Release({220, 85});
  ASSERT_EQ(w.dialog.notifications.size(), 2u);
  EXPECT_EQ(palette->GetSaturation(), 100);
  EXPECT_EQ(w.dialog.notifications.back().wparam, palette->GetSelectColor());
  EXPECT_NE(palette->GetSelectColor(), 0u);
}

TEST(MPaletteTest, SetSelectColorPlacesTheThumb) {
  ControlTestWindow w;
  auto* palette = w.Add<MPalette>(620, kPalette);
  palette->SetSelectColor(0x0000FF);
  EXPECT_EQ(palette->GetHue(), 0);
  EXPECT_EQ(palette->GetLightness(), 100);
  EXPECT_EQ(palette->GetThumbPoint(), (Point{10, 10 + 80 * 150 / 180}));
  EXPECT_EQ(palette->GetSelectColor(), 0x0000FFu);
  // Black sits at the top: the plane shows lightness from 20 (10 %) down.
  palette->SetSelectColor(0x000000);
  EXPECT_EQ(palette->GetThumbPoint().y, 10);
  EXPECT_TRUE(w.dialog.notifications.empty());
}

}  // namespace
}  // namespace tumi
