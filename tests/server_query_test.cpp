// Query results read back from a real table holding every column type: the
// field type each column becomes, its size, and the decoded values.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/win1250.h"
#include "services/query.h"
#include "services/query_result.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

using testing::ServerTest;

class QueryResultTest : public ServerTest {
 protected:
  QueryResult Read(const std::string& sql) { return db_.Query(sql); }
};

const char kAllTypesTable[] =
    "create table all_types ("
    " ti TINYINT, tiu TINYINT UNSIGNED, si SMALLINT, siu SMALLINT UNSIGNED, yr YEAR,"
    " mi MEDIUMINT, miu MEDIUMINT UNSIGNED, i INT, iu INT UNSIGNED, bi BIGINT, biu BIGINT UNSIGNED,"
    " f FLOAT, d DOUBLE, nd DECIMAL(10,2),"
    " dt DATE, tm TIME, dtm DATETIME, ts TIMESTAMP NULL,"
    " tb TINYBLOB, b BLOB, mb MEDIUMBLOB, lb LONGBLOB, tt TINYTEXT, t TEXT, mt MEDIUMTEXT, lt LONGTEXT,"
    " c CHAR(5), vc VARCHAR(20), e ENUM('ano','ne'), s SET('a','b','c'))"
    " default charset cp1250";

TEST_F(QueryResultTest, EveryColumnTypeGetsItsFieldTypeSizeAndValueInTheQuery) {
  const std::string czech = Utf8ToWin1250("Žluťoučký kůň");
  const std::string blob("\x00\xFF\x27\x5C" "ab", 6);
  db_.Execute("drop table if exists all_types");
  db_.Execute(kAllTypesTable);
  db_.Execute(
      "insert into all_types values (-128, 255, -32768, 65535, 2024, -8388608, 16777215, -2147483648,"
      " 4294967295, -9223372036854775808, 18446744073709551615, 1.5, -1234.5678, 12345678.91,"
      " '2024-02-29', '-838:59:59', '1999-11-11 08:09:10', '2024-01-02 03:04:05',"
      " x'00FF275C6162', x'01', x'02', x'03', 'tiny', '" + czech + "', 'medium', 'long',"
      " 'ab', 'abcdef', 'ne', 'a,c')");
  db_.Execute("insert into all_types (vc) values ('xy')");

  TServerQuery query(db_);
  query.SetText("select * from all_types order by vc");
  query.Open();
  ASSERT_EQ(query.RecordCount(), 2);
  ASSERT_EQ(query.FieldCount(), 30);

  const double dt = EncodeDate(2024, 2, 29);
  const double dtm = EncodeDate(1999, 11, 11) + EncodeTime(8, 9, 10, 0);
  const double ts = EncodeDate(2024, 1, 2) + EncodeTime(3, 4, 5, 0);
  const double tm = -(838 * 3600 + 59 * 60 + 59) / 86400.0;
  struct Expected {
    const char* name;
    TFieldType type;
    unsigned long size;
    Variant value;
  };
  const Expected expected[] = {
      {"ti", ftSmallint, 0, Variant(int32_t{-128})},
      {"tiu", ftSmallint, 0, Variant(int32_t{255})},
      {"si", ftSmallint, 0, Variant(int32_t{-32768})},
      {"siu", ftInteger, 0, Variant(int32_t{65535})},
      {"yr", ftInteger, 0, Variant(int32_t{2024})},  // the server reports YEAR unsigned
      {"mi", ftInteger, 0, Variant(int32_t{-8388608})},
      {"miu", ftLargeint, 0, Variant(int64_t{16777215})},
      {"i", ftInteger, 0, Variant(int32_t{INT32_MIN})},
      {"iu", ftLargeint, 0, Variant(int64_t{4294967295})},
      {"bi", ftLargeint, 0, Variant(int64_t{INT64_MIN})},
      {"biu", ftFloat, 0, Variant(18446744073709551615.0)},
      {"f", ftFloat, 0, Variant(1.5)},
      {"d", ftFloat, 0, Variant(-1234.5678)},
      {"nd", ftString, 12, Variant("12345678.91")},
      {"dt", ftDate, 0, Variant::FromDate(dt)},
      {"tm", ftTime, 0, Variant::FromDate(tm)},
      {"dtm", ftDateTime, 0, Variant::FromDate(dtm)},
      {"ts", ftDateTime, 0, Variant::FromDate(ts)},
      {"tb", ftBlob, 0, Variant::FromBytes(blob)},
      {"b", ftBlob, 0, Variant::FromBytes("\x01")},
      {"mb", ftBlob, 0, Variant::FromBytes("\x02")},
      {"lb", ftBlob, 0, Variant::FromBytes("\x03")},
      {"tt", ftMemo, 0, Variant("tiny")},
      {"t", ftMemo, 0, Variant(czech)},
      {"mt", ftMemo, 0, Variant("medium")},
      {"lt", ftMemo, 0, Variant("long")},
      {"c", ftString, 5, Variant("ab")},
      {"vc", ftString, 20, Variant("abcdef")},
      {"e", ftString, 3, Variant("ne")},
      {"s", ftString, 5, Variant("a,c")},
  };
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Expected& e = expected[i];
    const TFieldDef& def = query.FieldDefs()[static_cast<int>(i)];
    EXPECT_EQ(def.Name(), e.name);
    EXPECT_EQ(def.DataType(), e.type) << e.name;
    EXPECT_EQ(def.Size(), static_cast<int>(e.size)) << e.name;
    const TField& field = query.FieldByName(e.name);
    EXPECT_EQ(field.DataType(), e.type) << e.name;
    const Variant value = field.AsVariant();
    EXPECT_EQ(value.Type(), e.value.Type()) << e.name;
    EXPECT_TRUE(value == e.value) << e.name << ": " << value.ToString() << " != " << e.value.ToString();
    EXPECT_TRUE(query.RowValue(0, field) == e.value) << e.name;
    // The second row holds NULL in every column but vc.
    EXPECT_EQ(query.RowValue(1, field).IsNull(), std::string(e.name) != "vc") << e.name;
  }
  EXPECT_EQ(query.FieldByName("t").AsString(), czech);
  EXPECT_EQ(query.FieldByName("e").AsString(), "ne");
  EXPECT_EQ(query.LongestValue(query.FieldByName("e")), 2u);
  EXPECT_EQ(query.LongestValue(query.FieldByName("vc")), 6u);  // "abcdef" (and "xy")
  query.Next();
  EXPECT_EQ(query.FieldByName("vc").AsString(), "xy");
  EXPECT_TRUE(query.FieldByName("i").IsNull());
  EXPECT_TRUE(query.FieldByName("t").IsNull());
  EXPECT_TRUE(query.FieldByName("dt").IsNull());
}

TEST_F(QueryResultTest, ComputedTextWiderThanItsColumnWidensTheStringSize) {
  db_.Execute("drop table if exists words");
  db_.Execute("create table words (w varchar(3))");
  db_.Execute("insert into words values ('a'), ('abc')");
  const QueryResult result = Read("select w, concat(w, w) as ww, '' as empty from words order by w");
  EXPECT_EQ(result.Column(0).field.size, 3u);
  EXPECT_EQ(result.Column(0).longest, 3u);
  EXPECT_EQ(result.Column(1).longest, 6u);
  EXPECT_GE(result.Column(1).field.size, 6u);
  EXPECT_EQ(result.Column(2).field.type, ftString);
  EXPECT_EQ(result.Column(2).longest, 0u);
  EXPECT_EQ(result.Text(1, 1), "abcabc");
  EXPECT_EQ(result.Text(0, 2), "");
}

TEST_F(QueryResultTest, ZeroAndPartialDatesReadAsNullAndTimesKeepFractions) {
  db_.Execute("drop table if exists days");
  db_.Execute("create table days (d DATE, dtm DATETIME(3), t TIME(2))");
  db_.Execute("insert into days values ('0000-00-00', '0000-00-00 00:00:00', '00:00:00'),"
              " ('2024-05-00', '1899-12-29 18:00:00.500', '25:30:00.25')");
  const QueryResult result = Read("select * from days");
  EXPECT_TRUE(result.IsNull(0, 0));
  EXPECT_TRUE(result.IsNull(0, 1));
  EXPECT_FALSE(result.IsNull(0, 2));
  EXPECT_EQ(result.Number(0, 2), 0.0);
  EXPECT_TRUE(result.IsNull(1, 0));
  // Before day 0 the time of day counts away from zero, as the platform keeps it.
  EXPECT_DOUBLE_EQ(result.Number(1, 1), -1.0 - (18 * 3600 + 0.5) / 86400.0);
  EXPECT_DOUBLE_EQ(result.Number(1, 2), (25 * 3600 + 30 * 60 + 0.25) / 86400.0);
}

TEST_F(QueryResultTest, EmptyResultHasColumnsAndNoRows) {
  const QueryResult result = Read("select 1 as one, 'x' as two from dual where 1 = 0");
  EXPECT_EQ(result.RowCount(), 0u);
  ASSERT_EQ(result.ColumnCount(), 2u);
  EXPECT_EQ(result.Column(1).name, "two");
}

}  // namespace
}  // namespace zarn

namespace zarn {
namespace {

class QueryTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (IsSkipped()) return;
    db_.Execute("drop table if exists lots");
    db_.Execute("create table lots (id int primary key, partie varchar(10), mnozstvi double) default charset cp1250");
    db_.Execute("insert into lots values (1, 'A1', 1.5), (2, 'B2', 2.5), (3, 'C3', 4), (4, 'D4', null)");
  }
};

TEST_F(QueryTest, WalksTheRowsBothWaysAndJumpsToAnyRow) {
  TServerQuery query(db_);
  query.SQL() = {"select id, partie, mnozstvi", "from lots", "order by id"};
  query.Open();
  EXPECT_EQ(query.RecordCount(), 4);
  std::string seen;
  double sum = 0;
  for (query.First(); !query.Eof(); query.Next()) {
    seen += query.FieldByName("partie").AsString();
    sum += query.FieldByName("mnozstvi").AsFloat();
  }
  EXPECT_EQ(seen, "A1B2C3D4");
  EXPECT_DOUBLE_EQ(sum, 8.0);
  EXPECT_EQ(query.RecNo(), 4);
  query.Last();
  query.Prior();
  EXPECT_EQ(query.FieldByName("id").AsInteger(), 3);
  const TBookmark mark = query.GetBookmark();
  query.GotoRow(0);
  EXPECT_EQ(query.CurrentRow(), 0);
  EXPECT_EQ(query.FieldByName("partie").AsString(), "A1");
  query.GotoBookmark(mark);
  EXPECT_EQ(query.RecNo(), 3);
  query.SetRecNo(2);
  EXPECT_EQ(query.FieldByName("partie").AsString(), "B2");
  EXPECT_TRUE(query.Locate("partie", Variant("D4"), 0));
  EXPECT_TRUE(query.FieldByName("mnozstvi").IsNull());
  // Random access for grids leaves the current record alone.
  EXPECT_EQ(query.RowValue(2, query.FieldByName("partie")).ToString(), "C3");
  EXPECT_EQ(query.CurrentRow(), 3);
  EXPECT_THROW(query.GotoRow(4), EDatabaseError);
}

TEST_F(QueryTest, IsReadOnly) {
  TServerQuery query(db_);
  query.SetText("select * from lots");
  query.Open();
  EXPECT_FALSE(query.CanModify());
  EXPECT_THROW(query.Edit(), EDatabaseError);
  EXPECT_THROW(query.Append(), EDatabaseError);
  EXPECT_THROW(query.Delete(), EDatabaseError);
  EXPECT_THROW(query.FieldByName("partie").SetAsString("X"), EDatabaseError);
  EXPECT_EQ(query.FieldByName("partie").AsString(), "A1");
}

TEST_F(QueryTest, WorkQueryIsReusedForStatementsAndQueries) {
  TServerQuery work(db_);
  work.SetText("update lots set mnozstvi = 10 where id = 1");
  EXPECT_EQ(work.ExecSQL(), 1u);
  work.Close();
  work.Clear();
  EXPECT_EQ(work.Text(), "");
  work.SetText("select sum(mnozstvi) as total from lots");
  work.Open();
  EXPECT_DOUBLE_EQ(work.FieldByName("total").AsFloat(), 16.5);
  work.Close();
  work.Clear();
  work.SQL() = {"select partie", "from lots where id = 2"};
  work.Open();
  EXPECT_EQ(work.FieldCount(), 1);
  EXPECT_EQ(work.FieldByName("partie").AsString(), "B2");
  EXPECT_EQ(work.FindField("total"), nullptr);  // the fields follow each result
  work.Close();
  EXPECT_FALSE(work.Active());
}

TEST_F(QueryTest, FailingOpenRaisesTheServerMessageAndLeavesTheQueryClosed) {
  TServerQuery query(db_);
  query.SetText("select * from no_such_table");
  try {
    query.Open();
    FAIL() << "opening a query on a missing table must raise";
  } catch (const EServerError& error) {
    EXPECT_NE(std::string(error.what()).find("no_such_table"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(query.Active());
  query.SetText("select id from lots");
  query.Open();
  EXPECT_EQ(query.RecordCount(), 4);
  // A statement without rows cannot be opened; ExecSQL is for that.
  query.Close();
  query.SetText("delete from lots where id = 4");
  EXPECT_THROW(query.Open(), EServerError);
  EXPECT_FALSE(query.Active());
}

TEST_F(QueryTest, DuplicateColumnNamesGetTheirOwnFields) {
  TServerQuery query(db_);
  query.SetText("select a.id, b.id, a.partie from lots a join lots b on b.id = a.id + 1 order by a.id");
  query.Open();
  ASSERT_EQ(query.FieldCount(), 3);
  EXPECT_EQ(query.Fields()[1].FieldName(), "id_1");
  EXPECT_EQ(query.FieldByName("id").AsInteger(), 1);
  EXPECT_EQ(query.FieldByName("id_1").AsInteger(), 2);
}

TEST_F(QueryTest, CalculatedFieldsAreComputedPerRecord) {
  TServerQuery query(db_);
  query.SetText("select id, mnozstvi from lots order by id");
  query.AddField("id", ftInteger);
  query.AddField("mnozstvi", ftFloat);
  query.AddField("double_qty", ftFloat, 0, fkCalculated);
  query.OnCalcFields = [](TDataSet& ds) {
    ds.FieldByName("double_qty").SetAsFloat(ds.FieldByName("mnozstvi").AsFloat() * 2);
  };
  query.Open();
  query.Next();
  EXPECT_DOUBLE_EQ(query.FieldByName("double_qty").AsFloat(), 5.0);
  query.Close();
  EXPECT_EQ(query.FieldCount(), 3);  // persistent fields stay
}

}  // namespace
}  // namespace zarn
