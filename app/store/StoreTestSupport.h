#pragma once
// Test helpers: a fresh folder per test and a side connection that reads and
// tampers with a store's file the way another program would.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/store/SQLiteDB.h"
#include "app/store/SQLiteStatement.h"

namespace tessaro::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("tessaro-store-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_ / "db");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_ / "db", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Path() const { return path_.string(); }
  std::filesystem::path Db() const { return path_ / "db"; }
  // The names in db/, sorted.
  std::vector<std::string> DbFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Db()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

using Rows = std::vector<std::vector<std::string>>;

// A second connection to a database file.
class SideConnection {
 public:
  explicit SideConnection(const std::string& path) {
    EXPECT_TRUE(db_.Open(path, "", 0x10006)) << path;  // read-write, create, serialized
  }
  // Every row of a query, each column as text ("" for NULL).
  Rows Query(const std::string& sql) {
    Rows rows;
    SQLiteStatement statement;
    EXPECT_EQ(db_.Prepare(statement, sql), 0) << sql;
    while (statement.Step() == 100) {
      auto& row = rows.emplace_back();
      for (int i = 0; i < statement.ColumnCount(); ++i) row.push_back(statement.ColumnText(i));
    }
    return rows;
  }
  int Exec(const std::string& sql) { return db_.Exec(sql.c_str()); }

 private:
  SQLiteDB db_;
};

}  // namespace tessaro::testing
