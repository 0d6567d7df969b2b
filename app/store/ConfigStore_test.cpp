// Opening, creating, closing and deleting the database file, its exact schema,
// and what happens to files that are not what they should be.
#include "app/store/ConfigStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "app/store/StoreSchema.h"
#include "app/store/StoreTestSupport.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::Rows;
using testing::SideConnection;
using testing::TempFolder;

class ConfigStoreTest : public ::testing::Test {
 protected:
  std::string FileOf(const std::string& model) const {
    return ConfigStore::DatabasePath(folder_.Path(), model);
  }
  bool Open(const std::string& model = "K1") { return store_.Open(folder_.Path(), model); }
  int ProfileCount() {
    std::vector<ProfileRecord> profiles;
    return store_.LoadProfiles(profiles);
  }
  std::vector<std::string> CorruptCopies() const {
    std::vector<std::string> copies;
    for (const std::string& name : folder_.DbFiles())
      if (name.find(".corrupt-") != std::string::npos) copies.push_back(name);
    return copies;
  }
  // Every table and index of the file, in creation order.
  Rows Objects(const std::string& path) {
    return SideConnection(path).Query(
        "SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid");
  }

  TempFolder folder_;
  ConfigStore store_;
};

TEST_F(ConfigStoreTest, ThePathIsTheModelsFileInTheDbFolder) {
  EXPECT_EQ(ConfigStore::DatabasePath("/home/u/.local/share/T Files", "K87 RGB"),
            "/home/u/.local/share/T Files/db/K87 RGB_data_v1.db");
  EXPECT_EQ(ConfigStore::DatabasePath("/data/", "../x/y"), "/data/db/.._x_y_data_v1.db");
}

TEST_F(ConfigStoreTest, ANewFileGetsTheExactSchema) {
  fs::remove(folder_.Db());
  ASSERT_TRUE(Open());
  EXPECT_TRUE(store_.IsOpened());
  EXPECT_EQ(store_.Path(), FileOf("K1"));

  const std::vector<std::pair<std::string, std::string>> tables = {
      {"t_configdata", "config_id INTEGER pk, profile INTEGER, key TEXT, value TEXT"},
      {"t_profile_data", "profile INTEGER pk, name TEXT, status INTEGER, app TEXT, type INTEGER"},
      {"t_key_macro_data",
       "key_id INTEGER pk, profile INTEGER, fn_layer INTEGER, key_code INTEGER, "
       "layout_value INTEGER, layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, "
       "macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT"},
      {"t_key_otherdata", "macro_value INTEGER pk, macro_desc TEXT, param TEXT, type INTEGER"},
      {"t_macro_data",
       "macro_id INTEGER pk, play_times INTEGER, delay_type INTEGER, delay_time INTEGER, "
       "link_count INTEGER, name TEXT"},
      {"t_macrorecord",
       "record_id INTEGER pk, macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, "
       "value INTEGER, delay_time INTEGER"},
      {"t_light_data",
       "light_id INTEGER pk, profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, "
       "speed INTEGER, direction INTEGER, colorful INTEGER, colorindex INTEGER, "
       "color_value INTEGER, config_func INTEGER, reserved INTEGER, status INTEGER"},
      {"t_key_light_data",
       "keylight_id INTEGER pk, profile INTEGER, light_id INTEGER, key_code INTEGER, "
       "key_rgb INTEGER"},
      {"t_musiclayer_data",
       "layer_id INTEGER pk, profile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, "
       "fore_amplitude INTEGER, backmode INTEGER, backb_right INTEGER, sel INTEGER"},
  };
  SideConnection file(FileOf("K1"));
  for (const auto& [table, expected] : tables) {
    std::string columns;
    for (const auto& c : file.Query("PRAGMA table_info(" + table + ")"))
      columns += (columns.empty() ? "" : ", ") + c[1] + " " + c[2] + (c[5] == "1" ? " pk" : "");
    EXPECT_EQ(columns, expected) << table;
    const Rows sql = file.Query("SELECT sql FROM sqlite_master WHERE name = '" + table + "'");
    ASSERT_EQ(sql.size(), 1u);
    EXPECT_NE(sql[0][0].find("INTEGER PRIMARY KEY AUTOINCREMENT"), std::string::npos) << table;
  }

  const Rows expected_objects = {
      {"table", "t_configdata"},      {"table", "t_profile_data"},   {"index", "profileindex"},
      {"table", "t_key_macro_data"},  {"index", "keyindex"},         {"table", "t_key_otherdata"},
      {"index", "otheridindex"},      {"table", "t_macro_data"},     {"index", "macroidindex"},
      {"table", "t_macrorecord"},     {"index", "macrorecordindex"}, {"table", "t_light_data"},
      {"index", "lightindex"},        {"table", "t_key_light_data"}, {"index", "keylightindex"},
      {"table", "t_musiclayer_data"}, {"index", "musiclayerindex"},
  };
  EXPECT_EQ(Objects(FileOf("K1")), expected_objects);
  const std::vector<std::pair<std::string, std::string>> indexes = {
      {"profileindex", "profile"},       {"keyindex", "key_id"},
      {"otheridindex", "macro_value"},   {"macroidindex", "macro_id"},
      {"macrorecordindex", "record_id"}, {"lightindex", "light_id"},
      {"keylightindex", "keylight_id"},  {"musiclayerindex", "layer_id"},
  };
  for (const auto& [index, column] : indexes) {
    const Rows info = file.Query("PRAGMA index_info(" + index + ")");
    ASSERT_EQ(info.size(), 1u) << index;
    EXPECT_EQ(info[0][2], column) << index;
  }
  for (std::string_view statement : StoreSchema::kStatements)
    EXPECT_EQ(file.Exec(std::string(statement)), 0) << "runs again on a complete file";
  EXPECT_EQ(Objects(FileOf("K1")), expected_objects);
}

TEST_F(ConfigStoreTest, ReopeningKeepsTheDataAndSwitchingModelsClosesFirst) {
  ASSERT_TRUE(Open("A"));
  ASSERT_NE(store_.AddProfile({}), 0);
  ASSERT_TRUE(Open("B"));
  EXPECT_EQ(store_.Path(), FileOf("B"));
  EXPECT_EQ(ProfileCount(), 0) << "B is its own file";
  ASSERT_TRUE(Open("A"));
  EXPECT_EQ(ProfileCount(), 1);

  // A model whose file cannot be opened must not leave A's connection in use.
  fs::create_directories(FileOf("Broken"));
  EXPECT_FALSE(Open("Broken"));
  EXPECT_FALSE(store_.IsOpened());
  EXPECT_EQ(store_.AddProfile({}), 0);
  EXPECT_EQ(ProfileCount(), 0);

  ASSERT_TRUE(Open("A"));
  EXPECT_TRUE(store_.Close());
  EXPECT_FALSE(store_.IsOpened());
  EXPECT_EQ(ProfileCount(), 0);
}

TEST_F(ConfigStoreTest, AFailedSchemaLeavesNoFileBehind) {
  // A folder where SQLite wants its journal makes the first write fail.
  fs::create_directories(FileOf("K1") + "-journal");
  EXPECT_FALSE(Open());
  EXPECT_FALSE(store_.IsOpened());
  EXPECT_FALSE(fs::exists(FileOf("K1"))) << "a half-built file would pass as complete";

  fs::remove(FileOf("K1") + "-journal");
  ASSERT_TRUE(Open());
  EXPECT_EQ(Objects(FileOf("K1")).size(), StoreSchema::kStatements.size());
}

TEST_F(ConfigStoreTest, ResetDeletesTheFileAndOpenStartsAfresh) {
  ASSERT_TRUE(Open());
  ASSERT_NE(store_.AddProfile({}), 0);
  // Deleting the open file closes it first, so nothing is written into a
  // file without a name.
  EXPECT_TRUE(store_.DeleteDatabaseFile(folder_.Path(), "K1"));
  EXPECT_FALSE(store_.IsOpened());
  EXPECT_FALSE(fs::exists(FileOf("K1")));
  EXPECT_FALSE(store_.DeleteDatabaseFile(folder_.Path(), "K1"));
  ASSERT_TRUE(Open());
  EXPECT_EQ(ProfileCount(), 0);
  EXPECT_EQ(Objects(FileOf("K1")).size(), StoreSchema::kStatements.size());
}

TEST_F(ConfigStoreTest, AFileThatIsNoDatabaseIsKeptAsideAndReplaced) {
  ConfigStore maker;
  ASSERT_TRUE(maker.Open(folder_.Path(), "Real"));
  for (int i = 0; i < 200; ++i) maker.AddProfile({0, std::string(100, 'p'), "", 0, 0});
  maker.Close();
  const std::string real = testing::ReadFile(FileOf("Real"));
  ASSERT_GT(real.size(), 8192u);

  const std::pair<std::string, std::string> cases[] = {
      {"text", "this is a note the user saved under the wrong name\n"},
      {"binary", std::string("\x00\xff\x13\x37", 4) + std::string(5000, '\xa5')},
      {"header only", real.substr(0, 100)},
      {"first page", real.substr(0, 4096)},
      {"half", real.substr(0, real.size() / 2)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    TempFolder folder;
    const std::string file = ConfigStore::DatabasePath(folder.Path(), "K1");
    testing::WriteFile(file, bytes);
    testing::WriteFile(file + "-journal", "stale journal");
    ConfigStore store;
    ASSERT_TRUE(store.Open(folder.Path(), "K1"));
    EXPECT_NE(store.AddProfile({}), 0) << "the fresh file works";

    // SQLite may drop a journal it finds unusable; one that is left travels
    // with its file and never stays beside the fresh one.
    std::vector<std::string> names = folder.DbFiles();
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "K1_data_v1.db");
    EXPECT_TRUE(names[1].starts_with("K1_data_v1.db.corrupt-"));
    if (names.size() > 2) {
      EXPECT_EQ(names[2], names[1] + "-journal");
    }
    EXPECT_LE(names.size(), 3u);
    EXPECT_EQ(testing::ReadFile((folder.Db() / names[1]).string()), bytes);
  }
}

TEST_F(ConfigStoreTest, AnEmptyFileOrOneMissingTablesGetsTheRest) {
  testing::WriteFile(FileOf("Empty"), "");
  ASSERT_TRUE(Open("Empty"));
  EXPECT_EQ(Objects(FileOf("Empty")).size(), StoreSchema::kStatements.size());
  EXPECT_TRUE(CorruptCopies().empty());

  {
    SideConnection old(FileOf("Half"));
    old.Exec(std::string(StoreSchema::kStatements[0]));
    old.Exec(std::string(StoreSchema::kStatements[1]));
    old.Exec("INSERT INTO t_profile_data(name) VALUES ('kept')");
  }
  ASSERT_TRUE(Open("Half"));
  EXPECT_EQ(Objects(FileOf("Half")).size(), StoreSchema::kStatements.size());
  std::string name;
  EXPECT_TRUE(store_.GetProfileName(1, name));
  EXPECT_EQ(name, "kept");
}

// When the missing tables cannot be added (another program holds the write
// lock), the tables that exist still serve and the others fail quietly.
TEST_F(ConfigStoreTest, MissingTablesThatCannotBeAddedFailQuietly) {
  SideConnection old(FileOf("K1"));
  old.Exec(std::string(StoreSchema::kStatements[1]));
  old.Exec("INSERT INTO t_profile_data(name, status) VALUES ('kept', 1)");
  ASSERT_EQ(old.Exec("BEGIN IMMEDIATE"), 0);
  ASSERT_TRUE(Open());
  EXPECT_EQ(store_.GetActiveProfile(), 1);
  std::vector<KeyAssignment> keys;
  EXPECT_EQ(store_.LoadKeyAssignments(1, 0, keys), 0);
  KeyAssignment key;
  EXPECT_FALSE(store_.GetKeyAssignment(1, 0, 4, key));
  EXPECT_EQ(store_.AddMacro("m"), 0);
  EXPECT_EQ(store_.CountLightSettings(1), 0);
  EXPECT_EQ(store_.SaveKeyColors({{0, 1, 128, 4, 255}}), 0);
  old.Exec("END");
}

TEST_F(ConfigStoreTest, AReadOnlyFileReadsButWritesNothing) {
  ASSERT_TRUE(Open());
  ASSERT_NE(store_.AddProfile({0, "p", "", 0, 0}), 0);
  store_.Close();
  fs::permissions(FileOf("K1"), fs::perms::owner_read | fs::perms::group_read);
  fs::permissions(folder_.Db(), fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(FileOf("K1"), std::ios::app).is_open())
    GTEST_SKIP() << "running with privileges that ignore file modes";

  ASSERT_TRUE(Open());
  EXPECT_EQ(ProfileCount(), 1);
  EXPECT_EQ(store_.AddProfile({}), 0);
  EXPECT_FALSE(store_.RenameProfile(1, "q"));
  EXPECT_EQ(store_.SaveKeyColors({{0, 1, 128, 4, 255}}), 0);
  EXPECT_TRUE(CorruptCopies().empty());
}

// Open and Close on one thread while another works: the lock covers both, so
// no operation runs on a connection that is being closed under it.
TEST_F(ConfigStoreTest, OpeningAndClosingWhileAnotherThreadWorksIsSafe) {
  ASSERT_TRUE(Open());
  std::atomic<bool> done = false;
  std::atomic<int> rounds = 0;
  std::thread worker([this, &done, &rounds] {
    std::vector<ProfileRecord> profiles;
    while (!done) {
      store_.AddProfile({0, "p", "", 0, 0});
      store_.LoadProfiles(profiles);
      ++rounds;
    }
  });
  while (rounds == 0) std::this_thread::yield();
  for (int i = 0; i < 300; ++i) {
    store_.Close();
    Open();
  }
  done = true;
  worker.join();
  EXPECT_TRUE(store_.IsOpened());
  EXPECT_GT(ProfileCount(), 0);
}

TEST(ConfigStoreInstance, IsOneStore) {
  EXPECT_EQ(&ConfigStore::Instance(), &ConfigStore::Instance());
}

}  // namespace
}  // namespace tessaro
