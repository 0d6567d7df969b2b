#include "uilib/core/MImageList.h"

#include <gtest/gtest.h>

#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/TempFolder.h"
#include "uilib/testing/TestCanvas.h"

namespace tumi {
namespace {

using testing::SkinFixture;

TEST(MImageList, InsertReturnsTheNewIndexAndRefusesBadOnes) {
  testing::TempFolder folder;
  const std::string a = folder.File("a.png"), b = folder.File("b.png"), c = folder.File("c.png");
  ASSERT_TRUE(SkinFixture::WriteStrip(a, 20, 10, 2));
  ASSERT_TRUE(SkinFixture::WriteStrip(b, 16, 16, 4));
  ASSERT_TRUE(SkinFixture::WriteStrip(c, 8, 8, 1));
  ImageStore store;
  MImageList list(store);
  EXPECT_EQ(list.AddImage(a, 10, 2), 0);
  EXPECT_EQ(list.AddImage(b, 11, 4), 1);
  EXPECT_EQ(list.InsertImage(0, c, 12, 1), 0);
  EXPECT_EQ(list.GetImagePath(0), c);
  EXPECT_EQ(list.GetImagePathByID(10), a);
  EXPECT_EQ(list.InsertImage(3, a, 13, 1), -1);
  EXPECT_EQ(list.InsertImage(-2, a, 13, 1), -1);
  EXPECT_EQ(list.AddImage("", 14, 1), -1);
  EXPECT_EQ(list.AddImage(folder.File("missing.png"), 15, 4), 3);  // kept, without a picture
  EXPECT_EQ(list.GetImageCount(), 4);
  EXPECT_EQ(list.GetItemImageData(3)->frame_width, 0);
  EXPECT_EQ(list.GetImageDataByID(11)->frame_width, 16);
  EXPECT_EQ(list.GetItemImageData(4), nullptr);
  EXPECT_EQ(list.DelAllImages(), 1);
  EXPECT_EQ(list.GetImageCount(), 0);
}

TEST(MImageList, DrawsTheClampedStateFrame) {
  testing::TempFolder folder;
  const std::string strip = folder.File("s.png");
  ASSERT_TRUE(SkinFixture::WriteStrip(strip, 10, 10, 3));
  ImageStore store;
  MImageList list(store);
  ASSERT_EQ(list.AddImage(strip, 1, 3), 0);
  ASSERT_EQ(list.AddImage(strip, 2, 0), 1);  // frame count 0: the whole strip is one frame
  const struct {
    int index, state;
    Argb want;
  } cases[] = {{0, 0, SkinFixture::StateColor(0)}, {0, 2, SkinFixture::StateColor(2)},
               {0, 8, SkinFixture::StateColor(2)}, {0, -1, SkinFixture::StateColor(0)},
               {1, 0, SkinFixture::StateColor(0)}, {5, 0, 0xFF000000}};
  for (const auto& c : cases) {
    testing::TestCanvas canvas(20, 20);
    list.DrawItemIcon(canvas.cr(), {0, 0, 20, 20}, c.index, c.state);
    EXPECT_EQ(canvas.At(3, 3), c.want) << c.index << "/" << c.state;
  }
}

}  // namespace
}  // namespace tumi
