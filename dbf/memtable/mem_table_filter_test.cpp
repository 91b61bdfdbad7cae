// The memory table's filter: the expression bound to its field objects,
// validation when it is switched on, refused texts, OnFilterRecord, and the
// counts and numbers that stay physical.
#include <gtest/gtest.h>

#include "dbf/memtable/mem_table_testing.h"

namespace zarn {
namespace {

using testing::AppendRow;
using testing::Column;
using testing::DefineFields;
using testing::ExpectDatabaseError;

constexpr char kInvalidFilter[] = "Invalid filter expression.";

void DefineAndFill(TDsMemTable& table) {
  DefineFields(table, {{"NAZEV", ftString, 10}, {"NC", ftInteger}});
  table.Open();
  for (const auto& [name, price] : std::vector<std::pair<const char*, int>>{{"ABCD", 5}, {"xABC", 15}, {"ABC", 25}, {"", 35}})
    AppendRow(table, {std::string(name), price});
}

TEST(MemTableFilterTest, ShowsMatchingRowsWhileCountAndNumbersStayPhysical) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFilterText("(NAZEV='ABC*') AND (NC>10)");
  table.SetFiltered(true);
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"ABC"}));
  EXPECT_EQ(table.RecordCount(), 4);
  table.First();
  EXPECT_EQ(table.RecNo(), 3);
  EXPECT_FALSE(table.IsSequenced());
}

TEST(MemTableFilterTest, FilterSetBeforeOpeningHoldsFromTheFirstFetch) {
  TDsMemTable table;
  // Checked when the table opens, against a record whose fields are all
  // null: a comparison by '=' passes that check, one by '>' would not.
  table.SetFilterText("NAZEV='a*'");
  table.SetFiltered(true);
  DefineAndFill(table);
  EXPECT_TRUE(table.IsEmpty());
  AppendRow(table, {"a", 30});
  AppendRow(table, {"b", 10});
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"a"}));
  table.Close();
  table.Open();
  EXPECT_EQ(table.Filter(), "NAZEV='a*'");
  EXPECT_TRUE(table.Filtered());
}

TEST(MemTableFilterTest, InvalidTextIsCheckedOnlyWhenTheFilterGoesOn) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFilterText("NC>");  // nothing is validated while the filter is off
  ExpectDatabaseError([&] { table.SetFiltered(true); }, kInvalidFilter);
  EXPECT_FALSE(table.Filtered());
  EXPECT_EQ(table.RowCount(), 4);
}

TEST(MemTableFilterTest, RefusedTextKeepsTheOldFilter) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFilterText("NC>20");
  table.SetFiltered(true);
  ExpectDatabaseError([&] { table.SetFilterText("NC>'x'"); }, kInvalidFilter);
  EXPECT_EQ(table.Filter(), "NC>20");
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"ABC", ""}));
}

TEST(MemTableFilterTest, OpeningWithAStoredInvalidFilterFails) {
  TDsMemTable table;
  DefineFields(table, {{"NC", ftInteger}});
  table.SetFilterText("NC>");
  table.SetFiltered(true);
  ExpectDatabaseError([&] { table.Open(); }, kInvalidFilter);
  EXPECT_FALSE(table.Active());
}

TEST(MemTableFilterTest, ExpressionsThatAreNoBooleanHideEverything) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFilterText("NC+1");
  table.SetFiltered(true);
  EXPECT_TRUE(table.IsEmpty());
  EXPECT_EQ(table.RowCount(), 0);
}

TEST(MemTableFilterTest, OptionsChangeTextComparisons) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFilterText("NAZEV='abc*'");
  table.SetFiltered(true);
  EXPECT_TRUE(table.IsEmpty());
  table.SetFilterOptions(foCaseInsensitive);
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"ABCD", "ABC"}));
  table.SetFilterText("NAZEV='abc'");
  table.SetFilterOptions(foCaseInsensitive | foNoPartialCompare);
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"ABC"}));
}

TEST(MemTableFilterTest, OnFilterRecordAloneDecidesWithAnEmptyText) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFiltered(true);
  table.SetOnFilterRecord([](TDataSet& dataset, bool& accept) { accept = dataset.FieldByName("NC").AsInteger() < 20; });
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"ABCD", "xABC"}));
  table.SetFiltered(false);
  EXPECT_EQ(Column(table, "NAZEV").size(), 4u);
}

TEST(MemTableFilterTest, ErrorDuringARecordTestIsReportedAndTheRowStaysShown) {
  TDsMemTable table;
  DefineAndFill(table);
  table.SetFilterText("NC/(NC-15)>0");  // valid on the first row, divides by zero on the second
  table.SetFiltered(true);
  std::vector<std::string> reported;
  SetApplicationExceptionHandler([&](const std::exception& error) { reported.push_back(error.what()); });
  EXPECT_EQ(Column(table, "NAZEV"), (std::vector<std::string>{"xABC", "ABC", ""}));
  SetApplicationExceptionHandler(nullptr);
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.front(), "Floating point division by zero");
}

TEST(MemTableFilterTest, DeleteAndBookmarksSkipHiddenRows) {
  TDsMemTable table;
  DefineAndFill(table);
  table.First();
  const TBookmark first = table.GetBookmark();  // ABCD, NC 5
  table.SetFilterText("NC>10");
  table.SetFiltered(true);
  table.Last();
  table.GotoBookmark(first);  // hidden: the position does not move
  EXPECT_EQ(table.FieldByName("NC").AsInteger(), 35);
  table.SetRecNo(2);
  table.Delete();  // xABC goes; ABC moves up into its place
  EXPECT_EQ(table.FieldByName("NAZEV").AsString(), "ABC");
  EXPECT_EQ(table.RecordCount(), 3);
}

}  // namespace
}  // namespace zarn
