// The register's edit buffer: zarnzada.dbf created from the columns of a
// server query, one record appended and filled by name from the query's row.
#include <gtest/gtest.h>

#include <filesystem>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/testing/temp_dir.h"
#include "platform/datetime.h"
#include "platform/win1250.h"
#include "services/kopiruj_zaznam.h"
#include "services/query.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

using testing::ServerTest;

class DbfTableServerTest : public ServerTest {};

TEST_F(DbfTableServerTest, EditBufferFromAQueryRow) {
  const std::string czech = Utf8ToWin1250("Žluťoučký kůň");
  db_.Execute("drop table if exists zarnzada");
  db_.Execute(
      "create table zarnzada (id INT, zadatel VARCHAR(10), nazev VARCHAR(40), mnozstvi DECIMAL(10,2),"
      " poplatek DOUBLE, zaplaceno DATE, poznamka TEXT) default charset cp1250");
  db_.Execute("insert into zarnzada values (7, 'Z001', '" + czech +
              "', 1234.50, 0.25, '2024-03-07', 'dlouha poznamka')");

  TServerQuery query(db_);
  query.SetText("select * from zarnzada where id=7");
  query.Open();
  ASSERT_EQ(query.RecordCount(), 1);

  testing::TempDir dir;
  TDsDatabase database;
  database.SetDatabaseName(std::filesystem::path(dir.File("x")).parent_path().string());
  TDsDbfTable buffer;
  buffer.SetDatabase(&database);
  buffer.SetTableName("zarnzada.dbf");
  buffer.FieldDefs().Assign(query.FieldDefs());
  buffer.CreateTable();
  buffer.Open();
  buffer.Append();
  KopirujZaznam(query, buffer, true);
  buffer.Post();
  buffer.Close();

  buffer.Open();
  ASSERT_EQ(buffer.RecordCount(), 1);
  EXPECT_EQ(buffer.FieldByName("ID").AsInteger(), 7);
  EXPECT_EQ(buffer.FieldByName("ZADATEL").AsString(), "Z001");
  EXPECT_EQ(buffer.FieldByName("NAZEV").AsString(), czech);
  EXPECT_EQ(buffer.FieldByName("MNOZSTVI").AsString(), "1234.50");  // DECIMAL comes as text
  EXPECT_DOUBLE_EQ(buffer.FieldByName("POPLATEK").AsFloat(), 0.25);
  EXPECT_EQ(buffer.FieldByName("ZAPLACENO").AsDateTime(), EncodeDate(2024, 3, 7));
  EXPECT_EQ(buffer.FieldByName("POZNAMKA").AsString(), "dlouha poznamka");
}

}  // namespace
}  // namespace zarn
