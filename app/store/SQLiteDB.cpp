#include "app/store/SQLiteDB.h"

#include <sqlite3.h>

#include "app/store/SQLiteStatement.h"

namespace tessaro {

SQLiteDB::~SQLiteDB() {
  if (handle_ != nullptr) {
    sqlite3_interrupt(handle_);
    Close();
  }
}

bool SQLiteDB::Open(const std::string& path, std::string_view key, int flags) {
  if (handle_ != nullptr) {
    sqlite3_interrupt(handle_);
    // Opening over a connection that would not close would leak it.
    if (!Close()) return false;
  }
  if (path.empty()) return false;

  sqlite3* connection = nullptr;
  if (sqlite3_open_v2(path.c_str(), &connection, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(connection);
    return false;
  }
  handle_ = connection;
  Exec("PRAGMA synchronous = OFF; ");
  if (key.empty()) return true;
  if (keyer_.Key(handle_, key) == SQLITE_OK || keyer_.Rekey(handle_, key) == SQLITE_OK) return true;
  Close();
  return false;
}

bool SQLiteDB::Close() {
  if (handle_ == nullptr) return true;
  if (sqlite3_close(handle_) != SQLITE_OK) return false;
  handle_ = nullptr;
  return true;
}

int SQLiteDB::Exec(const char* sql, RowCallback callback, void* argument) {
  if (handle_ == nullptr || sql == nullptr) return SQLITE_MISUSE;
  return sqlite3_exec(handle_, sql, callback, argument, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, std::string_view sql) {
  statement.Finalize();
  if (handle_ == nullptr || sql.empty()) return SQLITE_MISUSE;
  return sqlite3_prepare_v2(handle_, sql.data(), static_cast<int>(sql.size()), &statement.handle_,
                            nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const {
  if (handle_ == nullptr) return -1;
  return sqlite3_last_insert_rowid(handle_);
}

int SQLiteDB::Changes() const {
  if (handle_ == nullptr) return 0;
  return sqlite3_changes(handle_);
}

}  // namespace tessaro
