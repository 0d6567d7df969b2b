// Folders, the INI settings store and the autostart entry on a real temporary
// folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/system/AutostartEntry.h"
#include "platform/system/Clock.h"
#include "platform/system/Folders.h"
#include "platform/system/SettingsStore.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() /
            ("tessaro-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(Folders, FollowTheXdgRulesAndTheProgramFolderOrder) {
  TempFolder temp;
  FakeEnvironment env;
  env.home = "/home/ada";
  env.executable = (temp.path() / "bin" / "tessaro").string();
  Folders folders(env);

  EXPECT_EQ(folders.ConfigHome(), "/home/ada/.config");
  EXPECT_EQ(folders.DataHome(), "/home/ada/.local/share");
  env.variables["XDG_CONFIG_HOME"] = "relative/is/ignored";
  EXPECT_EQ(folders.ConfigHome(), "/home/ada/.config");
  env.variables["XDG_CONFIG_HOME"] = "/cfg/";
  env.variables["XDG_DATA_HOME"] = "/data";
  EXPECT_EQ(folders.SettingsFile("Tessaro"), "/cfg/Tessaro/settings.ini");
  EXPECT_EQ(folders.AutostartFile(), "/cfg/autostart/tessaro.desktop");
  EXPECT_EQ(folders.UserDataFolder("Tessaro"), "/data/Tessaro Files");

  // Installed layout first, then a runnable build folder, then the override.
  EXPECT_EQ(folders.ProgramFolder(), (temp.path() / "share" / "tessaro").string());
  fs::create_directories(temp.path() / "bin");
  std::ofstream(temp.path() / "bin" / "config.xml") << "<config/>";
  EXPECT_EQ(folders.ProgramFolder(), (temp.path() / "bin").string());
  env.variables["TESSARO_DATA_DIR"] = "/srv/tessaro/";
  EXPECT_EQ(folders.ProgramFolder(), "/srv/tessaro/");
}

TEST(IniSettingsStore, CreatesTheKeyAndKeepsOtherValues) {
  TempFolder temp;
  const auto path = (temp.path() / "Tessaro" / "settings.ini").string();
  IniSettingsStore store(path);

  EXPECT_EQ(store.OpenKey(false), SettingsStore::Open::kMissing);
  EXPECT_EQ(store.Read("LCID"), std::nullopt);
  EXPECT_EQ(store.OpenKey(true), SettingsStore::Open::kOpened);
  EXPECT_TRUE(fs::exists(path));

  ASSERT_TRUE(store.Write("LCID", "2052"));
  ASSERT_TRUE(store.Write("exit_mode", "1"));
  ASSERT_TRUE(store.Write("LCID", "1046"));
  ASSERT_TRUE(store.Write("note", "two\nlines"));
  EXPECT_EQ(IniSettingsStore(path).Read("LCID"), "1046");
  EXPECT_EQ(store.Read("exit_mode"), "1");
  EXPECT_EQ(store.Read("note"), "two lines");  // no forged second value
  EXPECT_EQ(store.Read("lcid"), std::nullopt);
  EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST(IniSettingsStore, AFolderInThePlaceOfTheFileFailsOpen) {
  TempFolder temp;
  fs::create_directories(temp.path() / "settings.ini");
  IniSettingsStore store((temp.path() / "settings.ini").string());
  EXPECT_EQ(store.OpenKey(true), SettingsStore::Open::kFailed);
  EXPECT_FALSE(store.Write("LCID", "1033"));
}

TEST(DesktopAutostartEntry, RoundTripsCommandsThatNeedQuoting) {
  TempFolder temp;
  DesktopAutostartEntry entry((temp.path() / "autostart" / "tessaro.desktop").string(), "Tessaro");
  EXPECT_EQ(entry.Read(), std::nullopt);
  EXPECT_TRUE(entry.Remove());  // nothing to remove is fine

  for (std::string command : {"/opt/tessaro/bin/tessaro", "/home/a b/\"q\"/$x`y`\\z%1/tessaro"}) {
    ASSERT_TRUE(entry.Write(command));
    EXPECT_EQ(entry.Read(), command);
  }
  std::ifstream in(temp.path() / "autostart" / "tessaro.desktop");
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "[Desktop Entry]");
  EXPECT_TRUE(entry.Remove());
  EXPECT_EQ(entry.Read(), std::nullopt);
}

TEST(FakeClock, RecordsSleepsAndMovesVirtualTime) {
  FakeClock clock;
  clock.SleepFor(Milliseconds(16));
  clock.Advance(Milliseconds(4));
  clock.SleepFor(Milliseconds(0));
  EXPECT_EQ(clock.Now(), Milliseconds(20));
  EXPECT_EQ(clock.Sleeps(), (std::vector<Milliseconds>{Milliseconds(16), Milliseconds(0)}));
}

}  // namespace
}  // namespace platform
