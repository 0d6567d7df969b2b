#include "app/store/SQLiteAutoTransaction.h"

#include <sqlite3.h>

#include "app/store/SQLiteDB.h"

namespace tessaro {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {
  Begin();
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  Rollback();
}

bool SQLiteAutoTransaction::Begin() {
  if (database_ == nullptr || active_) return false;
  active_ = database_->Exec("BEGIN") == SQLITE_OK;
  return active_;
}

bool SQLiteAutoTransaction::Commit() {
  if (!active_) return false;
  if (database_->Exec("END") != SQLITE_OK) {
    Rollback();
    return false;
  }
  active_ = false;
  return true;
}

void SQLiteAutoTransaction::Rollback() {
  if (!active_) return;
  database_->Exec("ROLLBACK");
  active_ = false;
}

}  // namespace tessaro
