// The data access operations on a real database file: their results, the
// rules the store keeps between tables, and the file left as it was when a
// write fails.
#include <gtest/gtest.h>

#include <memory>

#include "app/store/ConfigStore.h"
#include "app/store/StoreTestSupport.h"

namespace tessaro {
namespace {

using testing::Rows;
using testing::SideConnection;
using testing::TempFolder;

KeyAssignment Key(int32_t profile, int32_t key_code, int32_t type, int32_t value,
                  int32_t value2 = 0) {
  KeyAssignment key;
  key.profile = profile;
  key.key_code = key_code;
  key.layout_value = key_code;
  key.layout_desc = "desc";
  key.macro_type = type;
  key.macro_value = value;
  key.macro_value2 = value2;
  key.macro_value3 = 7;
  key.macro_desc = "Ctrl + C";
  return key;
}

MacroStep Step(int32_t macro_id, int32_t type, int32_t index, int32_t value) {
  return {0, macro_id, type, index, value, 10 * index, "step " + std::to_string(index)};
}

class StoreOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.Open(folder_.Path(), "K1")); }
  SideConnection& File() {
    if (!side_) side_ = std::make_unique<SideConnection>(store_.Path());
    return *side_;
  }
  std::string Count(const std::string& table, const std::string& where = "1") {
    return File().Query("SELECT count(*) FROM " + table + " WHERE " + where)[0][0];
  }

  TempFolder folder_;
  ConfigStore store_;
  std::unique_ptr<SideConnection> side_;
};

TEST_F(StoreOperationsTest, Profiles) {
  EXPECT_EQ(store_.AddProfile({0, "one", "", 0, 0}), 1);
  // Status and type of a new profile are always 0, whatever the record says.
  EXPECT_EQ(store_.AddProfile({9, "two", "", 5, 1}), 2);
  EXPECT_EQ(store_.AddProfile({0, "three", "", 0, 0}), 3);
  EXPECT_EQ(store_.GetActiveProfile(), 0);

  EXPECT_TRUE(store_.SetActiveProfile(2));
  EXPECT_TRUE(store_.SetActiveProfile(3));
  EXPECT_EQ(store_.GetActiveProfile(), 3);
  EXPECT_EQ(Count("t_profile_data", "status = 1"), "1");

  EXPECT_TRUE(store_.RenameProfile(1, "配置方案 1"));
  std::string name = "stale";
  EXPECT_TRUE(store_.GetProfileName(1, name));
  EXPECT_EQ(name, "配置方案 1");
  EXPECT_EQ(File().Query("SELECT hex(name) FROM t_profile_data WHERE profile = 1")[0][0],
            "E9858DE7BDAEE696B9E6A1882031")
      << "stored as UTF-8";
  EXPECT_FALSE(store_.GetProfileName(42, name));
  EXPECT_EQ(name, "") << "emptied even when the profile is missing";

  EXPECT_TRUE(store_.DeleteProfile(2));
  std::vector<ProfileRecord> profiles(5);
  ASSERT_EQ(store_.LoadProfiles(profiles), 2);
  EXPECT_EQ(profiles[0].profile, 1);
  EXPECT_EQ(profiles[1].profile, 3);
  EXPECT_EQ(profiles[1].name, "three");
  EXPECT_EQ(profiles[1].status, 1);
  EXPECT_EQ(profiles[1].type, 0);
  EXPECT_EQ(store_.AddProfile({}), 4) << "ids are never reused";
}

TEST_F(StoreOperationsTest, SavingAKeyReplacesItsRow) {
  EXPECT_EQ(store_.SaveKeyAssignment(Key(1, 0, 1, 5)), 0);
  EXPECT_EQ(Count("t_key_macro_data"), "0") << "key code 0 writes nothing";

  const int32_t first = store_.SaveKeyAssignment(Key(1, 0x41, 1, 5));
  const int32_t second = store_.SaveKeyAssignment(Key(1, 0x41, 2, 6));
  EXPECT_GT(first, 0);
  EXPECT_GT(second, first);
  EXPECT_EQ(Count("t_key_macro_data"), "1");
  KeyAssignment key;
  ASSERT_TRUE(store_.GetKeyAssignment(1, 0, 0x41, key));
  EXPECT_EQ(key.key_id, second);
  EXPECT_EQ(key.macro_type, 2);
  EXPECT_EQ(key.macro_value, 6);
  EXPECT_EQ(key.macro_value3, 7);
  EXPECT_EQ(key.layout_value, 0x41);
  EXPECT_EQ(key.layout_desc, "desc");
  EXPECT_EQ(key.macro_desc, "Ctrl + C");

  EXPECT_GT(store_.SaveKeyAssignment(Key(1, 0x42, 1, 0, 3)), 0) << "macro_value2 alone counts";
  EXPECT_EQ(store_.SaveKeyAssignment(Key(1, 0x41, 1, 0, 0)), 0);
  EXPECT_FALSE(store_.GetKeyAssignment(1, 0, 0x41, key)) << "0/0 gives the key back";
  EXPECT_EQ(Count("t_key_macro_data"), "1");
}

TEST_F(StoreOperationsTest, KeysAreLoadedAndDeletedPerProfile) {
  store_.SaveKeyAssignment(Key(1, 0x41, 1, 5));
  store_.SaveKeyAssignment(Key(1, 0x42, 1, 5));
  store_.SaveKeyAssignment(Key(2, 0x41, 1, 5));
  KeyAssignment layer1 = Key(1, 0x43, 1, 5);
  layer1.fn_layer = 1;
  store_.SaveKeyAssignment(layer1);
  File().Exec("INSERT INTO t_key_macro_data(profile, fn_layer, key_code) VALUES (3, 0, 9)");

  std::vector<KeyAssignment> keys(3);
  EXPECT_EQ(store_.LoadKeyAssignments(1, 0, keys), 2);
  EXPECT_EQ(store_.LoadKeyAssignments(1, 1, keys), 1);
  ASSERT_EQ(store_.LoadKeyAssignments(3, 0, keys), 1);
  EXPECT_EQ(keys[0].layout_desc, "") << "NULL text reads as empty";
  EXPECT_EQ(keys[0].macro_desc, "");

  EXPECT_TRUE(store_.DeleteKeyAssignments(1));
  EXPECT_EQ(store_.LoadKeyAssignments(1, 0, keys), 0);
  EXPECT_EQ(store_.LoadKeyAssignments(1, 1, keys), 0);
  EXPECT_EQ(store_.LoadKeyAssignments(2, 0, keys), 1);
}

TEST_F(StoreOperationsTest, KeyOtherDataAnswersWhetherItWasFound) {
  const int32_t id = store_.AddKeyOtherData({"Editor", "/usr/bin/gedit", 8});
  ASSERT_GT(id, 0);
  KeyOtherData data;
  ASSERT_TRUE(store_.GetKeyOtherData(id, data));
  EXPECT_EQ(data.macro_desc, "Editor");
  EXPECT_EQ(data.param, "/usr/bin/gedit");
  EXPECT_EQ(data.type, 8);

  KeyOtherData untouched{"keep", "me", 5};
  EXPECT_FALSE(store_.GetKeyOtherData(id + 1, untouched));
  EXPECT_EQ(untouched.macro_desc, "keep");
  EXPECT_EQ(untouched.type, 5);
}

TEST_F(StoreOperationsTest, LightSettingsAndTheActiveModePerProfile) {
  for (int32_t profile : {1, 2}) {
    for (int32_t mode : {1, 2, 3}) {
      LightSetting s;
      s.profile = profile;
      s.name = std::to_string(300 + mode);
      s.mode = mode;
      s.brightness = 4;
      s.config_func = 0x1F;
      EXPECT_GT(store_.AddLightSetting(s), 0);
    }
  }
  EXPECT_EQ(store_.CountLightSettings(1), 3);
  EXPECT_EQ(store_.CountLightSettings(9), 0);
  EXPECT_EQ(store_.GetActiveLightMode(1), 0);

  EXPECT_TRUE(store_.SetActiveLightMode(1, 2));
  EXPECT_TRUE(store_.SetActiveLightMode(2, 3));
  EXPECT_TRUE(store_.SetActiveLightMode(1, 1));
  EXPECT_EQ(store_.GetActiveLightMode(1), 1);
  EXPECT_EQ(store_.GetActiveLightMode(2), 3) << "another profile keeps its mode";
  EXPECT_EQ(Count("t_light_data", "status = 1"), "2");

  LightSetting update;
  update.name = "ignored";
  update.status = 0;
  update.brightness = 1;
  update.speed = 2;
  update.direction = 3;
  update.colorful = 4;
  update.colorindex = 5;
  update.color_value = 0x00FF8000;
  update.config_func = 7;
  update.reserved = 8;
  EXPECT_TRUE(store_.UpdateLightSetting(1, 1, update));
  LightSetting s;
  ASSERT_TRUE(store_.GetLightSetting(1, 1, s));
  EXPECT_EQ(s.name, "301");
  EXPECT_EQ(s.mode, 1);
  EXPECT_EQ(s.status, 1);
  EXPECT_EQ(s.color_value, 0x00FF8000);
  EXPECT_EQ(s.speed, 2);
  EXPECT_EQ(s.reserved, 8);
  ASSERT_TRUE(store_.GetLightSetting(2, 1, s));
  EXPECT_EQ(s.brightness, 4) << "only the named profile changes";
  EXPECT_FALSE(store_.GetLightSetting(1, 9, s));

  std::vector<LightSetting> settings;
  ASSERT_EQ(store_.LoadLightSettings(2, settings), 3);
  EXPECT_EQ(settings[2].status, 1);
  EXPECT_EQ(settings[2].config_func, 0x1F);
}

TEST_F(StoreOperationsTest, CustomColoursAreOneSetForAllProfiles) {
  EXPECT_EQ(store_.SaveKeyColors({}), 0);
  EXPECT_EQ(store_.SaveKeyColors({{0, 1, 128, 0x41, 0x0000FF}, {0, 1, 128, 0x42, 0x00FF00}}), 2);
  EXPECT_EQ(store_.SaveKeyColors({{0, 2, 128, 0x43, 0xFF0000}, {0, 2, 129, 0x41, 1}}), 2);
  std::vector<KeyColor> colors;
  ASSERT_EQ(store_.LoadKeyColors(128, colors), 3);
  EXPECT_EQ(colors[0].profile, 1);
  EXPECT_EQ(colors[0].key_rgb, 0x0000FF);
  EXPECT_EQ(colors[2].profile, 2);
  EXPECT_EQ(store_.LoadKeyColors(129, colors), 1);

  EXPECT_EQ(store_.ReplaceCustomKeyColors({{0, 3, 128, 0x44, 7}}), 1);
  ASSERT_EQ(store_.LoadKeyColors(128, colors), 1);
  EXPECT_EQ(colors[0].key_code, 0x44);

  EXPECT_TRUE(store_.DeleteCustomKeyColors());
  EXPECT_EQ(store_.LoadKeyColors(128, colors), 0);
  EXPECT_EQ(store_.LoadKeyColors(129, colors), 1) << "only light id 128 is deleted";
}

TEST_F(StoreOperationsTest, Macros) {
  const int32_t id = store_.AddMacro("Combo");
  ASSERT_GT(id, 0);
  MacroRecord macro;
  ASSERT_TRUE(store_.GetMacro(id, macro));
  EXPECT_EQ(macro.macro_id, id);
  EXPECT_EQ(macro.name, "Combo");
  EXPECT_EQ(macro.play_times, 1);
  EXPECT_EQ(macro.delay_type, 1);
  EXPECT_EQ(macro.delay_time, 0);
  EXPECT_EQ(macro.link_count, 0);

  const int32_t imported = store_.InsertMacro({0, "Imported", 2, 5, 3, 40});
  ASSERT_GT(imported, id);
  EXPECT_TRUE(store_.RenameMacro(id, "Renamed"));
  EXPECT_TRUE(store_.UpdateMacroPlayback({id, "ignored", 9, 3, 2, 25}));
  ASSERT_TRUE(store_.GetMacro(id, macro));
  EXPECT_EQ(macro.name, "Renamed");
  EXPECT_EQ(macro.play_times, 3);
  EXPECT_EQ(macro.delay_type, 2);
  EXPECT_EQ(macro.delay_time, 25);
  EXPECT_EQ(macro.link_count, 0);
  int32_t times = 0;
  EXPECT_TRUE(store_.GetMacroPlayTimes(imported, times));
  EXPECT_EQ(times, 5);
  EXPECT_FALSE(store_.GetMacroPlayTimes(999, times));
  EXPECT_FALSE(store_.GetMacro(999, macro));

  std::vector<MacroRecord> macros;
  ASSERT_EQ(store_.LoadMacros(macros), 2);
  EXPECT_EQ(macros[1].link_count, 2);
  EXPECT_EQ(macros[1].delay_time, 40);
}

TEST_F(StoreOperationsTest, StepsComeInRecordOrderAndCountTheirEvents) {
  const int32_t id = store_.AddMacro("m");
  EXPECT_GT(store_.AddMacroStep(Step(id, 3, 2, 0x41)), 0);
  EXPECT_EQ(store_.SaveMacroSteps({Step(id, 1, 1, 0), Step(id, 2, 0, 0x41)}), 2);
  store_.AddMacroStep(Step(id + 1, 2, 0, 0x42));

  std::vector<MacroStep> steps;
  ASSERT_EQ(store_.LoadMacroSteps(id, steps), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(steps[i].record_index, i);
  EXPECT_EQ(steps[0].type, 2);
  EXPECT_EQ(steps[0].value, 0x41);
  EXPECT_EQ(steps[2].desc, "step 2");
  EXPECT_EQ(steps[2].delay_time, 20);
  EXPECT_EQ(store_.CountMacroEvents(id), 2) << "type 1 steps are not events";
  EXPECT_EQ(store_.CountMacroEvents(999), 0);

  // Re-recording replaces the steps; they belong to the macro they replace.
  EXPECT_EQ(store_.ReplaceMacroSteps(id, {Step(77, 2, 0, 0x51), Step(77, 3, 1, 0x51)}), 2);
  ASSERT_EQ(store_.LoadMacroSteps(id, steps), 2);
  EXPECT_EQ(steps[1].value, 0x51);
  EXPECT_EQ(steps[1].macro_id, id);

  EXPECT_TRUE(store_.DeleteMacroSteps(id));
  EXPECT_EQ(store_.LoadMacroSteps(id, steps), 0);
  EXPECT_EQ(store_.LoadMacroSteps(id + 1, steps), 1);
}

TEST_F(StoreOperationsTest, DeletingAMacroFreesOnlyTheKeysThatPlayIt) {
  const int32_t gone = store_.AddMacro("gone");
  const int32_t kept = store_.AddMacro("kept");
  store_.SaveMacroSteps({Step(gone, 2, 0, 1), Step(kept, 2, 0, 1)});
  store_.SaveKeyAssignment(Key(1, 0x41, 3, gone));
  store_.SaveKeyAssignment(Key(2, 0x41, 3, gone));
  store_.SaveKeyAssignment(Key(1, 0x42, 3, kept));
  store_.SaveKeyAssignment(Key(1, 0x43, 1, gone));  // same value, not a macro

  EXPECT_TRUE(store_.DeleteMacro(gone));
  MacroRecord macro;
  EXPECT_FALSE(store_.GetMacro(gone, macro));
  EXPECT_TRUE(store_.GetMacro(kept, macro));
  std::vector<MacroStep> steps;
  EXPECT_EQ(store_.LoadMacroSteps(gone, steps), 0);
  EXPECT_EQ(store_.LoadMacroSteps(kept, steps), 1);
  EXPECT_EQ(File().Query("SELECT key_code FROM t_key_macro_data ORDER BY key_code"),
            (Rows{{"66"}, {"67"}}));
}

TEST_F(StoreOperationsTest, TheOneMusicLayer) {
  EXPECT_EQ(store_.CountMusicLayers(), 0);
  EXPECT_EQ(store_.GetSelectedMusicLayer(), 0);
  ASSERT_EQ(store_.AddMusicLayer("Music 1", 17), 1);
  EXPECT_EQ(store_.CountMusicLayers(), 1);
  MusicLayer layer;
  ASSERT_TRUE(store_.GetMusicLayer(1, layer));
  EXPECT_EQ(layer.profile, 1);
  EXPECT_EQ(layer.name, "Music 1");
  EXPECT_EQ(layer.foremode, 17);
  EXPECT_EQ(layer.fore_amplitude, 300);
  EXPECT_EQ(layer.backmode, 0);
  EXPECT_EQ(layer.backb_right, 100);
  EXPECT_FALSE(store_.GetMusicLayer(2, layer));

  // The layer id of the record does not matter: there is only layer 1.
  EXPECT_TRUE(store_.UpdateMusicLayer({5, 3, "x", 2, 4, 250, 1, 60}));
  ASSERT_TRUE(store_.GetMusicLayer(1, layer));
  EXPECT_EQ(layer.name, "Music 1");
  EXPECT_EQ(layer.deviceindex, 2);
  EXPECT_EQ(layer.foremode, 4);
  EXPECT_EQ(layer.fore_amplitude, 250);
  EXPECT_EQ(layer.backmode, 1);
  EXPECT_EQ(layer.backb_right, 60);

  EXPECT_TRUE(store_.SelectMusicLayer());
  EXPECT_EQ(store_.GetSelectedMusicLayer(), 1);
}

// A write that fails halfway leaves the file as it was before the operation.
TEST_F(StoreOperationsTest, AFailureMidwayLeavesTheFileAsItWas) {
  store_.AddProfile({});
  store_.AddProfile({});
  store_.SetActiveProfile(1);
  const int32_t macro = store_.AddMacro("m");
  store_.SaveMacroSteps({Step(macro, 2, 0, 1)});
  store_.SaveKeyAssignment(Key(1, 0x41, 3, macro));
  File().Exec(
      "CREATE TRIGGER no_active BEFORE UPDATE ON t_profile_data WHEN NEW.status = 1 "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
      "CREATE TRIGGER no_key BEFORE INSERT ON t_key_macro_data "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
      "CREATE TRIGGER keep_keys BEFORE DELETE ON t_key_macro_data WHEN OLD.macro_type = 3 "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
      "CREATE TRIGGER no_color BEFORE INSERT ON t_key_light_data WHEN NEW.key_code = 99 "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"
      "CREATE TRIGGER no_step BEFORE INSERT ON t_macrorecord WHEN NEW.value = 99 "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END;");

  EXPECT_FALSE(store_.SetActiveProfile(2));
  EXPECT_EQ(store_.GetActiveProfile(), 1);

  EXPECT_EQ(store_.SaveKeyAssignment(Key(1, 0x41, 1, 5)), 0);
  KeyAssignment key;
  ASSERT_TRUE(store_.GetKeyAssignment(1, 0, 0x41, key)) << "the old assignment stays";
  EXPECT_EQ(key.macro_type, 3);

  EXPECT_FALSE(store_.DeleteMacro(macro));
  MacroRecord record;
  EXPECT_TRUE(store_.GetMacro(macro, record));
  EXPECT_EQ(store_.CountMacroEvents(macro), 1);

  EXPECT_EQ(store_.SaveKeyColors({{0, 1, 128, 1, 1}, {0, 1, 128, 99, 1}, {0, 1, 128, 2, 1}}), 0);
  EXPECT_EQ(Count("t_key_light_data"), "0") << "no half batch";
  EXPECT_EQ(store_.SaveMacroSteps({Step(macro, 2, 1, 1), Step(macro, 3, 2, 99)}), 0);
  EXPECT_EQ(store_.CountMacroEvents(macro), 1);
  EXPECT_EQ(store_.ReplaceMacroSteps(macro, {Step(macro, 2, 0, 99)}), 0);
  EXPECT_EQ(store_.CountMacroEvents(macro), 1) << "the old steps stay";

  ASSERT_EQ(store_.SaveKeyColors({{0, 1, 128, 1, 1}}), 1);
  EXPECT_EQ(store_.ReplaceCustomKeyColors({{0, 1, 128, 99, 1}}), 0);
  EXPECT_EQ(Count("t_key_light_data"), "1") << "the old colours stay";
}

// Another program holds the write lock, as with a file that cannot be
// written: every insert answers 0, every write false, and reads still work.
TEST_F(StoreOperationsTest, WhenNothingCanBeWrittenInsertsAnswerZero) {
  store_.AddProfile({0, "p", "", 0, 0});
  store_.SetActiveProfile(1);
  ASSERT_EQ(File().Exec("BEGIN IMMEDIATE"), 0);

  EXPECT_EQ(store_.AddProfile({}), 0);
  EXPECT_EQ(store_.SaveKeyAssignment(Key(1, 0x41, 1, 5)), 0);
  EXPECT_EQ(store_.AddKeyOtherData({}), 0);
  EXPECT_EQ(store_.AddLightSetting({}), 0);
  EXPECT_EQ(store_.SaveKeyColors({{0, 1, 128, 1, 1}}), 0);
  EXPECT_EQ(store_.AddMacro("m"), 0);
  EXPECT_EQ(store_.InsertMacro({}), 0);
  EXPECT_EQ(store_.AddMacroStep({}), 0);
  EXPECT_EQ(store_.SaveMacroSteps({Step(1, 2, 0, 1)}), 0);
  EXPECT_EQ(store_.AddMusicLayer("x", 1), 0);
  EXPECT_FALSE(store_.RenameProfile(1, "q"));
  EXPECT_FALSE(store_.SetActiveProfile(1));
  EXPECT_FALSE(store_.InsertDefaultConfig());
  EXPECT_FALSE(store_.DeleteMacro(1));
  EXPECT_FALSE(store_.SelectMusicLayer());

  EXPECT_EQ(store_.GetActiveProfile(), 1);
  std::string name;
  EXPECT_TRUE(store_.GetProfileName(1, name));
  File().Exec("END");
}

TEST_F(StoreOperationsTest, WithoutAConnectionEverythingFailsQuietly) {
  store_.AddProfile({});
  store_.Close();
  std::vector<ProfileRecord> profiles(2);
  EXPECT_EQ(store_.LoadProfiles(profiles), 0);
  EXPECT_TRUE(profiles.empty());
  EXPECT_EQ(store_.AddProfile({}), 0);
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  EXPECT_FALSE(store_.SetActiveProfile(1));
  EXPECT_EQ(store_.SaveKeyAssignment(Key(1, 0x41, 1, 5)), 0);
  EXPECT_EQ(store_.SaveKeyColors({{0, 1, 128, 1, 1}}), 0);
  EXPECT_EQ(store_.CountMacroEvents(1), 0);
  EXPECT_EQ(store_.CountLightSettings(1), 0);
  KeyOtherData data;
  EXPECT_FALSE(store_.GetKeyOtherData(1, data));
  EXPECT_FALSE(store_.DeleteMacro(1));
}

}  // namespace
}  // namespace tessaro
