// Rows and record buffers of the memory table: navigation, editing, ids and
// auto-increment values, bookmarks, record numbers, blobs, the row interface
// and the error texts.
#include "dbf/memtable/mem_table.h"

#include <gtest/gtest.h>

#include "dbf/memtable/mem_table_testing.h"
#include "platform/dataset/dataset_model.h"

namespace zarn {
namespace {

using testing::AppendRow;
using testing::Column;
using testing::DefineFields;
using testing::ExpectDatabaseError;
using testing::W;

class MemTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DefineFields(table_, {{"NAZEV", ftString, 20}, {"CENA", ftFloat}, {"KS", ftInteger}});
    table_.Open();
  }
  TDsMemTable table_;
};

TEST_F(MemTableTest, AppendsInsertsAndNavigates) {
  AppendRow(table_, {"b", 2.5, 2});
  AppendRow(table_, {"c", 3.5, 3});
  table_.First();
  table_.Insert();  // before the current (first) row
  table_.FieldByName("NAZEV").SetAsString("a");
  table_.Post();
  EXPECT_EQ(Column(table_, "NAZEV"), (std::vector<std::string>{"a", "b", "c"}));
  table_.Last();
  EXPECT_EQ(table_.FieldByName("KS").AsInteger(), 3);
  EXPECT_DOUBLE_EQ(table_.FieldByName("CENA").AsFloat(), 3.5);
  table_.Prior();
  EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "b");
  EXPECT_EQ(table_.RecordCount(), 3);
  EXPECT_EQ(table_.RecNo(), 2);
}

TEST_F(MemTableTest, EmptyTextReadsAsNullAndMissingValuesStayNull) {
  AppendRow(table_, {"", Variant::Null(), 0});
  EXPECT_TRUE(table_.FieldByName("NAZEV").IsNull());
  EXPECT_TRUE(table_.FieldByName("CENA").IsNull());
  EXPECT_FALSE(table_.FieldByName("KS").IsNull());
}

TEST_F(MemTableTest, DeletingKeepsPositionAndResetsIds) {
  AppendRow(table_, {"a", 1.0, 1});
  AppendRow(table_, {"b", 2.0, 2});
  table_.Last();
  table_.Delete();
  EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "a");
  const TBookmark only = table_.GetBookmark();
  table_.Delete();
  EXPECT_TRUE(table_.IsEmpty());
  AppendRow(table_, {"c", 3.0, 3});
  // The last issued id went back when the table emptied: the new row gets
  // the first id again, so the bookmark of the deleted row names it.
  EXPECT_EQ(table_.CompareBookmarks(table_.GetBookmark(), only), 0);
}

TEST_F(MemTableTest, BookmarksOfDeletedRowsChangeNothing) {
  AppendRow(table_, {"a", 1.0, 1});
  AppendRow(table_, {"b", 2.0, 2});
  table_.First();
  const TBookmark first = table_.GetBookmark();
  table_.Delete();
  EXPECT_FALSE(table_.BookmarkValid(TBookmark{}));
  EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "b");
  table_.GotoBookmark(first);
  EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "b");
}

TEST_F(MemTableTest, RecordNumbersOutsideTheRowsAreIgnored) {
  for (const char* name : {"a", "b", "c"}) AppendRow(table_, {name, 1.0, 1});
  table_.SetRecNo(2);
  EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "b");
  for (int ignored : {0, 4, -1}) {
    table_.SetRecNo(ignored);
    EXPECT_EQ(table_.RecNo(), 2) << ignored;
  }
}

TEST_F(MemTableTest, ClosingDiscardsRowsAndKeepsStructure) {
  AppendRow(table_, {"a", 1.0, 1});
  table_.Close();
  table_.Open();
  EXPECT_TRUE(table_.IsEmpty());
  EXPECT_EQ(table_.RecordCount(), 0);
  ASSERT_EQ(table_.FieldCount(), 3);
  EXPECT_EQ(table_.Fields()[0].FieldName(), "NAZEV");
}

TEST_F(MemTableTest, ErrorTexts) {
  AppendRow(table_, {"a", 1.0, 1});
  ExpectDatabaseError([&] { table_.FieldByName("NAZEV").SetAsString("x"); }, "Dataset not in edit or insert mode");
  table_.FieldByName("KS").SetReadOnly(true);
  table_.Edit();
  ExpectDatabaseError([&] { table_.FieldByName("KS").SetAsInteger(5); }, "Field 'KS' cannot be modified");
  table_.Cancel();
  EXPECT_EQ(table_.FieldByName("KS").AsInteger(), 1);
  ExpectDatabaseError([&] { table_.CopyStructureFrom(nullptr); }, "Cannot perform this operation on an open dataset");
}

TEST(MemTableFieldsTest, PersistentFieldOfUnknownTypeRefusesToOpen) {
  TDsMemTable table;
  table.AddField("X", ftCursor);
  ExpectDatabaseError([&] { table.Open(); }, "Field 'X' is of an unknown type");
  EXPECT_FALSE(table.Active());
}

TEST(MemTableFieldsTest, TwoAutoIncFieldsShareTheCounterWhichRestartsAfterClose) {
  TDsMemTable table;
  DefineFields(table, {{"A", ftAutoInc}, {"B", ftAutoInc}, {"N", ftString, 5}});
  table.Open();
  for (int round = 0; round < 2; ++round) {
    for (const char* name : {"x", "y", "z"}) AppendRow(table, {Variant::Null(), Variant::Null(), name});
    std::vector<std::string> values;
    for (table.First(); !table.Eof(); table.Next())
      values.push_back(table.FieldByName("A").AsString() + table.FieldByName("B").AsString());
    EXPECT_EQ(values, (std::vector<std::string>{"11", "22", "33"}));
    table.Close();
    table.Open();
  }
}

TEST(MemTableFieldsTest, TypesRoundTripThroughTheSlots) {
  TDsMemTable table;
  DefineFields(table, {{"S", ftSmallint}, {"W", ftWord}, {"B", ftBoolean}, {"D", ftDate}, {"T", ftDateTime},
                       {"L", ftLargeint}, {"C", ftCurrency}, {"WS", ftWideString, 10}, {"V", ftVariant},
                       {"M", ftMemo}});
  table.Open();
  AppendRow(table, {-5, 65000, true, Variant::FromDate(45000), Variant::FromDate(45000.25), int64_t{1} << 40, 12.5,
                    W("žluťoučký"), W("volný"), W("dlouhý text poznámky")});
  table.First();
  EXPECT_EQ(table.FieldByName("S").AsInteger(), -5);
  EXPECT_EQ(table.FieldByName("W").AsInteger(), 65000);
  EXPECT_TRUE(table.FieldByName("B").AsBoolean());
  EXPECT_DOUBLE_EQ(table.FieldByName("D").AsDateTime(), 45000);
  EXPECT_DOUBLE_EQ(table.FieldByName("T").AsDateTime(), 45000.25);
  EXPECT_EQ(table.FieldByName("L").AsLargeInt(), int64_t{1} << 40);
  EXPECT_DOUBLE_EQ(table.FieldByName("C").AsFloat(), 12.5);
  EXPECT_EQ(table.FieldByName("WS").AsString(), W("žluťoučký"));
  EXPECT_EQ(table.FieldByName("V").AsString(), W("volný"));
  EXPECT_EQ(table.FieldByName("M").AsString(), W("dlouhý text poznámky"));
}

TEST(MemTableBlobTest, StreamsReadAndWriteTheBufferAndCancelRestores) {
  TDsMemTable table;
  DefineFields(table, {{"M", ftMemo}});
  table.Open();
  AppendRow(table, {W("první")});
  ExpectDatabaseError([&] { table.CreateBlobStream(table.FieldByName("M"), bmWrite); },
                      "Dataset not in edit or insert mode");
  table.Edit();
  {
    auto stream = table.CreateBlobStream(table.FieldByName("M"), bmReadWrite);
    stream->Seek(0, soEnd);
    stream->WriteText(W(" a druhá"));
  }
  EXPECT_EQ(table.FieldByName("M").AsString(), W("první a druhá"));
  table.Cancel();
  EXPECT_EQ(table.FieldByName("M").AsString(), W("první"));
  table.Edit();
  table.FieldByName("M").SetAsString(W("nová"));
  table.Post();
  EXPECT_EQ(table.FieldByName("M").AsString(), W("nová"));
  EXPECT_EQ(table.RowValue(0, table.FieldByName("M")).ToString(), W("nová"));
}

TEST_F(MemTableTest, RowInterfaceReadsWithoutMovingAndFollowsTheFilter) {
  for (int i = 1; i <= 4; ++i) AppendRow(table_, {std::string(1, static_cast<char>('a' + i - 1)), i * 1.0, i});
  table_.SetRecNo(3);
  EXPECT_EQ(table_.RowCount(), 4);
  EXPECT_EQ(table_.RowValue(1, table_.FieldByName("NAZEV")).ToString(), "b");
  EXPECT_EQ(table_.CurrentRow(), 2);
  table_.SetFilterText("KS>2");
  table_.SetFiltered(true);
  EXPECT_EQ(table_.RowCount(), 2);
  EXPECT_EQ(table_.RowValue(1, table_.FieldByName("NAZEV")).ToString(), "d");
  table_.GotoRow(1);
  EXPECT_EQ(table_.FieldByName("KS").AsInteger(), 4);
  EXPECT_EQ(table_.CurrentRow(), 1);

  TDataSetModel model(&table_);
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QString("c"));
}

}  // namespace
}  // namespace zarn
