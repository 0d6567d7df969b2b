#include "app/store/StoreDefaults.h"

#include <gtest/gtest.h>

#include "app/store/StoreTestSupport.h"

namespace tessaro {
namespace {

using testing::Rows;
using testing::SideConnection;
using testing::TempFolder;

class StoreDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.Open(folder_.Path(), "K1")); }

  TempFolder folder_;
  ConfigStore store_;
};

TEST_F(StoreDefaultsTest, ANewFileGetsThreeProfilesAndTheConfigurationRows) {
  for (const std::string word : {"Profile", "配置方案"}) {
    SCOPED_TRACE(word);
    TempFolder folder;
    ConfigStore store;
    ASSERT_TRUE(store.Open(folder.Path(), "K1"));
    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(StoreDefaults::LoadProfiles(store, word, profiles), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(profiles[i].profile, i + 1);
      EXPECT_EQ(profiles[i].name, word + " " + std::to_string(i + 1));
      EXPECT_EQ(profiles[i].status, i == 0 ? 1 : 0);
      EXPECT_EQ(profiles[i].app, "");
      EXPECT_EQ(profiles[i].type, 0);
    }
    EXPECT_EQ(StoreDefaults::LoadProfiles(store, "Other", profiles), 3) << "only once";
    EXPECT_EQ(profiles[0].name, word + " 1");
  }

  std::vector<ProfileRecord> profiles;
  StoreDefaults::LoadProfiles(store_, "Profile", profiles);
  const Rows expected = {
      {"1", "version", "1.0.1"},     {"1", "keyboard_layout", "1"}, {"1", "fn_layer", "0"},
      {"1", "lightmode", "1"},       {"1", "sleep_light", "1"},     {"1", "userlight", "0"},
      {"1", "customlight_run", "0"}, {"1", "gamemode", "0"},        {"1", "disable_alttab", "0"},
      {"1", "disable_altf4", "0"},   {"1", "disable_win", "0"},
  };
  EXPECT_EQ(SideConnection(store_.Path())
                .Query("SELECT profile, key, value FROM t_configdata ORDER BY config_id"),
            expected);
}

TEST_F(StoreDefaultsTest, AProfileWithoutLightsGetsOnePerModeOfTheLayout) {
  const DefaultLights lights{{{"311", 1, 0x07}, {"312", 4, 0x1F}, {"313", 9, 0x01}}, 4, 3, 2};
  EXPECT_TRUE(StoreDefaults::AddLightSettings(store_, 2, lights));
  EXPECT_FALSE(StoreDefaults::AddLightSettings(store_, 2, lights)) << "only once";
  EXPECT_EQ(store_.CountLightSettings(2), 3);
  EXPECT_EQ(store_.CountLightSettings(1), 0);
  EXPECT_EQ(store_.GetActiveLightMode(2), 4);

  const Rows expected = {
      {"2", "311", "1", "3", "2", "0", "1", "0", "255", "7", "0", "0"},
      {"2", "312", "4", "3", "2", "0", "1", "0", "255", "31", "0", "1"},
      {"2", "313", "9", "3", "2", "0", "1", "0", "255", "1", "0", "0"},
  };
  EXPECT_EQ(SideConnection(store_.Path())
                .Query("SELECT profile, name, mode, brightness, speed, direction, colorful, "
                       "colorindex, color_value, config_func, reserved, status "
                       "FROM t_light_data ORDER BY light_id"),
            expected);
  EXPECT_FALSE(StoreDefaults::AddLightSettings(store_, 3, DefaultLights{}))
      << "a layout without modes adds nothing";
}

TEST_F(StoreDefaultsTest, TheMusicLayerIsAddedOnceAndSelected) {
  for (bool rgb : {true, false}) {
    TempFolder folder;
    ConfigStore store;
    ASSERT_TRUE(store.Open(folder.Path(), "K1"));
    EXPECT_TRUE(StoreDefaults::AddMusicLayer(store, "Music", rgb));
    EXPECT_FALSE(StoreDefaults::AddMusicLayer(store, "Music", rgb));
    MusicLayer layer;
    ASSERT_TRUE(store.GetMusicLayer(1, layer));
    EXPECT_EQ(layer.name, "Music 1");
    EXPECT_EQ(layer.foremode, rgb ? 17 : 1);
    EXPECT_EQ(store.GetSelectedMusicLayer(), 1);
    EXPECT_EQ(store.CountMusicLayers(), 1);
  }
}

}  // namespace
}  // namespace tessaro
