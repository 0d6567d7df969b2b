// The current language: texts by language, the locale mapping and the choice at start.
#include "app/shell/Language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tessaro {
namespace {

const std::string kDataFolder = std::string(TESSARO_SOURCE_DIR) + "/data";

TEST(Language, GivesTheTextsOfTheCurrentLanguage) {
  platform::FakeSettingsStore store;
  Registry registry(store);
  Language language(kDataFolder, registry);
  struct Case {
    int id;
    int key;
    const char* expected;
  };
  for (const Case& c : {
           Case{1033, 65, "Profile"}, Case{2052, 65, "配置方案"}, Case{1046, 65, "Perfil"},
           Case{1033, 331, "Macro"}, Case{2052, 331, "宏"}, Case{1046, 331, "Macro"},
           Case{1046, 56, "Configurações"},
           Case{1033, 99999, ""},  // a key the file lacks: empty, never the number
           Case{1041, 65, ""},     // a language without a file
       }) {
    language.SetLanguage(c.id);
    EXPECT_EQ(language.GetText(c.key), c.expected) << c.id << " " << c.key;
  }
  language.SetLanguage(Language::kEnglish);
  EXPECT_EQ(language.GetText(65, "Other section"), "");
  EXPECT_EQ(Language("/nonexistent", registry).GetText(65), "");
}

TEST(Language, SetLanguageAndResetStoreTheIdAndRelabel) {
  platform::FakeSettingsStore store;
  store.key_exists = true;
  Registry registry(store);
  Language language(kDataFolder, registry);
  int relabels = 0;
  std::string label;
  language.SetRelabel([&] {
    ++relabels;
    label = language.GetText(56);
  });
  language.SetLanguage(Language::kChineseSimplified);
  EXPECT_EQ(store.values["LCID"], "2052");
  EXPECT_EQ(relabels, 1);
  EXPECT_EQ(label, "设置");

  platform::FakeEnvironment environment;
  environment.variables["LANG"] = "pt_BR.UTF-8";
  EXPECT_EQ(language.ResetToSystem(environment), Language::kPortugueseBrazil);
  EXPECT_EQ(store.values["LCID"], "1046");
  EXPECT_EQ(relabels, 2);
  EXPECT_EQ(label, "Configurações");
}

TEST(Language, FreeGetTextUsesTheProcessLanguage) {
  platform::FakeSettingsStore store;
  Registry registry(store);
  Language language(kDataFolder, registry);
  language.SetLanguage(Language::kPortugueseBrazil);
  EXPECT_EQ(GetText(65), "");
  Language::SetProcessLanguage(&language);
  EXPECT_EQ(GetText(65), "Perfil");
  EXPECT_EQ(GetText(65, "KB.DIALOG"), "Perfil");
  Language::SetProcessLanguage(nullptr);
}

TEST(Language, MapsLocalesToOfferedLanguages) {
  struct Case {
    const char* locale;
    int expected;
  };
  for (const Case& c : {
           Case{"zh_CN.UTF-8", 2052},
           Case{"zh_SG", 2052},
           Case{"zh_TW.UTF-8", 2052},
           Case{"zh_HK.Big5HKSCS", 2052},
           Case{"zh", 2052},
           Case{"ZH-cn", 2052},
           Case{"pt_BR.UTF-8", 1046},
           Case{"pt", 1046},
           Case{"pt_PT@euro", 1046},
           Case{"en_US.UTF-8", 1033},
           Case{"en_GB", 1033},
           Case{"de_DE.UTF-8", 1033},
           Case{"C", 1033},
           Case{"POSIX", 1033},
           Case{"C.UTF-8", 1033},
           Case{"", 1033},
           Case{"zhx_CN", 1033},
           Case{"ptx", 1033},
       }) {
    EXPECT_EQ(Language::FromLocale(c.locale), c.expected) << c.locale;
  }
}

TEST(Language, SystemLanguageTakesTheFirstSetLocaleVariable) {
  struct Case {
    std::map<std::string, std::string> variables;
    int expected;
  };
  for (const Case& c : {
           Case{{}, 1033},
           Case{{{"LANG", "pt_BR.UTF-8"}}, 1046},
           Case{{{"LANG", "pt_BR.UTF-8"}, {"LC_MESSAGES", "zh_CN.UTF-8"}}, 2052},
           Case{{{"LC_ALL", "en_US.UTF-8"}, {"LC_MESSAGES", "zh_CN.UTF-8"}}, 1033},
           Case{{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "zh_SG"}}, 2052},
       }) {
    platform::FakeEnvironment environment;
    environment.variables = c.variables;
    EXPECT_EQ(Language::SystemLanguage(environment), c.expected);
  }
}

// A program folder holding language files for the given ids only.
std::string ProgramFolderWith(std::initializer_list<int> ids) {
  const auto folder = std::filesystem::path(testing::TempDir()) / "language_test_program";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "language");
  for (const int id : ids) {
    std::ofstream(folder / "language" / (std::to_string(id) + ".lan"))
        << "[KB.DIALOG]\n65=" << id << "\n";
  }
  return folder.string();
}

TEST(Language, ChoosesAtStartAndStoresWhatItUses) {
  struct Case {
    const char* name;
    const char* stored;  // nullptr: no value stored yet
    const char* lang;
    std::initializer_list<int> files;
    int expected;
  };
  const std::initializer_list<int> all = {2052, 1033, 1046};
  for (const Case& c : {
           Case{"first run", nullptr, "zh_CN.UTF-8", all, 2052},
           Case{"first run, other locale", nullptr, "fr_FR.UTF-8", all, 1033},
           Case{"stored choice wins", "1046", "zh_CN.UTF-8", all, 1046},
           Case{"stored id not offered", "1041", "pt_BR.UTF-8", all, 1046},
           Case{"stored garbage", "abc", "zh_CN", all, 2052},
           Case{"stored id's file missing", "1046", "zh_CN", {2052, 1033}, 2052},
           Case{"system file missing too", "1046", "zh_CN", {1033}, 1033},
       }) {
    platform::FakeSettingsStore store;
    if (c.stored) {
      store.key_exists = true;
      store.values["LCID"] = c.stored;
    }
    Registry registry(store);
    platform::FakeEnvironment environment;
    environment.variables["LANG"] = c.lang;
    Language language(ProgramFolderWith(c.files), registry);
    EXPECT_EQ(language.ChooseAtStart(environment), c.expected) << c.name;
    EXPECT_EQ(language.Id(), c.expected) << c.name;
    EXPECT_EQ(store.values["LCID"], std::to_string(c.expected)) << c.name;
    EXPECT_EQ(language.GetText(65), std::to_string(c.expected)) << c.name;
  }
}

}  // namespace
}  // namespace tessaro
