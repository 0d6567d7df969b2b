// The shipped language files: the same keys in every language, every key the
// program looks up present, and no text longer than a lookup can return.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "app/shell/Language.h"
#include "app/shell/ProfileFile.h"
#include "app/shell/TextDecoder.h"

namespace tessaro {
namespace {

// Every KB.DIALOG key the program looks up.
constexpr int kUsedKeys[] = {
    1,   2,   5,   10,  11,  20,  22,  23,  25,  26,  27,  28,  29,  30,  31,  32,  33,  50,  51,
    52,  53,  56,  60,  61,  65,  82,  83,  85,  86,  87,  89,  90,  91,  100, 101, 102, 103, 104,
    105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 117, 118, 120, 121, 150, 151, 152, 153,
    156, 157, 165, 166, 167, 168, 170, 171, 172, 175, 176, 177, 201, 202, 204, 205, 206, 207, 208,
    209, 210, 211, 212, 218, 230, 231, 232, 233, 234, 235, 236, 252, 270, 271, 272, 273, 274, 275,
    276, 277, 278, 279, 290, 291, 293, 295, 296, 300, 301, 302, 303, 304, 305, 306, 307, 308, 309,
    310, 311, 312, 316, 317, 318, 319, 320, 321, 322, 323, 325, 326, 327, 329, 330, 331, 335, 336,
    337, 365, 366, 540, 541, 542, 543, 544, 546, 550, 551, 552, 553, 554, 555, 556, 557, 558, 621,
    701, 702, 703, 704, 705, 706, 707, 708, 709, 710, 711, 712, 713, 714, 715};

// Keys beyond that list that the files offer for work still to come: the speed
// label, the close question, the firmware button, the fifth colour zone, light
// mode names and the mouse button functions.
constexpr int kOfferedKeys[] = {84,  158, 173, 400, 401, 402, 403, 404, 405, 406, 407, 408,
                                409, 410, 411, 412, 413, 414, 545, 721, 722, 723, 727, 728};

const int kLanguages[] = {Language::kEnglish, Language::kChineseSimplified,
                          Language::kPortugueseBrazil};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string FilePath(int id) {
  return std::string(TESSARO_SOURCE_DIR) + "/data/language/" + std::to_string(id) + ".lan";
}

// The keys of section KB.DIALOG with their raw texts, checked line by line so
// that a duplicate or malformed line fails instead of being skipped.
std::map<int, std::string> ReadDialogSection(int id) {
  const std::string text = ReadFile(FilePath(id));
  std::map<int, std::string> entries;
  std::string section;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto end = text.find('\n', pos);
    std::string line = text.substr(pos, end == std::string::npos ? end : end - pos);
    pos = end == std::string::npos ? text.size() : end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = line;
      continue;
    }
    EXPECT_EQ(section, "[KB.DIALOG]") << id << ": " << line;
    const auto equals = line.find('=');
    EXPECT_NE(equals, std::string::npos) << id << ": " << line;
    const std::string key = line.substr(0, equals);
    EXPECT_EQ(key.find_first_not_of("0123456789"), std::string::npos) << id << ": " << line;
    EXPECT_TRUE(entries.emplace(std::stoi(key), line.substr(equals + 1)).second)
        << id << ": duplicate " << key;
  }
  return entries;
}

TEST(LanguageFiles, AreUtf8WithAHeaderComment) {
  for (const int id : kLanguages) {
    const std::string bytes = ReadFile(FilePath(id));
    EXPECT_TRUE(bytes.starts_with("; Tessaro language file")) << id;
    EXPECT_EQ(TextDecoder::ToUtf8(bytes), bytes) << id << " is not valid UTF-8";
  }
}

TEST(LanguageFiles, HaveTheSameKeysWithEveryUsedKeyAndShortTexts) {
  std::set<int> expected(std::begin(kUsedKeys), std::end(kUsedKeys));
  expected.insert(std::begin(kOfferedKeys), std::end(kOfferedKeys));
  for (const int id : kLanguages) {
    const auto entries = ReadDialogSection(id);
    std::set<int> keys;
    for (const auto& [key, raw] : entries) {
      keys.insert(key);
      EXPECT_FALSE(raw.empty()) << id << ": " << key;
      EXPECT_EQ(TextDecoder::CutToUtf16Units(raw, ProfileFile::kMaxValueUnits), raw)
          << id << ": " << key << " is longer than a lookup returns";
    }
    EXPECT_EQ(keys, expected) << id;
    const ProfileFile file(FilePath(id));
    for (const int key : kUsedKeys) {
      EXPECT_NE(file.ReadString("KB.DIALOG", std::to_string(key)), "") << id << ": " << key;
    }
  }
}

}  // namespace
}  // namespace tessaro
