#include "app/store/SQLiteDB.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

#include "app/store/SQLiteAutoTransaction.h"
#include "app/store/SQLiteStatement.h"
#include "app/store/StoreTestSupport.h"

namespace tessaro {
namespace {

using testing::TempFolder;

constexpr int kCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

class SQLiteDBTest : public ::testing::Test {
 protected:
  std::string File(const std::string& name) const { return (folder_.Db() / name).string(); }
  int32_t QueryInt(SQLiteDB& db, const std::string& sql) {
    SQLiteStatement statement;
    db.Prepare(statement, sql);
    return statement.Step() == SQLITE_ROW ? statement.ColumnInt(0) : -1;
  }

  TempFolder folder_;
};

TEST_F(SQLiteDBTest, EveryConnectionWritesWithoutSync) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(File("a.db"), "", kCreate));
  EXPECT_EQ(QueryInt(db, "PRAGMA synchronous"), 0);
}

TEST_F(SQLiteDBTest, OpenClosesTheConnectionItHeld) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(File("a.db"), "", kCreate));
  ASSERT_EQ(db.Exec("CREATE TABLE t(x)"), SQLITE_OK);
  ASSERT_TRUE(db.Open(File("b.db"), "", kCreate));
  SQLiteStatement statement;
  EXPECT_NE(db.Prepare(statement, "SELECT x FROM t"), SQLITE_OK) << "still connected to a.db";
  EXPECT_FALSE(db.Open("", "", kCreate));
  EXPECT_FALSE(db.IsOpen());
  EXPECT_TRUE(db.Close()) << "closing nothing succeeds";
}

TEST_F(SQLiteDBTest, WithoutConnectionOrStatementEverythingIsMisuse) {
  SQLiteDB db;
  SQLiteStatement statement;
  EXPECT_EQ(db.Exec("SELECT 1"), SQLITE_MISUSE);
  EXPECT_EQ(db.Prepare(statement, "SELECT 1"), SQLITE_MISUSE);
  EXPECT_EQ(db.LastInsertRowId(), -1);
  EXPECT_EQ(statement.BindInt(1, 5), SQLITE_MISUSE);
  EXPECT_EQ(statement.BindText(1, "x"), SQLITE_MISUSE);
  EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
  EXPECT_EQ(statement.ColumnInt(0), 0);
  EXPECT_EQ(statement.ColumnText(0), "");
  ASSERT_TRUE(db.Open(File("a.db"), "", kCreate));
  EXPECT_EQ(db.Exec(nullptr), SQLITE_MISUSE);
  EXPECT_EQ(db.Prepare(statement, ""), SQLITE_MISUSE);
}

// The text is gone before the step; SQLite must have taken its own copy.
TEST_F(SQLiteDBTest, BoundTextOutlivesTheCallersString) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(File("a.db"), "", kCreate));
  SQLiteStatement statement;
  ASSERT_EQ(db.Prepare(statement, "SELECT ?, ?"), SQLITE_OK);
  {
    auto text = std::make_unique<std::string>(64, 'k');
    ASSERT_EQ(statement.BindText(1, *text), SQLITE_OK);
    text->assign(64, 'z');
  }
  ASSERT_EQ(statement.BindText(2, std::string_view()), SQLITE_OK);
  ASSERT_EQ(statement.Step(), SQLITE_ROW);
  EXPECT_EQ(statement.ColumnText(0), std::string(64, 'k'));
  EXPECT_EQ(statement.ColumnText(1), "") << "an empty text binds as '', not NULL";
}

class FakeKeyer final : public SQLiteKeyer {
 public:
  FakeKeyer(int key_result, int rekey_result) : key_(key_result), rekey_(rekey_result) {}
  int Key(sqlite3*, std::string_view key) const override {
    calls.push_back("key " + std::string(key));
    return key_;
  }
  int Rekey(sqlite3*, std::string_view key) const override {
    calls.push_back("rekey " + std::string(key));
    return rekey_;
  }
  mutable std::vector<std::string> calls;

 private:
  int key_;
  int rekey_;
};

TEST_F(SQLiteDBTest, AKeyIsAppliedAndThenTriedAsANewKey) {
  struct Case {
    int key_result;
    int rekey_result;
    std::vector<std::string> calls;
    bool opened;
  };
  const Case cases[] = {
      {SQLITE_OK, SQLITE_OK, {"key s3cret"}, true},
      {SQLITE_ERROR, SQLITE_OK, {"key s3cret", "rekey s3cret"}, true},
      {SQLITE_ERROR, SQLITE_ERROR, {"key s3cret", "rekey s3cret"}, false},
  };
  for (const Case& c : cases) {
    FakeKeyer keyer(c.key_result, c.rekey_result);
    SQLiteDB db(keyer);
    EXPECT_EQ(db.Open(File("k.db"), "s3cret", kCreate), c.opened);
    EXPECT_EQ(db.IsOpen(), c.opened) << "a connection that cannot be keyed is closed";
    EXPECT_EQ(keyer.calls, c.calls);
  }
  FakeKeyer untouched(SQLITE_ERROR, SQLITE_ERROR);
  SQLiteDB db(untouched);
  EXPECT_TRUE(db.Open(File("k.db"), "", kCreate));
  EXPECT_TRUE(untouched.calls.empty()) << "no key, no keying";
  SQLiteDB plain;
  EXPECT_FALSE(plain.Open(File("k.db"), "s3cret", kCreate)) << "plain SQLite cannot encrypt";
}

TEST_F(SQLiteDBTest, ATransactionCommitsOnlyWhenAskedTo) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(File("a.db"), "", kCreate));
  ASSERT_EQ(db.Exec("CREATE TABLE t(x)"), SQLITE_OK);
  {
    SQLiteAutoTransaction transaction(&db);
    EXPECT_TRUE(transaction.IsActive());
    EXPECT_FALSE(transaction.Begin()) << "already active";
    db.Exec("INSERT INTO t VALUES (1)");
  }
  EXPECT_EQ(QueryInt(db, "SELECT count(*) FROM t"), 0) << "left without commit: rolled back";
  {
    SQLiteAutoTransaction transaction(&db);
    db.Exec("INSERT INTO t VALUES (2)");
    EXPECT_TRUE(transaction.Commit());
    EXPECT_FALSE(transaction.IsActive());
    EXPECT_FALSE(transaction.Commit());
  }
  EXPECT_EQ(QueryInt(db, "SELECT count(*) FROM t"), 1);

  SQLiteAutoTransaction nothing(nullptr);
  EXPECT_FALSE(nothing.IsActive());
  EXPECT_FALSE(nothing.Begin());
  EXPECT_FALSE(nothing.Commit());
  SQLiteDB closed;
  SQLiteAutoTransaction unconnected(&closed);
  EXPECT_FALSE(unconnected.IsActive());
}

}  // namespace
}  // namespace tessaro
