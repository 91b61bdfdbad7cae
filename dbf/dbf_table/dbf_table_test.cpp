#include "dbf/dbf_table/dbf_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dbf/dbf_table/ds_database.h"
#include "dbf/dbf_table/table_path.h"
#include "dbf/testing/python.h"
#include "dbf/testing/temp_dir.h"
#include "platform/dataset/db_consts.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

using testing::RunPython;
using testing::TempDir;

std::string W(std::string_view utf8) { return Utf8ToWin1250(utf8); }

template <typename Action>
void ExpectDatabaseError(Action action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "expected \"" << message << "\"";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.what(), message);
  }
}

// A data folder in a private temporary folder, and tables over it.
class DbfTableTest : public ::testing::Test {
 protected:
  DbfTableTest() { database_.SetDatabaseName(Folder()); }
  std::string Folder() const { return std::filesystem::path(dir_.File("x")).parent_path().string(); }

  // A closed table of the folder.
  std::unique_ptr<TDsDbfTable> Table(const std::string& name) {
    auto table = std::make_unique<TDsDbfTable>();
    table->SetDatabase(&database_);
    table->SetTableName(name);
    return table;
  }

  // adresar.dbf: ICO C(8), NAZEV C(20), NC N, appended with the given rows.
  std::unique_ptr<TDsDbfTable> Adresar(const std::vector<std::tuple<std::string, std::string, double>>& rows) {
    auto table = Table("adresar.dbf");
    table->FieldDefs().Add("ICO", ftString, 8);
    table->FieldDefs().Add("NAZEV", ftString, 20);
    table->FieldDefs().Add("NC", ftFloat);
    table->CreateTable();
    table->Open();
    for (const auto& [ico, nazev, nc] : rows) {
      table->Append();
      table->FieldByName("ICO").SetAsString(ico);
      table->FieldByName("NAZEV").SetAsString(nazev);
      table->FieldByName("NC").SetAsFloat(nc);
      table->Post();
    }
    return table;
  }

  static std::vector<std::string> Column(TDataSet& table, const std::string& field) {
    std::vector<std::string> texts;
    for (table.First(); !table.Eof(); table.Next()) texts.push_back(table.FieldByName(field).AsString());
    return texts;
  }

  TempDir dir_;
  TDsDatabase database_;
};

TEST(TablePathTest, FolderAndExtension) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"", "adresar", "adresar.dbf"},
      {"data", "adresar.dbf", "data/adresar.dbf"},
      {"data/", "cenik.txt", "data/cenik.dbf"},
      {".\\data", "adresar.dbf", "./data/adresar.dbf"},
      {"d", "x.y.z", "d:/x.y.dbf"},
      {"D", "adresar", "D:/adresar.dbf"},
      {"my.folder", "t", "my.folder/t.dbf"},
  };
  for (const auto& [folder, name, path] : cases) EXPECT_EQ(TablePath(folder, name), path) << folder << " " << name;
}

TEST_F(DbfTableTest, CreatesAppendsAndReadsBack) {
  auto table = Adresar({{"1001", W("Žluťoučký kůň"), 1.5}, {"1002", "Beta", -2.25}});
  EXPECT_EQ(table->RecordCount(), 2);
  table->Close();
  table->Open();
  EXPECT_EQ(Column(*table, "NAZEV"), (std::vector<std::string>{W("Žluťoučký kůň"), "Beta"}));
  table->First();
  EXPECT_EQ(table->RecNo(), 1);
  EXPECT_DOUBLE_EQ(table->FieldByName("NC").AsFloat(), 1.5);
  table->Next();
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_DOUBLE_EQ(table->FieldByName("NC").AsFloat(), -2.25);
  EXPECT_EQ(table->FieldDefs()[0].DataType(), ftString);
  EXPECT_EQ(table->FieldDefs()[0].Size(), 8);
  EXPECT_EQ(table->FieldDefs()[2].DataType(), ftFloat);
  EXPECT_EQ(table->FieldDefs()[2].Size(), 0);
}

TEST_F(DbfTableTest, EditPostsInPlaceAndInsertGoesToTheEnd) {
  auto table = Adresar({{"1", "a", 1}, {"2", "b", 2}, {"3", "c", 3}});
  table->First();
  table->Next();
  table->Edit();
  table->FieldByName("NAZEV").SetAsString("bb");
  table->Post();
  EXPECT_EQ(table->RecNo(), 2);
  table->Insert();  // in the middle: still appended
  table->FieldByName("ICO").SetAsString("4");
  table->Post();
  EXPECT_EQ(table->RecNo(), 4);
  table->Close();
  table->Open();
  EXPECT_EQ(Column(*table, "ICO"), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(Column(*table, "NAZEV"), (std::vector<std::string>{"a", "bb", "c", ""}));
}

TEST_F(DbfTableTest, DeletedRecordsAreHiddenButCounted) {
  auto table = Adresar({{"1", "a", 1}, {"2", "b", 2}, {"3", "c", 3}});
  table->First();
  table->Next();
  table->Delete();
  EXPECT_EQ(table->FieldByName("ICO").AsString(), "3");
  EXPECT_EQ(table->RecNo(), 3);
  EXPECT_EQ(table->RecordCount(), 3);
  EXPECT_EQ(Column(*table, "ICO"), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(table->RowCount(), 2);
  table->SetShowDeleted(true);
  EXPECT_EQ(Column(*table, "ICO"), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(table->RowCount(), 3);
}

TEST_F(DbfTableTest, MissingPropertiesAndFiles) {
  TDsDbfTable table;
  ExpectDatabaseError([&] { table.Open(); }, "Missing Database property");
  table.SetDatabase(&database_);
  ExpectDatabaseError([&] { table.Open(); }, "Missing TableName property");
  table.SetTableName("chybi.dbf");
  ExpectDatabaseError([&] { table.Open(); }, "Cannot open file");
  EXPECT_FALSE(table.Active());

  TDsDatabase unnamed;
  TDsDbfTable orphan;
  orphan.SetDatabase(&unnamed);
  orphan.SetTableName("x");
  ExpectDatabaseError([&] { orphan.Open(); }, "Database name missing");
}

TEST_F(DbfTableTest, RefusedFileLeavesTheTableClosed) {
  testing::WriteFile(dir_.File("bad.dbf"), std::string(40, 'x'));
  auto table = Table("bad");
  ExpectDatabaseError([&] { table->Open(); }, "Invalid database file");
  EXPECT_FALSE(table->Active());
  EXPECT_FALSE(table->Handle());
}

TEST_F(DbfTableTest, UnknownFieldNameIsTheFrameworksError) {
  auto table = Adresar({{"1", "a", 1}});
  ExpectDatabaseError([&] { table->FieldByName("NIC"); }, "Field 'NIC' not found");
  ExpectDatabaseError([&] { table->Lookup("ICO", "1", "NIC"); }, "Field 'NIC' not found");
}

TEST_F(DbfTableTest, ReadOnlyTableRefusesWritesAndLeavesTheFile) {
  Adresar({{"1", "a", 1}})->Close();
  const std::string before = testing::ReadFile(dir_.File("adresar.dbf"));
  auto table = Table("adresar");
  table->SetReadOnly(true);
  table->Open();
  EXPECT_FALSE(table->CanModify());
  ExpectDatabaseError([&] { table->Edit(); }, kSDataSetReadOnly);
  ExpectDatabaseError([&] { table->Append(); }, kSDataSetReadOnly);
  table->Close();
  EXPECT_EQ(testing::ReadFile(dir_.File("adresar.dbf")), before);
}

TEST_F(DbfTableTest, ExclusiveOpeningShutsOthersOut) {
  Adresar({{"1", "a", 1}})->Close();
  auto first = Table("adresar");
  first->SetExclusive(true);
  first->Open();
  auto second = Table("adresar");
  ExpectDatabaseError([&] { second->Open(); }, "Cannot open file");
  EXPECT_FALSE(second->Active());
  first->Close();
  second->Open();
  EXPECT_TRUE(second->Active());
}

TEST_F(DbfTableTest, FolderFlagsForceTheTableFlags) {
  Adresar({{"1", "a", 1}})->Close();
  database_.SetExclusive(true);
  auto table = Table("adresar");
  table->SetExclusive(false);
  EXPECT_TRUE(table->Exclusive());
  table->Open();
  auto other = Table("adresar");
  ExpectDatabaseError([&] { other->Open(); }, "Cannot open file");
  database_.Close();  // closes every table of the folder
  EXPECT_FALSE(table->Active());
}

TEST_F(DbfTableTest, EmptyTableNeedsExclusive) {
  auto table = Adresar({{"1", "a", 1}, {"2", "b", 2}});
  ExpectDatabaseError([&] { table->EmptyTable(); }, "Table is busy");
  EXPECT_EQ(table->RecordCount(), 2);
  table->Close();
  table->SetExclusive(true);
  table->Open();
  table->EmptyTable();
  EXPECT_TRUE(table->IsEmpty());
  EXPECT_EQ(table->RecordCount(), 0);
  EXPECT_EQ(table->RowCount(), 0);
}

TEST_F(DbfTableTest, CreateRefusesUnsupportedTypesBeforeTouchingTheFile) {
  Adresar({{"1", "a", 1}})->Close();
  const std::string before = testing::ReadFile(dir_.File("adresar.dbf"));
  auto table = Table("adresar");
  table->FieldDefs().Add("A", ftString, 10);
  table->FieldDefs().Add("B", ftFixedChar, 10);
  ExpectDatabaseError([&] { table->CreateTable(); }, "Invalid field type");
  EXPECT_EQ(testing::ReadFile(dir_.File("adresar.dbf")), before);
}

TEST_F(DbfTableTest, DuplicateFieldNamesGetCounters) {
  // Two descriptors named NAME: the second becomes NAME_1.
  auto table = Table("dup");
  table->FieldDefs().Add("NAME", ftString, 5);
  table->FieldDefs().Add("NAMX", ftString, 5);
  table->CreateTable();
  std::string bytes = testing::ReadFile(dir_.File("dup.dbf"));
  const size_t second = bytes.find("NAMX");
  ASSERT_NE(second, std::string::npos);
  bytes[second + 3] = 'E';
  testing::WriteFile(dir_.File("dup.dbf"), bytes);
  table->FieldDefs().Clear();
  table->FieldDefs().Update();
  ASSERT_EQ(table->FieldDefs().Count(), 2);
  EXPECT_EQ(table->FieldDefs()[0].Name(), "NAME");
  EXPECT_EQ(table->FieldDefs()[1].Name(), "NAME_1");
}

TEST_F(DbfTableTest, LocateWithAndWithoutOptions) {
  auto table = Adresar({{"1001", "Alfa", 1}, {"1002", "Beta", 2}, {"1003", "Betonarna", 3}});
  struct Case {
    std::string fields;
    Variant values;
    TLocateOptions options;
    std::string found_ico;  // empty: not found
  };
  const std::vector<Case> cases = {
      {"ICO", Variant("1002"), 0, "1002"},
      {"NAZEV", Variant("beta"), 0, ""},
      {"NAZEV", Variant("beta"), loCaseInsensitive, "1002"},
      // The partial-key option lets the key be a pattern of the expression
      // language; without it the key is compared as plain text.
      {"NAZEV", Variant("Beto*"), 0, ""},
      {"NAZEV", Variant("Beto*"), loPartialKey, "1003"},
      {"NAZEV", Variant("b?ta"), loPartialKey | loCaseInsensitive, "1002"},
      {"ICO;NAZEV", Variant::Array({Variant("1003"), Variant("Betonarna")}), 0, "1003"},
      {"ICO;NAZEV", Variant("1003"), 0, ""},  // one value for two fields: invalid, not found
      {"NIC;ICO", Variant("1002"), 0, "1002"},  // names that are no fields are skipped
      {"NC", Variant(3.0), 0, "1003"},
  };
  for (const Case& c : cases) {
    table->First();
    const bool found = table->Locate(c.fields, c.values, c.options);
    EXPECT_EQ(found, !c.found_ico.empty()) << c.fields;
    EXPECT_EQ(table->FieldByName("ICO").AsString(), c.found_ico.empty() ? "1001" : c.found_ico) << c.fields;
  }
}

TEST_F(DbfTableTest, LookupMovesToTheRecordFound) {
  auto table = Adresar({{"1001", "Alfa", 1}, {"1002", "Beta", 2}});
  table->First();
  EXPECT_EQ(table->Lookup("ICO", "1002", "NAZEV").ToString(), "Beta");
  EXPECT_EQ(table->RecNo(), 2);
  EXPECT_TRUE(table->Lookup("ICO", "9999", "NAZEV").IsNull());
}

TEST_F(DbfTableTest, FilterByExpression) {
  auto table = Adresar({{"1", "Alfa", 1}, {"2", "Beta", 2}, {"3", "Gama", 3}});
  table->SetFilterText("NC>1");
  EXPECT_EQ(Column(*table, "ICO").size(), 3u);  // not filtered yet
  table->SetFiltered(true);
  EXPECT_EQ(table->FieldByName("ICO").AsString(), "2");  // moved to the first record
  EXPECT_EQ(Column(*table, "ICO"), (std::vector<std::string>{"2", "3"}));
  EXPECT_EQ(table->RecordCount(), 3);
  EXPECT_EQ(table->RowCount(), 2);
  table->First();
  EXPECT_EQ(table->RecNo(), 2);

  ExpectDatabaseError([&] { table->SetFilterText("NC>"); }, kSInvalidFilter);
  EXPECT_EQ(table->Filter(), "NC>1");
  EXPECT_EQ(Column(*table, "ICO"), (std::vector<std::string>{"2", "3"}));

  table->SetFilterText("NC+1");  // a number: accepted, lets nothing through
  EXPECT_TRUE(table->IsEmpty());
  table->SetFilterText("");
  EXPECT_EQ(table->FieldByName("ICO").AsString(), "1");
  EXPECT_EQ(Column(*table, "ICO").size(), 3u);
}

TEST_F(DbfTableTest, InvalidFilterIsCheckedOnlyWhenSwitchedOn) {
  auto table = Adresar({{"1", "Alfa", 1}});
  table->SetFilterText("NC>");
  ExpectDatabaseError([&] { table->SetFiltered(true); }, kSInvalidFilter);
  EXPECT_FALSE(table->Filtered());
  table->Close();
  TDataSet& base = *table;
  base.SetFiltered(true);
  ExpectDatabaseError([&] { table->Open(); }, kSInvalidFilter);
  EXPECT_FALSE(table->Active());
}

TEST_F(DbfTableTest, GridRowsFollowTheData) {
  std::vector<std::tuple<std::string, std::string, double>> rows;
  for (int i = 1; i <= 300; ++i) rows.emplace_back(std::to_string(i), "n" + std::to_string(i), i);
  auto table = Adresar(rows);
  ASSERT_EQ(table->RowCount(), 300);
  EXPECT_EQ(table->RowValue(0, table->FieldByName("ICO")).ToString(), "1");
  EXPECT_EQ(table->RowValue(299, table->FieldByName("NAZEV")).ToString(), "n300");
  EXPECT_DOUBLE_EQ(table->RowValue(150, table->FieldByName("NC")).ToDouble(), 151);
  table->GotoRow(200);
  EXPECT_EQ(table->RecNo(), 201);
  EXPECT_EQ(table->CurrentRow(), 200);
  table->Edit();
  table->FieldByName("NAZEV").SetAsString("zmena");
  table->Post();
  EXPECT_EQ(table->RowValue(200, table->FieldByName("NAZEV")).ToString(), "zmena");
  table->Delete();
  EXPECT_EQ(table->RowCount(), 299);
  EXPECT_EQ(table->RowValue(200, table->FieldByName("ICO")).ToString(), "202");
  EXPECT_EQ(table->CurrentRow(), 200);
}

TEST_F(DbfTableTest, MemoFieldsThroughBlobStreams) {
  auto table = Table("memo");
  table->FieldDefs().Add("ID", ftInteger);
  table->FieldDefs().Add("POZN", ftMemo);
  table->CreateTable();
  table->Open();
  table->Append();
  table->FieldByName("ID").SetAsInteger(1);
  table->FieldByName("POZN").SetAsString(W("Dlouhá poznámka"));
  table->Post();
  table->Append();
  table->FieldByName("ID").SetAsInteger(2);
  table->Post();
  table->Close();
  table->Open();
  EXPECT_EQ(table->FieldByName("POZN").AsString(), W("Dlouhá poznámka"));
  EXPECT_EQ(table->RowValue(0, table->FieldByName("POZN")).ToString(), W("Dlouhá poznámka"));
  table->Next();
  EXPECT_TRUE(table->FieldByName("POZN").IsNull());
  ExpectDatabaseError([&] { table->CreateBlobStream(table->FieldByName("POZN"), bmWrite); }, kSNotEditing);
}

}  // namespace
}  // namespace zarn
