#include "uilib/core/ImageCache.h"

#include <gtest/gtest.h>

#include "uilib/core/SkinPath.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/TempFolder.h"

namespace tumi {
namespace {

using testing::SkinFixture;

class ImageCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skin_ = SkinPath::SkinFolder(folder_.Path(), "theme1\\");
    ASSERT_TRUE(SkinFixture::WriteStrip(folder_.File("skins/theme1/btn.png"), 60, 30, 4));
    ASSERT_TRUE(SkinFixture::WriteStrip(folder_.File("skins/theme1/icon/icon_pc.png"), 20, 20, 2));
  }
  testing::TempFolder folder_;
  std::string skin_;
  ImageStore store_;
};

TEST_F(ImageCacheTest, EachFileIsDecodedOncePerProcessWhileInUse) {
  ImageCache window(skin_, store_);
  ImageCache popup(skin_, store_);
  const ImgResInfo* first = window.Add("btn.png", 4);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(window.Add("btn.png", 4), first);
  EXPECT_EQ(popup.Add("btn.png", 4)->image, first->image);
  EXPECT_EQ(store_.DecodeCount(), 1);

  // The spellings of a name in the program and the skins share one entry.
  const ImgResInfo* icon = window.Add("icon//icon_pc.png", 2);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(window.Add("icon\\icon_pc.png", 2), icon);
  EXPECT_EQ(icon->name, "icon/icon_pc.png");
  EXPECT_EQ(store_.DecodeCount(), 2);
  EXPECT_EQ(window.Count(), 2u);
}

TEST_F(ImageCacheTest, FirstRequestFixesTheFrames) {
  ImageCache cache(skin_, store_);
  const ImgResInfo* four = cache.Add("btn.png", 4);
  ASSERT_NE(four, nullptr);
  EXPECT_EQ(four->frame_width, 60);
  EXPECT_EQ(four->height, 30);
  const ImgResInfo* two = cache.Add("btn.png", 2);
  EXPECT_EQ(two, four);
  EXPECT_EQ(two->frame_width, 60);

  ImageCache other(skin_, store_);
  const ImgResInfo* none = other.Add("btn.png", 0);  // would divide by zero
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(none->frame_count, 1);
  EXPECT_EQ(none->frame_width, 240);
}

TEST_F(ImageCacheTest, MissingFilesAreNotCachedAndMayAppearLater) {
  ImageCache cache(skin_, store_);
  EXPECT_EQ(cache.Add("later.png", 4), nullptr);
  EXPECT_EQ(cache.Count(), 0u);
  ASSERT_TRUE(SkinFixture::WriteStrip(folder_.File("skins/theme1/later.png"), 10, 10, 4));
  EXPECT_NE(cache.Add("later.png", 4), nullptr);
}

TEST_F(ImageCacheTest, ReleasedPicturesAreDecodedAgain) {
  {
    ImageCache window(skin_, store_);
    ASSERT_NE(window.Add("btn.png", 4), nullptr);
  }
  ImageCache next(skin_, store_);
  ASSERT_NE(next.Add("btn.png", 4), nullptr);
  EXPECT_EQ(store_.DecodeCount(), 2);
}

}  // namespace
}  // namespace tumi
