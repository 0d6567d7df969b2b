#include "app/update/ZipExtractor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/update/TestZip.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using test::ZipEntry;

class ZipExtractorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tessaro-zip-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(folder());
  }
  void TearDown() override { fs::remove_all(root_); }

  // The update folder sits two levels down, so that "../" and "../../"
  // entries would land inside root_ where the test can see them.
  fs::path folder() const { return root_ / "data" / "temp"; }
  std::string zip() const { return (root_ / "package.zip").string(); }

  // Every path below root_ except the zip itself.
  std::vector<std::string> Tree() const {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (entry.path() != zip()) paths.push_back(fs::relative(entry.path(), root_).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  fs::path root_;
};

TEST_F(ZipExtractorTest, UnpacksFilesAndFolders) {
  ASSERT_TRUE(test::WriteZip(zip(), {{"Setup-1.0.exe", "program"},
                                     {"docs/", ""},
                                     {"docs/readme.txt", "hello"},
                                     {"lib/deep/part.bin", std::string(100000, 'z'), 0100644}}));
  ZipExtractor extractor;
  ASSERT_EQ(extractor.Extract(zip(), folder().string()), UnzipResult::kOk);
  EXPECT_EQ(Tree(), (std::vector<std::string>{"data", "data/temp", "data/temp/Setup-1.0.exe",
                                              "data/temp/docs", "data/temp/docs/readme.txt",
                                              "data/temp/lib", "data/temp/lib/deep",
                                              "data/temp/lib/deep/part.bin"}));
  std::ifstream readme(folder() / "docs/readme.txt");
  std::string text;
  std::getline(readme, text);
  EXPECT_EQ(text, "hello");
  EXPECT_EQ(fs::file_size(folder() / "lib/deep/part.bin"), 100000u);
  EXPECT_EQ(extractor.ExtractedFiles().size(), 3u);
}

TEST_F(ZipExtractorTest, RefusedArchivesLeaveNothingBehind) {
  struct Case {
    const char* what;
    ZipEntry hostile;
    UnzipResult expected;
  } cases[] = {
      {"parent", {"../escaped.txt", "x"}, UnzipResult::kRefusedEntry},
      {"grandparent", {"../../escaped.txt", "x"}, UnzipResult::kRefusedEntry},
      {"inner parent", {"docs/../../escaped.txt", "x"}, UnzipResult::kRefusedEntry},
      {"absolute",
       {(fs::temp_directory_path() / "escaped.txt").string(), "x"},
       UnzipResult::kRefusedEntry},
      {"backslash", {"..\\escaped.txt", "x"}, UnzipResult::kRefusedEntry},
      {"drive", {"C:escaped.txt", "x"}, UnzipResult::kRefusedEntry},
      {"link", {"link", "/etc", 0120777}, UnzipResult::kRefusedEntry},
      {"fifo", {"pipe", "", 0010644}, UnzipResult::kRefusedEntry},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(zip());
    // The harmless entry comes first: a refusal must not leave it behind.
    ASSERT_TRUE(test::WriteZip(zip(), {{"first/ok.txt", "fine"}, c.hostile}));
    ZipExtractor extractor;
    EXPECT_EQ(extractor.Extract(zip(), folder().string()), c.expected);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"data", "data/temp"}));
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "escaped.txt"));
  }
}

TEST_F(ZipExtractorTest, BombsAndDamageFailWithoutLeftovers) {
  ZipExtractor small({.max_entries = 3, .max_total_bytes = 1000});
  // Many entries.
  std::vector<ZipEntry> many;
  for (int i = 0; i < 4; ++i) many.push_back({"f" + std::to_string(i), "x"});
  ASSERT_TRUE(test::WriteZip(zip(), many));
  EXPECT_EQ(small.Extract(zip(), folder().string()), UnzipResult::kTooLarge);
  EXPECT_EQ(Tree(), (std::vector<std::string>{"data", "data/temp"}));

  // A small archive that unpacks to far more than allowed.
  fs::remove(zip());
  ASSERT_TRUE(test::WriteZip(zip(), {{"a", "x"}, {"bomb", std::string(1 << 20, '\0')}}));
  EXPECT_LT(fs::file_size(zip()), 4000u);
  EXPECT_EQ(small.Extract(zip(), folder().string()), UnzipResult::kTooLarge);
  EXPECT_EQ(Tree(), (std::vector<std::string>{"data", "data/temp"}));

  // A bomb whose headers claim 10 bytes: no more than that comes out, and the
  // entry then fails its check as damaged.
  fs::remove(zip());
  ASSERT_TRUE(test::WriteLyingZip(zip(), "liar", std::string(1 << 20, '\0'), 10));
  EXPECT_EQ(small.Extract(zip(), folder().string()), UnzipResult::kFailed);
  EXPECT_EQ(Tree(), (std::vector<std::string>{"data", "data/temp"}));

  // A damaged entry: the CRC check fails after the first file was written.
  fs::remove(zip());
  const std::string content(5000, 'q');
  ASSERT_TRUE(test::WriteZip(zip(), {{"good.txt", "fine"}, {"broken.txt", content, 0}}));
  {
    std::fstream bytes(zip(), std::ios::in | std::ios::out | std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(bytes)), {});
    const size_t at = all.find("broken.txt") + 10 + 4;  // into its compressed data
    bytes.seekp(static_cast<std::streamoff>(at));
    bytes.put(static_cast<char>(all[at] ^ 0x55));
  }
  ZipExtractor extractor;
  EXPECT_EQ(extractor.Extract(zip(), folder().string()), UnzipResult::kFailed);
  EXPECT_EQ(Tree(), (std::vector<std::string>{"data", "data/temp"}));

  // Not a zip at all.
  std::ofstream(zip(), std::ios::trunc) << "<html>Not Found</html>";
  EXPECT_EQ(extractor.Extract(zip(), folder().string()), UnzipResult::kCannotOpen);
}

}  // namespace
}  // namespace tessaro
