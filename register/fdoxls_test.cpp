// The export to zarn.xls: which columns and rows each choice writes, read back
// with xlrd; the window's folder, working folder and stored label; the
// spill-over notice; the whole-table choice against the test server.
#include "register/fdoxls.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>

#include "platform/dataset/dataset_model.h"
#include "platform/dataset/testing/vector_dataset.h"
#include "platform/format_settings.h"
#include "platform/ini_file.h"
#include "platform/widgets/message_box.h"
#include "platform/widgets/test_application.h"
#include "platform/win1250.h"
#include "register/list_export.h"
#include "services/query.h"
#include "services/testing_folder.h"
#include "services/xls/worksheet_body.h"
#include "services/xls/xls_test_support.h"
#include "services/xls/xls_writer.h"
#include "tests/server_test_support.h"

namespace zarn {
namespace {

namespace fs = std::filesystem;
using testing::VectorDataSet;

std::string W(std::string_view utf8) { return Utf8ToWin1250(utf8); }
QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

// A list of three records shown in a grid, as the main window holds it: the
// column "id" hidden, "suma" titled and moved in front of "zadatel".
class ExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TestApplication(); }

  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    list.FieldDefs().Add("id", ftInteger);
    list.FieldDefs().Add("zadatel", ftString, 10);
    list.FieldDefs().Add("suma", ftFloat);
    list.FieldDefs().Add("zaplacena", ftDate);
    list.AddRow({int32_t{7}, W("Žďár"), 1234.5, Variant::FromDate(EncodeDate(2006, 3, 5))});
    list.AddRow({int32_t{8}, "0456", 20.0, Variant::Null()});
    list.AddRow({int32_t{9}, Variant::Null(), Variant::Null(), Variant::FromDate(EncodeDate(2024, 12, 31))});
    list.Open();
    list.FieldByName("id").SetVisible(false);
    list.FieldByName("suma").SetDisplayLabel(W("Poplatky celkem"));
    model.SetDataSet(&list);
    grid.setModel(&model);
    grid.horizontalHeader()->moveSection(1, 0);  // suma before zadatel
  }

  ScratchWorkingFolder folder_{"fdoxls"};
  VectorDataSet list;
  TDataSetModel model;
  QTableView grid;
  TServerConnection no_server;
  TServerQuery work{no_server};
};

TEST_F(ExportTest, GridChoiceTakesVisibleColumnsInShownOrderWithTitles) {
  const XlsWriteResult result = ExportujZarnXls(TVolbaExportu::VybraneVetyVybranePolozky, ".", list, grid, work);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.rows, 3);
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "all"),
            "sheet\tEvidence licenčních poplatků\t4\t3\n"
            "0,0\ttext\tPoplatky celkem\n0,1\ttext\tzadatel\n0,2\ttext\tzaplacena\n"
            "1,0\tnumber\t1234.5\n1,1\ttext\tŽďár\n1,2\tdate\t38781.0 2006-03-05 00:00:00\n"
            "2,0\tnumber\t20.0\n2,1\ttext\t0456\n2,2\tempty\t\n"
            "3,0\tempty\t\n3,1\tempty\t\n3,2\tdate\t45657.0 2024-12-31 00:00:00\n");
}

TEST_F(ExportTest, AllColumnsChoiceTakesEveryFieldByNameAndReplacesTheFile) {
  ASSERT_TRUE(WriteTextLines("zarn.xls", {"an older export"}));
  const XlsWriteResult result = ExportujZarnXls(TVolbaExportu::VybraneVetyVsechnyPolozky, ".", list, grid, work);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "edges"),
            "sheet\tEvidence licenčních poplatků\t4\t4\n"
            "0,0\ttext\tid\n0,1\ttext\tzadatel\n0,2\ttext\tsuma\n0,3\ttext\tzaplacena\n"
            "1,0\tnumber\t7.0\n1,1\ttext\tŽďár\n1,2\tnumber\t1234.5\n1,3\tdate\t38781.0 2006-03-05 00:00:00\n"
            "3,0\tnumber\t9.0\n3,1\tempty\t\n3,2\tempty\t\n3,3\tdate\t45657.0 2024-12-31 00:00:00\n");
}

// The window over the fixture's list, opened from the program folder "prog".
class ExportWindowTest : public ExportTest {
 protected:
  fs::path Program() const { return folder_.root() / "prog"; }
  fs::path Target() const { return folder_.root() / "ven"; }
};

TEST_F(ExportWindowTest, MissingStoredFolderOpensOnProgramFolderAndClosingRestoresIt) {
  TIniFile("zarn.ini").WriteString("TFdoXLS", "Label1_Caption", (folder_.root() / "gone").string());
  fs::create_directories(Target() / "sub");
  {
    TFdoXLS window(list, grid, no_server);
    window.show();
    EXPECT_TRUE(window.RadioVybraneVybrane->isChecked());
    EXPECT_EQ(window.Label1->text(), QDir::toNativeSeparators(Q(Program())));
    EXPECT_EQ(fs::current_path(), Program());
    window.DirectoryListBox1Change(Q(Target() / "sub"));
    EXPECT_EQ(fs::current_path(), Target() / "sub");
    window.close();
    EXPECT_EQ(fs::current_path(), Program());
  }
  // The label is stored in the program folder's zarn.ini, never in the
  // folder that was current while browsing.
  EXPECT_EQ(TIniFile("zarn.ini").ReadString("TFdoXLS", "Label1_Caption", ""), (Target() / "sub").string());
  EXPECT_TRUE(TIniFile("zarn.ini").ValueExists("TFdoXLS", "Left"));
  EXPECT_FALSE(fs::exists(Target() / "sub" / "zarn.ini"));

  TFdoXLS again(list, grid, no_server);
  again.show();
  EXPECT_EQ(again.Label1->text(), Q(Target() / "sub"));
  again.close();
}

TEST_F(ExportWindowTest, OkWritesIntoTheChosenFolderAndAFailureKeepsTheWindowOpen) {
  fs::create_directories(Target());
  TFdoXLS window(list, grid, no_server);
  window.show();
  window.DirectoryListBox1Change(Q(Target()));
  window.RadioVybraneVsechny->setChecked(true);
  window.suiButton1Click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(fs::current_path(), Program());
  EXPECT_EQ(DumpWithXlrd(Target() / "zarn.xls", "column=0"),
            "sheet\tEvidence licenčních poplatků\t4\t4\n0,0\ttext\tid\n1,0\tnumber\t7.0\n2,0\tnumber\t8.0\n"
            "3,0\tnumber\t9.0\n");
  EXPECT_EQ(window.ProgressLabel->text(), QString::fromUtf8("Zapsáno vět: 3 z 3"));

  window.show();
  window.DirectoryListBox1Change(Q(Target()));
  fs::remove_all(Target());
  TScriptedDotaz answers({mrOk, mrOk});
  window.suiButton1Click();
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(answers.Shown()[0].icon, TMsgIcon::Stop);
  EXPECT_TRUE(window.isVisible());

  // The whole table without a server: the server's complaint, window stays.
  fs::create_directories(Target());
  window.RadioVsechnyVsechny->setChecked(true);
  window.suiButton1Click();
  ASSERT_EQ(answers.Shown().size(), 2u);
  EXPECT_EQ(answers.Shown()[1].icon, TMsgIcon::Stop);
  EXPECT_FALSE(answers.Shown()[1].text.empty());
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(fs::exists(Target() / "zarn.xls"));
  window.close();
  EXPECT_EQ(fs::current_path(), Program());
}

// Folders the export cannot write into, even for root: one of the system's
// own, and one where the name zarn.xls is taken by a folder with content.
// The message names the file, the window stays open, nothing is left behind.
TEST_F(ExportWindowTest, FolderThatCannotBeWrittenIsReportedAndTheWindowStaysOpen) {
  fs::create_directories(Target() / "zarn.xls" / "inside");
  struct Case {
    fs::path folder;
    std::string message_start;  // UTF-8
  } cases[] = {
      {"/proc/self", "Soubor „/proc/self/zarn.xls“ nelze vytvořit"},
      {Target(), "Soubor „" + (Target() / "zarn.xls").string() + "“ nelze přepsat"},
  };
  TFdoXLS window(list, grid, no_server);
  window.show();
  TScriptedDotaz answers({mrOk, mrOk});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder.string());
    window.DirectoryListBox1Change(Q(c.folder));
    const size_t shown = answers.Shown().size();
    window.suiButton1Click();
    ASSERT_EQ(answers.Shown().size(), shown + 1);
    EXPECT_EQ(answers.Shown().back().icon, TMsgIcon::Stop);
    EXPECT_EQ(Win1250ToUtf8(answers.Shown().back().text).rfind(c.message_start, 0), 0u)
        << Win1250ToUtf8(answers.Shown().back().text);
    EXPECT_TRUE(window.isVisible());
  }
  EXPECT_TRUE(fs::exists(Target() / "zarn.xls" / "inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Target()), fs::directory_iterator()), 1) << "no scratch files";
  window.close();
  EXPECT_EQ(fs::current_path(), Program());
}

TEST_F(ExportWindowTest, ListLongerThanASheetSpillsOverAndTheWindowSaysSo) {
  for (int i = 0; i < static_cast<int>(kXlsMaxDataRowsPerSheet); ++i) list.AddRow({int32_t{i}, "x", 1.0, Variant::Null()});
  TFdoXLS window(list, grid, no_server);
  window.show();
  TScriptedDotaz answers({mrOk});
  window.suiButton1Click();
  ASSERT_EQ(answers.Shown().size(), 1u);
  EXPECT_EQ(Win1250ToUtf8(answers.Shown()[0].text),
            "Seznam má 65538 vět a nevešel se na jeden list sešitu, pokračuje na dalších listech (listů celkem: 2).");
  const std::string dump = DumpWithXlrd("zarn.xls", "edges");
  EXPECT_NE(dump.find("sheet\tEvidence licenčních poplatků\t65536\t3\n"), std::string::npos) << dump.substr(0, 300);
  EXPECT_NE(dump.find("\t4\t3\n"), std::string::npos) << "second sheet holds the last three rows and the titles";
}

class ExportServerTest : public testing::ServerTest {};

TEST_F(ExportServerTest, WholeTableChoiceIgnoresTheListAndOrdersByYearThenIco) {
  db_.Execute("CREATE TABLE zarnzada (id INT PRIMARY KEY, rok VARCHAR(4), ico VARCHAR(12), suma DOUBLE,"
              " zaplacena DATE)");
  db_.Execute("INSERT INTO zarnzada VALUES (1,'2024','222',10.5,'2024-05-01'),(2,'2023','999',1,NULL),"
              "(3,'2024','111',2,'1900-01-01')");
  TestApplication();
  ScratchWorkingFolder folder("fdoxls_server");
  VectorDataSet list;  // an empty list: the third choice does not read it
  list.FieldDefs().Add("id", ftInteger);
  list.Open();
  TDataSetModel model(&list);
  QTableView grid;
  grid.setModel(&model);
  TServerQuery work(db_);
  const XlsWriteResult result = ExportujZarnXls(TVolbaExportu::VsechnyVetyVsechnyPolozky, ".", list, grid, work);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_FALSE(work.Active());
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "column=2"),
            "sheet\tEvidence licenčních poplatků\t4\t5\n"
            "0,2\ttext\tico\n1,2\ttext\t999\n2,2\ttext\t111\n3,2\ttext\t222\n");
  EXPECT_EQ(DumpWithXlrd("zarn.xls", "column=3"),
            "sheet\tEvidence licenčních poplatků\t4\t5\n0,3\ttext\tsuma\n1,3\tnumber\t1.0\n2,3\tnumber\t2.0\n"
            "3,3\tnumber\t10.5\n");

  db_.Execute("DROP TABLE zarnzada");
  EXPECT_THROW(ExportujZarnXls(TVolbaExportu::VsechnyVetyVsechnyPolozky, ".", list, grid, work), EServerError);
  EXPECT_FALSE(work.Active());
}

}  // namespace
}  // namespace zarn
