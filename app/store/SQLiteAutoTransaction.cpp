#include "app/store/SQLiteAutoTransaction.h"

#include <sqlite3.h>

#include "app/store/SQLiteDB.h"

namespace tessaro {
namespace {

// A savepoint rather than BEGIN, so that a transaction opened inside another
// (an operation run within ConfigStore::RunInTransaction) nests instead of
// failing; outside any transaction it begins one as BEGIN does.
constexpr const char* kBegin = "SAVEPOINT tessaro_transaction";
constexpr const char* kCommit = "RELEASE tessaro_transaction";
constexpr const char* kRollback = "ROLLBACK TO tessaro_transaction";

}  // namespace

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {
  Begin();
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  Rollback();
}

bool SQLiteAutoTransaction::Begin() {
  if (database_ == nullptr || active_) return false;
  active_ = database_->Exec(kBegin) == SQLITE_OK;
  return active_;
}

bool SQLiteAutoTransaction::Commit() {
  if (!active_) return false;
  if (database_->Exec(kCommit) != SQLITE_OK) {
    Rollback();
    return false;
  }
  active_ = false;
  return true;
}

void SQLiteAutoTransaction::Rollback() {
  if (!active_) return;
  database_->Exec(kRollback);
  database_->Exec(kCommit);
  active_ = false;
}

}  // namespace tessaro
