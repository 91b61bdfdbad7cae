// The grid model over a dataset: rows and columns from the row interface,
// titles and texts from the fields, selection and sorting through the dataset.
#include "platform/dataset/dataset_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/dataset/testing/vector_dataset.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

using testing::VectorDataSet;

QString Cell(const TDataSetModel& model, int row, int column, int role = Qt::DisplayRole) {
  return model.data(model.index(row, column), role).toString();
}

class DataSetModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    ds.FieldDefs().Add("ZADATEL", ftString, 10);
    ds.FieldDefs().Add("SUMA", ftFloat);
    ds.FieldDefs().Add("ZAPLACENA", ftDate);
    ds.AddRow({"0123", 1234.5, Variant::FromDate(EncodeDate(2006, 3, 5))});
    ds.AddRow({"0456", 20.0, Variant::Null()});
    ds.AddRow({"0789", 300.25, Variant::FromDate(EncodeDate(1999, 11, 11))});
    ds.Open();
  }

  VectorDataSet ds;
};

TEST_F(DataSetModelTest, ShowsVisibleFieldsWithTitlesAndDisplayTexts) {
  ds.FieldByName("SUMA").SetDisplayFormat("#,##0.00");
  ds.FieldByName("ZAPLACENA").SetDisplayLabel(Utf8ToWin1250("Zaplaceno dne"));
  TDataSetModel model(&ds);
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "ZADATEL");
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("Zaplaceno dne"));
  EXPECT_EQ(Cell(model, 0, 1), QString::fromUtf8("1 234,50"));
  EXPECT_EQ(Cell(model, 0, 1, Qt::EditRole), "1234,5");
  EXPECT_EQ(Cell(model, 0, 2), "5.3.2006");
  EXPECT_EQ(Cell(model, 1, 2), "");
  EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
            Qt::AlignRight);
  EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, 0);

  ds.FieldByName("SUMA").SetVisible(false);
  EXPECT_EQ(model.columnCount(), 2);
  EXPECT_EQ(model.FieldAt(1), &ds.FieldByName("ZAPLACENA"));
  EXPECT_EQ(model.ColumnOf(&ds.FieldByName("SUMA")), -1);
}

TEST_F(DataSetModelTest, SelectionAndCursorFollowEachOther) {
  TDataSetModel model(&ds);
  std::vector<int> announced;
  QObject::connect(&model, &TDataSetModel::currentRowChanged, [&announced](int row) { announced.push_back(row); });
  model.SelectRow(2);
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0789");
  ds.Prior();
  ds.First();
  EXPECT_EQ(announced, (std::vector<int>{2, 1, 0}));
}

TEST_F(DataSetModelTest, FollowsPostsSortingAndClosing) {
  TDataSetModel model(&ds);
  ds.Append();
  ds.FieldByName("ZADATEL").SetAsString("0999");
  ds.FieldByName("SUMA").SetAsFloat(5);
  ds.Post();
  EXPECT_EQ(model.rowCount(), 4);
  EXPECT_EQ(Cell(model, 3, 0), "0999");

  ds.First();
  ds.Edit();
  ds.FieldByName("SUMA").SetAsFloat(1);  // the edited row shows what is typed
  EXPECT_EQ(Cell(model, 0, 1), "1");
  ds.Cancel();
  EXPECT_EQ(Cell(model, 0, 1), "1234,5");

  model.sort(1, Qt::DescendingOrder);
  EXPECT_EQ(Cell(model, 0, 0), "0123");
  EXPECT_EQ(Cell(model, 3, 0), "0999");
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0123");  // the same record stays current

  ds.Close();
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.columnCount(), 0);
  ds.Open();
  EXPECT_EQ(model.rowCount(), 4);
  EXPECT_EQ(model.columnCount(), 3);
}

TEST(DataSetModelLargeTest, LargeDatasetOpensWithoutReadingItsRows) {
  VectorDataSet ds;
  ds.FieldDefs().Add("ID", ftInteger);
  ds.FieldDefs().Add("NAZEV", ftString, 20);
  for (int i = 0; i < 200000; ++i) ds.AddRow({i, "Řádek"});
  ds.Open();
  const int fetched_by_open = ds.fetches;
  TDataSetModel model(&ds);
  EXPECT_EQ(model.rowCount(), 200000);
  EXPECT_EQ(Cell(model, 199999, 0), "199999");
  EXPECT_EQ(ds.fetches, fetched_by_open);  // cells come from the rows, not the cursor
  model.SelectRow(150000);
  EXPECT_EQ(ds.FieldByName("ID").AsInteger(), 150000);
  EXPECT_EQ(ds.fetches, fetched_by_open + 1);
}

TEST(DataSetModelLifetimeTest, ModelEmptiesWhenTheDatasetGoesAway) {
  auto ds = std::make_unique<VectorDataSet>();
  ds->FieldDefs().Add("A", ftInteger);
  ds->AddRow({1});
  ds->Open();
  TDataSetModel model(ds.get());
  EXPECT_EQ(model.rowCount(), 1);
  ds.reset();
  EXPECT_EQ(model.DataSet(), nullptr);
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_EQ(model.columnCount(), 0);
}

}  // namespace
}  // namespace zarn
