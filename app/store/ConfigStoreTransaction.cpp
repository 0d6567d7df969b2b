// Several operations as one transaction, for imports that store all or nothing.
#include "app/store/ConfigStore.h"
#include "app/store/SQLiteAutoTransaction.h"

namespace tessaro {

bool ConfigStore::RunInTransaction(const std::function<bool()>& work) {
  std::lock_guard lock(mutex_);
  if (!opened_) return false;
  SQLiteAutoTransaction transaction(this);
  if (!transaction.IsActive()) return false;
  return work() && transaction.Commit();
}

}  // namespace tessaro
