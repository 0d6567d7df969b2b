#include "uilib/core/SkinPath.h"

#include <gtest/gtest.h>

#include <fstream>

#include "uilib/testing/TempFolder.h"

namespace tumi {
namespace {

TEST(SkinPath, NamesAreNormalisedAndJoined) {
  const struct {
    const char* name;
    const char* want;
  } names[] = {
      {"loading\\loading.gif", "loading/loading.gif"},
      {"logo\\\\logo_loading.png", "logo/logo_loading.png"},
      {"icon//icon_pc.png", "icon/icon_pc.png"},
      {"a\\/\\b.png", "a/b.png"},
      {"plain.png", "plain.png"},
  };
  for (const auto& n : names) EXPECT_EQ(SkinPath::Normalise(n.name), n.want) << n.name;

  EXPECT_EQ(SkinPath::Join("/opt/t/skins/theme1", "\\icon\\x.png"),
            "/opt/t/skins/theme1/icon/x.png");
  EXPECT_EQ(SkinPath::Join("/opt/t/", "x.png"), "/opt/t/x.png");
  EXPECT_EQ(SkinPath::SkinFolder("/opt/tessaro", "theme1\\"), "/opt/tessaro/skins/theme1");
  EXPECT_EQ(SkinPath::SkinFolder("/opt/tessaro/", "theme1"), "/opt/tessaro/skins/theme1");
}

TEST(SkinPath, ResolveCaseFindsAFileWrittenInOtherLetterCase) {
  testing::TempFolder folder;
  std::ofstream(folder.File("Icon/Tab_Home.png")) << "x";
  EXPECT_EQ(SkinPath::ResolveCase(folder.Path() + "/icon/tab_home.png"),
            folder.Path() + "/Icon/Tab_Home.png");
  EXPECT_EQ(SkinPath::ResolveCase(folder.Path() + "/Icon/Tab_Home.png"),
            folder.Path() + "/Icon/Tab_Home.png");
  EXPECT_EQ(SkinPath::ResolveCase(folder.Path() + "/icon/missing.png"),
            folder.Path() + "/icon/missing.png");
}

}  // namespace
}  // namespace tumi
