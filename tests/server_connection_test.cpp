// The connection against the real local server: set-up, statements, text in
// Windows-1250, and every way a connect or a statement can fail.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win1250.h"
#include "services/connection.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

using testing::kDeadPort;
using testing::ServerTest;

// The single value of a one-row, one-column query.
std::string ScalarOf(TServerConnection& connection, const std::string& sql) {
  const QueryResult rows = connection.Query(sql);
  if (rows.RowCount() == 0 || rows.IsNull(0, 0)) return "<null>";
  return rows.Value(0, 0).ToString();
}

TEST_F(ServerTest, SetupLeavesAnEmptySqlModeAndWindows1250) {
  EXPECT_EQ(ScalarOf(db_, "select @@session.sql_mode"), "");
  EXPECT_EQ(ScalarOf(db_, "select @@session.character_set_client"), "cp1250");
  EXPECT_EQ(ScalarOf(db_, "select @@session.character_set_results"), "cp1250");
  EXPECT_EQ(ScalarOf(db_, "select @@session.autocommit"), "1");
}

TEST_F(ServerTest, ExecuteReportsChangedRowsAndQueryReturnsRows) {
  db_.Execute("drop table if exists counts");
  db_.Execute("create table counts (n int)");
  EXPECT_EQ(db_.Execute("insert into counts values (1),(2),(3)"), 3u);
  EXPECT_EQ(db_.Execute("update counts set n = n + 1 where n > 1"), 2u);
  EXPECT_EQ(ScalarOf(db_, "select sum(n) from counts"), "8");
  // A statement with rows passed to Execute leaves the session in order.
  db_.Execute("select * from counts");
  EXPECT_EQ(ScalarOf(db_, "select count(*) from counts"), "3");
  EXPECT_THROW(db_.Query("delete from counts where n = 8"), EServerError);
}

TEST_F(ServerTest, CzechTextRoundTripsInWindows1250) {
  const std::string letters =
      Utf8ToWin1250("áčďéěíňóřšťúůýž ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ äëöüôľĺŕ ÄÖÜÔĽĹŔ §°€„“");
  db_.Execute("drop table if exists texts");
  db_.Execute("create table texts (t varchar(100)) default charset cp1250");
  db_.Execute("insert into texts values ('" + letters + "')");
  EXPECT_EQ(ScalarOf(db_, "select t from texts"), letters);
  // Stored as the same letters, not as bytes of another code page.
  EXPECT_EQ(ScalarOf(db_, "select char_length(t) from texts"), std::to_string(letters.size()));
  EXPECT_EQ(ScalarOf(db_, "select convert(t using utf8mb4) = _utf8mb4'" + Win1250ToUtf8(letters) +
                              "' collate utf8mb4_bin from texts"),
            "1");
}

TEST_F(ServerTest, FailedStatementKeepsTheSessionUsable) {
  try {
    db_.Execute("selec 1");
    FAIL() << "a syntax error must raise";
  } catch (const EServerError& error) {
    EXPECT_EQ(error.Code(), 1064u);
    EXPECT_NE(std::string(error.what()).find("syntax"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(db_.Connected());
  EXPECT_EQ(ScalarOf(db_, "select 1"), "1");
}

TEST_F(ServerTest, RefusedConnectsRaiseTheServerMessageAndLeaveNoHalfOpenSession) {
  struct Case {
    const char* what;
    int port;
    const char* user;
    const char* password;
    unsigned code;
  };
  const Case cases[] = {
      {"nothing listens", kDeadPort, "root", "", 2002},
      {"wrong password", settings_.Port, "zarn", "wrong", 1045},
      {"unknown database", settings_.Port, "root", "", 1049},
  };
  for (const Case& c : cases) {
    TServerConnection connection;
    connection.Settings() = settings_;
    connection.Settings().Port = c.port;
    connection.Settings().User = c.user;
    connection.Settings().Password = c.password;
    if (c.code == 1049) connection.Settings().Database = "no_such_database_here";
    try {
      connection.Connect();
      ADD_FAILURE() << c.what << ": connect must fail";
    } catch (const EServerError& error) {
      EXPECT_GE(error.Code(), c.code == 2002 ? 2002u : c.code) << c.what;
      EXPECT_FALSE(std::string(error.what()).empty()) << c.what;
    }
    EXPECT_FALSE(connection.Connected()) << c.what;
    EXPECT_THROW(connection.Execute("select 1"), EServerError) << c.what;
    // The same object connects once the settings are right.
    connection.Settings() = settings_;
    connection.Connect();
    EXPECT_EQ(ScalarOf(connection, "select 2"), "2") << c.what;
  }
}

TEST_F(ServerTest, RightPasswordOfTheSecondAccountConnects) {
  TServerConnection connection;
  connection.Settings() = settings_;
  connection.Settings().User = "zarn";
  connection.Settings().Password = "zarn";
  connection.Connect();
  EXPECT_EQ(ScalarOf(connection, "select current_user()").substr(0, 5), "zarn@");
}

TEST_F(ServerTest, SessionKilledInTheMiddleOfAQueryRaisesAndDisconnects) {
  // Killed while the server works on the statement, and while rows stream in.
  for (const char* sql : {"select sleep(20)",
                          "select seq, repeat('x', 1000) from seq_1_to_100000 where sleep(0.0002) = 0"}) {
    TServerConnection victim;
    victim.Settings() = settings_;
    victim.Connect();
    const unsigned long id = victim.ServerThreadId();
    std::thread killer([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      TServerConnection admin;
      admin.Settings() = settings_;
      admin.Connect();
      admin.Execute("KILL CONNECTION " + std::to_string(id));
    });
    try {
      victim.Query(sql);
      ADD_FAILURE() << sql << ": the killed query must raise";
    } catch (const EServerError& error) {
      EXPECT_NE(error.Code(), 0u) << sql;
      EXPECT_FALSE(std::string(error.what()).empty()) << sql;
    }
    killer.join();
    EXPECT_FALSE(victim.Connected()) << sql;
    EXPECT_THROW(victim.Execute("select 1"), EServerError) << sql;
    victim.Connect();
    EXPECT_EQ(ScalarOf(victim, "select 3"), "3") << sql;
  }
}

TEST_F(ServerTest, SessionKilledWhileIdleIsNoticedAtTheNextStatement) {
  TServerConnection victim;
  victim.Settings() = settings_;
  victim.Connect();
  db_.Execute("KILL CONNECTION " + std::to_string(victim.ServerThreadId()));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_THROW(victim.Execute("select 1"), EServerError);
  EXPECT_FALSE(victim.Connected());
}

TEST_F(ServerTest, CompressedSessionWorks) {
  TServerConnection connection;
  connection.Settings() = settings_;
  connection.Settings().Compress = true;
  connection.Connect();
  EXPECT_EQ(ScalarOf(connection, "select repeat('x', 100000)"), std::string(100000, 'x'));
  EXPECT_EQ(ScalarOf(connection, "select variable_value from information_schema.session_status"
                                 " where variable_name = 'COMPRESSION'"),
            "ON");
}

}  // namespace
}  // namespace zarn
