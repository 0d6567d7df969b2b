#include "uilib/core/GifDecoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "uilib/core/ImageLoader.h"
#include "uilib/testing/SkinFixture.h"
#include "uilib/testing/TempFolder.h"

namespace tumi {
namespace {

using testing::SkinFixture;

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(GifDecoder, EveryFrameAndItsDelay) {
  testing::TempFolder folder;
  const std::string path = folder.File("loading/loading.gif");
  ASSERT_TRUE(SkinFixture::WriteGif(path, 8, 6, {5, 12, 0}));
  auto image = ImageLoader::LoadFile(path);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 8);
  EXPECT_EQ(image->Height(), 6);
  ASSERT_EQ(image->TimeFrameCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(image->PixelAt(7, 5, i), SkinFixture::StateColor(i));
  EXPECT_EQ(image->DelayMs(0), 50);
  EXPECT_EQ(image->DelayMs(1), 120);
  EXPECT_EQ(image->DelayMs(2), GifDecoder::kDefaultDelayMs);       // "as fast as possible"
  EXPECT_EQ(image->PixelAt(0, 0, 9), SkinFixture::StateColor(2));  // clamped to the last frame
}

TEST(GifDecoder, FramesAreComposedWithTransparencyAndDisposal) {
  testing::TempFolder folder;
  const std::string path = folder.File("composed.gif");
  using F = SkinFixture::GifFrame;
  ASSERT_TRUE(SkinFixture::WriteGif(path, 4, 4,
                                    std::vector<F>{
                                        {{0, 0, 4, 4}, 0},               // all red
                                        {{1, 1, 3, 3}, 1, 10, 2},        // green, then cleared
                                        {{0, 0, 1, 1}, 2},               // blue dot
                                        {{2, 2, 4, 4}, 3, 10, 3},        // yellow, then undone
                                        {{0, 0, 4, 4}, 4, 10, 0, true},  // all transparent
                                    }));
  auto image = ImageLoader::LoadFile(path);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->TimeFrameCount(), 5);
  const Argb red = SkinFixture::StateColor(0), green = SkinFixture::StateColor(1),
             blue = SkinFixture::StateColor(2), yellow = SkinFixture::StateColor(3);
  const struct {
    int frame, x, y;
    Argb want;
  } samples[] = {
      {0, 1, 1, red},  {1, 1, 1, green}, {1, 0, 0, red},    {2, 1, 1, 0},
      {2, 0, 0, blue}, {2, 3, 3, red},   {3, 3, 3, yellow}, {3, 2, 2, yellow},
      {3, 1, 1, 0},    {4, 3, 3, red},   {4, 2, 2, 0},      {4, 0, 0, blue},
  };
  for (const auto& s : samples) {
    EXPECT_EQ(image->PixelAt(s.x, s.y, s.frame), s.want)
        << "frame " << s.frame << " at " << s.x << "," << s.y;
  }
}

TEST(GifDecoder, DamagedFilesGiveNothing) {
  testing::TempFolder folder;
  const std::string path = folder.File("a.gif");
  ASSERT_TRUE(SkinFixture::WriteGif(path, 8, 6, {5, 5}));
  const std::vector<uint8_t> whole = ReadAll(path);
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"signature only", {'G', 'I', 'F', '8', '9', 'a'}},
      {"cut in the middle", {whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2)}},
      {"not an image", {'h', 'e', 'l', 'l', 'o'}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GifDecoder::Decode(c.bytes), nullptr) << c.name;
    EXPECT_EQ(ImageLoader::Decode(c.bytes), nullptr) << c.name;
  }
  EXPECT_NE(GifDecoder::Decode(whole), nullptr);
  EXPECT_EQ(ImageLoader::LoadFile(folder.File("missing.png")), nullptr);
}

}  // namespace
}  // namespace tumi
