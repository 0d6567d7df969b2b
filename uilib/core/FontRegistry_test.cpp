#include "uilib/core/FontRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "uilib/testing/TempFolder.h"

namespace tumi {
namespace {

TEST(FontRegistry, ArialResolvesToItsMetricTwin) {
  EXPECT_EQ(FontRegistry::ResolveFamily("Arial"), "Liberation Sans");
}

TEST(FontRegistry, FontFolderFilesBecomeApplicationFonts) {
  namespace fs = std::filesystem;
  const std::string source = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
  if (!fs::exists(source)) GTEST_SKIP() << "no font file to copy";
  testing::TempFolder program;
  fs::copy_file(source, program.File("font/Private.ttf"));
  EXPECT_FALSE(FontRegistry::AddFontFolder(program.Path() + "/missing"));
  EXPECT_TRUE(FontRegistry::AddFontFolder(program.Path() + "/font"));
  EXPECT_TRUE(FontRegistry::IsApplicationFamily("DejaVu Serif"));
  EXPECT_FALSE(FontRegistry::IsApplicationFamily("Liberation Sans"));

  fs::copy_file(source, program.File("other/Single.ttf"));
  EXPECT_EQ(FontRegistry::AddFontFile(program.Path() + "/other/Single.ttf"), "DejaVu Serif");
  EXPECT_EQ(FontRegistry::AddFontFile(program.Path() + "/other/none.ttf"), "");
}

}  // namespace
}  // namespace tumi
