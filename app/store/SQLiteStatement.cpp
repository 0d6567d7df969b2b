#include "app/store/SQLiteStatement.h"

#include <sqlite3.h>

namespace tessaro {

SQLiteStatement::~SQLiteStatement() {
  Finalize();
}

void SQLiteStatement::Finalize() {
  if (handle_ != nullptr) sqlite3_finalize(handle_);
  handle_ = nullptr;
}

int SQLiteStatement::BindInt(int index, int32_t value) {
  if (handle_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, std::string_view utf8) {
  if (handle_ == nullptr) return SQLITE_MISUSE;
  // A zero-length bind still needs a valid pointer, or SQLite stores NULL.
  const char* bytes = utf8.data() != nullptr ? utf8.data() : "";
  return sqlite3_bind_text64(handle_, index, bytes, utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

int SQLiteStatement::Step() {
  if (handle_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_step(handle_);
}

int SQLiteStatement::Reset() {
  if (handle_ == nullptr) return SQLITE_MISUSE;
  const int result = sqlite3_reset(handle_);
  sqlite3_clear_bindings(handle_);
  return result;
}

int SQLiteStatement::ColumnCount() const {
  if (handle_ == nullptr) return 0;
  return sqlite3_column_count(handle_);
}

int32_t SQLiteStatement::ColumnInt(int column) const {
  if (handle_ == nullptr) return 0;
  return sqlite3_column_int(handle_, column);
}

std::string SQLiteStatement::ColumnText(int column) const {
  if (handle_ == nullptr) return {};
  const auto* text = sqlite3_column_text(handle_, column);
  if (text == nullptr) return {};
  const int size = sqlite3_column_bytes(handle_, column);
  return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
}

}  // namespace tessaro
