// Copying a record between two datasets by name and by position.
#include "platform/dataset/record_copy.h"

#include <gtest/gtest.h>

#include "platform/dataset/testing/vector_dataset.h"

namespace zarn {
namespace {

using testing::VectorDataSet;

class RecordCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    source.FieldDefs().Add("zadatel", ftString, 10);
    source.FieldDefs().Add("MNOZSTVI", ftFloat);
    source.FieldDefs().Add("JEN_ZDROJ", ftInteger);
    source.AddRow({"0123", 12.5, 1});
    source.Open();
    target.FieldDefs().Add("ZADATEL", ftString, 10);
    target.FieldDefs().Add("MNOZSTVI", ftString, 10);  // a number arrives as text
    target.FieldDefs().Add("JEN_CIL", ftInteger);
    target.AddRow({"x", "y", 7});
    target.Open();
  }

  VectorDataSet source, target;
};

TEST_F(RecordCopyTest, ByNameCopiesCommonFieldsAndConvertsTypes) {
  target.Edit();
  CopyRecordValues(source, target, true);
  EXPECT_EQ(target.FieldByName("ZADATEL").AsString(), "0123");
  EXPECT_EQ(target.FieldByName("MNOZSTVI").AsString(), "12,5");
  EXPECT_EQ(target.FieldByName("JEN_CIL").AsInteger(), 7);  // the source lacks it
  EXPECT_EQ(target.State(), dsEdit);                        // not posted
  EXPECT_EQ(target.Rows()[0].values[0], Variant("x"));
}

TEST_F(RecordCopyTest, ByPositionPairsDefinitions) {
  target.Append();
  CopyRecordValues(source, target, false);
  EXPECT_EQ(target.FieldByName("ZADATEL").AsString(), "0123");
  EXPECT_EQ(target.FieldByName("MNOZSTVI").AsString(), "12,5");
  EXPECT_EQ(target.FieldByName("JEN_CIL").AsInteger(), 1);
}

TEST_F(RecordCopyTest, TargetMustBeEditing) {
  try {
    CopyRecordValues(source, target, true);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
  }
  EXPECT_EQ(target.FieldByName("ZADATEL").AsString(), "x");
}

}  // namespace
}  // namespace zarn
