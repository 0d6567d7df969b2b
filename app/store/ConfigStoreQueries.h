#pragma once
// The statement helpers behind the data access operations of ConfigStore. Only
// its own source files include this. Each helper takes the store lock itself
// (the lock is recursive, so operations that run several statements hold it
// across them) and finalizes its statement before it returns.
#include <sqlite3.h>

#include <type_traits>

#include "app/store/ConfigStore.h"
#include "app/store/SQLiteAutoTransaction.h"
#include "app/store/SQLiteStatement.h"

namespace tessaro {
namespace store_detail {

// SQLITE_OK, SQLITE_ROW and SQLITE_DONE all mean a write went through.
inline bool StepSucceeded(int result) {
  return result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE;
}

inline void BindAll(SQLiteStatement&, int) {}

template <typename Value, typename... Rest>
void BindAll(SQLiteStatement& statement, int index, const Value& value, const Rest&... rest) {
  if constexpr (std::is_integral_v<Value>)
    statement.BindInt(index, static_cast<int32_t>(value));
  else
    statement.BindText(index, std::string_view(value));
  BindAll(statement, index + 1, rest...);
}

}  // namespace store_detail

template <typename... Values>
int ConfigStore::Execute(std::string_view sql, const Values&... values) {
  std::lock_guard lock(mutex_);
  SQLiteStatement statement;
  Prepare(statement, sql);
  store_detail::BindAll(statement, 1, values...);
  return statement.Step();
}

template <typename... Values>
bool ConfigStore::Write(std::string_view sql, const Values&... values) {
  return store_detail::StepSucceeded(Execute(sql, values...));
}

template <typename... Values>
int32_t ConfigStore::Insert(std::string_view sql, const Values&... values) {
  std::lock_guard lock(mutex_);
  if (!Write(sql, values...)) return 0;
  // Ids never pass 32 bits in practice; callers keep the low half.
  return static_cast<int32_t>(LastInsertRowId());
}

template <typename Record, typename Reader, typename... Values>
bool ConfigStore::ReadOne(std::string_view sql, Record& out, Reader read, const Values&... values) {
  std::lock_guard lock(mutex_);
  SQLiteStatement statement;
  Prepare(statement, sql);
  store_detail::BindAll(statement, 1, values...);
  if (statement.Step() != SQLITE_ROW) return false;
  read(statement, out);
  return true;
}

template <typename Record, typename Reader, typename... Values>
int ConfigStore::ReadAll(std::string_view sql, std::vector<Record>& out, Reader read,
                         const Values&... values) {
  out.clear();
  std::lock_guard lock(mutex_);
  SQLiteStatement statement;
  Prepare(statement, sql);
  store_detail::BindAll(statement, 1, values...);
  while (statement.Step() == SQLITE_ROW) read(statement, out.emplace_back());
  return static_cast<int>(out.size());
}

template <typename... Values>
int32_t ConfigStore::FirstInt(std::string_view sql, const Values&... values) {
  int32_t first = 0;
  ReadOne(
      sql, first, [](const SQLiteStatement& row, int32_t& out) { out = row.ColumnInt(0); },
      values...);
  return first;
}

// One prepared insert, stepped once per record, inside the caller's transaction.
// False at the first row that fails.
template <typename Record, typename Binder>
bool ConfigStore::InsertRows(std::string_view sql, const std::vector<Record>& records,
                             Binder bind) {
  std::lock_guard lock(mutex_);
  SQLiteStatement statement;
  if (Prepare(statement, sql) != SQLITE_OK) return false;
  for (const Record& record : records) {
    statement.Reset();
    bind(statement, record);
    if (!store_detail::StepSucceeded(statement.Step())) return false;
  }
  return true;
}

// The rows in one transaction: a failing row rolls the whole batch back, so the
// file never holds half of it. Answers the number stored, all or 0.
template <typename Record, typename Binder>
int ConfigStore::InsertBatch(std::string_view sql, const std::vector<Record>& records,
                             Binder bind) {
  if (records.empty()) return 0;
  std::lock_guard lock(mutex_);
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive() || !InsertRows(sql, records, bind)) return 0;
  return transaction.Commit() ? static_cast<int>(records.size()) : 0;
}

}  // namespace tessaro
