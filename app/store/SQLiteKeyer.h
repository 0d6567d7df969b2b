#pragma once
// Where a database key would be applied. The program's store files are plain,
// unencrypted SQLite files opened without a key, and the system SQLite library
// has no encryption extension; the seam keeps the keyed path testable and gives
// a build with such an extension one place to plug it in.
#include <string_view>

struct sqlite3;

namespace tessaro {

class SQLiteKeyer {
 public:
  virtual ~SQLiteKeyer() = default;
  // SQLite result codes: 0 (SQLITE_OK) when the key was applied.
  virtual int Key(sqlite3* connection, std::string_view key) const = 0;
  virtual int Rekey(sqlite3* connection, std::string_view key) const = 0;

  // The keyer of plain SQLite. It touches nothing and answers SQLITE_ERROR, so a
  // caller that asks for encryption is refused instead of silently getting a
  // plain file.
  static const SQLiteKeyer& Plain();
};

}  // namespace tessaro
