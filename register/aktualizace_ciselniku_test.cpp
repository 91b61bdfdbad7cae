// The code-list refresh against the local test server: the sums of the
// crop-field applications in the records, run again, run by two workstations
// at the same moment, and with the updater missing or slow.
#include "register/aktualizace_ciselniku.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "services/query.h"
#include "services/testing_folder.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

// Sets PATH for the life of the object, so that no updater can be found
// outside the working folder.
class ScopedPath {
 public:
  explicit ScopedPath(const char* path) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", path, 1);
  }
  ~ScopedPath() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

class RefreshTest : public testing::ServerTest {
 protected:
  void SetUp() override {
    testing::ServerTest::SetUp();
    if (IsSkipped()) return;
    for (const char* table : {"zarnzada", "epri"}) {
      db_.Execute(std::string("DROP TABLE IF EXISTS ") + table);
      db_.Execute(testing::SchemaTable(table));
    }
    // Two applications of 0123 for N1 in 2006 add up; 0200 has one; the
    // record of 2007 has none and keeps its figures.
    db_.Execute("insert into epri (rok, podnik, nomenkla, vymera, mnozstvi, plan) values "
                "('2006','0123','N1',1.5,10,1), ('2006','0123','N1',2.0,5,2), ('2006','0200','N1',4,1,0.5), "
                "('2006','0123','N2',9,9,9)");
    db_.Execute("insert into zarnzada (zadatel, rok, nomenkla, PRIH_PLOCH, PRIH_VAHA, PRIH_PLAN) values "
                "('0123','2006','N1',0,0,0), ('0200','2006','N1',0,0,0), ('0123','2007','N1',7,7,7)");
  }

  // "zadatel rok plocha vaha plan" of every record, in the order of their ids.
  std::string Sums(TServerConnection& connection) {
    const QueryResult rows = connection.Query(
        "select group_concat(concat_ws(' ',zadatel,rok,PRIH_PLOCH,PRIH_VAHA,PRIH_PLAN) order by id "
        "separator '|') from zarnzada");
    return rows.Value(0, 0).ToString();
  }

  static constexpr char kExpected[] = "0123 2006 3.5 15 3|0200 2006 4 1 0.5|0123 2007 7 7 7";
  ScratchWorkingFolder folder_{"aktualizace_test"};
};

TEST_F(RefreshTest, SumsTheApplicationsAndGivesTheSameFiguresTheSecondTime) {
  ScopedPath no_updater("/nonexistent");
  TServerQuery work(db_);
  for (int run = 0; run < 2; ++run) {
    AktualizujCiselniky(work);  // zembu is nowhere: the statements run all the same
    EXPECT_EQ(Sums(db_), kExpected) << "run " << run;
  }
  // The work table went with the last statement.
  EXPECT_THROW(db_.Query("select count(*) from tmpepri"), EServerError);
}

// The refresh waits for the updater to end before it sums.
TEST_F(RefreshTest, WaitsForTheUpdaterInTheWorkingFolder) {
  {
    std::ofstream updater("zembu");
    updater << "#!/bin/sh\nsleep 1\necho done > zembu.ran\n";
  }
  ::chmod("zembu", 0755);
  ScopedPath only_here("/usr/bin:/bin");
  TServerQuery work(db_);
  AktualizujCiselniky(work);
  EXPECT_TRUE(std::filesystem::exists("zembu.ran"));
  EXPECT_EQ(Sums(db_), kExpected);
}

// Two workstations whose statements interleave: each drops and creates the
// work table while the other is between its create and its update. A table
// shared by both would be gone under the first one's update.
TEST_F(RefreshTest, TwoWorkstationsInterleavedEachUseTheirOwnWorkTable) {
  TServerConnection other;
  other.Settings() = settings_;
  other.Connect();
  other.RunConnectionSetup();
  const std::vector<std::string>& prikazy = PrikazyPrihlasek();
  ASSERT_EQ(prikazy.size(), 4u);
  const struct {
    TServerConnection* who;
    size_t statement;
  } order[] = {{&db_, 0}, {&db_, 1}, {&other, 0}, {&db_, 2}, {&other, 1}, {&db_, 3}, {&other, 2}, {&other, 3}};
  for (const auto& step : order) {
    SCOPED_TRACE(std::string(step.who == &db_ ? "first" : "second") + " statement " +
                 std::to_string(step.statement));
    EXPECT_NO_THROW(step.who->Execute(prikazy[step.statement]));
  }
  EXPECT_EQ(Sums(db_), kExpected);
}

// The same from two threads, each refreshing over its own session many times.
TEST_F(RefreshTest, TwoWorkstationsRefreshingAtOnceBothSucceed) {
  std::string errors[2];
  const auto workstation = [&](std::string& error) {
    try {
      TServerConnection connection;
      connection.Settings() = settings_;
      connection.Connect();
      connection.RunConnectionSetup();
      TServerQuery work(connection);
      for (int run = 0; run < 25; ++run) PrepocitejPrihlasky(work);
    } catch (const std::exception& e) {
      error = e.what();
    }
  };
  std::thread first(workstation, std::ref(errors[0]));
  std::thread second(workstation, std::ref(errors[1]));
  first.join();
  second.join();
  EXPECT_EQ(errors[0], "");
  EXPECT_EQ(errors[1], "");
  EXPECT_EQ(Sums(db_), kExpected);
}

}  // namespace
}  // namespace zarn
