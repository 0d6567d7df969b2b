#include "uilib/controls/MPicture.h"

#include <gtest/gtest.h>

#include "uilib/controls/ControlTestWindow.h"
#include "uilib/testing/SkinFixture.h"

namespace tumi {
namespace {

using testing::ControlTestWindow;
using testing::SkinFixture;

TEST(MPictureTest, ShowModesPlaceTheFrame) {
  // A 20 x 10 picture in a 60 x 40 control at (100, 100).
  struct Case {
    const char* name;
    int mode;
    unsigned h_align;
    unsigned v_align;
    Point inside;   // shows the picture
    Point outside;  // does not
  };
  const Case cases[] = {
      {"natural, left and top", kShowNatural, 0, 0, {100, 100}, {121, 100}},
      {"natural, centred", kShowNatural, 1, 4, {130, 120}, {110, 120}},
      {"natural, right and bottom", kShowNatural, 2, 8, {159, 139}, {139, 129}},
      {"tiled", kShowTiled, 0, 0, {159, 139}, {0, 0}},
      {"stretched", kShowStretched, 0, 0, {159, 139}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlTestWindow w;
    ASSERT_TRUE(w.ui.AddStrip("pic.png", 20, 10, 1));
    auto* picture = w.Add<MPicture>(5, Rect{100, 100, 160, 140});
    ASSERT_EQ(picture->SetImage("pic.png", 1), 1);
    picture->SetShowMode(c.mode);
    picture->SetAlignment(c.h_align, c.v_align);
    w.Show();
    EXPECT_EQ(w.Shown(c.inside), SkinFixture::StateColor(0));
    EXPECT_NE(w.Shown(c.outside), SkinFixture::StateColor(0));
  }
}

TEST(MPictureTest, NinePatchModesAndTheCustomRectangle) {
  ControlTestWindow w;
  ASSERT_TRUE(SkinFixture::WriteNinePatch(w.ui.SkinFile("nine.png"), 30, 30, {4, 6, 8, 10}));
  auto* picture = w.Add<MPicture>(5, Rect{100, 100, 200, 160});
  ASSERT_EQ(picture->SetImage("nine.png", 1), 1);
  EXPECT_EQ(picture->SetShowModeMID(4, 6, 8, 10), 1);
  w.Show();
  EXPECT_EQ(w.Shown({103, 105}), SkinFixture::RegionColor(SkinFixture::kTopLeft));
  EXPECT_EQ(w.Shown({192, 150}), SkinFixture::RegionColor(SkinFixture::kBottomRight));
  EXPECT_EQ(w.Shown({150, 130}), SkinFixture::RegionColor(SkinFixture::kCentre));

  EXPECT_EQ(picture->SetShowMode(kShowNinePatch, 4), 1);
  EXPECT_EQ(picture->SetShowMode(kShowNinePatch, 4), 0);  // nothing changes
  w.Show();
  EXPECT_EQ(w.Shown({103, 103}), SkinFixture::RegionColor(SkinFixture::kTopLeft));
  EXPECT_EQ(w.Shown({104, 103}), SkinFixture::RegionColor(SkinFixture::kTop));

  // The centre region of the picture stretched over the control.
  picture->SetCustomRect(Rect{10, 10, 20, 20});
  picture->SetShowMode(kShowCustomRect);
  w.Show();
  EXPECT_EQ(w.Shown({100, 100}), SkinFixture::RegionColor(SkinFixture::kCentre));
  EXPECT_EQ(w.Shown({199, 159}), SkinFixture::RegionColor(SkinFixture::kCentre));
}

TEST(MPictureTest, ZeroSizedFramesAndMissingFilesDrawNothing) {
  ControlTestWindow w;
  // Five frames in a 4-pixel-wide image: every frame is 0 pixels wide, and
  // tiling must still end.
  ASSERT_TRUE(w.ui.AddStrip("thin.png", 1, 10, 4));
  auto* picture = w.Add<MPicture>(5, Rect{100, 100, 160, 140});
  EXPECT_EQ(picture->SetImage("thin.png", 5), 1);
  picture->SetShowMode(kShowTiled);
  w.Show();
  Argb before = w.Shown({100, 100});
  EXPECT_EQ(picture->SetImage("missing.png", 1), 0);
  w.Show();
  EXPECT_TRUE(picture->Picture().Empty());
  EXPECT_EQ(w.Shown({100, 100}), before);
}

}  // namespace
}  // namespace tumi
