#include "uilib/core/MRender.h"

#include <gtest/gtest.h>

#include <set>

#include "uilib/core/Graphics.h"
#include "uilib/core/ImageLoader.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/TempFolder.h"
#include "uilib/testing/TestCanvas.h"

namespace tumi {
namespace {

using testing::SkinFixture;
using testing::TempFolder;
using testing::TestCanvas;

constexpr Argb kBackground = 0xFF000000;

std::shared_ptr<Image> NinePatch(const TempFolder& folder, int size, Margins m) {
  const std::string path = folder.File("frame.png");
  EXPECT_TRUE(SkinFixture::WriteNinePatch(path, size, size, m));
  return ImageLoader::LoadFile(path);
}

// The region a destination pixel belongs to when the pieces do not overlap.
SkinFixture::Region RegionAt(int x, int y, int w, int h, Margins m) {
  const int col = x < m.left ? 0 : x < w - m.right ? 1 : 2;
  const int row = y < m.top ? 0 : y < h - m.bottom ? 1 : 2;
  return static_cast<SkinFixture::Region>(row * 3 + col);
}

TEST(MRenderNinePatch, EveryPixelComesFromItsRegionAtEachSize) {
  TempFolder folder;
  const struct {
    const char* name;
    Margins margins;
    int width, height;
  } cases[] = {
      {"natural size", {10, 10, 10, 10}, 30, 30}, {"wide", {10, 10, 10, 10}, 100, 40},
      {"tall and odd", {10, 10, 10, 10}, 21, 67}, {"exactly two corners", {10, 10, 10, 10}, 20, 20},
      {"four margins", {3, 5, 7, 9}, 45, 33},     {"no corners", {0, 0, 0, 0}, 17, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto image = NinePatch(folder, 30, c.margins);
    ASSERT_TRUE(image);
    TestCanvas canvas(c.width + 10, c.height + 10, kBackground);
    const Rect dest = Rect::FromSize(5, 5, c.width, c.height);
    EXPECT_TRUE(MRender::DrawImageFrameMID(canvas.cr(), *image, dest, {0, 0, 30, 30}, c.margins));
    for (int y = 0; y < c.height + 10; ++y) {
      for (int x = 0; x < c.width + 10; ++x) {
        const Argb want =
            dest.Contains({x, y})
                ? SkinFixture::RegionColor(RegionAt(x - 5, y - 5, c.width, c.height, c.margins))
                : kBackground;
        ASSERT_EQ(canvas.At(x, y), want) << "at " << x << "," << y;
      }
    }
  }
}

TEST(MRenderNinePatch, SmallDestinationOverlapsCornersAndMirrorsNothing) {
  TempFolder folder;
  auto image = NinePatch(folder, 30, {10, 10, 10, 10});
  TestCanvas canvas(24, 24, kBackground);
  MRender::DrawImageFrame(canvas.cr(), *image, Rect::FromSize(5, 5, 14, 14), {0, 0, 30, 30}, 10);
  // Corners are drawn top left, bottom left, top right, bottom right, so the
  // later ones cover the overlap; edges and centre have negative sizes.
  EXPECT_EQ(canvas.At(5, 5), SkinFixture::RegionColor(SkinFixture::kTopLeft));
  EXPECT_EQ(canvas.At(5, 18), SkinFixture::RegionColor(SkinFixture::kBottomLeft));
  EXPECT_EQ(canvas.At(18, 5), SkinFixture::RegionColor(SkinFixture::kTopRight));
  EXPECT_EQ(canvas.At(12, 12), SkinFixture::RegionColor(SkinFixture::kBottomRight));
  const std::set<Argb> corners = {SkinFixture::RegionColor(SkinFixture::kTopLeft),
                                  SkinFixture::RegionColor(SkinFixture::kTopRight),
                                  SkinFixture::RegionColor(SkinFixture::kBottomLeft),
                                  SkinFixture::RegionColor(SkinFixture::kBottomRight)};
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      const bool inside = x >= 5 && x < 19 && y >= 5 && y < 19;
      ASSERT_EQ(inside ? corners.count(canvas.At(x, y)) : canvas.At(x, y) == kBackground, 1u)
          << "at " << x << "," << y;
    }
  }
}

TEST(MRenderNinePatch, SourceRectangleSelectsTheFrameOfAStrip) {
  TempFolder folder;
  const std::string path = folder.File("button.png");
  ASSERT_TRUE(SkinFixture::WriteStrip(path, 24, 24, 4));
  auto image = ImageLoader::LoadFile(path);
  ASSERT_TRUE(image);
  for (int state = 0; state < 4; ++state) {
    TestCanvas canvas(60, 30);
    MRender::DrawImageFrame(canvas.cr(), *image, {0, 0, 60, 30},
                            Rect::FromSize(state * 24, 0, 24, 24), 10);
    for (Point p : {Point{0, 0}, Point{30, 15}, Point{59, 29}, Point{9, 10}, Point{50, 0}}) {
      EXPECT_EQ(canvas.At(p.x, p.y), SkinFixture::StateColor(state)) << "state " << state;
    }
  }
}

TEST(MRenderTransition, AlphaRunsFromTopToBottomTransparency) {
  const struct {
    const char* name;
    int top, bottom, rows;
    int want_last;
    std::vector<std::pair<int, int>> row_alpha;  // row, alpha of a white source over black
  } cases[] = {
      {"constant 80 %", 80, 80, 10, 51, {{0, 51}, {9, 51}}},
      {"opaque to invisible", 0, 100, 256, 0, {{0, 255}, {128, 127}, {255, 0}}},
      {"invisible to opaque", 100, 0, 100, 252, {{0, 0}, {50, 127}}},
      {"above 100 % clamps, never wraps", 150, 250, 10, 0, {{0, 0}, {9, 0}}},
      {"below 0 % clamps", -40, -40, 4, 255, {{0, 255}, {3, 255}}},
  };
  auto white = Image::Create(40, 256);
  MRender::DrawColor(Graphics(*white), {0, 0, white->Width(), white->Height()}, 0xFFFFFFFF);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestCanvas canvas(40, c.rows + 2, kBackground);
    const Rect rect = Rect::FromSize(0, 1, 40, c.rows);
    EXPECT_EQ(MRender::DrawVerticalTransition(canvas.cr(), white->Surface(), rect,
                                              Rect::FromSize(0, 0, 40, c.rows), c.top, c.bottom),
              c.want_last);
    for (auto [row, alpha] : c.row_alpha) {
      EXPECT_NEAR(static_cast<int>(RedOf(canvas.At(20, row + 1))), alpha, 1) << "row " << row;
    }
    EXPECT_EQ(canvas.At(20, 0), kBackground);
    EXPECT_EQ(canvas.At(20, c.rows + 1), kBackground);
  }
}

TEST(MRenderTransition, HorizontalRunsFromLeftToRight) {
  auto white = Image::Create(100, 4);
  MRender::DrawColor(Graphics(*white), {0, 0, white->Width(), white->Height()}, 0xFFFFFFFF);
  TestCanvas canvas(100, 4, kBackground);
  EXPECT_EQ(MRender::DrawHorizontalTransition(canvas.cr(), white->Surface(), {0, 0, 100, 4},
                                              {0, 0, 100, 4}, 0, 100),
            2);
  EXPECT_NEAR(static_cast<int>(RedOf(canvas.At(0, 2))), 255, 1);
  EXPECT_NEAR(static_cast<int>(RedOf(canvas.At(50, 2))), 127, 1);
  EXPECT_EQ(MRender::DrawHorizontalTransition(canvas.cr(), white->Surface(), {0, 0, 0, 4},
                                              {0, 0, 0, 4}, 0, 100),
            255);
}

TEST(MRenderTransition, CornerFadeAndConstantBlend) {
  auto white = Image::Create(40, 40);
  MRender::DrawColor(Graphics(*white), {0, 0, white->Width(), white->Height()}, 0xFFFFFFFF);
  TestCanvas canvas(40, 40, kBackground);
  MRender::DrawRightBottomTransition(canvas.cr(), white->Surface(), {0, 0, 40, 40}, 10);
  EXPECT_EQ(RedOf(canvas.At(30, 30)), 255u);  // the square's upper left corner
  EXPECT_NEAR(static_cast<int>(RedOf(canvas.At(35, 30))), 255 - 25 * 5, 1);
  EXPECT_EQ(RedOf(canvas.At(39, 39)), 255u - 25 * 10);  // beyond the size: the floor
  EXPECT_EQ(canvas.At(29, 35), kBackground);            // outside the square

  MRender::AlphaBlend(canvas.cr(), {0, 0, 10, 10}, white->Surface(), {0, 0, 20, 20}, 51);
  EXPECT_NEAR(static_cast<int>(RedOf(canvas.At(5, 5))), 51, 1);
  EXPECT_EQ(canvas.At(15, 5), kBackground);
}

TEST(MRenderShapes, RoundRectangleCornersFollowTheDivisor) {
  const struct {
    const char* name;
    int divisor;
    bool corner_filled;
  } cases[] = {
      {"divisor 0 means square corners", 0, true},
      {"negative divisor too", -3, true},
      {"divisor 2 rounds", 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestCanvas canvas(40, 40, kBackground);
    MRender::DrawRoundRectange(canvas.cr(), 10, 10, 20, 20, c.divisor, 0xFFFF0000, 1, true,
                               0xFFFF0000);
    EXPECT_EQ(canvas.At(20, 20), 0xFFFF0000u);
    EXPECT_EQ(RedOf(canvas.At(10, 10)) > 100, c.corner_filled);
  }
}

TEST(MRenderShapes, FillsBlendWithTheirAlpha) {
  TestCanvas canvas(10, 10, 0xFF000000);
  MRender::DrawColor(canvas.cr(), {0, 0, 10, 10}, 0x00FFFFFF);
  EXPECT_EQ(canvas.At(5, 5), 0xFF000000u);
  MRender::DrawColor(canvas.cr(), {0, 0, 10, 5}, 0x80FFFFFF);
  EXPECT_NEAR(static_cast<int>(RedOf(canvas.At(5, 2))), 128, 1);
  MRender::FillSolidRect(canvas.cr(), {0, 5, 10, 10}, 0x0000FF);  // red as a colour reference
  EXPECT_EQ(canvas.At(5, 7), 0xFFFF0000u);
  MRender::DrawGradient(canvas.cr(), {0, 0, 10, 10}, 0x00FFFFFF, 0x00000000, true);
  EXPECT_EQ(canvas.At(5, 7), 0xFFFF0000u);  // average alpha 0 draws nothing
}

TEST(MRenderHelpers, CheckAlphaColorAndOriginPoint) {
  EXPECT_EQ(MRender::CheckAlphaColor(0xFF000000), 0xFF000001u);
  EXPECT_EQ(MRender::CheckAlphaColor(0x00000101), 0x00000101u);
  EXPECT_EQ(MRender::CheckAlphaColor(0), 1u);

  const struct {
    int h, v;
    Point want;
  } cases[] = {
      {0, 0, {0, 0}}, {1, 4, {40, 20}}, {2, 8, {80, 40}}, {1, 0, {40, 0}}, {0, 8, {0, 40}}};
  for (const auto& c : cases) {
    EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, c.h, c.v), c.want);
    const Point in_rect = MRender::GetOriginPoint(Rect::FromSize(7, 9, 100, 50), 20, 10, c.h, c.v);
    EXPECT_EQ(in_rect, (Point{c.want.x + 7, c.want.y + 9 + 2}));
  }
}

}  // namespace
}  // namespace tumi
