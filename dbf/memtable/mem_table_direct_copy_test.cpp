// Copying between memory tables: slots of the same type and size move as
// bytes, other pairs through the fields. Each case copies once straight into
// the rows and once through Append and Post (an event on the destination
// forces that road) and compares every value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbf/memtable/mem_table_testing.h"

namespace zarn {
namespace {

using testing::AppendRow;
using testing::Column;
using testing::DefineFields;
using testing::Dump;
using testing::TakeTheFieldRoad;
using testing::W;

// Every type a memory table holds, with a row of values, a row of nulls and
// a row of empty texts (which read as null).
const std::vector<testing::Def> kEveryType = {
    {"TEXT", ftString, 10},     {"MALE", ftSmallint},    {"CELE", ftInteger},    {"SLOVO", ftWord},
    {"ANO", ftBoolean},         {"CISLO", ftFloat},      {"PENIZE", ftCurrency}, {"BCD", ftBCD, 2},
    {"DATUM", ftDate},          {"CAS", ftTime},         {"KDY", ftDateTime},    {"BAJTY", ftBytes, 4},
    {"VARBAJTY", ftVarBytes, 6}, {"PORADI", ftAutoInc},  {"PEVNY", ftFixedChar, 5}, {"SIROKY", ftWideString, 8},
    {"VELKE", ftLargeint},      {"COKOLI", ftVariant},   {"GUID", ftGuid},       {"POZN", ftMemo},
    {"OBRAZ", ftBlob}};

void FillEveryType(TDsMemTable& table) {
  DefineFields(table, kEveryType);
  table.Open();
  AppendRow(table, {W("Žluťoučký"), -123, 123456, 65000, true, 1.25, 10.5, 3.75, Variant::FromDate(45000),
                    Variant::FromDate(0.5), Variant::FromDate(45000.25), Variant::FromBytes(std::string("ab\0c", 4)),
                    Variant::FromBytes("xyz"), Variant::Null(), "abc", W("čaj"), static_cast<int64_t>(1) << 40, 42,
                    "{00000000-0000-0000-0000-000000000001}", W("dlouhý text"), Variant::FromBytes("\x01\x02")});
  AppendRow(table, {});
  AppendRow(table, {"", Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(),
                    Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(),
                    Variant::Null(), Variant::Null(), Variant::Null(), "", ""});
}

// Copies `source` into a fresh table on both roads (with `define` giving
// the destination its structure for cmAppend, or cmReplace without it) and
// expects the same rows.
void ExpectSameOnBothRoads(TDsMemTable& source, void (*define)(TDsMemTable&)) {
  TDsMemTable direct, through_fields;
  int posts = 0;
  TakeTheFieldRoad(through_fields, posts);
  const TCopyMode mode = define ? cmAppend : cmReplace;
  if (define) {
    define(direct);
    define(through_fields);
  }
  const int32_t copied = direct.CopyFromDataSet(source, 0, mode);
  EXPECT_EQ(through_fields.CopyFromDataSet(source, 0, mode), copied);
  EXPECT_EQ(posts, copied);
  EXPECT_EQ(Dump(direct), Dump(through_fields));
}

TEST(MemTableDirectCopyTest, EveryTypeAndNullCopiesAsFieldWritesStoreIt) {
  TDsMemTable source;
  FillEveryType(source);
  ExpectSameOnBothRoads(source, nullptr);

  TDsMemTable copy;
  copy.CopyFromDataSet(source, 0, cmReplace);
  copy.First();
  EXPECT_EQ(copy.FieldByName("TEXT").AsString(), W("Žluťoučký"));
  EXPECT_EQ(copy.FieldByName("VELKE").AsLargeInt(), int64_t{1} << 40);
  EXPECT_EQ(copy.FieldByName("BAJTY").AsVariant().ToString(), std::string("ab\0c", 4));
  EXPECT_EQ(copy.FieldByName("COKOLI").AsVariant().ToInt(), 42);
  EXPECT_EQ(copy.FieldByName("POZN").AsString(), W("dlouhý text"));
  EXPECT_EQ(Column(copy, "PORADI"), (std::vector<std::string>{"1", "2", "3"}));
  copy.First();
  copy.Next();
  for (const auto& field : copy.Fields()) {
    if (field->FieldName() != "PORADI") {
      EXPECT_TRUE(field->IsNull()) << field->FieldName();
    }
  }
}

TEST(MemTableDirectCopyTest, OtherOrderSizesAndTypesMixBytesAndConversions) {
  TDsMemTable source;
  FillEveryType(source);
  // Reordered, so no two slots continue each other as in the source; some
  // sizes and types differ, so those values convert.
  ExpectSameOnBothRoads(source, [](TDsMemTable& table) {
    DefineFields(table, {{"POZN", ftString, 4},
                         {"DATUM", ftDate},
                         {"CELE", ftFloat},
                         {"TEXT", ftString, 3},
                         {"ANO", ftBoolean},
                         {"MALE", ftInteger},
                         {"CISLO", ftFloat},
                         {"KDY", ftString, 30},
                         {"COKOLI", ftVariant},
                         {"SIROKY", ftWideString, 8}});
    table.Open();
  });
}

TEST(MemTableDirectCopyTest, CopyOutIntoAnotherMemoryTableStoresRowsTheSameWay) {
  TDsMemTable source;
  FillEveryType(source);
  TDsMemTable direct, through_fields;
  int posts = 0;
  TakeTheFieldRoad(through_fields, posts);
  for (TDsMemTable* target : {&direct, &through_fields}) {
    target->CopyStructureFrom(&source);
    target->Open();
    AppendRow(*target, {"první"});
  }
  posts = 0;
  source.First();
  source.Next();
  EXPECT_EQ(source.CopyToDataSet(direct, 0), 3);  // a limit of 0 copies from the first row
  EXPECT_EQ(source.CopyToDataSet(through_fields, 0), 3);
  EXPECT_EQ(posts, 3);
  EXPECT_EQ(Dump(direct), Dump(through_fields));
  EXPECT_EQ(Column(direct, "PORADI"), (std::vector<std::string>{"1", "2", "3", "4"}));
}

// The events a control attached to the table receives.
class EventLog : public TDataLink {
 public:
  void DataEvent(TDataEvent event, TField*) override { events.push_back(event); }
  std::vector<TDataEvent> events;
};

TEST(MemTableDirectCopyTest, AttachedControlsHearTheSameOnBothRoads) {
  TDsMemTable source;
  FillEveryType(source);
  std::vector<TDataEvent> heard[2];
  for (const bool through_fields : {false, true}) {
    TDsMemTable table;
    int posts = 0;
    if (through_fields) TakeTheFieldRoad(table, posts);
    table.CopyStructureFrom(&source);
    table.Open();
    EventLog log;
    log.SetDataSet(&table);
    table.CopyFromDataSet(source, 0, cmAppend);
    heard[through_fields] = log.events;
  }
  EXPECT_EQ(heard[false], heard[true]);
  EXPECT_FALSE(heard[false].empty());
}

}  // namespace
}  // namespace zarn
