// Sorting the memory table: Czech collation, ties in creation order, nulls
// first, the current row kept, and refused key lists.
#include <gtest/gtest.h>

#include "dbf/memtable/mem_table_testing.h"

namespace zarn {
namespace {

using testing::AppendRow;
using testing::Column;
using testing::DefineFields;
using testing::W;

class MemTableSortTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::UseCzechLocale(); }
  void SetUp() override {
    DefineFields(table_, {{"NAZEV", ftString, 20}, {"SKUPINA", ftInteger}, {"POZN", ftMemo}});
    table_.Open();
  }
  void Fill(const std::vector<std::pair<std::string, int>>& rows) {
    for (const auto& [name, group] : rows) AppendRow(table_, {name.empty() ? Variant::Null() : Variant(W(name)), group});
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const std::string& name : Column(table_, "NAZEV")) names.push_back(Win1250ToUtf8(name));
    return names;
  }
  TDsMemTable table_;
};

TEST_F(MemTableSortTest, CzechCollationPutsChAfterHAndCaronAfterPlainLetter) {
  Fill({{"chmel", 1}, {"cukr", 1}, {"hrách", 1}, {"čočka", 1}, {"ibišek", 1}, {"Cibule", 1}});
  table_.SortByFields("NAZEV");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cibule", "cukr", "čočka", "hrách", "chmel", "ibišek"}));
  table_.SortByFields("NAZEV", false, true);
  EXPECT_EQ(Names(), (std::vector<std::string>{"ibišek", "chmel", "hrách", "čočka", "cukr", "Cibule"}));
}

TEST_F(MemTableSortTest, TiesFollowCreationOrderAndReverseWhenDescending) {
  // Created in this order; the first sort scrambles the rows, the second
  // must still order ties by creation, not by their order before it.
  Fill({{"b", 1}, {"a", 2}, {"b", 3}, {"a", 4}, {"b", 5}});
  table_.SortByFields("SKUPINA", false, true);
  table_.SortByFields("NAZEV");
  std::vector<int> groups;
  for (table_.First(); !table_.Eof(); table_.Next()) groups.push_back(table_.FieldByName("SKUPINA").AsInteger());
  EXPECT_EQ(groups, (std::vector<int>{2, 4, 1, 3, 5}));
  table_.SortByFields("NAZEV", false, true);
  groups.clear();
  for (table_.First(); !table_.Eof(); table_.Next()) groups.push_back(table_.FieldByName("SKUPINA").AsInteger());
  EXPECT_EQ(groups, (std::vector<int>{5, 3, 1, 4, 2}));
}

TEST_F(MemTableSortTest, CaseFlagDecidesWhetherCaseSeparatesTies) {
  Fill({{"B", 1}, {"a", 2}, {"A", 3}, {"b", 4}});
  table_.SortByFields("NAZEV", true);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "A", "B", "b"}));  // equal keys: creation order
  table_.SortByFields("NAZEV", false);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "A", "b", "B"}));  // lower case first in Czech
}

TEST_F(MemTableSortTest, EmptyTextSortsFirstAndTwoKeysOrderTogether) {
  Fill({{"b", 2}, {"", 9}, {"a", 2}, {"c", 1}});
  table_.SortByFields("SKUPINA;NAZEV");
  EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a", "b", ""}));
  table_.SortByFields("NAZEV");
  EXPECT_EQ(Names().front(), "");
}

TEST_F(MemTableSortTest, CurrentRowStaysCurrent) {
  Fill({{"c", 1}, {"a", 2}, {"b", 3}});
  table_.First();
  table_.SortByFields("NAZEV");
  EXPECT_EQ(table_.FieldByName("NAZEV").AsString(), "c");
  EXPECT_EQ(table_.RecNo(), 3);
  EXPECT_TRUE(table_.FieldByName("NAZEV").IsIndexField());
}

TEST_F(MemTableSortTest, RefusedKeyListsLeaveTheOrderAndDropTheKeys) {
  Fill({{"b", 1}, {"a", 2}});
  table_.SortByFields("NAZEV");
  testing::ExpectDatabaseError([&] { table_.SortByFields("SKUPINA;POZN"); },
                               "Type mismatch for field 'POZN', expecting: data field of a sortable type actual: ftMemo");
  EXPECT_FALSE(table_.FieldByName("NAZEV").IsIndexField());
  EXPECT_FALSE(table_.FieldByName("SKUPINA").IsIndexField());
  testing::ExpectDatabaseError([&] { table_.SortByFields("NIC"); }, "Field 'NIC' not found");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
}

TEST(MemTableSortEdgeTest, EmptyOrClosedTablesSortWithoutComplaint) {
  TDsMemTable table;
  table.AddField("N", ftString, 5);
  EXPECT_NO_THROW(table.SortByFields("N"));
  table.Open();
  EXPECT_NO_THROW(table.SortByFields("N"));
  EXPECT_NO_THROW(table.Resort());
  EXPECT_TRUE(table.IsEmpty());
}

}  // namespace
}  // namespace zarn
