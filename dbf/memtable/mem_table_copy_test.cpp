// Copying into and out of the memory table (from and to itself, another
// memory table and a plain framework dataset), AssignRecordValues and Locate.
#include <gtest/gtest.h>

#include "dbf/memtable/mem_table_testing.h"
#include "platform/dataset/testing/vector_dataset.h"

namespace zarn {
namespace {

using testing::AppendRow;
using testing::Column;
using testing::DefineFields;
using testing::ExpectDatabaseError;
using testing::W;
using zarn::testing::VectorDataSet;

// A closed source of five rows with text, number, date and memo fields.
void FillSource(VectorDataSet& source) {
  DefineFields(source, {{"KOD", ftString, 8}, {"CENA", ftFloat}, {"PLATNOST", ftDate}, {"POZN", ftMemo}});
  for (int i = 1; i <= 5; ++i)
    source.AddRow({Variant("K" + std::to_string(i)), Variant(i * 1.5), Variant::FromDate(45000 + i),
                   i == 2 ? Variant::Null() : Variant(W("poznámka ").append(1, static_cast<char>('0' + i)))});
}

TEST(MemTableCopyTest, ReplaceTakesStructureAndRowsAndKeepsTypes) {
  VectorDataSet source;
  FillSource(source);
  TDsMemTable table;
  EXPECT_EQ(table.CopyFromDataSet(source, 0, cmReplace), 5);
  EXPECT_FALSE(source.Active());  // closed before, closed again
  ASSERT_EQ(table.FieldCount(), 4);
  EXPECT_EQ(table.FieldByName("CENA").DataType(), ftFloat);
  EXPECT_EQ(table.FieldByName("PLATNOST").DataType(), ftDate);
  EXPECT_EQ(table.FieldByName("POZN").DataType(), ftMemo);
  EXPECT_EQ(table.FieldDefs()[0].Size(), 8);
  table.Last();
  EXPECT_EQ(table.FieldByName("KOD").AsString(), "K5");
  EXPECT_DOUBLE_EQ(table.FieldByName("CENA").AsFloat(), 7.5);
  EXPECT_DOUBLE_EQ(table.FieldByName("PLATNOST").AsDateTime(), 45005);
  EXPECT_EQ(table.FieldByName("POZN").AsString(), W("poznámka 5"));
  table.SetRecNo(2);
  EXPECT_TRUE(table.FieldByName("POZN").IsNull());
  // Replacing again gives the same rows; appending doubles them.
  EXPECT_EQ(table.CopyFromDataSet(source, 0, cmReplace), 5);
  EXPECT_EQ(table.RecordCount(), 5);
  EXPECT_EQ(table.CopyFromDataSet(source, 0, cmAppend), 5);
  EXPECT_EQ(table.RecordCount(), 10);
}

TEST(MemTableCopyTest, PositiveLimitStartsAtTheSourcesCurrentRowAndOpenSourceStaysOpen) {
  VectorDataSet source;
  FillSource(source);
  source.Open();
  source.Next();
  source.Next();  // the third row
  TDsMemTable table;
  EXPECT_EQ(table.CopyFromDataSet(source, 2, cmReplace), 2);
  EXPECT_EQ(Column(table, "KOD"), (std::vector<std::string>{"K3", "K4"}));
  EXPECT_TRUE(source.Active());
  EXPECT_EQ(table.CopyFromDataSet(source, 10, cmAppend), 2);  // from K4, which stayed current, to the end
}

TEST(MemTableCopyTest, CopyingIntoOrOutOfItselfCopiesNothing) {
  TDsMemTable table;
  DefineFields(table, {{"A", ftInteger}});
  table.Open();
  AppendRow(table, {1});
  EXPECT_EQ(table.CopyFromDataSet(table, 0, cmAppend), 0);
  EXPECT_EQ(table.CopyToDataSet(table, 0), 0);
  EXPECT_EQ(table.RecordCount(), 1);
}

TEST(MemTableCopyTest, CopyFromSwitchesTheFilterOffAndDropsTheSortKeys) {
  VectorDataSet source;
  FillSource(source);
  TDsMemTable table;
  table.CopyFromDataSet(source, 0, cmReplace);
  table.SetFilterText("CENA>5");
  table.SetFiltered(true);
  table.SortByFields("KOD", false, true);
  table.CopyFromDataSet(source, 0, cmAppend);
  EXPECT_FALSE(table.Filtered());
  EXPECT_FALSE(table.FieldByName("KOD").IsIndexField());
  EXPECT_EQ(Column(table, "KOD").front(), "K5");  // the sorted rows, then the appended ones
  EXPECT_EQ(Column(table, "KOD").back(), "K5");
}

TEST(MemTableCopyTest, CopyToAppendsToAnyDatasetByName) {
  VectorDataSet source;
  FillSource(source);
  TDsMemTable table;
  table.CopyFromDataSet(source, 0, cmReplace);
  table.SortByFields("CENA", false, true);

  VectorDataSet target;
  DefineFields(target, {{"CENA", ftFloat}, {"kod", ftString, 8}, {"JINE", ftInteger}});
  EXPECT_EQ(table.CopyToDataSet(target, 0), 5);
  ASSERT_EQ(target.Rows().size(), 5u);
  EXPECT_EQ(target.Rows()[0].values[1].ToString(), "K5");
  EXPECT_DOUBLE_EQ(target.Rows()[0].values[0].ToDouble(), 7.5);
  EXPECT_TRUE(target.Rows()[0].values[2].IsClear());

  TDsMemTable copy;  // memory table to memory table, limited, from the current row
  EXPECT_EQ(copy.CopyFromDataSet(table, 1, cmReplace), 0);  // copying out left the table at its end
  EXPECT_EQ(copy.FieldCount(), 4);
  table.SetRecNo(4);
  EXPECT_EQ(table.CopyToDataSet(copy, 2), 2);
  EXPECT_EQ(Column(copy, "KOD"), (std::vector<std::string>{"K2", "K1"}));
}

TEST(MemTableCopyTest, AssignRecordValuesNeedsAnEditedDestination) {
  VectorDataSet source;
  FillSource(source);
  source.Open();
  TDsMemTable table;
  table.CopyStructureFrom(&source);
  table.Open();
  ExpectDatabaseError([&] { TDsMemTable::AssignRecordValues(source, table, true); },
                      "Dataset not in edit or insert mode");
  table.Append();
  TDsMemTable::AssignRecordValues(source, table, false);
  table.Post();
  EXPECT_EQ(table.FieldByName("KOD").AsString(), "K1");
}

class MemTableLocateTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::UseCzechLocale(); }
  void SetUp() override {
    DefineFields(table_, {{"ZADATEL", ftString, 20}, {"ROK", ftInteger}});
    table_.Open();
    for (const auto& [name, year] : std::vector<std::pair<const char*, int>>{
             {"Agro Brno", 2020}, {"Čejka", 2021}, {"agro brno", 2022}, {"Chmelař", 2021}})
      AppendRow(table_, {W(name), year});
    table_.SetRecNo(2);
  }
  bool Locate(const char* fields, const Variant& keys, TLocateOptions options) {
    return table_.Locate(fields, keys, options);
  }
  std::string Current() { return Win1250ToUtf8(table_.FieldByName("ZADATEL").AsString()); }
  TDsMemTable table_;
};

TEST_F(MemTableLocateTest, FindsByCollationWithAndWithoutOptions) {
  struct Case {
    Variant key;
    TLocateOptions options;
    const char* found;  // nullptr: not found
  } const cases[] = {
      {"agro brno", 0, "agro brno"},
      {"AGRO BRNO", loCaseInsensitive, "Agro Brno"},
      {"Agro", 0, nullptr},
      {"Agro", loPartialKey, "Agro Brno"},
      {"agro", loPartialKey | loCaseInsensitive, "Agro Brno"},
      {W("CHMEL"), loPartialKey | loCaseInsensitive, "Chmelař"},
      {"Ch", 0, nullptr},
  };
  for (const Case& c : cases) {
    table_.SetRecNo(2);
    EXPECT_EQ(Locate("ZADATEL", c.key, c.options), c.found != nullptr) << c.key.ToString();
    EXPECT_EQ(Current(), c.found ? c.found : "Čejka") << c.key.ToString();
  }
}

TEST_F(MemTableLocateTest, CurrentRowMatchesWithoutMovingAndSeveralKeysMatchTogether) {
  int scrolls = 0;
  table_.AfterScroll = [&](TDataSet&) { ++scrolls; };
  EXPECT_TRUE(Locate("ZADATEL;ROK", Variant::Array({W("Čejka"), 2021}), 0));
  EXPECT_EQ(scrolls, 0);
  EXPECT_TRUE(Locate("ROK", 2021, 0));
  EXPECT_EQ(Current(), "Čejka");
  EXPECT_TRUE(Locate("ZADATEL;ROK", Variant::Array({W("Chmelař"), 2021}), 0));
  EXPECT_EQ(Current(), "Chmelař");
  EXPECT_FALSE(Locate("ZADATEL;ROK", Variant::Array({W("Chmelař"), 2020}), 0));
  EXPECT_EQ(Current(), "Chmelař");
  ExpectDatabaseError([&] { Locate("NIC", 1, 0); }, "Field 'NIC' not found");
}

TEST_F(MemTableLocateTest, WalksOnlyTheRowsTheFilterShows) {
  table_.SetFilterText("ROK>2020");
  table_.SetFiltered(true);
  EXPECT_FALSE(Locate("ZADATEL", "Agro Brno", 0));
  EXPECT_TRUE(Locate("ZADATEL", "agro brno", 0));
}

}  // namespace
}  // namespace zarn
