// The script runner against the real server: statements run in order, the
// first refused one is reported with its index and stops the script.
#include <gtest/gtest.h>

#include "services/script_runner.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

using testing::ServerTest;

class ScriptTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (IsSkipped()) return;
    db_.Execute("drop table if exists steps");
    db_.Execute("create table steps (n int primary key, note varchar(40)) engine=InnoDB");
  }

  std::string Notes() {
    const QueryResult rows = db_.Query("select group_concat(note order by n separator '|') from steps");
    return rows.Value(0, 0).ToString();
  }
};

struct Failure {
  int index = -1;
  std::string message;
  std::string script;
  int calls = 0;
};

TScriptRunner::ErrorHandler Recorder(Failure& failure) {
  return [&failure](TScriptRunner& runner, int index, const EServerError& error) {
    failure.index = index;
    failure.message = error.what();
    failure.script = runner.Text();
    ++failure.calls;
  };
}

TEST_F(ScriptTest, RunsEveryStatementInOrderAndClearsTheLines) {
  TScriptRunner runner(db_);
  Failure failure;
  runner.OnError = Recorder(failure);
  runner.Lines() = {"BEGIN;", "insert into steps values (1, 'a;b');", "update steps set note = concat(note, ';c')",
                    " where n = 1;", "insert into steps values (2, 'it''s');", "COMMIT;"};
  runner.Execute();
  EXPECT_EQ(failure.calls, 0);
  EXPECT_TRUE(runner.Lines().empty());
  EXPECT_EQ(Notes(), "a;b;c|it's");
}

TEST_F(ScriptTest, FailingSecondStatementReportsIndexOneAndStopsThere) {
  TScriptRunner runner(db_);
  Failure failure;
  runner.OnError = Recorder(failure);
  runner.Lines() = {"insert into steps values (1, 'first');", "insert into no_such_table values (2);",
                    "insert into steps values (3, 'third');"};
  const std::string script = runner.Text();
  EXPECT_THROW(runner.Execute(), EServerError);
  EXPECT_EQ(failure.calls, 1);
  EXPECT_EQ(failure.index, 1);
  EXPECT_NE(failure.message.find("no_such_table"), std::string::npos) << failure.message;
  EXPECT_EQ(failure.script, script);
  EXPECT_TRUE(runner.Lines().empty());
  EXPECT_EQ(Notes(), "first");  // executed before the failure stays; the third never ran
}

TEST_F(ScriptTest, FailingInsertOfAnEditIsStatementTwo) {
  db_.Execute("insert into steps values (5, 'old')");
  TScriptRunner runner(db_);
  Failure failure;
  runner.OnError = Recorder(failure);
  runner.Lines() = {"BEGIN;", "delete from steps where n = 5;", "insert into steps values (5, 'new', 'extra');",
                    "COMMIT;"};
  EXPECT_THROW(runner.Execute(), EServerError);
  EXPECT_EQ(failure.index, 2);
  EXPECT_TRUE(db_.Connected());
  // The failed script's transaction is rolled back, not left open on the
  // session for the next statement to commit: the old row is back for this
  // session and was never gone for another.
  EXPECT_EQ(Notes(), "old");
  db_.Execute("BEGIN");
  db_.Execute("COMMIT");
  TServerConnection other;
  other.Settings() = settings_;
  other.Connect();
  EXPECT_EQ(other.Query("select note from steps where n = 5").Value(0, 0).ToString(), "old");
}

}  // namespace
}  // namespace zarn
