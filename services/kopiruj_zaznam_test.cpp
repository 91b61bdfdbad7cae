#include "services/kopiruj_zaznam.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/testing/temp_dir.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/testing/vector_dataset.h"

namespace zarn {
namespace {

struct Column {
  std::string name;
  TFieldType type;
  int size;
};

// An open in-memory source with the given columns and one row.
std::unique_ptr<testing::VectorDataSet> Source(const std::vector<Column>& columns, std::vector<Variant> row) {
  auto source = std::make_unique<testing::VectorDataSet>();
  for (const Column& column : columns) source->FieldDefs().Add(column.name, column.type, column.size);
  source->AddRow(std::move(row));
  source->Open();
  return source;
}

// The edit buffer's case: a DBF table record filled from another dataset.
class KopirujZaznamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    database_.SetDatabaseName(std::filesystem::path(dir_.File("x")).parent_path().string());
    target_.SetDatabase(&database_);
    target_.SetTableName("zarnzada");
    target_.FieldDefs().Add("ZADATEL", ftString, 10);
    target_.FieldDefs().Add("MNOZSTVI", ftFloat);
    target_.FieldDefs().Add("POZNAMKA", ftString, 20);
    target_.CreateTable();
    target_.Open();
  }

  testing::TempDir dir_;
  TDsDatabase database_;
  TDsDbfTable target_;
};

TEST_F(KopirujZaznamTest, ByNameCopiesSharedFieldsOnly) {
  auto source = Source({{"zadatel", ftString, 10}, {"MNOZSTVI", ftInteger, 0}, {"JINE", ftString, 5}},
                       {Variant("Z1"), Variant(int32_t{12}), Variant("x")});
  target_.Append();
  target_.FieldByName("POZNAMKA").SetAsString("ponechat");
  KopirujZaznam(*source, target_, true);
  EXPECT_EQ(target_.State(), dsInsert);  // neither posted nor moved
  target_.Post();
  EXPECT_EQ(target_.FieldByName("ZADATEL").AsString(), "Z1");
  EXPECT_DOUBLE_EQ(target_.FieldByName("MNOZSTVI").AsFloat(), 12);
  EXPECT_EQ(target_.FieldByName("POZNAMKA").AsString(), "ponechat");
}

TEST_F(KopirujZaznamTest, ByPositionPairsTheDefinitions) {
  auto source = Source({{"A", ftString, 10}, {"B", ftFloat, 0}}, {Variant("P"), Variant(2.5)});
  target_.Append();
  KopirujZaznam(*source, target_, false);
  EXPECT_EQ(target_.FieldByName("ZADATEL").AsString(), "P");
  EXPECT_DOUBLE_EQ(target_.FieldByName("MNOZSTVI").AsFloat(), 2.5);
  EXPECT_TRUE(target_.FieldByName("POZNAMKA").IsNull());
}

TEST_F(KopirujZaznamTest, TargetMustBeEditing) {
  auto source = Source({{"ZADATEL", ftString, 10}}, {Variant("Z1")});
  try {
    KopirujZaznam(*source, target_, true);
    ADD_FAILURE() << "no error";
  } catch (const EDatabaseError& error) {
    EXPECT_STREQ(error.what(), kSNotEditing);
  }
  EXPECT_EQ(target_.RecordCount(), 0);
}

}  // namespace
}  // namespace zarn
