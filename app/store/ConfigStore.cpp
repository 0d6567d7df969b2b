#include "app/store/ConfigStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "app/store/ConfigStoreQueries.h"
#include "app/store/StoreSchema.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

constexpr int kOpenExisting = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kOpenOrCreate = kOpenExisting | SQLITE_OPEN_CREATE;

// The files SQLite may keep beside a database. A rollback journal left beside a
// file must travel with it: SQLite would play it back into whatever file then
// carries the name.
constexpr std::string_view kCompanions[] = {"-journal", "-wal", "-shm"};

std::string UtcStamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm parts{};
  gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
  return text;
}

// True when the database file itself was removed.
bool RemoveWithCompanions(const std::string& path) {
  std::error_code error;
  const bool removed = fs::is_regular_file(path, error) && fs::remove(path, error);
  for (std::string_view suffix : kCompanions) {
    const std::string companion = path + std::string(suffix);
    if (fs::is_regular_file(companion, error)) fs::remove(companion, error);
  }
  return removed;
}

// Keeps a file that is no database for the user to recover from, under a name
// that no earlier copy holds.
bool MoveAside(const std::string& path) {
  const std::string base = path + ".corrupt-" + UtcStamp();
  std::string target = base;
  std::error_code error;
  for (int n = 2; fs::exists(target, error); ++n) target = base + "-" + std::to_string(n);
  fs::rename(path, target, error);
  if (error) return false;
  for (std::string_view suffix : kCompanions) {
    std::error_code ignored;
    if (fs::exists(path + std::string(suffix), ignored))
      fs::rename(path + std::string(suffix), target + std::string(suffix), ignored);
  }
  return true;
}

}  // namespace

ConfigStore& ConfigStore::Instance() {
  static ConfigStore store;
  return store;
}

ConfigStore::ConfigStore(const SQLiteKeyer& keyer) : SQLiteDB(keyer) {}

ConfigStore::~ConfigStore() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

std::string ConfigStore::DatabasePath(const std::string& base_folder,
                                      const std::string& model_name) {
  std::string file = model_name + "_data_v1.db";
  std::replace(file.begin(), file.end(), '/', '_');
  return (fs::path(base_folder) / "db" / file).string();
}

bool ConfigStore::Open(const std::string& base_folder, const std::string& model_name) {
  std::lock_guard lock(mutex_);
  if (!CloseLocked()) return false;
  path_ = DatabasePath(base_folder, model_name);
  opened_ = OpenOrCreate(path_);
  return opened_;
}

bool ConfigStore::Close() {
  std::lock_guard lock(mutex_);
  return CloseLocked();
}

bool ConfigStore::CloseLocked() {
  if (!SQLiteDB::Close()) return false;
  opened_ = false;
  return true;
}

bool ConfigStore::DeleteDatabaseFile(const std::string& base_folder,
                                     const std::string& model_name) {
  std::lock_guard lock(mutex_);
  const std::string path = DatabasePath(base_folder, model_name);
  // Deleting the open file would leave the connection writing to a file that
  // no longer has a name.
  if (IsOpen() && path == path_ && !CloseLocked()) return false;
  return RemoveWithCompanions(path);
}

bool ConfigStore::IsOpened() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

std::string ConfigStore::Path() const {
  std::lock_guard lock(mutex_);
  return path_;
}

bool ConfigStore::OpenOrCreate(const std::string& path) {
  std::error_code error;
  if (!fs::exists(path, error)) return CreateSchema(path);
  switch (OpenExisting(path)) {
    case Probe::kReady:
      return true;
    case Probe::kNotADatabase:
      return MoveAside(path) && CreateSchema(path);
    case Probe::kFailed:
      break;
  }
  return false;
}

// Opening is lazy in SQLite: a file that is no database only shows when the
// schema is first read, so read it here.
ConfigStore::Probe ConfigStore::OpenExisting(const std::string& path) {
  if (!SQLiteDB::Open(path, key_, kOpenExisting)) return Probe::kFailed;
  std::vector<std::string> tables;
  int result = SQLITE_OK;
  {
    SQLiteStatement statement;
    result = Prepare(statement, "SELECT name FROM sqlite_master WHERE type = 'table'");
    if (result == SQLITE_OK) {
      while ((result = statement.Step()) == SQLITE_ROW) tables.push_back(statement.ColumnText(0));
    }
  }
  if (result == SQLITE_NOTADB || result == SQLITE_CORRUPT) {
    SQLiteDB::Close();
    return Probe::kNotADatabase;
  }
  if (result != SQLITE_DONE) {
    SQLiteDB::Close();
    return Probe::kFailed;
  }
  // A file left half built by an earlier failed creation gets its missing
  // tables; when that cannot be written (a read-only file) the tables it has
  // still serve, and operations on the missing ones fail quietly.
  CompleteSchema(tables);
  return Probe::kReady;
}

bool ConfigStore::CompleteSchema(const std::vector<std::string>& tables) {
  const bool complete = std::all_of(
      StoreSchema::kTables.begin(), StoreSchema::kTables.end(), [&](std::string_view table) {
        return std::find(tables.begin(), tables.end(), table) != tables.end();
      });
  return complete || RunSchema();
}

// A new file is either complete or gone: a half-built one would be taken as
// complete by the next start.
bool ConfigStore::CreateSchema(const std::string& path) {
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  if (SQLiteDB::Open(path, key_, kOpenOrCreate) && RunSchema()) return true;
  SQLiteDB::Close();
  RemoveWithCompanions(path);
  return false;
}

bool ConfigStore::RunSchema() {
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive()) return false;
  for (std::string_view statement : StoreSchema::kStatements) {
    if (Exec(std::string(statement).c_str()) != SQLITE_OK) return false;
  }
  return transaction.Commit();
}

}  // namespace tessaro
