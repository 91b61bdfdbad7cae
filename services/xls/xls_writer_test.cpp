#include "services/xls/xls_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/datetime.h"
#include "platform/win1250.h"
#include "services/testing_folder.h"
#include "services/xls/xls_test_support.h"

namespace zarn {
namespace {

const std::string kSheetUtf8 = "Evidence licenčních poplatků";

std::string W(std::string_view utf8) { return Utf8ToWin1250(utf8); }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// Names in the folder, to see that no scratch file stays behind.
std::vector<std::string> FolderContent() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class XlsWriterTest : public ::testing::Test {
 protected:
  ScratchWorkingFolder folder_{"xls_writer"};
};

TEST_F(XlsWriterTest, CellsReadBackWithTheirTypesValuesAndDateFormat) {
  const std::string pangram = "Příliš žluťoučký kůň úpěl ďábelské ódy";
  const std::string alphabet = "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž";
  TestRowSource source(
      {{W("Žadatel"), XlsColumnKind::kText},
       {W("Množství"), XlsColumnKind::kNumber},
       {W("Datum úhrady"), XlsColumnKind::kDate},
       {W("Příloha"), XlsColumnKind::kNull}},
      {
          {W(pangram), 12.5, EncodeDate(2024, 3, 15), W("x")},
          {W(alphabet), -3.0, EncodeDate(2023, 12, 31) + EncodeTime(13, 45, 30, 0), std::monostate{}},
          {std::string("Latin-1 only: caf\xE9"), 0.0, std::monostate{}, std::monostate{}},
          {std::string(), 1e300, EncodeDate(1900, 1, 1), std::monostate{}},
          {std::monostate{}, std::monostate{}, EncodeDate(1900, 3, 1), std::monostate{}},
          {W(pangram), 1234567.0625, 0.0, std::monostate{}},
          {std::monostate{}, std::monostate{}, EncodeTime(12, 30, 0, 0), std::monostate{}},
      });
  const XlsWriteResult result = WriteXlsWorkbook("zarn.xls", W(kSheetUtf8), source);
  ASSERT_TRUE(result.ok) << Win1250ToUtf8(result.message);
  EXPECT_EQ(result.rows, 7);
  EXPECT_EQ(result.sheets, 1);
  EXPECT_EQ(FolderContent(), std::vector<std::string>{"zarn.xls"});
  // 1.1.1900 is Excel's serial 1 (xlrd will not name dates before 1.3.1900);
  // the zero date and empty texts are empty cells.
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "all"),
            "sheet\t" + kSheetUtf8 + "\t8\t4\n"
            "0,0\ttext\tŽadatel\n0,1\ttext\tMnožství\n0,2\ttext\tDatum úhrady\n0,3\ttext\tPříloha\n"
            "1,0\ttext\t" + pangram + "\n1,1\tnumber\t12.5\n1,2\tdate\t45366.0 2024-03-15 00:00:00\n1,3\tempty\t\n"
            "2,0\ttext\t" + alphabet + "\n2,1\tnumber\t-3.0\n2,2\tdate\t45291.57326388889 2023-12-31 13:45:30\n"
            "2,3\tempty\t\n"
            "3,0\ttext\tLatin-1 only: café\n3,1\tnumber\t0.0\n3,2\tempty\t\n3,3\tempty\t\n"
            "4,0\tempty\t\n4,1\tnumber\t1e+300\n4,2\tdate\t1.0 -\n4,3\tempty\t\n"
            "5,0\tempty\t\n5,1\tempty\t\n5,2\tdate\t61.0 1900-03-01 00:00:00\n5,3\tempty\t\n"
            "6,0\ttext\t" + pangram + "\n6,1\tnumber\t1234567.0625\n6,2\tempty\t\n6,3\tempty\t\n"
            "7,0\tempty\t\n7,1\tempty\t\n7,2\tdate\t0.5208333333333334 0000-00-00 12:30:00\n7,3\tempty\t\n");
}

TEST_F(XlsWriterTest, LongTextsSurviveTheRecordBoundariesOfTheStringTable) {
  // Texts of several thousand characters, compressed and UTF-16, cross the
  // 8224-byte records of the string table at every kind of place; a text
  // longer than Excel's cell limit is cut to it.
  std::vector<std::vector<TestCell>> rows;
  std::string expected = "sheet\tdlouhé\t" + std::to_string(1 + 12) + "\t1\n0,0\ttext\ttext\n";
  for (int i = 0; i < 12; ++i) {
    const size_t length = 2999 + 1001 * i;
    const std::string utf8 = i % 2 ? std::string(length, 'a') + std::to_string(i)
                                   : std::string(length / 2, 'x') + std::string(length - length / 2, 'z') + "ř";
    rows.push_back({W(utf8)});
    expected += std::to_string(i + 1) + ",0\ttext\t" + utf8 + "\n";
  }
  rows.push_back({std::string(40000, 'q')});
  expected += "13,0\ttext\t" + std::string(32767, 'q') + "\n";
  expected.replace(expected.find("\t13\t"), 4, "\t14\t");
  TestRowSource source({{"text", XlsColumnKind::kText}}, rows);
  ASSERT_TRUE(WriteXlsWorkbook("dlouhe.xls", W("dlouhé"), source).ok);
  EXPECT_EQ(DumpWithXlrd("dlouhe.xls", "all"), expected);
}

TEST_F(XlsWriterTest, ListLongerThanOneSheetContinuesOnTheNextSheet) {
  // 70,000 rows of seven columns make a stream of about 10 MB, more than the
  // 109 FAT sectors of the header map, so the file also needs a DIFAT sector.
  constexpr int kRows = 70000;
  std::vector<XlsColumn> columns{{W("Řádek"), XlsColumnKind::kText}};
  for (int c = 1; c <= 6; ++c) columns.push_back({"N" + std::to_string(c), XlsColumnKind::kNumber});
  std::vector<std::vector<TestCell>> rows;
  std::string expected_texts;
  for (int r = 1; r <= kRows; ++r) {
    std::vector<TestCell> row{W("řádek " + std::to_string(r))};
    for (int c = 1; c <= 6; ++c) row.push_back(double(r * 10 + c));
    rows.push_back(std::move(row));
  }
  TestRowSource source(columns, std::move(rows));
  std::vector<int64_t> reported;
  const XlsWriteResult result =
      WriteXlsWorkbook("zarn.xls", W(kSheetUtf8), source, [&](int64_t n) { reported.push_back(n); });
  ASSERT_TRUE(result.ok) << Win1250ToUtf8(result.message);
  EXPECT_EQ(result.rows, kRows);
  EXPECT_EQ(result.sheets, 2);
  ASSERT_EQ(reported.size(), kRows / 1000 + 1);
  EXPECT_EQ(reported.front(), 1000);
  EXPECT_EQ(reported.back(), kRows);
  EXPECT_GT(std::filesystem::file_size("zarn.xls"), 109u * 128 * 512);

  EXPECT_EQ(DumpWithXlrd("zarn.xls", "edges"),
            "sheet\t" + kSheetUtf8 + "\t65536\t7\n"
            "0,0\ttext\tŘádek\n0,1\ttext\tN1\n0,2\ttext\tN2\n0,3\ttext\tN3\n0,4\ttext\tN4\n0,5\ttext\tN5\n0,6\ttext\tN6\n"
            "1,0\ttext\třádek 1\n1,1\tnumber\t11.0\n1,2\tnumber\t12.0\n1,3\tnumber\t13.0\n1,4\tnumber\t14.0\n"
            "1,5\tnumber\t15.0\n1,6\tnumber\t16.0\n"
            "65535,0\ttext\třádek 65535\n65535,1\tnumber\t655351.0\n65535,2\tnumber\t655352.0\n"
            "65535,3\tnumber\t655353.0\n65535,4\tnumber\t655354.0\n65535,5\tnumber\t655355.0\n65535,6\tnumber\t655356.0\n"
            "sheet\t" + kSheetUtf8 + " 2\t4466\t7\n"
            "0,0\ttext\tŘádek\n0,1\ttext\tN1\n0,2\ttext\tN2\n0,3\ttext\tN3\n0,4\ttext\tN4\n0,5\ttext\tN5\n0,6\ttext\tN6\n"
            "1,0\ttext\třádek 65536\n1,1\tnumber\t655361.0\n1,2\tnumber\t655362.0\n1,3\tnumber\t655363.0\n"
            "1,4\tnumber\t655364.0\n1,5\tnumber\t655365.0\n1,6\tnumber\t655366.0\n"
            "4465,0\ttext\třádek 70000\n4465,1\tnumber\t700001.0\n4465,2\tnumber\t700002.0\n4465,3\tnumber\t700003.0\n"
            "4465,4\tnumber\t700004.0\n4465,5\tnumber\t700005.0\n4465,6\tnumber\t700006.0\n");
  // Every one of the 70,000 distinct texts comes back from the string table.
  std::string expected = "sheet\t" + kSheetUtf8 + "\t65536\t7\n0,0\ttext\tŘádek\n";
  for (int r = 1; r <= 65535; ++r) expected += std::to_string(r) + ",0\ttext\třádek " + std::to_string(r) + "\n";
  expected += "sheet\t" + kSheetUtf8 + " 2\t4466\t7\n0,0\ttext\tŘádek\n";
  for (int r = 65536; r <= kRows; ++r) {
    expected += std::to_string(r - 65535) + ",0\ttext\třádek " + std::to_string(r) + "\n";
  }
  EXPECT_TRUE(DumpWithXlrd("zarn.xls", "column=0") == expected);
}

TEST_F(XlsWriterTest, EmptyListGivesTheTitleRowOnly) {
  TestRowSource source({{W("Rok"), XlsColumnKind::kNumber}}, {});
  std::vector<int64_t> reported;
  const XlsWriteResult result = WriteXlsWorkbook("zarn.xls", W(kSheetUtf8), source, [&](int64_t n) { reported.push_back(n); });
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.sheets, 1);
  EXPECT_EQ(reported, std::vector<int64_t>{0});
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "all"), "sheet\t" + kSheetUtf8 + "\t1\t1\n0,0\ttext\tRok\n");
}

// A source that fails in the middle, as a dataset does when its server goes.
class FailingRowSource : public TestRowSource {
 public:
  FailingRowSource() : TestRowSource({{"a", XlsColumnKind::kNumber}}, {{1.0}, {2.0}}) {}
  bool NextRow(std::span<XlsValue> values) override {
    if (++calls_ == 3) throw std::runtime_error("Lost connection to server");
    return TestRowSource::NextRow(values);
  }

 private:
  int calls_ = 0;
};

TEST_F(XlsWriterTest, FailureLeavesTheOldFileAndNoScratchFiles) {
  std::ofstream("zarn.xls") << "old";
  std::filesystem::create_directories("held.xls/inside");
  TestRowSource one_row({{"a", XlsColumnKind::kNumber}}, {{1.0}});
  std::vector<XlsColumn> too_many(257, {"x", XlsColumnKind::kNumber});
  TestRowSource wide(too_many, {});
  FailingRowSource failing;

  struct Case {
    const char* what;
    std::filesystem::path target;
    XlsRowSource* source;
    std::string message_utf8;
  };
  const Case cases[] = {
      {"missing folder", "chybí/zarn.xls", &one_row,
       "Soubor „chybí/zarn.xls“ nelze vytvořit: No such file or directory"},
      {"target held", "held.xls", &one_row, "Soubor „held.xls“ nelze přepsat: "},
      {"source fails", "zarn.xls", &failing, "Lost connection to server"},
      {"too many columns", "zarn.xls", &wide, "List sešitu XLS pojme nejvýše 256 sloupců, export jich má 257."},
  };
  for (const Case& c : cases) {
    const XlsWriteResult result = WriteXlsWorkbook(c.target, "List", *c.source);
    EXPECT_FALSE(result.ok) << c.what;
    EXPECT_EQ(Win1250ToUtf8(result.message).substr(0, c.message_utf8.size()), c.message_utf8) << c.what;
    EXPECT_EQ(FolderContent(), (std::vector<std::string>{"held.xls", "zarn.xls"})) << c.what;
  }
  EXPECT_EQ(ReadFile("zarn.xls"), "old");
  EXPECT_TRUE(std::filesystem::is_directory("held.xls/inside"));
}

TEST_F(XlsWriterTest, ExistingWorkbookIsReplaced) {
  std::ofstream("zarn.xls") << "old";
  TestRowSource source({{"a", XlsColumnKind::kNumber}}, {{7.0}});
  ASSERT_TRUE(WriteXlsWorkbook("zarn.xls", "List", source).ok);
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "all"), "sheet\tList\t2\t1\n0,0\ttext\ta\n1,0\tnumber\t7.0\n");
}

}  // namespace
}  // namespace zarn
