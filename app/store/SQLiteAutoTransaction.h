#pragma once
// A transaction that cannot be left open: it begins when constructed on a
// database and, unless committed, is rolled back when the object goes away, so
// a batch that fails or is left by an exception never lands half written.
namespace tessaro {

class SQLiteDB;

class SQLiteAutoTransaction {
 public:
  // Begins at once when given an open database.
  explicit SQLiteAutoTransaction(SQLiteDB* database);
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;
  virtual ~SQLiteAutoTransaction();

  // False without a database, when already active, or when BEGIN fails.
  bool Begin();
  // True when the work was committed; a failed commit is rolled back.
  bool Commit();
  void Rollback();
  bool IsActive() const { return active_; }

 private:
  SQLiteDB* database_;
  bool active_ = false;
};

}  // namespace tessaro
