#include "dbf/expr/db_parser.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <filesystem>
#include <string>

#include "dbf/expr/dbf_test_file.h"
#include "dbf/handle.h"
#include "dbf/table_api.h"
#include "platform/format_settings.h"

namespace zarn {
namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
}

// Record 1 holds values, record 2 only blanks (every field null), record 3
// other values.
class DbParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    path_ = TempPath("_db_parser_test.dbf");
    const std::vector<TestDbfField> fields = {
        {"NAZEV", 'C', 10}, {"NC", 'N', 10, 2}, {"MJ", 'C', 3}, {"DATUM", 'D', 8}, {"OK", 'L', 1}};
    ASSERT_TRUE(WriteTestDbf(path_, fields,
                             {"Osivo     " "     12.50" "kg " "20240315" "T",
                              std::string(32, ' '),
                              "osivo p\x9A" "en" "      9.00" "t  " "20231231" "F"}));
    handle_ = std::make_unique<TDbfHandle>(path_, true, false, nullptr);
    ASSERT_EQ(handle_->Status(), 0);
  }
  void TearDown() override {
    handle_.reset();
    std::filesystem::remove(path_);
  }

  std::string path_;
  std::unique_ptr<TDbfHandle> handle_;
};

TEST_F(DbParserTest, ReadsTheCurrentRecordByFieldType) {
  TDsDbParser parser(handle_.get());
  parser.SetExpression("NAZEV=NULL");
  EXPECT_TRUE(parser.IsTrue()) << "before the first read every field is null";
  ASSERT_EQ(handle_->ReadNext(nullptr, nullptr), 0);
  const struct {
    const char* text;
    TExprValue expected;
  } cases[] = {
      {"nazev", TExprValue::Text("Osivo")},
      {"NC", TExprValue::Float(12.5)},
      {"FIELD('mj')", TExprValue::Text("kg")},
      {"DATUM", TExprValue::Date(EncodeDate(2024, 3, 15))},
      {"OK", TExprValue::Boolean(true)},
      {"(NC>=10.5) AND (FIELD('MJ')='kg')", TExprValue::Boolean(true)},
      {"DATUM>'1.3.2024'", TExprValue::Boolean(true)},
  };
  for (const auto& c : cases) {
    parser.SetExpression(c.text);
    const TExprValue value = parser.Evaluate();
    ASSERT_EQ(value.kind, c.expected.kind) << c.text;
    switch (value.kind) {
      case ekText: EXPECT_EQ(value.text, c.expected.text) << c.text; break;
      case ekBoolean: EXPECT_EQ(value.boolean, c.expected.boolean) << c.text; break;
      default: EXPECT_EQ(value.number, c.expected.number) << c.text;
    }
  }
}

TEST_F(DbParserTest, NullFieldsAndTheirEmptyValues) {
  TDsDbParser parser(handle_.get());
  parser.SetOptions({foNoPartialCompare});
  handle_->SetPosition(2);
  ASSERT_EQ(handle_->ReadCurrent(nullptr, nullptr), 0);
  for (const char* text : {"NAZEV=NULL", "NC=NULL", "DATUM=NULL", "OK=NULL", "FIELD('NAZEV')=''", "FIELD('NC')=0",
                           "FIELD('DATUM')='30.12.1899'", "FIELD('OK')=FALSE"}) {
    parser.SetExpression(text);
    EXPECT_TRUE(parser.IsTrue()) << text;
  }
  parser.SetExpression("NAZEV=''");
  EXPECT_FALSE(parser.IsTrue());
}

// The handle's filter reads through its own evaluator record by record.
TEST_F(DbParserTest, HandleFilterSkipsRecordsThatDoNotPass) {
  ASSERT_EQ(SetFilter(handle_.get(), "NAZEV='OSIVO*'", 1), 0);
  TDbfRecordInfo info;
  std::vector<int> seen;
  handle_->MoveFirst();
  while (handle_->ReadNext(nullptr, &info) == 0) seen.push_back(info.record_no);
  EXPECT_EQ(seen, (std::vector<int>{1, 3}));
  ASSERT_EQ(SetFilter(handle_.get(), "(NC<10) AND (OK=FALSE)", 0), 0);
  seen.clear();
  handle_->MoveFirst();
  while (handle_->ReadNext(nullptr, &info) == 0) seen.push_back(info.record_no);
  EXPECT_EQ(seen, (std::vector<int>{3}));
}

TEST(DbParserBinaryFields, IntegerAndDateTimeFieldsOfDBase7) {
  const std::string path = TempPath("_db_parser_test7.dbf");
  // I: big-endian value with the sign bit inverted; @: reversed native double.
  const double moment = 45366.75;
  std::string reversed(8, '\0');
  for (int i = 0; i < 8; ++i) reversed[static_cast<std::size_t>(i)] = reinterpret_cast<const char*>(&moment)[7 - i];
  ASSERT_TRUE(WriteTestDbf(path, {{"POCET", 'I', 4}, {"KDY", '@', 8}},
                           {std::string("\x7F\xFF\xFF\xFE", 4) + reversed, std::string(12, '\0')}, true));
  {
    TDbfHandle handle(path, true, false, nullptr);
    ASSERT_EQ(handle.Status(), 0);
    TDsDbParser parser(&handle);
    ASSERT_EQ(handle.ReadNext(nullptr, nullptr), 0);
    parser.SetExpression("POCET");
    EXPECT_EQ(parser.Evaluate().integer, -2);
    parser.SetExpression("KDY");
    EXPECT_EQ(parser.Evaluate().kind, ekDateTime);
    EXPECT_EQ(parser.Evaluate().number, moment);
    ASSERT_EQ(handle.ReadNext(nullptr, nullptr), 0);
    parser.SetExpression("(POCET=NULL) AND (KDY=NULL) AND (FIELD('POCET')=0)");
    EXPECT_TRUE(parser.IsTrue());
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace zarn
