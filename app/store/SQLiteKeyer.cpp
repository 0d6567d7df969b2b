#include "app/store/SQLiteKeyer.h"

#include <sqlite3.h>

namespace tessaro {
namespace {

class PlainKeyer final : public SQLiteKeyer {
 public:
  int Key(sqlite3*, std::string_view) const override { return SQLITE_ERROR; }
  int Rekey(sqlite3*, std::string_view) const override { return SQLITE_ERROR; }
};

}  // namespace

const SQLiteKeyer& SQLiteKeyer::Plain() {
  static const PlainKeyer keyer;
  return keyer;
}

}  // namespace tessaro
