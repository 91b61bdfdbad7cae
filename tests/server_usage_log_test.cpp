// The usage row of each start of the register, written to the real server,
// and the alternative port rule.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "services/usage_log.h"
#include "services/workstation.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

using testing::kDeadPort;
using testing::ServerTest;

class UsageLogTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (IsSkipped()) return;
    db_.Execute("drop table if exists historiem");
    db_.Execute("create table historiem like tarvol.historiem");
    fresh_.Settings() = settings_;
    fresh_.Settings().Port = 3306;  // ZapisHistorii sets it
  }

  int RowCount() {
    return db_.Query("select count(*) from historiem").Value(0, 0).ToInt();
  }

  // The last row as column name -> text value.
  std::map<std::string, std::string> LastRow() {
    const QueryResult rows = db_.Query(
        "select modul, pc, stredisko, cast(datumcas as char) as datumcas, ipadr, computeruser, computername,"
        " cast(mdatumcas as char) as mdatumcas, mverze, timestampdiff(second, datumcas, now()) as age"
        " from historiem order by id desc limit 1");
    std::map<std::string, std::string> values;
    for (size_t i = 0; rows.RowCount() == 1 && i < rows.ColumnCount(); ++i) {
      values[rows.Column(i).name] = rows.IsNull(0, i) ? "<null>" : rows.Value(0, i).ToString();
    }
    return values;
  }

  std::string SessionSqlMode() {
    return fresh_.Query("select @@session.sql_mode").Value(0, 0).ToString();
  }

  std::string Port() const { return std::to_string(settings_.Port); }

  TServerConnection fresh_;
};

TEST_F(UsageLogTest, WithoutOpenPortWritesOneRowWithEveryColumn) {
  ASSERT_TRUE(ZapisHistorii(fresh_, Port(), "", "12", "C07", "Evidence licenci Zarn"));
  EXPECT_TRUE(fresh_.Connected());
  EXPECT_EQ(SessionSqlMode(), "");  // the set-up statements ran
  ASSERT_EQ(RowCount(), 1);
  auto row = LastRow();
  EXPECT_EQ(row["modul"], "Evidence licenci Zarn");
  EXPECT_EQ(row["pc"], "12");
  EXPECT_EQ(row["stredisko"], "C07");
  EXPECT_LE(std::abs(std::stoi(row["age"])), 5);
  EXPECT_EQ(row["ipadr"], LokalniIP());
  EXPECT_EQ(row["computeruser"], JmenoUzivatele());
  EXPECT_EQ(row["computername"], JmenoPocitace());
  const std::string program = RunningProgramPath();
  EXPECT_EQ(row["mdatumcas"], FormatDateTime("yyyy-mm-dd hh:nn:ss", DatumSouboru(program)));
  EXPECT_NE(row["mdatumcas"], "1899-12-30 00:00:00");  // the test program exists
  EXPECT_EQ(row["mverze"], VerzeSouboru(program));
}

TEST_F(UsageLogTest, ValuesWithQuotesAndTrailingBackslashAreStoredExactly) {
  const std::string modul = "O'Brien \"Zarn\" \\n";
  const std::string stredisko = "C:\\";
  ASSERT_TRUE(ZapisHistorii(fresh_, Port(), "", "1", stredisko, modul));
  auto row = LastRow();
  EXPECT_EQ(row["modul"], modul);
  EXPECT_EQ(row["stredisko"], stredisko);
  EXPECT_EQ(row["pc"], "1");
}

TEST_F(UsageLogTest, ReachableOpenPortIsUsedWithoutSetupOrRow) {
  EXPECT_FALSE(ZapisHistorii(fresh_, std::to_string(kDeadPort), Port(), "1", "S", "M"));
  EXPECT_TRUE(fresh_.Connected());
  EXPECT_EQ(fresh_.Settings().Port, kDeadPort);  // for later connects only
  EXPECT_NE(SessionSqlMode(), "");               // no set-up statements ran
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(UsageLogTest, UnreachableOpenPortFallsBackSilentlyToSqlPort) {
  EXPECT_TRUE(ZapisHistorii(fresh_, Port(), std::to_string(kDeadPort), "3", "S", "M"));
  EXPECT_TRUE(fresh_.Connected());
  EXPECT_EQ(fresh_.Settings().Port, settings_.Port);
  EXPECT_EQ(RowCount(), 1);
}

TEST_F(UsageLogTest, UnreachableSqlPortReturnsFalseAndStaysClosed) {
  EXPECT_FALSE(ZapisHistorii(fresh_, std::to_string(kDeadPort), "", "1", "S", "M"));
  EXPECT_FALSE(fresh_.Connected());
  fresh_.Settings().User = "zarn";
  fresh_.Settings().Password = "wrong";
  EXPECT_FALSE(ZapisHistorii(fresh_, Port(), "", "1", "S", "M"));
  EXPECT_FALSE(fresh_.Connected());
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(UsageLogTest, RefusedInsertRaisesTheServerErrorAndKeepsTheConnection) {
  db_.Execute("drop table historiem");
  try {
    ZapisHistorii(fresh_, Port(), "", "1", "S", "M");
    FAIL() << "the insert into a missing table must raise";
  } catch (const EServerError& error) {
    EXPECT_NE(std::string(error.what()).find("historiem"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(fresh_.Connected());
}

}  // namespace
}  // namespace zarn
