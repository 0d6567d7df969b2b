// Private-profile lookups: the format rules, the encodings and the length cap.
#include "app/shell/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/shell/TextDecoder.h"

namespace tessaro {
namespace {

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string Utf16Be(std::u16string_view text) {
  std::string bytes = "\xFE\xFF";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit >> 8);
    bytes += static_cast<char>(unit & 0xFF);
  }
  return bytes;
}

TEST(ProfileFile, FollowsThePrivateProfileRules) {
  const std::string file =
      "; a comment line\r\n"
      "[Other]\r\n"
      "1=from another section\r\n"
      "  [ kb.dialog ]  \r\n"
      "  7  =   spaced out   \r\n"
      ";8=commented out\r\n"
      "9=\"  quoted, spaces kept  \"\r\n"
      "10='single'\r\n"
      "11=\"unbalanced'\r\n"
      "12=a=b\r\n"
      "13=\n"
      "14=first\n"
      "14=second\r"
      "Key=Upper\n"
      "line without equals sign\n"
      "[KB.DIALOG]\n"
      "15=in a repeated section\n";
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  for (const Case& c : {
           Case{"KB.DIALOG", "7", "spaced out"},
           Case{"KB.DIALOG", "8", ""},
           Case{"KB.DIALOG", "9", "  quoted, spaces kept  "},
           Case{"KB.DIALOG", "10", "single"},
           Case{"KB.DIALOG", "11", "\"unbalanced'"},
           Case{"KB.DIALOG", "12", "a=b"},
           Case{"KB.DIALOG", "13", ""},
           Case{"KB.DIALOG", "14", "first"},
           Case{"kb.Dialog", "KEY", "Upper"},
           Case{"KB.DIALOG", "1", ""},
           Case{"Other", "1", "from another section"},
           Case{"KB.DIALOG", "15", ""},  // only the first section of a name counts
           Case{"Missing", "7", ""},
       }) {
    EXPECT_EQ(ProfileFile::Find(file, c.section, c.key), c.expected)
        << "[" << c.section << "] " << c.key;
  }
}

TEST(ProfileFile, ReadsEveryEncodingTheSameWay) {
  const std::u16string text = u"[KB.DIALOG]\r\n60=Conectado ção 配置方案 \U0001F3B5\r\n";
  const std::string utf8 = "[KB.DIALOG]\r\n60=Conectado ção 配置方案 \xF0\x9F\x8E\xB5\r\n";
  const std::string expected = "Conectado ção 配置方案 \xF0\x9F\x8E\xB5";
  for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, Utf16Le(text), Utf16Be(text)}) {
    EXPECT_EQ(ProfileFile::Find(bytes, "KB.DIALOG", "60"), expected);
  }
  // Not valid UTF-8: WINDOWS-1252, whose 0x80 to 0x9F differ from Latin-1.
  EXPECT_EQ(
      ProfileFile::Find("[KB.DIALOG]\n1=Configura\xE7\xE3o \x80 \x93ok\x94\n", "KB.DIALOG", "1"),
      "Configuração € “ok”");
}

TEST(ProfileFile, CutsLongTextsWithoutSplittingACharacter) {
  const std::string long_text(300, 'a');
  EXPECT_EQ(ProfileFile::Find("[S]\n1=" + long_text, "S", "1"), std::string(259, 'a'));
  // A non-BMP character needs two units; at units 259 and 260 it no longer fits.
  const std::string note = "\xF0\x9F\x8E\xB5";
  EXPECT_EQ(ProfileFile::Find("[S]\n1=" + std::string(258, 'b') + note + "c", "S", "1"),
            std::string(258, 'b'));
  EXPECT_EQ(ProfileFile::Find("[S]\n1=" + std::string(257, 'b') + note + "c", "S", "1"),
            std::string(257, 'b') + note);
  // A Chinese character is one unit but three bytes.
  std::string chinese;
  for (int i = 0; i < 300; ++i) chinese += "宏";
  EXPECT_EQ(ProfileFile::Find("[S]\n1=" + chinese, "S", "1"), chinese.substr(0, 259 * 3));
}

TEST(ProfileFile, DecodesBrokenUtf16WithoutLosingTheRest) {
  // A lone surrogate becomes U+FFFD; an odd trailing byte is dropped.
  std::string bytes = Utf16Le(u"[S]\n1=a");
  bytes += std::string("\x00\xD8", 2);
  bytes += Utf16Le(u"b").substr(2);
  bytes += "\x41";
  EXPECT_EQ(ProfileFile::Find(bytes, "S", "1"),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(ProfileFile, ReadsTheFileOnEveryCallAndGivesNothingWithoutIt) {
  const auto path = std::filesystem::path(testing::TempDir()) / "profile_file_test.lan";
  std::filesystem::remove(path);
  const ProfileFile file(path.string());
  EXPECT_EQ(file.ReadString("KB.DIALOG", "1"), "");
  std::ofstream(path) << "[KB.DIALOG]\n1=before\n";
  EXPECT_EQ(file.ReadString("KB.DIALOG", "1"), "before");
  std::ofstream(path) << "[KB.DIALOG]\n1=after\n";
  EXPECT_EQ(file.ReadString("KB.DIALOG", "1"), "after");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace tessaro
