#pragma once
// One SQLite connection. Operations answer SQLite result codes, with
// SQLITE_MISUSE (21) when there is no connection, and never throw.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/store/SQLiteKeyer.h"

struct sqlite3;

namespace tessaro {

class SQLiteStatement;

class SQLiteDB {
 public:
  using RowCallback = int (*)(void* argument, int columns, char** values, char** names);

  explicit SQLiteDB(const SQLiteKeyer& keyer = SQLiteKeyer::Plain()) : keyer_(keyer) {}
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;
  virtual ~SQLiteDB();

  // Closes what is open, then opens the file with the sqlite3_open_v2 flags.
  // Every connection runs with synchronous writes off. A non-empty key is
  // applied through the keyer, and when that fails, as a new key; a connection
  // that cannot be keyed is closed again.
  bool Open(const std::string& path, std::string_view key, int flags);
  // True when nothing was open. A failed close keeps the handle.
  bool Close();
  bool IsOpen() const { return handle_ != nullptr; }

  int Exec(const char* sql, RowCallback callback = nullptr, void* argument = nullptr);
  // Finalizes whatever the statement still holds, then prepares the text into it.
  int Prepare(SQLiteStatement& statement, std::string_view sql);
  // -1 without a connection.
  int64_t LastInsertRowId() const;
  // Rows changed by the last INSERT, UPDATE or DELETE; 0 without a connection.
  int Changes() const;

 private:
  const SQLiteKeyer& keyer_;
  sqlite3* handle_ = nullptr;
};

}  // namespace tessaro
