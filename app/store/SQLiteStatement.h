#pragma once
// One prepared statement, finalized when the object goes away or is prepared
// again. Every operation answers SQLITE_MISUSE (21), 0 or an empty text when
// nothing is prepared, so a failed prepare flows through bind and step as a
// failure instead of a crash.
#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace tessaro {

class SQLiteStatement {
 public:
  SQLiteStatement() = default;
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;
  virtual ~SQLiteStatement();

  bool IsPrepared() const { return handle_ != nullptr; }

  // Parameters are 1-based. Text is copied by SQLite (SQLITE_TRANSIENT), so the
  // caller's string may go away before the step.
  int BindInt(int index, int32_t value);
  int BindText(int index, std::string_view utf8);
  int Step();
  // Makes the statement ready to step again with new bindings.
  int Reset();

  int ColumnCount() const;
  // Columns are 0-based. A NULL column reads as 0 or as the empty text.
  int32_t ColumnInt(int column) const;
  std::string ColumnText(int column) const;

 private:
  friend class SQLiteDB;
  void Finalize();

  sqlite3_stmt* handle_ = nullptr;
};

}  // namespace tessaro
