// Sorting the memory table: Czech collation, ties in creation order, nulls
// first, the current row kept, and refused key lists.
#include <gtest/gtest.h>

#include <QCollator>
#include <algorithm>
#include <numeric>
#include <random>

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

// Many texts, most sharing long beginnings (so that their collation keys
// begin alike and only the full keys tell them apart), with case variants,
// repeats and nulls: every flag combination gives the order of QCollator
// over the texts, nulls first and ties in creation order, all reversed when
// descending.
TEST(MemTableSortManyTest, ManyTextsFollowTheCollatorWithTiesInCreationOrder) {
  testing::UseCzechLocale();
  static const char* const kParts[] = {"ch", "Ch", "č", "c", "h", "ř", "r", "á", "a", "A", "é", "e", "ů", "u",
                                      "š", "S", " ", "-", "1", "ž", "z"};
  std::mt19937 random(7);
  std::vector<std::string> texts;  // UTF-8, by creation; empty for a null
  for (int i = 0; i < 3000; ++i) {
    std::string text = i % 3 == 0 ? "Pšenice ozimá " : i % 3 == 1 ? "pšenice " : "";
    const int parts = static_cast<int>(random() % 5);
    for (int p = 0; p < parts; ++p) text += kParts[random() % std::size(kParts)];
    texts.push_back(i % 97 == 0 ? std::string() : text);
  }
  TDsMemTable table;
  DefineFields(table, {{"NAZEV", ftString, 40}, {"PORADI", ftInteger}});
  table.Open();
  for (size_t i = 0; i < texts.size(); ++i)
    AppendRow(table, {texts[i].empty() ? Variant::Null() : Variant(W(texts[i])), static_cast<int32_t>(i)});

  for (const bool case_insensitive : {false, true}) {
    QCollator collator;
    collator.setCaseSensitivity(case_insensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    std::vector<int> expected(texts.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
      if (texts[a].empty() || texts[b].empty()) return texts[a].empty() && !texts[b].empty();
      return collator.compare(QString::fromStdString(texts[a]), QString::fromStdString(texts[b])) < 0;
    });
    for (const bool descending : {false, true}) {
      SCOPED_TRACE(std::string(case_insensitive ? "case-insensitive" : "case-sensitive") +
                   (descending ? ", descending" : ""));
      table.SortByFields("NAZEV", case_insensitive, descending);
      std::vector<int> order;
      for (table.First(); !table.Eof(); table.Next()) order.push_back(table.FieldByName("PORADI").AsInteger());
      if (descending) std::reverse(order.begin(), order.end());
      EXPECT_EQ(order, expected);
    }
  }
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
