// Copying a DBF table into the memory table. A table without events or
// field handlers stores the rows straight into its row list, decoding C, N
// and D fields of the record image into the slots; with any of them set it
// goes through Append, field writes and Post. Both must give the same rows,
// so most cases copy once each way and compare every value.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/ds_database.h"
#include "dbf/memtable/mem_table_testing.h"
#include "dbf/testing/temp_dir.h"
#include "platform/dataset/errors.h"

namespace zarn {
namespace {

using testing::Column;
using testing::DefineFields;
using testing::Dump;
using testing::TakeTheFieldRoad;
using testing::W;

class MemTableDbfCopyTest : public ::testing::Test {
 protected:
  MemTableDbfCopyTest() { database_.SetDatabaseName(std::filesystem::path(dir_.File("x")).parent_path().string()); }

  std::unique_ptr<TDsDbfTable> Table(const std::string& name) {
    auto table = std::make_unique<TDsDbfTable>();
    table->SetDatabase(&database_);
    table->SetTableName(name);
    return table;
  }

  // cenik.dbf of five records, the fourth deleted: texts, numbers, dates,
  // a logical and a memo, with blank (null) values among them.
  std::unique_ptr<TDsDbfTable> Cenik() {
    auto table = Table("cenik.dbf");
    DefineFields(*table, {{"KOD", ftString, 10},
                          {"NAZEV", ftString, 30},
                          {"CENA", ftFloat},
                          {"POCET", ftInteger},
                          {"PLATNOST", ftDate},
                          {"AKTIVNI", ftBoolean},
                          {"POZN", ftMemo}});
    table->CreateTable();
    table->Open();
    struct Row {
      const char* kod;
      std::string nazev;
      Variant cena, pocet, platnost, aktivni;
      const char* pozn;
    };
    const Row rows[] = {
        {"1", W("Pšenice ozimá"), 12.5, 10, Variant::FromDate(45000), true, "první"},
        {"2", "", Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), ""},
        {"3", W("Žito jarní s velmi dlouhým názvem"), -0.25, -3, Variant::FromDate(36526), false, ""},
        {"4", "smazaný", 1.0, 1, Variant::FromDate(40000), true, "pryč"},
        {"5", W("Ječmen"), 1234567.125, 2147483647, Variant::FromDate(2), true, "poslední"},
    };
    for (const Row& row : rows) {
      table->Append();
      table->FieldByName("KOD").SetAsString(row.kod);
      table->FieldByName("NAZEV").SetAsString(row.nazev);
      table->FieldByName("CENA").SetAsVariant(row.cena);
      table->FieldByName("POCET").SetAsVariant(row.pocet);
      table->FieldByName("PLATNOST").SetAsVariant(row.platnost);
      table->FieldByName("AKTIVNI").SetAsVariant(row.aktivni);
      table->FieldByName("POZN").SetAsString(W(row.pozn));
      table->Post();
    }
    table->Locate("KOD", "4", 0);
    table->Delete();
    table->Close();
    return table;
  }

  zarn::testing::TempDir dir_;
  TDsDatabase database_;
};

TEST_F(MemTableDbfCopyTest, EveryFieldKindAndNullArriveAsFieldWritesStoreThem) {
  auto source = Cenik();
  TDsMemTable direct, through_fields;
  int posts = 0;
  TakeTheFieldRoad(through_fields, posts);
  EXPECT_EQ(direct.CopyFromDataSet(*source, 0, cmReplace), 4);
  EXPECT_EQ(through_fields.CopyFromDataSet(*source, 0, cmReplace), 4);
  EXPECT_EQ(posts, 4);
  EXPECT_EQ(Dump(direct), Dump(through_fields));

  EXPECT_EQ(Column(direct, "KOD"), (std::vector<std::string>{"1", "2", "3", "5"}));
  direct.First();
  EXPECT_EQ(direct.FieldByName("NAZEV").AsString(), W("Pšenice ozimá"));
  EXPECT_DOUBLE_EQ(direct.FieldByName("CENA").AsFloat(), 12.5);
  EXPECT_DOUBLE_EQ(direct.FieldByName("PLATNOST").AsDateTime(), 45000);
  EXPECT_EQ(direct.FieldByName("POZN").AsString(), W("první"));
  direct.Next();
  for (const char* name : {"NAZEV", "CENA", "POCET", "PLATNOST", "AKTIVNI", "POZN"})
    EXPECT_TRUE(direct.FieldByName(name).IsNull()) << name;
  direct.Last();
  EXPECT_DOUBLE_EQ(direct.FieldByName("CENA").AsFloat(), 1234567.125);
  EXPECT_EQ(direct.FieldByName("POCET").AsInteger(), 2147483647);
  EXPECT_DOUBLE_EQ(direct.FieldByName("PLATNOST").AsDateTime(), 2);
}

TEST_F(MemTableDbfCopyTest, NarrowerAndOtherTypesConvertAsFieldWritesDo) {
  auto source = Cenik();
  auto define = [](TDsMemTable& table) {
    // NAZEV's slot lies before KOD's, which is filled first: a text that
    // ran past its slot would show in KOD.
    DefineFields(table, {{"NAZEV", ftString, 4},
                         {"KOD", ftString, 10},
                         {"CENA", ftInteger},
                         {"POCET", ftFloat},
                         {"PLATNOST", ftDateTime},
                         {"AKTIVNI", ftString, 5},
                         {"POZN", ftString, 3}});
    table.Open();
  };
  TDsMemTable direct, through_fields;
  int posts = 0;
  TakeTheFieldRoad(through_fields, posts);
  define(direct);
  define(through_fields);
  EXPECT_EQ(direct.CopyFromDataSet(*source, 0, cmAppend), 4);
  EXPECT_EQ(through_fields.CopyFromDataSet(*source, 0, cmAppend), 4);
  EXPECT_EQ(Dump(direct), Dump(through_fields));
  direct.First();
  EXPECT_EQ(direct.FieldByName("NAZEV").AsString(), W("Pšen"));
  EXPECT_EQ(direct.FieldByName("CENA").AsInteger(), 12);  // 12.5 rounds half to even
  EXPECT_EQ(direct.FieldByName("AKTIVNI").AsString(), "True");
  EXPECT_EQ(direct.FieldByName("POZN").AsString(), W("prv"));
}

TEST_F(MemTableDbfCopyTest, AutoIncrementAndRecordIdsRunOnAcrossCopies) {
  auto source = Cenik();
  TDsMemTable table;
  DefineFields(table, {{"ID", ftAutoInc}, {"KOD", ftString, 10}});
  table.Open();
  table.CopyFromDataSet(*source, 0, cmAppend);
  table.CopyFromDataSet(*source, 0, cmAppend);
  EXPECT_EQ(Column(table, "ID"), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
  // Ids follow creation: a sort on the key keeps equal keys in copy order.
  table.SortByFields("KOD");
  EXPECT_EQ(Column(table, "ID"), (std::vector<std::string>{"1", "5", "2", "6", "3", "7", "4", "8"}));
}

TEST_F(MemTableDbfCopyTest, RowThatFailsToConvertIsNotKeptOnEitherRoad) {
  auto source = Cenik();
  for (const bool through_fields : {false, true}) {
    SCOPED_TRACE(through_fields ? "through the fields" : "straight into the rows");
    TDsMemTable table;
    int posts = 0;
    if (through_fields) TakeTheFieldRoad(table, posts);
    // The last record's code is written before its price, too large for a
    // small integer, fails.
    DefineFields(table, {{"KOD", ftString, 10}, {"CENA", ftSmallint}});
    table.Open();
    EXPECT_THROW(table.CopyFromDataSet(*source, 0, cmAppend), EDatabaseError);
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_FALSE(table.ControlsDisabled());
    EXPECT_FALSE(source->Active());
    EXPECT_EQ(Column(table, "KOD"), (std::vector<std::string>{"1", "2", "3"}));
  }
}

TEST_F(MemTableDbfCopyTest, SourceEventsFiltersAndLimitsAreHonoured) {
  auto source = Cenik();
  TDsMemTable direct;
  direct.CopyFromDataSet(*source, 0, cmReplace);

  // An after-scroll handler of the source sees every row; values are the same.
  int scrolls = 0;
  source->AfterScroll = [&scrolls](TDataSet&) { ++scrolls; };
  TDsMemTable watched;
  watched.CopyFromDataSet(*source, 0, cmReplace);
  EXPECT_GE(scrolls, 4);
  EXPECT_EQ(Dump(watched), Dump(direct));
  source->AfterScroll = nullptr;

  // Only the rows the source's filter shows.
  source->Open();
  source->SetFilterText("CENA>1");
  source->SetFiltered(true);
  TDsMemTable filtered;
  EXPECT_EQ(filtered.CopyFromDataSet(*source, 0, cmReplace), 2);
  EXPECT_EQ(Column(filtered, "KOD"), (std::vector<std::string>{"1", "5"}));
  source->SetFiltered(false);

  // A positive limit starts at the source's current row.
  source->First();
  source->Next();
  TDsMemTable limited;
  EXPECT_EQ(limited.CopyFromDataSet(*source, 2, cmReplace), 2);
  const std::vector<std::string> all = Dump(direct);
  EXPECT_EQ(Dump(limited), std::vector<std::string>(all.begin() + 1, all.begin() + 3));
  EXPECT_TRUE(source->Active());
}

}  // namespace
}  // namespace zarn
